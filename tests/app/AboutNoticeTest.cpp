#include "BenchFixtures.h"

#include "app/CommandIds.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/AutoSizeNoticeDlg.h"
#include "platform/Version.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

TEST(AboutTest, ProtocolLineNamesRevisionBOrElseC) {
    EXPECT_EQ(CAboutDlg::ProtocolLine(0),
              QStringLiteral("Monitor Communication Protocol Revision B"));
    EXPECT_EQ(CAboutDlg::ProtocolLine(1),
              QStringLiteral("Monitor Communication Protocol Revision C"));
    EXPECT_EQ(CAboutDlg::ProtocolLine(0xFF),
              QStringLiteral("Monitor Communication Protocol Revision C"));
}

TEST(AboutTest, BoxShowsTheConnectedMonitorsRevision) {
    CTempProfile profile;
    CRecordingMessages messages;
    CSimBench bench;
    bench.Plug(0, QStringLiteral("revB"));
    ASSERT_TRUE(bench.ConnectAndRead());
    CAboutDlg about(bench.Monitor());
    auto* line = about.findChild<QLabel*>(QStringLiteral("1003"));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), QStringLiteral("Monitor Communication Protocol Revision B"));
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Vistrel Pro"));
    // The project's version, as qelt32 --version and the package say it.
    QStringList texts;
    for (const QLabel* label : about.findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Vistrel Pro Version %1").arg(kQelt32Version)))
        << texts.join(" | ").toStdString();
}

TEST(NoticePaintTest, BlueTextBeginsAtMidHeight) {
    QImage screen(400, 300, QImage::Format_RGB32);
    screen.fill(Qt::white);
    QPainter painter(&screen);
    CAutoSizeNoticeDlg::PaintNotice(
        painter, screen.size(), QStringLiteral("Running Auto-Sizing now.\nPlease wait a moment."));
    painter.end();
    int firstBlueRow = -1;
    bool otherColour = false;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) {
            const QColor c = screen.pixelColor(x, y);
            if (c == Qt::white)
                continue;
            otherColour |= c.red() != c.green() || c.blue() < c.red();
            if (firstBlueRow < 0)
                firstBlueRow = y;
        }
    EXPECT_GE(firstBlueRow, 150);
    EXPECT_LT(firstBlueRow, 170);
    EXPECT_FALSE(otherColour);
}

class NoticeTest : public SimBenchFixture {
protected:
    void SetUp() override { Connect(QStringLiteral("revC"), true); }
};

TEST_F(NoticeTest, CoversTheScreenHidesTheCursorSizesAndEndsByItself) {
    CAutoSizeNoticeDlg notice(bench.Monitor());
    bool cursorHidden = false;
    QRect shownAt;
    bool onTop = false;
    QObject::connect(&notice, &CAutoSizeNoticeDlg::autoSizeRunning, &notice, [&] {
        cursorHidden = QApplication::overrideCursor() &&
                       QApplication::overrideCursor()->shape() == Qt::BlankCursor;
        shownAt = notice.geometry();
        onTop = notice.windowFlags() & Qt::WindowStaysOnTopHint;
    });
    EXPECT_EQ(notice.exec(), QDialog::Accepted);
    EXPECT_TRUE(cursorHidden);
    EXPECT_TRUE(onTop);
    EXPECT_EQ(shownAt, QGuiApplication::primaryScreen()->geometry());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(sim->AutoSizeCount(), 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(NoticeTest, FailingSizingStillEndsTheNotice) {
    sim->PullCable();
    CAutoSizeNoticeDlg notice(bench.Monitor());
    EXPECT_EQ(notice.exec(), QDialog::Accepted);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(NoticeTest, AutoSizingCommandsOfTheFrameRunTheNotice) {
    CAutoSizeNoticeRunner runner;
    CMainFrame frame(bench.Monitor(), runner, QString());
    ASSERT_TRUE(frame.Create());
    frame.Action(Cmd::AutoSizing)->trigger();
    EXPECT_EQ(sim->AutoSizeCount(), 1);
    frame.OnSysCommand(Cmd::SysAutoSizing);
    EXPECT_EQ(sim->AutoSizeCount(), 2);
}

} // namespace
