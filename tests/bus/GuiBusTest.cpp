// The desktop program serving its monitor on the session bus, used by gdbus and busctl:
// reads from the cache, changes that reach the monitor and the windows, the errors, and the
// signals of front-panel changes.

#include "BusTools.h"
#include "CliRunner.h"
#include "RealDisplay.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The program on a real display with its monitor served on this process's private bus.
class GuiBus : public ::testing::Test {
protected:
    void SetUp() override {
        QELT32_SKIP_WITHOUT_REAL_DISPLAY(false);
        ASSERT_TRUE(m_display.Start()) << m_display.Error().toStdString();
    }
    // Starts the program, answers the notice a build tree without Display1.ini brings, and
    // waits until the monitor is served.
    bool StartProgram() {
        if (!m_display.StartProgram())
            return false;
        return CRealDisplay::WaitUntil(
            [&] {
                const QStringList notice = m_display.VisibleWindows("^Vistrel Pro$");
                if (!notice.isEmpty() && m_display.Focus(notice.first()))
                    m_display.Key("Return");
                return BusTools::Call("GetItem", {"bright"}).status == 0;
            },
            std::chrono::seconds(30));
    }

    CRealDisplay m_display;
};

QString Text(const BusTools::Result& result) {
    return result.out + result.err;
}

} // namespace

TEST_F(GuiBus, ReadsComeFromTheCacheAndChangesReachTheMonitorAndThePanel) {
    ASSERT_TRUE(StartProgram()) << m_display.Error().toStdString();
    const int bright = m_display.SimValue("bright");
    const BusTools::Result get = BusTools::Call("GetItem", {"bright"});
    ASSERT_EQ(get.status, 0) << get.err.toStdString();
    EXPECT_EQ(get.out, QString("(uint16 %1, uint16 255, true)").arg(bright));

    // busctl reads the properties and a whole list at once.
    const BusTools::Result model = BusTools::Busctl(
        {"get-property", "com.vorka.qelt32", "/com/vorka/qelt32/Monitor",
         "com.vorka.qelt32.Monitor", "Model", "HorizontalKHz", "Connected", "Port"});
    ASSERT_EQ(model.status, 0) << model.err.toStdString();
    EXPECT_EQ(model.out, QString("s \"VR-21C\"\nq 68\nb true\ns \"%1\"").arg(m_display.LinkPath()));
    const BusTools::Result items =
        BusTools::Busctl({"call", "com.vorka.qelt32", "/com/vorka/qelt32/Monitor",
                          "com.vorka.qelt32.Monitor", "GetItems", "as", "2", "hsize", "pintop"});
    ASSERT_EQ(items.status, 0) << items.err.toStdString();
    EXPECT_EQ(items.out, QString("a(sqqb) 2 \"hsize\" %1 255 true \"pintop\" 0 0 false")
                             .arg(m_display.SimValue("hsize")));

    CBusWatch watch;
    ASSERT_TRUE(watch.Listening()) << watch.Lines().join('\n').toStdString();
    const int target = bright == 100 ? 120 : 100;
    const BusTools::Result set =
        BusTools::Call("SetItem", {"bright", QString("uint16 %1").arg(target)});
    ASSERT_EQ(set.status, 0) << set.err.toStdString();
    EXPECT_EQ(set.out, QString("(uint16 %1,)").arg(target));
    EXPECT_EQ(m_display.SimValue("bright"), target);
    EXPECT_TRUE(watch.WaitFor(QString("ItemChanged ('bright', uint16 %1, 'client')").arg(target)));
    // The panel follows: its slider's handle is where the new value puts it (a click beside
    // it would page the value by 20), and a key steps from there.
    ASSERT_TRUE(m_display.Click(45 + 169 * target / 255, 286));
    ASSERT_TRUE(m_display.Key("Right"));
    EXPECT_TRUE(m_display.WaitForSimValue("bright", target + 1, std::chrono::seconds(20)))
        << m_display.SimValue("bright");
    EXPECT_TRUE(
        watch.WaitFor(QString("ItemChanged ('bright', uint16 %1, 'program')").arg(target + 1)));

    const BusTools::Result adjust = BusTools::Call("AdjustItem", {"hsize", "--", "-3"});
    ASSERT_EQ(adjust.status, 0) << adjust.err.toStdString();
    EXPECT_EQ(m_display.SimValue("hsize"), adjust.out.mid(8).section(',', 0, 0).toInt());
}

TEST_F(GuiBus, FrontPanelKeysAreSignalledAndRefusedCallsSendNothing) {
    ASSERT_TRUE(StartProgram()) << m_display.Error().toStdString();
    CBusWatch watch;
    ASSERT_TRUE(watch.Listening()) << watch.Lines().join('\n').toStdString();
    m_display.SimCommand("key contrast 80");
    EXPECT_TRUE(watch.WaitFor("ItemChanged ('contrast', uint16 80, 'front-panel')"));
    EXPECT_EQ(BusTools::Call("GetItem", {"contrast"}).out, "(uint16 80, uint16 255, true)");

    // A value the monitor keeps refusing.
    m_display.SimCommand("stick hsize off");
    const int hsize = m_display.SimValue("hsize");
    const BusTools::Result stuck =
        BusTools::Call("SetItem", {"hsize", QString("uint16 %1").arg(hsize > 100 ? 90 : 150)});
    EXPECT_NE(stuck.status, 0);
    EXPECT_TRUE(stuck.err.contains("com.vorka.qelt32.Error.NotTaken")) << Text(stuck).toStdString();
    EXPECT_TRUE(stuck.err.contains("Communication failure")) << Text(stuck).toStdString();
    EXPECT_EQ(m_display.SimValue("hsize"), hsize);

    // Bad input: clear errors, and the program answers on.
    const QStringList invalid = {
        Text(BusTools::Call("GetItem", {"nosuchitem"})),
        Text(BusTools::Call("SetItem", {"hsize", "uint16 70000"})),
        Text(BusTools::Busctl({"call", "com.vorka.qelt32", "/com/vorka/qelt32/Monitor",
                               "com.vorka.qelt32.Monitor", "SetItem", "sq", "bright", "nan"})),
        Text(BusTools::Call("SetItem", {"colormode", "uint16 9"})),
        Text(BusTools::Call("AdjustItem", {"bright", "--", "-100000"})),
        Text(BusTools::Call("Command", {"selfdestruct"})),
        Text(BusTools::Call("SetColorTemperature", {"uint32 3999"})),
    };
    for (const QString& text : invalid)
        EXPECT_TRUE(text.contains("InvalidArgs") || text.contains("Failed to parse") ||
                    text.contains("out of range") || text.contains("Invalid"))
            << text.toStdString();
    // What a command line cannot carry: a 10 MB name, and 1,000 calls in a burst.
    QDBusConnection bus = QDBusConnection::sessionBus();
    auto getItem = [](const QString& name) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            "com.vorka.qelt32", "/com/vorka/qelt32/Monitor", "com.vorka.qelt32.Monitor", "GetItem");
        call << name;
        return call;
    };
    const QDBusMessage huge =
        bus.call(getItem(QString(10 * 1024 * 1024, QChar('x'))), QDBus::Block, 60000);
    EXPECT_EQ(huge.errorName(), "org.freedesktop.DBus.Error.InvalidArgs");
    EXPECT_LT(huge.errorMessage().size(), 200);
    std::vector<QDBusPendingCall> burst;
    for (int i = 0; i < 1000; ++i)
        burst.push_back(bus.asyncCall(getItem(i % 2 ? "bright" : "nosuchitem")));
    int answered = 0;
    for (QDBusPendingCall& call : burst) {
        call.waitForFinished();
        answered +=
            call.isFinished() && (call.isError() == (call.error().type() != QDBusError::NoError));
    }
    EXPECT_EQ(answered, 1000);
    QTemporaryDir dir;
    for (const QString& path :
         {QStringLiteral("/dev/zero"), dir.path(), QStringLiteral("relative.qlt")}) {
        const BusTools::Result load = BusTools::Call("LoadFile", {path, "@as []"});
        EXPECT_NE(load.status, 0) << path.toStdString();
        EXPECT_FALSE(load.err.isEmpty());
    }
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(QProcess::execute("mkfifo", {fifo}), 0);
    EXPECT_NE(BusTools::Call("LoadFile", {fifo, "@as []"}).status, 0);
    m_display.SimCommand("stick hsize on");
    EXPECT_EQ(BusTools::Call("GetItem", {"bright"}).status, 0);

    // Saving and loading follow the program's own rules.
    const QString file = dir.filePath("saved.qlt");
    ASSERT_EQ(BusTools::Call("SaveFile", {file}).status, 0);
    EXPECT_TRUE(QFile::exists(file));
    const BusTools::Result load = BusTools::Call("LoadFile", {file, "@as ['screen']"});
    EXPECT_EQ(load.status, 0) << load.err.toStdString();
}

TEST_F(GuiBus, WritesWaitWhileTheColorSettingDialogHasTheMonitor) {
    ASSERT_TRUE(StartProgram()) << m_display.Error().toStdString();
    // Custom colour, then its Detail Setting button.
    ASSERT_TRUE(m_display.Click(306, 113));
    ASSERT_TRUE(CRealDisplay::WaitUntil([&] {
        return BusTools::Call("GetItem", {"modeword"})
                   .out.startsWith(QString("(uint16 %1,").arg(m_display.SimValue("modeword"))) &&
               (m_display.SimValue("modeword") & 0x2000);
    }));
    ASSERT_TRUE(m_display.Click(484, 108));
    ASSERT_TRUE(CRealDisplay::WaitUntil(
        [&] { return !m_display.VisibleWindows("Color Setting").isEmpty(); },
        std::chrono::seconds(20)));
    const int bright = m_display.SimValue("bright");
    const BusTools::Result busy = BusTools::Call("SetItem", {"bright", "uint16 10"});
    EXPECT_NE(busy.status, 0);
    EXPECT_TRUE(busy.err.contains("com.vorka.qelt32.Error.Busy")) << busy.err.toStdString();
    EXPECT_EQ(m_display.SimValue("bright"), bright);
    EXPECT_EQ(BusTools::Call("GetItem", {"bright"}).status, 0) << "reads still answer";
    ASSERT_TRUE(m_display.Key("Escape"));
    ASSERT_TRUE(
        CRealDisplay::WaitUntil([&] { return m_display.VisibleWindows("Color Setting").isEmpty(); },
                                std::chrono::seconds(20)));
    EXPECT_EQ(BusTools::Call("SetItem", {"bright", "uint16 10"}).status, 0);
    EXPECT_EQ(m_display.SimValue("bright"), 10);
}

TEST_F(GuiBus, AStartingProgramTakesTheMonitorOverFromServe) {
    QProcess serve;
    serve.start(CCliRunner::Program(), {"--port", m_display.LinkPath(), "serve"});
    ASSERT_TRUE(BusTools::WaitForService()) << serve.readAllStandardError().toStdString();
    ASSERT_TRUE(StartProgram()) << m_display.Error().toStdString();
    // serve let go when asked, and the program holds the port and the name now.
    ASSERT_TRUE(serve.waitForFinished(30000));
    EXPECT_EQ(serve.exitCode(), 0) << serve.readAllStandardError().toStdString();
    const BusTools::Result owner = BusTools::Busctl({"status", "com.vorka.qelt32"});
    EXPECT_TRUE(owner.out.contains(QString("PID=%1").arg(m_display.Program().processId())))
        << owner.out.toStdString();
    EXPECT_EQ(BusTools::Call("SetItem", {"hsize", "uint16 99"}).out, "(uint16 99,)");
    EXPECT_EQ(m_display.SimValue("hsize"), 99);
}

TEST_F(GuiBus, Qelt32ctlBesideTheProgramGetsSetsAndWatchesThroughIt) {
    ASSERT_TRUE(StartProgram()) << m_display.Error().toStdString();
    QString out;
    ASSERT_TRUE(m_display.RunCtl({"get", "bright", "contrast"}, &out))
        << m_display.Error().toStdString();
    EXPECT_EQ(out, QString("bright %1\ncontrast %2\n")
                       .arg(m_display.SimValue("bright"))
                       .arg(m_display.SimValue("contrast")));
    ASSERT_TRUE(m_display.RunCtl({"set", "vsize", "123"}, &out)) << m_display.Error().toStdString();
    EXPECT_EQ(out, "vsize 123\n");
    EXPECT_EQ(m_display.SimValue("vsize"), 123);

    QTemporaryDir config;
    QProcess watch;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", config.path());
    watch.setProcessEnvironment(env);
    watch.start(CCliRunner::Program(), {"--port", m_display.LinkPath(), "watch"});
    CLineReader reader(watch);
    ASSERT_TRUE(reader.WaitErr("watching the monitor on", std::chrono::seconds(30)))
        << reader.ErrLines().join('\n').toStdString();
    auto printed = [&](const QString& line) {
        return reader.WaitOut([&](const QString& out) { return out == line; },
                              std::chrono::seconds(30));
    };
    m_display.SimCommand("key contrast 81");
    EXPECT_TRUE(printed("contrast 81")) << reader.OutLines().join('\n').toStdString();
    // The user's own change in the window prints as well.
    const int bright = m_display.SimValue("bright");
    ASSERT_TRUE(m_display.Click(45 + 169 * bright / 255, 286));
    ASSERT_TRUE(m_display.Key("Right"));
    EXPECT_TRUE(printed(QString("bright %1").arg(bright + 1)))
        << reader.OutLines().join('\n').toStdString();
    watch.terminate();
    ASSERT_TRUE(watch.waitForFinished(30000));
    EXPECT_EQ(watch.exitCode(), 0);
}
