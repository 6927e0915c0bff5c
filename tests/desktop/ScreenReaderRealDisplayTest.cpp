// What a screen reader reads of the running program over AT-SPI, in all four languages. The
// program runs on an X server with a window manager against the simulator, with Qt's bridge
// on, in a session with the accessibility bus (screen-reader-session.sh); atspi-tree.py reads
// its tree with pyatspi as a screen reader does. The main window and every dialog are opened
// as a user opens them: a control's access key, the full-screen mode's popup menu, a click
// where a control has no key. In each window every showing control has a name, and no two
// focusable controls of one kind share one; the main panel's slider and value box are named
// after the quantity they show, and renamed when the choice changes.

#include "fullscreen/AdjustMenu.h"

#include "DeviceFolder.h"
#include "RealDisplay.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRect>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Debian's own interpreter, the one python3-pyatspi is installed for (a python3 found
// earlier on PATH may have its own packages).
const QString kPython = QStringLiteral("/usr/bin/python3");

// One node of the tree a screen reader reads; only showing nodes are read.
struct Accessible {
    QString role;
    QString name;
    QString keys; // its key binding ("Alt+C"), empty when it has none
    QStringList states;
    double value = -1; // what a slider or spin box says it is at, -1 when it says nothing
    QString text;      // what a text box holds
    QRect box;
    std::vector<Accessible> children;

    bool Is(const char* state) const { return states.contains(QLatin1String(state)); }
    bool SameWindow(const Accessible& other) const {
        return role == other.role && name == other.name;
    }
    // The nodes below this one with this role, in the order a screen reader meets them.
    std::vector<Accessible> FindAll(const QString& wanted) const {
        std::vector<Accessible> found;
        for (const Accessible& child : children) {
            if (child.role == wanted)
                found.push_back(child);
            for (Accessible& below : child.FindAll(wanted))
                found.push_back(std::move(below));
        }
        return found;
    }
    std::vector<Accessible> Children(const QString& wanted) const {
        std::vector<Accessible> found;
        for (const Accessible& child : children)
            if (child.role == wanted)
                found.push_back(child);
        return found;
    }
};

Accessible FromJson(const QJsonObject& object) {
    Accessible node;
    node.role = object.value("role").toString();
    node.name = object.value("name").toString();
    node.keys = object.value("keys").toString();
    for (const QJsonValue& state : object.value("states").toArray())
        node.states << state.toString();
    node.value = object.value("value").toDouble(-1);
    node.text = object.value("text").toString();
    const QJsonArray box = object.value("box").toArray();
    if (box.size() == 4)
        node.box = QRect(box[0].toInt(), box[1].toInt(), box[2].toInt(), box[3].toInt());
    for (const QJsonValue& child : object.value("children").toArray())
        node.children.push_back(FromJson(child.toObject()));
    return node;
}

// The name without a Japanese access-key mark ("明るさ(B)"), as the program names the rows
// that a choice labels.
QString WithoutKeyMark(const QString& name) {
    static const QRegularExpression keyMark(QStringLiteral("\\s*\\(\\S\\)$"));
    return QString(name).remove(keyMark).trimmed();
}

// Roles of controls that take input; each must have a name. A focusable node of any other
// role must have one too.
bool TakesInput(const QString& role) {
    static const QStringList roles = {"push button",
                                      "toggle button",
                                      "check box",
                                      "radio button",
                                      "slider",
                                      "spin button",
                                      "text",
                                      "entry",
                                      "combo box",
                                      "menu item",
                                      "check menu item",
                                      "radio menu item",
                                      "page tab",
                                      "list",
                                      "table"};
    return roles.contains(role);
}

void Walk(const Accessible& node, const QString& place, std::map<QString, int>& names,
          QStringList& problems) {
    if (TakesInput(node.role) || node.Is("focusable")) {
        const QString name = node.name.trimmed();
        if (name.isEmpty())
            problems << QStringLiteral("a %1 in '%2' has no name").arg(node.role, place);
        else if (node.Is("focusable") && ++names[node.role + QStringLiteral(" '") + name] == 2)
            problems << QStringLiteral("two of %1 '%2'").arg(node.role, name);
    }
    const QString inner = node.name.trimmed().isEmpty() ? place : node.name;
    for (const Accessible& child : node.children)
        Walk(child, inner, names, problems);
}

QStringList Problems(const Accessible& window) {
    std::map<QString, int> names;
    QStringList problems;
    Walk(window, window.name, names, problems);
    return problems;
}

// The program's tree as a screen reader reads it, and waits on it.
class CScreenReader {
public:
    explicit CScreenReader(CRealDisplay& display) : m_display(display) {}

    static bool Installed() {
        return QProcess::execute(kPython,
                                 {QStringLiteral("-c"), QStringLiteral("import pyatspi")}) == 0;
    }

    // The program's showing windows; empty with Error() set when they could not be read.
    std::vector<Accessible> Windows() {
        QProcess reader;
        reader.start(kPython, {QStringLiteral(QELT32_ATSPI_TREE),
                               QString::number(m_display.Program().processId())});
        if (!reader.waitForFinished(30000)) {
            reader.kill();
            reader.waitForFinished(3000);
            m_error = QStringLiteral("the tree was not read in 30 s");
            return {};
        }
        if (reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0) {
            m_error = QString::fromLocal8Bit(reader.readAllStandardError());
            return {};
        }
        std::vector<Accessible> windows;
        for (const QJsonValue& window :
             QJsonDocument::fromJson(reader.readAllStandardOutput()).array())
            windows.push_back(FromJson(window.toObject()));
        return windows;
    }

    // The main window (the one frame), read again.
    Accessible MainWindow() {
        for (Accessible& window : Windows())
            if (window.role == QLatin1String("frame"))
                return std::move(window);
        return {};
    }

    // Waits until `count` windows show that were not among `before`; those that came.
    std::vector<Accessible> WaitForNewWindows(const std::vector<Accessible>& before,
                                              size_t count = 1) {
        std::vector<Accessible> added;
        CRealDisplay::WaitUntil(
            [&] {
                added.clear();
                for (Accessible& window : Windows())
                    if (std::none_of(before.begin(), before.end(),
                                     [&](const Accessible& old) { return old.SameWindow(window); }))
                        added.push_back(std::move(window));
                return added.size() >= count;
            },
            30s);
        return added;
    }

    bool WaitUntilGone(const Accessible& gone) {
        return CRealDisplay::WaitUntil(
            [&] {
                const std::vector<Accessible> windows = Windows();
                return m_error.isEmpty() &&
                       std::none_of(windows.begin(), windows.end(), [&](const Accessible& window) {
                           return window.SameWindow(gone);
                       });
            },
            30s);
    }

    QString Error() const { return m_error; }

private:
    CRealDisplay& m_display;
    QString m_error;
};

// The main window's groups, in their order on the panel, the same in every language.
enum Group { kScreenGroup, kLevelGroup, kColorTemperatureGroup, kPowerSaveGroup, kGroups };

class ScreenReader : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        QELT32_SKIP_WITHOUT_REAL_DISPLAY(true);
        if (!CScreenReader::Installed())
            GTEST_SKIP() << "python3-pyatspi is not installed";
        ASSERT_TRUE(m_display.Start()) << m_display.Error().toStdString();
    }

    static CRealDisplay::Options Options() {
        CRealDisplay::Options options;
        options.windowManager = true;
        options.language = QString::fromLatin1(GetParam());
        options.accessibility = true;
        return options;
    }

    void Check(const Accessible& window, const QString& what) {
        for (const QString& problem : Problems(window))
            ADD_FAILURE() << what.toStdString() << ": " << problem.toStdString();
    }

    // Works a control as a user does: its access key (in an open menu, the letter alone),
    // or a click in its middle when it has none.
    bool Activate(const Accessible& control, bool inOpenMenu = false) {
        if (control.keys.isEmpty())
            return m_display.Click(control.box.center().x(), control.box.center().y());
        const QString keys = control.keys.toLower();
        return m_display.Key(inOpenMenu ? keys.section('+', -1) : keys);
    }

    // One group of the main window, read again.
    Accessible MainGroup(Group group) {
        const std::vector<Accessible> groups = m_reader.MainWindow().FindAll("panel");
        return groups.size() == kGroups ? groups[group] : Accessible{};
    }

    // Runs `open` from the main window, checks the window it brings up (once `complete`
    // holds for it, when given) and closes it with Escape.
    void CheckDialog(const std::function<bool()>& open, const QString& what,
                     const std::function<bool(const Accessible&)>& complete = {}) {
        const std::vector<Accessible> before = m_reader.Windows();
        ASSERT_FALSE(before.empty()) << m_reader.Error().toStdString();
        ASSERT_TRUE(open()) << what.toStdString() << ": " << m_display.Error().toStdString();
        std::vector<Accessible> opened = m_reader.WaitForNewWindows(before);
        ASSERT_EQ(opened.size(), 1u)
            << what.toStdString() << " did not open alone " << m_reader.Error().toStdString();
        // A view's items may reach the screen reader a moment after the view itself: the
        // window is read again until it is complete.
        if (complete) {
            ASSERT_TRUE(CRealDisplay::WaitUntil(
                [&] {
                    for (Accessible& window : m_reader.Windows())
                        if (window.SameWindow(opened[0]))
                            opened[0] = std::move(window);
                    return complete(opened[0]);
                },
                20s))
                << what.toStdString() << " was never read complete";
        }
        Check(opened[0], what);
        ASSERT_TRUE(m_display.Key("Escape"));
        ASSERT_TRUE(m_reader.WaitUntilGone(opened[0])) << what.toStdString() << " stayed";
    }

    // A choice of the main window taken with its key; true once the screen reader reads
    // it as checked.
    bool Choose(Group group, int choice) {
        if (!m_display.Focus(m_display.Window()))
            return false;
        const std::vector<Accessible> radios = MainGroup(group).Children("radio button");
        if (choice >= int(radios.size()) || !Activate(radios[choice]))
            return false;
        return CRealDisplay::WaitUntil([&] {
            const std::vector<Accessible> now = MainGroup(group).Children("radio button");
            return choice < int(now.size()) && now[choice].Is("checked");
        });
    }

    // Opens the full-screen mode's popup menu with Shift+F10 and picks its `entry`-th
    // command with the arrows, once the menu is there to take them.
    bool PickFromModeMenu(int entry) {
        const qsizetype windows = m_display.VisibleWindows(".*").size();
        return m_display.Key("shift+F10") &&
               CRealDisplay::WaitUntil(
                   [&] { return m_display.VisibleWindows(".*").size() > windows; }, 20s) &&
               m_display.Key(QStringList(entry, QStringLiteral("Down")).join(' ') + " Return");
    }

    CRealDisplay m_display{Options()};
    CScreenReader m_reader{m_display};
};

TEST_P(ScreenReader, NamesEveryControlOfTheMainWindowAndItsQuantityWhenTheChoiceChanges) {
    ASSERT_TRUE(m_display.StartProgram()) << m_display.Error().toStdString();
    const Accessible main = m_reader.MainWindow();
    ASSERT_FALSE(main.role.isEmpty()) << m_reader.Error().toStdString();
    Check(main, "main window");

    Accessible level = MainGroup(kLevelGroup);
    const std::vector<Accessible> choices = level.Children("radio button");
    ASSERT_EQ(choices.size(), 2u);
    ASSERT_EQ(level.Children("slider").size(), 1u);
    ASSERT_EQ(level.Children("text").size(), 1u);
    for (int shown : {0, 1}) {
        if (shown == 1) {
            ASSERT_TRUE(Choose(kLevelGroup, 1)) << m_display.Error().toStdString();
            Check(m_reader.MainWindow(), "main window showing the second quantity");
        }
        level = MainGroup(kLevelGroup);
        ASSERT_TRUE(level.Children("radio button")[shown].Is("checked"));
        const QString quantity = WithoutKeyMark(choices[shown].name);
        const Accessible slider = level.Children("slider")[0];
        const Accessible box = level.Children("text")[0];
        // Renamed at once on the change, and read so by then, with the monitor's value.
        EXPECT_EQ(slider.name.toStdString(), quantity.toStdString());
        EXPECT_TRUE(box.name.contains(quantity)) << box.name.toStdString();
        const int onMonitor = m_display.SimValue(shown == 0 ? "bright" : "contrast");
        EXPECT_EQ(slider.value, onMonitor);
        EXPECT_EQ(box.text.toInt(), onMonitor) << box.text.toStdString();
    }
    EXPECT_NE(m_display.SimValue("bright"), m_display.SimValue("contrast"));
}

TEST_P(ScreenReader, NamesEveryControlOfEveryDialog) {
    ASSERT_TRUE(m_display.StartProgram()) << m_display.Error().toStdString();
    const Accessible main = m_reader.MainWindow();
    ASSERT_FALSE(main.role.isEmpty()) << m_reader.Error().toStdString();
    auto fromMain = [&](Group group) {
        return [this, group] {
            const std::vector<Accessible> buttons = MainGroup(group).Children("push button");
            return m_display.Focus(m_display.Window()) && !buttons.empty() && Activate(buttons[0]);
        };
    };

    // The colours' details are open to the user's own colours, not to a temperature's.
    ASSERT_TRUE(Choose(kColorTemperatureGroup, 1)) << m_display.Error().toStdString();
    ASSERT_NO_FATAL_FAILURE(CheckDialog(fromMain(kColorTemperatureGroup), "Color Setting"));
    for (int mode : {0, 1}) { // the two power-save modes, each with its own dialog
        ASSERT_TRUE(Choose(kPowerSaveGroup, mode)) << m_display.Error().toStdString();
        ASSERT_NO_FATAL_FAILURE(
            CheckDialog(fromMain(kPowerSaveGroup), QStringLiteral("Interval %1").arg(mode)));
    }
    // About, from the last menu of the menu bar, whose last entry it is; the open menu is
    // read too.
    ASSERT_NO_FATAL_FAILURE(CheckDialog(
        [&] {
            const std::vector<Accessible> menus =
                main.FindAll("menu bar").at(0).Children("menu item");
            if (!m_display.Focus(m_display.Window()) || menus.empty() || !Activate(menus.back()))
                return false;
            std::vector<Accessible> entries;
            CRealDisplay::WaitUntil([&] {
                const Accessible now = m_reader.MainWindow();
                entries = now.FindAll("popup menu").empty()
                              ? std::vector<Accessible>{}
                              : now.FindAll("popup menu").back().Children("menu item");
                if (entries.empty())
                    return false;
                Check(now, "main window with its last menu open");
                return true;
            });
            return !entries.empty() && Activate(entries.back(), true);
        },
        "About"));

    // The full-screen mode, and its help above it on its first use.
    std::vector<Accessible> before = m_reader.Windows();
    ASSERT_TRUE(fromMain(kScreenGroup)());
    const std::vector<Accessible> mode = m_reader.WaitForNewWindows(before, 2);
    ASSERT_EQ(mode.size(), 2u) << m_reader.Error().toStdString();
    for (const Accessible& window : mode)
        Check(window, "full-screen mode: " + window.name);
    const auto help = std::find_if(mode.begin(), mode.end(), [&](const Accessible& window) {
        return window.box.width() < 1024;
    });
    ASSERT_NE(help, mode.end());
    ASSERT_TRUE(m_display.Key("Escape"));
    ASSERT_TRUE(m_reader.WaitUntilGone(*help));

    const std::pair<int, const char*> dialogs[] = {{AdjustMenu::kVLinearity, "Vertical Linearity"},
                                                   {AdjustMenu::kMoire, "Moire Reduction"},
                                                   {AdjustMenu::kConvergence, "Convergence"}};
    for (const auto& [command, what] : dialogs)
        ASSERT_NO_FATAL_FAILURE(
            CheckDialog([&] { return PickFromModeMenu(AdjustMenu::Position(command)); }, what));
}

TEST_P(ScreenReader, NamesEveryControlOfTheNoMonitorBoxAndTheDeviceList) {
    // No monitor at the one port given, and no adapter until the box is up.
    const CDeviceFolder devices;
    ASSERT_TRUE(devices.IsValid());
    ASSERT_TRUE(m_display.Launch({"--ports", devices.FilePath("ttyS-none"), "--no-splash"}, "."))
        << m_display.Error().toStdString();

    const std::vector<Accessible> box = m_reader.WaitForNewWindows({});
    ASSERT_EQ(box.size(), 1u) << m_reader.Error().toStdString();
    ASSERT_EQ(box[0].role.toStdString(), "alert");
    Check(box[0], "no-monitor box");
    // The adapter is plugged in; the box's first button offers it in a list.
    ASSERT_TRUE(QFile::link(m_display.LinkPath(), devices.ById("usb-Sim_Monitor_Cable-if00")));
    const std::vector<Accessible> buttons = box[0].FindAll("push button");
    ASSERT_FALSE(buttons.empty());
    ASSERT_NO_FATAL_FAILURE(CheckDialog(
        [&] { return m_display.Focus(m_display.Window()) && Activate(buttons[0]); }, "device list",
        [](const Accessible& list) { return list.FindAll("list item").size() == 1; }));
}

INSTANTIATE_TEST_SUITE_P(Languages, ScreenReader, ::testing::Values("en", "de", "fr", "ja"),
                         [](const auto& info) { return std::string(info.param); });

} // namespace
