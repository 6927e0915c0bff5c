// qelt32ctl on a machine whose monitor is on a USB adapter: info and doctor name the device
// by its stable by-id name first, then the node it reaches; what is no terminal or points
// nowhere is named with its reason and gets no byte.

#include "CliRunner.h"
#include "DeviceFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

class CliAdapterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dev.IsValid());
        // Sorted before the monitor: a plain file and a link to nowhere.
        QFile file(ById("usb-0_File-if00"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        ASSERT_TRUE(QFile::link(dev.FilePath("gone"), ById("usb-1_Gone-if00")));
        ASSERT_TRUE(QFile::link(cli.Server().Path(), ById("usb-Sim_Monitor-if00")));
        node = QFileInfo(cli.Server().Path()).canonicalFilePath();
    }
    QString ById(const QString& name) const { return dev.ById(name); }
    // The four slots name devices that are not there.
    CCliRunner::Result Run(const QStringList& arguments) {
        const QString missing = QStringList{dev.FilePath("ttyS0"), dev.FilePath("ttyS1"),
                                            dev.FilePath("ttyS2"), dev.FilePath("ttyS3")}
                                    .join(',');
        return cli.RunRaw(QStringList{"--ports", missing} + arguments);
    }

    CDeviceFolder dev;
    CCliRunner cli;
    QString node;
};

} // namespace

TEST_F(CliAdapterTest, InfoNamesTheStableNameThenTheNodeAndNoSlot) {
    const auto text = Run({"info"});
    ASSERT_EQ(text.status, 0) << text.err.toStdString();
    EXPECT_EQ(text.OutLines().value(0),
              QStringLiteral("port      %1 (%2)").arg(ById("usb-Sim_Monitor-if00"), node));

    const auto json = Run({"info", "--json"});
    ASSERT_EQ(json.status, 0);
    const QJsonObject info = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(info["port"].toString(), ById("usb-Sim_Monitor-if00"));
    EXPECT_EQ(info["device"].toString(), node);
    EXPECT_TRUE(info["com"].isNull()) << "an adapter is no COM slot";
}

TEST_F(CliAdapterTest, DoctorGoesOnToTheAdaptersAndNamesTheOneUsed) {
    const auto text = Run({"doctor"});
    ASSERT_EQ(text.status, 0) << text.out.toStdString();
    const QStringList lines = text.OutLines();
    EXPECT_TRUE(lines.contains("USB   " + ById("usb-0_File-if00")));
    EXPECT_TRUE(lines.contains("  problem    not a serial device (a file)"))
        << text.out.toStdString();
    EXPECT_TRUE(lines.contains("  problem    points nowhere")) << text.out.toStdString();
    const QString used = QStringLiteral("%1 (%2)").arg(ById("usb-Sim_Monitor-if00"), node);
    EXPECT_TRUE(lines.contains("USB   " + used)) << text.out.toStdString();
    EXPECT_EQ(lines.value(lines.size() - 1), "uses  " + used);
    EXPECT_EQ(QFileInfo(ById("usb-0_File-if00")).size(), 0) << "the file got no byte";

    const auto json = Run({"doctor", "--json"});
    ASSERT_EQ(json.status, 0);
    const QJsonObject report = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(report["used"].toString(), ById("usb-Sim_Monitor-if00"));
    const QJsonArray ports = report["ports"].toArray();
    ASSERT_EQ(ports.size(), 7) << "four slots, the file, the link to nowhere, the monitor";
    const QJsonObject adapter = ports.at(6).toObject();
    EXPECT_TRUE(adapter["com"].isNull());
    EXPECT_EQ(adapter["device"].toString(), node);
    EXPECT_TRUE(adapter["usable"].toBool());
}

TEST_F(CliAdapterTest, DoctorWithOnePortGivenLooksNowhereElse) {
    const auto text = cli.RunRaw({"--port", dev.FilePath("ttyS0"), "doctor"});
    EXPECT_EQ(text.status, 3);
    EXPECT_FALSE(text.out.contains("USB ")) << text.out.toStdString();
}
