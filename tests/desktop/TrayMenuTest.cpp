// The minimised frame's stand-in for the system menu, on a real system tray: an X server
// with a window manager and a tray host (tests/desktop/with-tray.sh). The frame is
// minimised and its tray icon right-clicked through the X server, and the menu that opens
// is compared with the system-menu model and with the entries each kind of monitor gets.
#include "BenchFixtures.h"

#include "app/CommandIds.h"
#include "link/Monitor.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kSeparator = 0;

struct Entry {
    int id;
    QString text;
    bool operator==(const Entry&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Entry& entry) {
    return out << entry.id << " \"" << entry.text.toStdString() << '"';
}

bool Xdotool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    if (!process.waitForFinished(10000))
        return false;
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool ClickAt(QPoint point, int button) {
    return Xdotool({QStringLiteral("mousemove"), QString::number(point.x()),
                    QString::number(point.y()), QStringLiteral("click"), QString::number(button)});
}

// Saves a picture of the whole screen when a folder for it is named (QELT32_TRAY_SHOTS).
void Shoot(const QString& name) {
    const QString folder = qEnvironmentVariable("QELT32_TRAY_SHOTS");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        QGuiApplication::primaryScreen()->grabWindow(0).save(folder + '/' + name + ".png");
}

class TrayMenuTest : public SimBenchFixture {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QStringLiteral("xcb") ||
            !QSystemTrayIcon::isSystemTrayAvailable())
            GTEST_SKIP() << "needs an X display with a system tray (tests/desktop/with-tray.sh)";
    }

    void TearDown() override {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }

    // Shows the frame, then minimises it the way a user does, through the window manager.
    void ShowAndMinimize() {
        frame = std::make_unique<CMainFrame>(bench.Monitor(), notice, QString());
        ASSERT_TRUE(frame->Create());
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get(), 20000));
        // Asked again when the request was missed: a window manager slowed by a loaded
        // machine takes none for a window it does not manage yet.
        bool minimized = false;
        for (int attempt = 0; attempt < 4 && !minimized; ++attempt) {
            ASSERT_TRUE(
                Xdotool({QStringLiteral("windowminimize"), QString::number(frame->winId())}));
            minimized = QTest::qWaitFor([&] { return frame->isMinimized(); }, 5000);
        }
        ASSERT_TRUE(minimized) << "the window manager did not minimise the frame";
        tray = frame->findChild<QSystemTrayIcon*>();
        ASSERT_NE(tray, nullptr) << "no tray icon for the minimised frame";
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return tray->isVisible() && tray->geometry().isValid(); }, 20000))
            << "the tray host did not take the icon";
    }

    // Right-clicks the tray icon; the menu that opens.
    QMenu* OpenMenu() {
        QTest::qWait(100);
        if (!ClickAt(tray->geometry().center(), 3))
            return nullptr;
        QMenu* menu = nullptr;
        if (!QTest::qWaitFor(
                [&] {
                    menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                    return menu && menu->isVisible();
                },
                20000))
            return nullptr;
        // Let it be drawn before anyone looks at it.
        QTest::qWait(200);
        return menu;
    }

    // What the open menu offers, by the commands its entries run.
    std::vector<Entry> Entries(const QMenu& menu) const {
        std::vector<Entry> entries;
        for (const SystemMenuEntry& own : frame->SystemMenu().OwnEntries())
            entries.push_back({own.id, own.text});
        std::vector<Entry> shown;
        std::size_t next = 0;
        for (QAction* action : menu.actions()) {
            // The model's entries in the model's order: the menu must show exactly them.
            const int id = next < entries.size() ? entries[next].id : -1;
            shown.push_back({action->isSeparator() ? kSeparator : id, action->text()});
            ++next;
        }
        EXPECT_EQ(shown, entries) << "the tray menu and the system-menu model differ";
        return shown;
    }

    // A monitor of this kind is plugged in, the frame minimised and its tray icon
    // right-clicked; the menu that opens, photographed as `shot`.
    QMenu* MenuFor(const QString& profile, bool canAutoSize, const QString& shot) {
        Connect(profile, canAutoSize);
        if (!HasFatalFailure())
            ShowAndMinimize();
        if (HasFatalFailure())
            return nullptr;
        QMenu* menu = OpenMenu();
        if (menu)
            Shoot(shot);
        return menu;
    }

    // Clicks the entry with this text in the open menu.
    bool Choose(QMenu& menu, const QString& text) {
        for (QAction* action : menu.actions())
            if (action->text() == text)
                return ClickAt(menu.mapToGlobal(menu.actionGeometry(action).center()), 1);
        return false;
    }

    CAutoSizeNoticeRunner notice;
    std::unique_ptr<CMainFrame> frame;
    QSystemTrayIcon* tray = nullptr;
};

const QString kAutoSizing = QStringLiteral("Auto-Sizing");
const QString kBnc = QStringLiteral("BNC");
const QString kDsub = QStringLiteral("D-SUB");

TEST_F(TrayMenuTest, OffersAutoSizingAndTheOtherInputAndFollowsTheInputChosen) {
    QMenu* menu = MenuFor(QStringLiteral("revC"), true, QStringLiteral("tray-menu-revC"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Entries(*menu),
              (std::vector<Entry>{
                  {kSeparator, {}}, {Cmd::SysAutoSizing, kAutoSizing}, {Cmd::InputBnc, kBnc}}));

    // Choosing the other input switches the monitor, and the next menu offers the first.
    const std::uint16_t modeWord = sim->ModeWord();
    ASSERT_TRUE(Choose(*menu, kBnc));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bench.Monitor().GetInputSignal() == 1; }, 20000));
    EXPECT_NE(sim->ModeWord(), modeWord);
    menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    Shoot(QStringLiteral("tray-menu-revC-bnc"));
    EXPECT_EQ(Entries(*menu),
              (std::vector<Entry>{
                  {kSeparator, {}}, {Cmd::SysAutoSizing, kAutoSizing}, {Cmd::InputDsub, kDsub}}));
    menu->close();

    // A left click brings the frame back, and the program's entries go.
    ASSERT_TRUE(ClickAt(tray->geometry().center(), 1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frame->isMinimized(); }, 20000));
    EXPECT_TRUE(frame->SystemMenu().OwnEntries().empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !tray->isVisible(); }, 20000));
}

TEST_F(TrayMenuTest, AMonitorThatCannotAutoSizeOffersOnlyTheInput) {
    QMenu* menu =
        MenuFor(QStringLiteral("revB"), false, QStringLiteral("tray-menu-revB-no-autosize"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Entries(*menu), (std::vector<Entry>{{kSeparator, {}}, {Cmd::InputBnc, kBnc}}));
}

TEST_F(TrayMenuTest, TheSingleInputModelOffersOnlyAutoSizing) {
    QMenu* menu = MenuFor(QStringLiteral("tr3306"), true, QStringLiteral("tray-menu-tr3306"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Entries(*menu),
              (std::vector<Entry>{{kSeparator, {}}, {Cmd::SysAutoSizing, kAutoSizing}}));
}

} // namespace
