#include "SimBench.h"

#include "RecordingMessages.h"
#include "TempProfile.h"
#include "app/CommandLine.h"
#include "app/MainFrame.h"
#include "app/Qelt32App.h"
#include "doc/Qelt32Doc.h"
#include "fullscreen/AdjustWnd.h"
#include "platform/Profile.h"
#include "platform/StringTable.h"
#include "tests/link/EventLoop.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QScreen>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

bool AnyWindowVisible() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            return true;
    return false;
}

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseBuildProgramFolder();
        options.splash = false;
    }

    CTempProfile profile;
    CRecordingMessages messages;
    CSimBench bench;
    StartupOptions options;
};

TEST_F(StartupTest, StartsWithTheMonitorReadCommittedAndWatched) {
    CSimMonitor& sim = bench.Plug(0, "revC");
    CQelt32App app(bench.Monitor());
    ASSERT_TRUE(app.InitInstance(options));

    EXPECT_TRUE(messages.shown.empty());
    ASSERT_NE(app.MainFrame(), nullptr);
    EXPECT_TRUE(app.MainFrame()->isVisible());
    EXPECT_EQ(app.MainFrame()->windowTitle(), QStringLiteral("Vistrel Pro - Untitled"));
    for (int item : {0, 2, 16, 23, 31})
        EXPECT_EQ(bench.Monitor().Item(item).current, sim.Value(item)) << item;
    EXPECT_FALSE(bench.Monitor().IsModified());
    EXPECT_TRUE(bench.Monitor().WindowExists());
    ASSERT_NE(app.AdjustWnd(), nullptr);
    EXPECT_FALSE(app.AdjustWnd()->isVisible());
    EXPECT_TRUE(app.HelpPath().endsWith(QStringLiteral(".hlp")));
    EXPECT_TRUE(app.HelpPath().startsWith(app.ProgramFolder()));

    app.ExitInstance();
    EXPECT_EQ(app.MainFrame(), nullptr);
    EXPECT_EQ(app.AdjustWnd(), nullptr);
    EXPECT_FALSE(AnyWindowVisible());
}

TEST_F(StartupTest, NoMonitorOnAnyPortEndsAfterOneMessage) {
    CQelt32App app(bench.Monitor());
    EXPECT_FALSE(app.InitInstance(options));
    EXPECT_EQ(messages.shown, std::vector<int>{Str::NoMonitor});
    EXPECT_EQ(app.MainFrame(), nullptr);
    EXPECT_FALSE(AnyWindowVisible());
}

// Answers the no-monitor box with Retry, having plugged a monitor in while it was up.
class CRetryingMessages : public CRecordingMessages {
public:
    explicit CRetryingMessages(CSimBench& bench) : m_bench(bench) {}
    NoMonitorChoice AskNoMonitor(const QString& reasonsShown) override {
        reasons.push_back(reasonsShown);
        if (reasons.size() == 1)
            return NoMonitorChoice::Retry; // nothing plugged yet: the box comes again
        m_bench.Plug(1, "revC");
        return NoMonitorChoice::Retry;
    }
    std::vector<QString> reasons;

private:
    CSimBench& m_bench;
};

TEST_F(StartupTest, RetryFromTheNoMonitorBoxStartsOnceAMonitorAnswers) {
    CRetryingMessages retrying(bench);
    CQelt32App app(bench.Monitor());
    ASSERT_TRUE(app.InitInstance(options));
    ASSERT_EQ(retrying.reasons.size(), 2u) << "a retry that finds nothing asks again";
    EXPECT_FALSE(retrying.reasons[0].isEmpty()) << "the box says why each device gave nothing";
    EXPECT_EQ(retrying.reasons[0], retrying.reasons[1]);
    EXPECT_TRUE(retrying.shown.empty()) << "the box replaces the plain message";
    ASSERT_NE(app.MainFrame(), nullptr);
    EXPECT_TRUE(app.MainFrame()->isVisible());
    app.ExitInstance();
}

TEST_F(StartupTest, FlatPanelOnTheStoredPortIsRefusedThenTheSearchEnds) {
    Profile::WriteInt("Settings", "com", 2);
    bench.Plug(2, "lcd");
    CQelt32App app(bench.Monitor());
    EXPECT_FALSE(app.InitInstance(options));
    EXPECT_EQ(messages.shown, (std::vector<int>{Str::FlatPanel, Str::NoMonitor}));
    EXPECT_FALSE(AnyWindowVisible());
}

TEST_F(StartupTest, AnotherMakersMonitorIsNotTakenForOurs) {
    CSimMonitor& foreign = bench.Plug(0, "foreign");
    CQelt32App app(bench.Monitor());
    EXPECT_FALSE(app.InitInstance(options));
    EXPECT_EQ(messages.shown, std::vector<int>{Str::NoMonitor});
    EXPECT_FALSE(foreign.RequestLog().empty());
    EXPECT_EQ(app.MainFrame(), nullptr);
    EXPECT_FALSE(AnyWindowVisible());
}

TEST_F(StartupTest, StoredPortIsTriedFirstAndSavedAgainAtTheEnd) {
    Profile::WriteInt("Settings", "com", 2);
    CSimMonitor& first = bench.Plug(1, "revC");
    CSimMonitor& stored = bench.Plug(2, "revC");
    {
        CQelt32App app(bench.Monitor());
        ASSERT_TRUE(app.InitInstance(options));
        EXPECT_TRUE(first.RequestLog().empty());
        EXPECT_FALSE(stored.RequestLog().empty());
        Profile::WriteInt("Settings", "com", 0);
        app.ExitInstance();
    }
    bench.DestroyMonitor();
    EXPECT_EQ(Profile::GetInt("Settings", "com", -1), 2);
}

TEST_F(StartupTest, FailingModesReadEndsAfterExactlyOneCommunicationMessage) {
    CSimMonitor& sim = bench.Plug(1, "revC");
    // The cable comes out as the first item is asked for, right after the connection.
    bool pulled = false;
    bench.Monitor().SetTraceSink([&](bool sent, const std::uint8_t* bytes, std::size_t n) {
        if (sent && !pulled && n > 6 && bytes[5] == 0x01) {
            pulled = true;
            sim.PullCable();
        }
    });
    {
        CQelt32App app(bench.Monitor());
        EXPECT_FALSE(app.InitInstance(options));
        EXPECT_EQ(messages.shown, std::vector<int>{Str::CommFailure});
        EXPECT_EQ(app.MainFrame(), nullptr);
        EXPECT_FALSE(AnyWindowVisible());
    }
    // The port the monitor was found on is remembered even so.
    bench.DestroyMonitor();
    EXPECT_EQ(Profile::GetInt("Settings", "com", -1), 1);
}

TEST_F(StartupTest, MissingCursorFilesEndBeforeTheMonitorIsSought) {
    QTemporaryDir emptyFolder;
    qputenv("QELT32_DATA_DIR", emptyFolder.path().toUtf8());
    CSimMonitor& sim = bench.Plug(0, "revC");
    CQelt32App app(bench.Monitor());
    EXPECT_FALSE(app.InitInstance(options));
    EXPECT_EQ(messages.shown, std::vector<int>{Str::CursorFileMissing});
    EXPECT_TRUE(sim.RequestLog().empty());
    EXPECT_FALSE(AnyWindowVisible());
}

TEST_F(StartupTest, FileThatCannotBeOpenedEndsWithoutWindowOrLostPlacement) {
    bench.Plug(0, "revC");
    Profile::WriteString("Settings", "Resolution", "0800 0600 0123 0045");
    options.file = QStringLiteral("/nonexistent/settings.qlt");
    {
        CQelt32App app(bench.Monitor());
        EXPECT_FALSE(app.InitInstance(options));
        EXPECT_EQ(app.MainFrame(), nullptr);
        EXPECT_FALSE(messages.shown.empty()); // the document handling said why
        EXPECT_FALSE(AnyWindowVisible());
    }
    EXPECT_EQ(Profile::GetString("Settings", "Resolution"), QStringLiteral("0800 0600 0123 0045"));
}

TEST_F(StartupTest, FileNamedOnTheCommandLineIsLoadedIntoTheMonitor) {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("saved.qlt"));
    std::uint16_t savedSize = 0;
    {
        // An earlier run saved its settings with another horizontal size.
        CSimBench earlier;
        earlier.Plug(0, "revC");
        CQelt32App app(earlier.Monitor());
        ASSERT_TRUE(app.InitInstance(options));
        savedSize = earlier.Monitor().Item(Items::HSize).current - 10;
        ASSERT_TRUE(earlier.Monitor().WriteItem(Items::HSize, savedSize));
        ASSERT_TRUE(CQelt32Doc(earlier.Monitor()).OnSaveDocument(file));
        app.ExitInstance();
    }
    CSimMonitor& sim = bench.Plug(0, "revC");
    ASSERT_NE(sim.Value(Items::HSize), savedSize);

    options.file = file;
    CQelt32App app(bench.Monitor());
    ASSERT_TRUE(app.InitInstance(options));
    EXPECT_EQ(sim.Value(Items::HSize), savedSize);
    EXPECT_EQ(app.MainFrame()->windowTitle(), QStringLiteral("Vistrel Pro - saved.qlt"));
}

TEST_F(StartupTest, OneDisplayChangeReachesTheControllerOnce) {
    bench.Plug(0, "revC");
    CQelt32App app(bench.Monitor());
    ASSERT_TRUE(app.InitInstance(options));
    EXPECT_FALSE(bench.Monitor().DisplayChangeSeen());
    // The screen reports a new geometry, and its size changes with it, in one go.
    QScreen* screen = QGuiApplication::primaryScreen();
    emit screen->geometryChanged(screen->geometry());
    emit screen->geometryChanged(screen->geometry());
    QCoreApplication::processEvents();
    EXPECT_TRUE(bench.Monitor().DisplayChangeSeen());
    EXPECT_EQ(bench.Sim().AutoSizeCount(), 0); // no timing report yet: no sizing
}

TEST_F(StartupTest, ARefreshRateChangeAtTheSameSizeIsADisplayChange) {
    CSimMonitor& sim = bench.Plug(0, "revC");
    CQelt32App app(bench.Monitor());
    ASSERT_TRUE(app.InitInstance(options));
    CMonitor& monitor = bench.Monitor();
    QScreen* screen = QGuiApplication::primaryScreen();

    // 75 Hz -> 85 Hz: the monitor reports its new timing and asks for sizing, then the
    // desktop reports the new refresh rate. The second of the two runs the notice.
    sim.TimingChange(6840, 8500, 0);
    ASSERT_TRUE(ProcessUntil([&] { return monitor.AutoSizeReportSeen(); }));
    emit screen->refreshRateChanged(85.0);
    EXPECT_TRUE(ProcessUntil([&] { return sim.AutoSizeCount() == 1; }));
    EXPECT_FALSE(monitor.AutoSizeReportSeen());
    EXPECT_FALSE(monitor.DisplayChangeSeen());

    // Back to 75 Hz, the desktop first this time.
    emit screen->refreshRateChanged(75.0);
    ASSERT_TRUE(ProcessUntil([&] { return monitor.DisplayChangeSeen(); }));
    sim.TimingChange(6840, 7500, 0);
    EXPECT_TRUE(ProcessUntil([&] { return sim.AutoSizeCount() == 2; }));
    EXPECT_FALSE(monitor.DisplayChangeSeen());
    EXPECT_FALSE(monitor.AutoSizeReportSeen());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartupTest, DroppedFileIsOpened) {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("dropped.qlt"));
    CSimMonitor& sim = bench.Plug(0, "revC");
    CQelt32App app(bench.Monitor());
    ASSERT_TRUE(app.InitInstance(options));
    const std::uint16_t saved = sim.Value(Items::VSize);
    ASSERT_TRUE(CQelt32Doc(bench.Monitor()).OnSaveDocument(file));
    ASSERT_TRUE(bench.Monitor().WriteItem(Items::VSize, saved - 6));

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    CMainFrame* frame = app.MainFrame();
    const QPointF at(frame->width() / 2.0, frame->height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(frame, &drop);
    EXPECT_EQ(sim.Value(Items::VSize), saved);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Vistrel Pro - dropped.qlt"));
    // It heads the File menu's recent files from now on.
    ASSERT_NE(frame->Action(57616), nullptr);
    EXPECT_TRUE(frame->Action(57616)->text().endsWith(QStringLiteral("dropped.qlt")));
}

} // namespace
