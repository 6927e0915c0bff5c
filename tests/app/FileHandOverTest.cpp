#include "BenchFixtures.h"

#include "app/FileHandOver.h"
#include "doc/Qelt32Doc.h"
#include "doc/ui/DocManager.h"
#include "platform/StringTable.h"

#include <QDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class FileHandOverTest : public ::testing::Test {
protected:
    void SetUp() override {
        bench.Plug(0, QStringLiteral("revC"));
        ASSERT_TRUE(bench.ConnectAndRead());
        frame = std::make_unique<CMainFrame>(bench.Monitor(), notice, QString());
        ASSERT_TRUE(frame->Create());
        frame->show();
    }

    // A file saved from this monitor, with brightness `bright` and the serial at offset 2
    // changed by `serialDelta`.
    QString SettingsFile(const QString& name, std::uint8_t bright, int serialDelta = 0) {
        CQelt32Doc doc(bench.Monitor());
        const QString path = dir.filePath(name);
        EXPECT_TRUE(doc.OnSaveDocument(path));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        bytes[2] = char(std::uint8_t(bytes[2]) + serialDelta);
        bytes[12] = char(bright);
        bytes[13] = 0;
        file.seek(0);
        file.write(bytes);
        return path;
    }

    // Waits long enough for the hand-over to have looked again.
    static void Retry() { QTest::qWait(CFileHandOver::kRetryMs * 2); }

    CTempProfile profile;
    CRecordingMessages messages;
    CSimBench bench;
    CAutoSizeNoticeRunner notice;
    std::unique_ptr<CMainFrame> frame;
    QTemporaryDir dir;
    CMainFrame* target = nullptr; // none until start-up has made it
    CFileHandOver handOver{[this] { return target; }};
};

TEST_F(FileHandOverTest, WaitsUntilTheFrameCanTakeTheFileThenOpensItAsADrop) {
    const QString path = SettingsFile(QStringLiteral("evening.qlt"), 77);
    const std::uint16_t before = bench.Sim(0).Value(0);
    ASSERT_NE(before, 77);

    handOver.Deliver(path);
    Retry();
    EXPECT_EQ(handOver.Pending(), 1);

    // A dialog of the program is open: the file waits for it.
    target = frame.get();
    QDialog dialog(frame.get());
    dialog.setModal(true);
    dialog.show();
    Retry();
    EXPECT_EQ(handOver.Pending(), 1);
    dialog.close();

    // The full-screen window hides the frame: the file waits for it too.
    frame->hide();
    Retry();
    EXPECT_EQ(handOver.Pending(), 1);
    EXPECT_EQ(bench.Sim(0).Value(0), before);

    // Back as a minimised window: it is restored and the file is opened.
    frame->showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return handOver.Pending() == 0; }, 20000));
    EXPECT_FALSE(frame->isMinimized());
    EXPECT_EQ(bench.Sim(0).Value(0), 77);
    EXPECT_EQ(frame->DocManager().Title(), QStringLiteral("evening.qlt"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FileHandOverTest, AFileOfAnotherMonitorGetsTheMessageADropGets) {
    target = frame.get();
    const std::uint16_t before = bench.Sim(0).Value(0);
    handOver.Deliver(SettingsFile(QStringLiteral("other.qlt"), 77, 1));
    handOver.Deliver(QString()); // only the window
    EXPECT_EQ(handOver.Pending(), 0);
    EXPECT_EQ(messages.shown, std::vector<int>{Str::WrongMonitor});
    EXPECT_EQ(bench.Sim(0).Value(0), before);
    EXPECT_EQ(frame->DocManager().Title(), QStringLiteral("Untitled"));
}

} // namespace
