// Who ends the program: its frame's close, and the desktop's end asked through a signal,
// never another window of the program closing.

#include "SimBench.h"

#include "RecordingMessages.h"
#include "TempProfile.h"
#include "app/CommandLine.h"
#include "app/MainFrame.h"
#include "app/Qelt32App.h"
#include "app/TerminationSignals.h"
#include "fullscreen/AdjustMenu.h"
#include "fullscreen/AdjustWnd.h"
#include "panel/Qelt32View.h"
#include "platform/HelpWindow.h"
#include "platform/StringTable.h"

#include <QApplication>
#include <QDialog>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

namespace {

constexpr int kHPos = 3;

class ProgramEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseBuildProgramFolder();
        m_options.splash = false;
        m_sim = &m_bench.Plug(0, "revC");
        m_app = std::make_unique<CQelt32App>(m_bench.Monitor());
        ASSERT_TRUE(m_app->InitInstance(m_options));
    }

    bool HelpWindowOpen() {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName().startsWith("helpWindow:") && widget->isVisible())
                return true;
        return false;
    }

    CTempProfile m_profile;
    CRecordingMessages m_messages;
    CSimBench m_bench;
    StartupOptions m_options;
    CSimMonitor* m_sim = nullptr;
    std::unique_ptr<CQelt32App> m_app;
};

} // namespace

TEST_F(ProgramEndTest, OtherWindowsClosingInTheModeEndNeitherTheModeNorTheProgram) {
    CAdjustWnd& mode = *m_app->AdjustWnd();
    bool frameClosed = false;
    QTimer::singleShot(0, [&] {
        mode.Open(m_app->MainFrame()->View());
        // A notice without a parent and the mode's help window come and go.
        auto* notice = new QDialog;
        notice->setAttribute(Qt::WA_DeleteOnClose);
        notice->show();
        notice->close();
        mode.OnCommand(AdjustMenu::kHelp);
        EXPECT_TRUE(HelpWindowOpen());
        CloseAllHelpWindows();
    });
    QTimer::singleShot(200, [&] {
        EXPECT_TRUE(mode.IsActive());
        frameClosed = true;
        m_app->MainFrame()->close();
    });
    // Only the frame's close ends the loop.
    QTimer::singleShot(20000, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(frameClosed);
    EXPECT_FALSE(mode.IsActive());
}

TEST_F(ProgramEndTest, TheDesktopsEndCancelsTheModeAndClosesWithoutTheQuestion) {
    // A change the frame's close would ask about, then the mode with a step of its own.
    ASSERT_TRUE(m_bench.Monitor().WriteItem(0, m_sim->Value(0) + 1));
    const int hpos = m_sim->Value(kHPos);
    CAdjustWnd& mode = *m_app->AdjustWnd();
    mode.Open(m_app->MainFrame()->View());
    ASSERT_TRUE(m_bench.Monitor().AdjustItems(kHPos, 2, 0, 0, false));
    m_messages.Clear();
    const int stores = m_sim->StoreCount();

    QTimer::singleShot(0, [&] { m_app->EndSession(); });
    QTimer::singleShot(20000, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(m_messages.Count(Str::KeepChanges), 0);
    EXPECT_FALSE(mode.IsActive());
    EXPECT_EQ(m_sim->Value(kHPos), hpos);
    EXPECT_EQ(m_sim->StoreCount(), stores + 1);
    EXPECT_FALSE(m_app->MainFrame()->isVisible());

    // Help windows end with the program.
    ShowHelpTopics(m_app->HelpPath());
    EXPECT_TRUE(HelpWindowOpen());
    m_app->ExitInstance();
    EXPECT_FALSE(HelpWindowOpen());
}

TEST(TerminationSignalsTest, ASignalArrivesAsAnEventOnceAndTheOldHandlerComesBack) {
    struct sigaction before = {};
    ::sigaction(SIGHUP, nullptr, &before);
    {
        CTerminationSignals handlers;
        ASSERT_TRUE(handlers.Install());
        QSignalSpy received(&handlers, &CTerminationSignals::received);
        ASSERT_EQ(::raise(SIGHUP), 0);
        ASSERT_TRUE(received.wait(5000));
        EXPECT_EQ(received.takeFirst().at(0).toInt(), SIGHUP);
        // Taken once: the next one would have its default effect.
        struct sigaction now = {};
        ::sigaction(SIGHUP, nullptr, &now);
        EXPECT_EQ(now.sa_handler, SIG_DFL);
    }
    struct sigaction after = {};
    ::sigaction(SIGHUP, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler);
}
