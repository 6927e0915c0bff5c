// qelt32ctl serve: the monitor on the session bus without a window.

#include "BusTools.h"
#include "CliRunner.h"
#include "RealDisplay.h"

#include "link/Monitor.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <utility>

TEST(Serve, ServesTheMonitorFollowsItsFrontPanelAndQuitsWhenAsked) {
    CCliRunner cli;
    auto serve = BusTools::StartServe(cli);
    ASSERT_TRUE(BusTools::WaitForService());
    EXPECT_EQ(BusTools::Call("GetItem", {"hsize"}).out,
              QString("(uint16 %1, uint16 255, true)").arg(cli.Sim().Value(Items::HSize)));

    CBusWatch watch;
    ASSERT_TRUE(watch.Listening()) << watch.Lines().join('\n').toStdString();
    cli.Sim().PanelChange(Items::Bright, 33);
    EXPECT_TRUE(watch.WaitFor("ItemChanged ('bright', uint16 33, 'front-panel')"))
        << watch.Lines().join('\n').toStdString();
    cli.Sim().TimingChange(6400, 6000);
    EXPECT_TRUE(watch.WaitFor("TimingChanged (uint16 64, uint16 60)"));

    const BusTools::Result set = BusTools::Call("SetItem", {"hsize", "uint16 77"});
    EXPECT_EQ(set.out, "(uint16 77,)") << set.err.toStdString();
    EXPECT_EQ(cli.Sim().Value(Items::HSize), 77);
    EXPECT_TRUE(watch.WaitFor("ItemChanged ('hsize', uint16 77, 'client')"));
    EXPECT_EQ(BusTools::Call("Command", {"degauss"}).status, 0);
    EXPECT_TRUE(CRealDisplay::WaitUntil([&] { return cli.Sim().DegaussCount() == 1; }));

    ASSERT_EQ(BusTools::Call("Quit").status, 0);
    ASSERT_TRUE(serve->waitForFinished(30000));
    EXPECT_EQ(serve->exitCode(), 0);
    EXPECT_TRUE(BusTools::WaitForNoService());
}

TEST(Serve, ASecondServeNamesTheFirstAndStopsOnSigterm) {
    CCliRunner cli;
    auto serve = BusTools::StartServe(cli);
    ASSERT_TRUE(BusTools::WaitForService());
    // A second one on another monitor finds the name taken.
    CCliRunner other;
    const auto second = other.Run({"serve"});
    EXPECT_EQ(second.status, 1);
    EXPECT_TRUE(second.err.contains("com.vorka.qelt32 is held by another program"))
        << second.err.toStdString();
    serve->terminate();
    ASSERT_TRUE(serve->waitForFinished(30000));
    EXPECT_EQ(serve->exitCode(), 0);
}

TEST(Serve, Qelt32ctlBesideItGoesThroughTheBusWithTheSameOutput) {
    CCliRunner cli;
    const auto alone = cli.Run({"get", "bright", "hsize"});
    ASSERT_EQ(alone.status, 0) << alone.err.toStdString();
    const auto aloneTemperature = cli.Run({"colortemp"});
    auto serve = BusTools::StartServe(cli);
    ASSERT_TRUE(BusTools::WaitForService());
    cli.Sim().ClearRequestLog();
    const auto get = cli.Run({"--trace", "get", "bright", "hsize"});
    EXPECT_EQ(get.status, 0) << get.err.toStdString();
    EXPECT_EQ(get.out, alone.out);
    EXPECT_TRUE(get.err.contains("goes through the session bus")) << get.err.toStdString();
    EXPECT_TRUE(cli.Sim().RequestLog().empty()) << "read from the holder's copy";

    const auto set = cli.Run({"set", "hsize", "101"});
    EXPECT_EQ(set.status, 0) << set.err.toStdString();
    EXPECT_EQ(set.OutLines(), QStringList{"hsize 101"});
    EXPECT_EQ(cli.Sim().Value(Items::HSize), 101);
    // The colour temperature is worked out by the holder, from the tables it read.
    EXPECT_EQ(cli.Run({"colortemp"}).out, aloneTemperature.out);
    const auto temperature = cli.Run({"colortemp", "7500K"});
    EXPECT_EQ(temperature.status, 0) << temperature.err.toStdString();
    EXPECT_EQ(cli.Run({"colortemp"}).OutLines(), QStringList{"7500K step 35"});
    serve->terminate();
    ASSERT_TRUE(serve->waitForFinished(30000));
    EXPECT_EQ(cli.Run({"colortemp"}).OutLines(), QStringList{"7500K step 35"}) << "alone again";
}

TEST(Serve, WatchBesideItPrintsEveryAnnouncedChangeAndEndsWithTheHolder) {
    CCliRunner cli;
    auto serve = BusTools::StartServe(cli);
    ASSERT_TRUE(BusTools::WaitForService());
    const qint64 servePid = serve->processId();
    auto watch = cli.Start({"watch"});
    CLineReader reader(*watch);
    ASSERT_TRUE(
        reader.WaitErr("watching the monitor on " + cli.Server().Path(), std::chrono::seconds(30)))
        << reader.ErrLines().join('\n').toStdString();
    auto printed = [&](const QString& line) {
        return reader.WaitOut([&](const QString& out) { return out == line; },
                              std::chrono::seconds(30));
    };
    cli.Sim().PanelChange(Items::Contrast, 44);
    EXPECT_TRUE(printed("contrast 44")) << reader.OutLines().join('\n').toStdString();
    cli.Sim().TimingChange(6400, 6000);
    EXPECT_TRUE(printed("timing 64 kHz 60 Hz")) << reader.OutLines().join('\n').toStdString();
    // Another caller's change prints too: nothing but the holder reaches the monitor.
    ASSERT_EQ(cli.Run({"set", "vpos", "90"}).status, 0);
    EXPECT_TRUE(printed("vpos 90")) << reader.OutLines().join('\n').toStdString();

    ASSERT_EQ(BusTools::Call("Quit").status, 0);
    ASSERT_TRUE(watch->waitForFinished(30000));
    EXPECT_EQ(watch->exitCode(), 1);
    reader.Collect();
    // The holder lets the monitor go before its name.
    EXPECT_TRUE(reader.ErrLines().join('\n').contains(
        QString("lost the monitor: qelt32ctl (pid %1)").arg(servePid)))
        << reader.ErrLines().join('\n').toStdString();
    ASSERT_TRUE(serve->waitForFinished(30000));
}

TEST(Serve, CommandsBesideItPrintAndEndAsWithoutIt) {
    CCliRunner cli;
    QTemporaryDir dir;
    const QString file = dir.filePath("saved.qlt");
    ASSERT_EQ(cli.Run({"save", file}).status, 0);
    // Each pair runs on the monitor as the one before left it; changes are undone after.
    const std::vector<QStringList> commands = {
        {"info"},
        {"dump"},
        {"get", "hsize", "pintop"},
        {"power-save"},
        {"colormode"},
        {"input"},
        {"detection"},
        {"beep"},
        {"moire"},
        {"diff", file},
        {"adjust", "hpos", "+3"},
        {"set", "colormode", "9"},
        {"set", "pintop", "1"},
        {"load", file},
        {"--json", "get", "bright"},
        {"degauss"},
        {"--json", "colortemp", "6500K"},
    };
    std::vector<CCliRunner::Result> alone;
    for (const QStringList& command : commands) {
        alone.push_back(cli.Run(command));
        ASSERT_EQ(cli.Run({"load", file}).status, 0);
    }
    auto serve = BusTools::StartServe(cli);
    ASSERT_TRUE(BusTools::WaitForService());
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const auto beside = cli.Run(commands[i]);
        const std::string what = commands[i].join(' ').toStdString();
        EXPECT_EQ(beside.status, alone[i].status) << what << "\n" << beside.err.toStdString();
        EXPECT_EQ(beside.out, alone[i].out) << what;
        ASSERT_EQ(cli.Run({"load", file}).status, 0);
    }
    serve->terminate();
    ASSERT_TRUE(serve->waitForFinished(30000));
}

TEST(Serve, WatchFollowBesideItWaitsForTheNextHolderOfTheSameMonitor) {
    CCliRunner cli;
    auto serve = BusTools::StartServe(cli);
    ASSERT_TRUE(BusTools::WaitForService());
    auto watch = cli.Start({"watch", "--follow"});
    CLineReader reader(*watch);
    ASSERT_TRUE(reader.WaitErr("watching the monitor on", std::chrono::seconds(30)));
    auto printed = [&](const QString& start) {
        return reader.WaitOut([&](const QString& out) { return out.startsWith(start); },
                              std::chrono::seconds(30));
    };
    ASSERT_EQ(BusTools::Call("Quit").status, 0);
    ASSERT_TRUE(serve->waitForFinished(30000));
    EXPECT_TRUE(printed("disconnected qelt32ctl (pid"))
        << reader.OutLines().join('\n').toStdString();
    EXPECT_EQ(watch->state(), QProcess::Running);

    auto next = BusTools::StartServe(cli);
    ASSERT_TRUE(BusTools::WaitForService());
    EXPECT_TRUE(printed("connected " + cli.Server().Path()))
        << reader.OutLines().join('\n').toStdString();
    cli.Sim().PanelChange(Items::Bright, 57);
    EXPECT_TRUE(printed("bright 57")) << reader.OutLines().join('\n').toStdString();
    watch->terminate();
    ASSERT_TRUE(watch->waitForFinished(30000));
    EXPECT_EQ(watch->exitCode(), 0);
    next->terminate();
    ASSERT_TRUE(next->waitForFinished(30000));
}

TEST(Serve, Qelt32ctlFindsAHolderOnAnAdapterOutsideTheSlots) {
    CCliRunner cli;
    QTemporaryDir devices, config;
    ASSERT_TRUE(QDir(devices.path()).mkpath("serial/by-id"));
    const QString adapter = devices.filePath("serial/by-id/usb-Test_Serial_Adapter-if00-port0");
    ASSERT_TRUE(QFile::link(cli.Server().Path(), adapter));
    // Both find the monitor by discovery: the only slot holds nothing.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QELT32_DEV_DIR", devices.path());
    env.insert("XDG_CONFIG_HOME", config.path());
    const QStringList noSlot = {"--ports", devices.filePath("ttyS9")};
    QProcess serve;
    serve.setProcessEnvironment(env);
    serve.start(CCliRunner::Program(), noSlot + QStringList{"serve"});
    ASSERT_TRUE(BusTools::WaitForService()) << serve.readAllStandardError().toStdString();
    cli.Sim().ClearRequestLog();
    QProcess info;
    info.setProcessEnvironment(env);
    info.start(CCliRunner::Program(), noSlot + QStringList{"--trace", "info"});
    ASSERT_TRUE(info.waitForFinished(30000));
    const QString err = QString::fromLocal8Bit(info.readAllStandardError());
    EXPECT_EQ(info.exitCode(), 0) << err.toStdString();
    EXPECT_TRUE(err.contains("goes through the session bus")) << err.toStdString();
    const QString out = QString::fromLocal8Bit(info.readAllStandardOutput());
    EXPECT_TRUE(out.contains(adapter)) << out.toStdString() << adapter.toStdString();
    EXPECT_TRUE(cli.Sim().RequestLog().empty());
    serve.terminate();
    ASSERT_TRUE(serve.waitForFinished(30000));
}

namespace {

// The members of com.vorka.qelt32.Monitor in introspection data, one line each:
// "method GetItem in:s out:qqb", "property Port s", "signal ItemChanged sqs". A method's
// inputs and outputs are signatures of their own: how the two interleave means nothing.
QString InterfaceMembers(const QString& xml) {
    QStringList members;
    QXmlStreamReader reader(xml);
    bool inside = false;
    QString member, in, out;
    while (!reader.atEnd()) {
        reader.readNext();
        const QString tag = reader.name().toString();
        const QXmlStreamAttributes attributes = reader.attributes();
        auto at = [&](const char* name) { return attributes.value(name).toString(); };
        if (tag == "interface")
            inside = reader.isStartElement() && at("name") == "com.vorka.qelt32.Monitor";
        else if (!inside)
            continue;
        else if (reader.isStartElement() && tag == "property")
            members << "property " + at("name") + ' ' + at("type");
        else if (reader.isStartElement() && (tag == "method" || tag == "signal"))
            member = tag + ' ' + at("name");
        else if (reader.isStartElement() && tag == "arg")
            (member.startsWith("method") && at("direction") == "out" ? out : in) += at("type");
        else if (reader.isEndElement() && tag == "method")
            members << QString("%1 in:%2 out:%3")
                           .arg(member, std::exchange(in, {}), std::exchange(out, {}));
        else if (reader.isEndElement() && tag == "signal")
            members << member + ' ' + std::exchange(in, {});
    }
    members.sort();
    return members.join('\n');
}

} // namespace

TEST(Serve, TheInstalledInterfaceDescriptionIsWhatItServes) {
    CCliRunner cli;
    auto serve = BusTools::StartServe(cli);
    ASSERT_TRUE(BusTools::WaitForService());
    const BusTools::Result live = BusTools::Busctl(
        {"introspect", "--xml-interface", "com.vorka.qelt32", "/com/vorka/qelt32/Monitor"});
    ASSERT_EQ(live.status, 0) << live.err.toStdString();
    QFile installed(QELT32_BUS_INTERFACE_XML);
    ASSERT_TRUE(installed.open(QIODevice::ReadOnly));
    const QString described = InterfaceMembers(QString::fromUtf8(installed.readAll()));
    EXPECT_EQ(described.count('\n'), 20) << described.toStdString();
    EXPECT_EQ(InterfaceMembers(live.out).toStdString(), described.toStdString());
    serve->terminate();
    ASSERT_TRUE(serve->waitForFinished(30000));
}
