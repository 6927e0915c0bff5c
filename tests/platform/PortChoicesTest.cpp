#include "platform/PortChoices.h"

#include "DeviceFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
// A device folder and a device tree of the test's own, named to the program through the
// folder overrides: two adapters behind by-id links (one known to the device tree), one
// bare node, a regular file that looks like a node and a link to nowhere.
class PortChoicesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dev.IsValid()); }
    QString Dev(const QString& name) const { return m_dev.FilePath(name); }
    // A pseudo-terminal reached as `name` in the device folder; the pty's own node.
    QString Terminal(const QString& name) { return m_dev.AddTerminal(name).node; }
    // The device tree names the USB device above the tty `node` as `maker` `model`.
    void Describe(const QString& node, const char* maker, const char* model) {
        const QString name = QFileInfo(node).fileName();
        const QString usb = m_sys.filePath(QStringLiteral("devices/usb1/1-%1").arg(name));
        ASSERT_TRUE(QDir().mkpath(usb + QStringLiteral("/1-2:1.0/") + name));
        ASSERT_TRUE(QDir().mkpath(m_sys.filePath(QStringLiteral("class/tty/") + name)));
        ASSERT_TRUE(QFile::link(usb + QStringLiteral("/1-2:1.0/") + name,
                                m_sys.filePath(QStringLiteral("class/tty/%1/device").arg(name))));
        for (auto [file, text] : {std::pair{"manufacturer", maker}, std::pair{"product", model}}) {
            QFile attribute(usb + '/' + QLatin1String(file));
            ASSERT_TRUE(attribute.open(QIODevice::WriteOnly));
            attribute.write(text);
            attribute.write("\n");
        }
    }

    QTemporaryDir m_sys;
    CDeviceFolder m_dev{m_sys.path()};
};

QStringList Labels(const std::vector<PortChoice>& choices) {
    QStringList labels;
    for (const PortChoice& choice : choices)
        labels << choice.Label();
    return labels;
}
} // namespace

TEST_F(PortChoicesTest, AdaptersByStableNameWithMakerAndModelAndNothingUnusable) {
    const QString ftdi = Terminal(QStringLiteral("ttyUSB0"));
    Terminal(QStringLiteral("ttyUSB1"));
    Terminal(QStringLiteral("ttyACM3"));
    ASSERT_TRUE(QFile::link(Dev("ttyUSB0"), Dev("serial/by-id/usb-FTDI_FT232R_A1-if00-port0")));
    ASSERT_TRUE(QFile::link(Dev("ttyUSB1"), Dev("serial/by-id/usb-Acme_Cable_7-if00")));
    ASSERT_TRUE(QFile::link(Dev("gone"), Dev("serial/by-id/usb-Pulled_Out-if00")));
    QFile notANode(Dev("ttyUSB7"));
    ASSERT_TRUE(notANode.open(QIODevice::WriteOnly));
    notANode.close();
    Describe(ftdi, "FTDI", "FT232R USB UART");

    const auto choices = ListPortChoices();
    EXPECT_EQ(Labels(choices), QStringList({Dev("serial/by-id/usb-Acme_Cable_7-if00"),
                                            Dev("serial/by-id/usb-FTDI_FT232R_A1-if00-port0") +
                                                QStringLiteral(" (FTDI FT232R USB UART)"),
                                            Dev("ttyACM3")}))
        << "nodes a link reaches appear once, by the link; a plain file and a dangling link "
           "are no choice";
    ASSERT_EQ(choices.size(), 3u);
    EXPECT_EQ(choices[1].path, Dev("serial/by-id/usb-FTDI_FT232R_A1-if00-port0"))
        << "the path opened and remembered is the stable name, not the description";
    EXPECT_TRUE(choices[0].description.isEmpty());
}

TEST_F(PortChoicesTest, NoAdapterGivesAnEmptyList) {
    EXPECT_TRUE(ListPortChoices().empty());
    ASSERT_TRUE(QDir(m_dev.Path()).removeRecursively());
    EXPECT_TRUE(ListPortChoices().empty()) << "a device folder that is not there";
}
