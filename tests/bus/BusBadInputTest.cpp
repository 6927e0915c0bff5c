// What callers on the bus may send that the service must refuse: each refusal is a clear
// D-Bus error, nothing of it reaches the monitor, and the service answers on afterwards.
// Runs against `qelt32ctl serve`, whose monitor's request log is at hand.

#include "BusTools.h"
#include "CliRunner.h"
#include "RealDisplay.h"

#include "link/Monitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>

namespace {

const QString kInvalidArgs = "org.freedesktop.DBus.Error.InvalidArgs";
const QString kBigText(10 * 1024 * 1024, QChar('x'));

QDBusMessage Call(const QString& method, const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        "com.vorka.qelt32", "/com/vorka/qelt32/Monitor", "com.vorka.qelt32.Monitor", method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, 60000);
}

QVariant U16(int value) {
    return QVariant::fromValue(quint16(value));
}

} // namespace

TEST(BusBadInput, RefusedCallsGetClearErrorsAndSendNothing) {
    CCliRunner cli;
    auto serve = BusTools::StartServe(cli);
    ASSERT_TRUE(BusTools::WaitForService());
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(QProcess::execute("mkfifo", {fifo}), 0);
    const QString saved = dir.filePath("saved.qlt");
    ASSERT_EQ(Call("SaveFile", {saved}).type(), QDBusMessage::ReplyMessage);
    cli.Sim().ClearRequestLog();

    struct Refused {
        const char* what;
        QString method;
        QVariantList arguments;
        QString error; // empty: any error
    };
    const std::vector<Refused> refused = {
        {"unknown item", "SetItem", {"nosuchitem", U16(5)}, kInvalidArgs},
        {"unknown item read", "GetItem", {"brightness"}, kInvalidArgs},
        {"value above 65535 as a wider type", "SetItem", {"bright", 70000u}, {}},
        {"mode above its maximum", "SetItem", {"colormode", U16(9)}, kInvalidArgs},
        {"delta below everything", "AdjustItem", {"bright", INT_MIN}, kInvalidArgs},
        {"delta above everything", "AdjustItem", {"bright", INT_MAX}, kInvalidArgs},
        {"temperature below the scale", "SetColorTemperature", {3999u}, kInvalidArgs},
        {"temperature far above it", "SetColorTemperature", {UINT_MAX}, kInvalidArgs},
        {"empty command", "Command", {""}, kInvalidArgs},
        {"10 MB item name", "SetItem", {kBigText, U16(1)}, kInvalidArgs},
        {"10 MB name in a list", "GetItems", {QStringList{"bright", kBigText}}, kInvalidArgs},
        {"10 MB command", "Command", {kBigText}, kInvalidArgs},
        {"10 MB path", "LoadFile", {"/" + kBigText, QStringList{}}, {}},
        {"unknown group", "LoadFile", {saved, QStringList{"screen", "sound"}}, kInvalidArgs},
        {"relative path", "LoadFile", {"saved.qlt", QStringList{}}, kInvalidArgs},
        {"FIFO", "LoadFile", {fifo, QStringList{}}, {}},
        {"directory", "LoadFile", {dir.path(), QStringList{}}, {}},
        {"endless device", "LoadFile", {"/dev/zero", QStringList{}}, {}},
        {"missing file", "LoadFile", {dir.filePath("none.qlt"), QStringList{}}, {}},
        {"save to a relative path", "SaveFile", {"saved.qlt"}, kInvalidArgs},
        {"save into a missing folder", "SaveFile", {dir.filePath("no/such.qlt")}, {}},
        {"no arguments", "SetItem", {}, {}},
    };
    for (const Refused& call : refused) {
        const QDBusMessage reply = Call(call.method, call.arguments);
        EXPECT_EQ(reply.type(), QDBusMessage::ErrorMessage) << call.what;
        if (!call.error.isEmpty()) {
            EXPECT_EQ(reply.errorName(), call.error) << call.what;
        }
        EXPECT_FALSE(reply.errorMessage().isEmpty()) << call.what;
        // A caller's megabytes are not sent back.
        EXPECT_LT(reply.errorMessage().size(), 1000) << call.what;
    }

    // busctl's own parsing refuses what is no 16-bit number before anything is sent.
    for (const QString word : {"nan", "-1", "65536", "1e3", "0x"}) {
        const BusTools::Result busctl =
            BusTools::Busctl({"call", "com.vorka.qelt32", "/com/vorka/qelt32/Monitor",
                              "com.vorka.qelt32.Monitor", "SetItem", "sq", "bright", word});
        EXPECT_NE(busctl.status, 0) << word.toStdString();
        EXPECT_FALSE(busctl.err.isEmpty()) << word.toStdString();
    }
    EXPECT_TRUE(cli.Sim().RequestLog().empty()) << "a refused call reaches the monitor";
    EXPECT_EQ(Call("GetItem", {"bright"}).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(serve->state(), QProcess::Running);
    serve->terminate();
    EXPECT_TRUE(serve->waitForFinished(30000));
}

TEST(BusBadInput, ABurstAndACallerThatLeavesMidCallLeaveItAnswering) {
    CCliRunner cli(QStringLiteral("revC"), true); // paced: a change takes line time
    auto serve = BusTools::StartServe(cli);
    ASSERT_TRUE(BusTools::WaitForService());

    // 1,000 calls at once, reads and refused changes mixed: every one is answered.
    QDBusConnection bus = QDBusConnection::sessionBus();
    std::vector<QDBusPendingCall> burst;
    for (int i = 0; i < 1000; ++i) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            "com.vorka.qelt32", "/com/vorka/qelt32/Monitor", "com.vorka.qelt32.Monitor",
            i % 2 ? "GetItem" : "SetItem");
        if (i % 2)
            call << QString("bright");
        else
            call << QString("nosuchitem") << U16(1);
        burst.push_back(bus.asyncCall(call, 60000));
    }
    int answered = 0, refused = 0;
    for (QDBusPendingCall& call : burst) {
        call.waitForFinished();
        answered += !call.isError();
        refused += call.isError() && call.error().name() == kInvalidArgs;
    }
    EXPECT_EQ(answered, 500);
    EXPECT_EQ(refused, 500) << burst.front().error().name().toStdString();
    EXPECT_EQ(cli.SetValueFrames(), 0);

    // A caller gone while its change ramps on the line: the change ends, the reply is
    // dropped, and the next caller is served.
    const int before = cli.SetValueFrames();
    const int target = cli.Sim().Value(Items::HSize) > 127 ? 0 : 255;
    QProcess leaving;
    leaving.start("gdbus",
                  {"call", "--session", "--dest", "com.vorka.qelt32", "--object-path",
                   "/com/vorka/qelt32/Monitor", "--method", "com.vorka.qelt32.Monitor.SetItem",
                   "hsize", QString("uint16 %1").arg(target)});
    ASSERT_TRUE(CRealDisplay::WaitUntil([&] { return cli.SetValueFrames() > before; },
                                        std::chrono::seconds(30)));
    leaving.kill();
    leaving.waitForFinished();
    const BusTools::Result next = BusTools::Call("GetItem", {"hsize"});
    EXPECT_EQ(next.status, 0) << next.err.toStdString();
    EXPECT_EQ(next.out, QString("(uint16 %1, uint16 255, true)").arg(target));
    EXPECT_EQ(cli.Sim().Value(Items::HSize), target);
    EXPECT_EQ(BusTools::Call("SetItem", {"hsize", "uint16 100"}).out, "(uint16 100,)");
    EXPECT_EQ(serve->state(), QProcess::Running);
    serve->terminate();
    EXPECT_TRUE(serve->waitForFinished(30000));
}
