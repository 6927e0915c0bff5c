#include "RealDisplay.h"

#include "ChildProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cstdio>

#ifdef QELT32_HAVE_XCB
#include <xcb/xcb.h>
#endif

using namespace std::chrono_literals;

using ChildProcess::ReadLine;
using ChildProcess::Stop;
using ChildProcess::Tail;

namespace {

constexpr auto kStartTimeout = 10s;
constexpr auto kCommandTimeout = 20s;

QString BinDir() {
    return qEnvironmentVariable("QELT32_BIN_DIR");
}

} // namespace

CRealDisplay::CRealDisplay(Options options) : m_options(std::move(options)) {}

CRealDisplay::~CRealDisplay() {
    if (::testing::Test::HasFailure())
        SaveScreenshotOfFailure();
    Stop(m_program.get());
    Stop(m_secondSim.get());
    Stop(m_sim.get());
    Stop(m_windowManager.get());
    Stop(m_xvfb.get());
}

QString CRealDisplay::MissingTools(bool windowManager) {
    QStringList tools = {QStringLiteral("Xvfb"), QStringLiteral("xdotool")};
    if (windowManager)
        tools << QStringLiteral("openbox");
    QStringList missing;
    for (const QString& tool : tools)
        if (QStandardPaths::findExecutable(tool).isEmpty())
            missing << tool;
    return missing.join(QStringLiteral(", "));
}

bool CRealDisplay::Fail(const QString& reason) {
    m_error = reason;
    return false;
}

std::unique_ptr<QProcess> CRealDisplay::Spawn(const QString& program, const QStringList& arguments,
                                              bool readOutput) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!m_display.isEmpty())
        env.insert(QStringLiteral("DISPLAY"), m_display);
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // The program's profile, and nothing else of the user's, lives in the temporary folder.
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
    const QString& language = m_options.language;
    env.insert(QStringLiteral("LC_ALL"), language == QLatin1String("en")
                                             ? QStringLiteral("C.UTF-8")
                                             : QLocale(language).name() + QStringLiteral(".UTF-8"));
    env.insert(QStringLiteral("LANGUAGE"), language);
    if (m_options.accessibility)
        env.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    for (const QString& setting : m_options.environment)
        env.insert(setting.section('=', 0, 0), setting.section('=', 1));
    const QString log = m_dir.filePath(QFileInfo(program).fileName() + QStringLiteral(".log"));
    return ChildProcess::Start(program, arguments, env, log, readOutput, &m_error);
}

bool CRealDisplay::Start() {
    if (!m_dir.isValid())
        return Fail(QStringLiteral("no temporary folder"));
    // The X server picks a free display number itself and writes it on its output.
    m_xvfb = Spawn(
        QStringLiteral("Xvfb"),
        {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
         QStringLiteral("0"),
         QStringLiteral("%1x%2x24").arg(m_options.screen.width()).arg(m_options.screen.height()),
         QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")},
        true);
    if (!m_xvfb)
        return false;
    QByteArray buffer, number;
    if (!ReadLine(*m_xvfb, buffer, &number, kStartTimeout))
        return Fail(
            QStringLiteral("Xvfb did not start: %1").arg(Tail(m_dir.filePath("Xvfb.log"), 5)));
    m_display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());

    if (m_options.windowManager) {
        m_windowManager = Spawn(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        // Ready once it has set up its desktops (openbox leaves the active window unset
        // until a window is mapped, so that cannot be asked).
        if (!m_windowManager ||
            !WaitUntil([this] { return Xdotool({QStringLiteral("get_desktop")}); }, kStartTimeout))
            return Fail(QStringLiteral("openbox did not start"));
    }
    if (!m_options.monitors.isEmpty() && !SetMonitors())
        return false;
    return StartSimulator();
}

// The X server takes new RandR monitors only once a window manager runs.
bool CRealDisplay::SetMonitors() {
    if (!m_options.windowManager)
        return Fail(QStringLiteral("RandR monitors need the window manager"));
    for (int i = 0; i < m_options.monitors.size(); ++i) {
        const QRect& r = m_options.monitors[i];
        // "WIDTH/MMWIDTHxHEIGHT/MMHEIGHT+X+Y", about 96 dots per inch.
        const QString geometry = QStringLiteral("%1/%2x%3/%4+%5+%6")
                                     .arg(r.width())
                                     .arg(r.width() * 254 / 960)
                                     .arg(r.height())
                                     .arg(r.height() * 254 / 960)
                                     .arg(r.x())
                                     .arg(r.y());
        // "*": the primary monitor. Only one monitor can hold the screen's one output.
        const QString name = QStringLiteral("%1S%2").arg(i == 0 ? "*" : "").arg(i + 1);
        if (!Run(QStringLiteral("xrandr"),
                 {QStringLiteral("--setmonitor"), name, geometry,
                  i == 0 ? QStringLiteral("screen") : QStringLiteral("none")}))
            return false;
    }
    return true;
}

QProcessEnvironment CRealDisplay::DisplayEnvironment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    return env;
}

bool CRealDisplay::Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    if (!ChildProcess::RunBounded(process, program, arguments, DisplayEnvironment(),
                                  kCommandTimeout) ||
        !ChildProcess::Succeeded(process))
        return Fail(QStringLiteral("%1 %2 failed: %3")
                        .arg(program, arguments.join(' '),
                             QString::fromLocal8Bit(process.readAllStandardError())));
    return true;
}

bool CRealDisplay::StartSimulator() {
    if (!m_dir.isValid())
        return Fail(QStringLiteral("no temporary folder"));
    QStringList simArguments = {QStringLiteral("--profile"), m_options.simProfile,
                                QStringLiteral("--link"), LinkPath()};
    if (!m_options.simPaced)
        simArguments << QStringLiteral("--unpaced");
    m_sim = Spawn(BinDir() + QStringLiteral("/qelt32-sim"), simArguments, true);
    if (!m_sim)
        return false;
    QByteArray device;
    if (!ReadLine(*m_sim, m_simOutput, &device, kStartTimeout) || !QFileInfo::exists(LinkPath()))
        return Fail(QStringLiteral("the simulator did not start: %1")
                        .arg(Tail(m_dir.filePath("qelt32-sim.log"), 5)));
    return true;
}

bool CRealDisplay::StartProgram(const QStringList& arguments, const QString& title) {
    return Launch(QStringList{QStringLiteral("--port"), LinkPath(), QStringLiteral("--no-splash")} +
                      arguments,
                  title);
}

bool CRealDisplay::Launch(const QStringList& arguments, const QString& title) {
    m_program = Spawn(BinDir() + QStringLiteral("/qelt32"), arguments);
    if (!m_program)
        return false;
    const QString pid = QString::number(m_program->processId());
    const bool found = WaitUntil(
        [&] {
            QString ids;
            if (m_program->state() == QProcess::NotRunning ||
                !Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                          QStringLiteral("--pid"), pid, QStringLiteral("--name"), title},
                         &ids))
                return false;
            m_window = ids.split('\n', Qt::SkipEmptyParts).value(0);
            return !m_window.isEmpty();
        },
        20s);
    if (!found)
        return Fail(QStringLiteral("no window \"%1\" of qelt32 appeared; its output:\n%2")
                        .arg(title, Tail(m_dir.filePath("qelt32.log"), 20)));
    return Focus(m_window);
}

int CRealDisplay::RunAnotherStart(const QStringList& arguments, std::chrono::milliseconds timeout) {
    const std::unique_ptr<QProcess> another =
        Spawn(BinDir() + QStringLiteral("/qelt32"),
              QStringList{QStringLiteral("--port"), LinkPath()} + arguments);
    if (!another)
        return -1;
    if (!another->waitForFinished(int(timeout.count()))) {
        Stop(another.get());
        Fail(QStringLiteral("the second qelt32 %1 did not end").arg(arguments.join(' ')));
        return -1;
    }
    return another->exitStatus() == QProcess::NormalExit ? another->exitCode() : -1;
}

bool CRealDisplay::SignalProgram(int signalNumber) {
    return m_program && m_program->state() == QProcess::Running &&
           ::kill(pid_t(m_program->processId()), signalNumber) == 0;
}

void CRealDisplay::StopDisplayServer() {
    Stop(m_xvfb.get());
}

int CRealDisplay::WaitForProgramEnd(std::chrono::milliseconds timeout) {
    if (!m_program)
        return -1;
    if (!m_program->waitForFinished(int(timeout.count()))) {
        Fail(QStringLiteral("qelt32 did not end"));
        return -1;
    }
    if (m_program->exitStatus() != QProcess::NormalExit) {
        Fail(QStringLiteral("qelt32 crashed: %1").arg(Tail(m_dir.filePath("qelt32.log"), 20)));
        return -1;
    }
    return m_program->exitCode();
}

QStringList CRealDisplay::SimCommand(const QString& line) {
    return Command(m_sim.get(), m_simOutput, line);
}

QStringList CRealDisplay::Command(QProcess* sim, QByteArray& output, const QString& line) {
    if (!sim || sim->state() != QProcess::Running)
        return {};
    // The simulator answers in order, so the answer ends where the answer to an unknown
    // marker command begins.
    const QString marker = QStringLiteral("end-of-answer-%1").arg(++m_markers);
    sim->write((line + '\n' + marker + '\n').toLocal8Bit());
    sim->waitForBytesWritten(2000);
    QStringList answer;
    QByteArray next;
    while (ReadLine(*sim, output, &next, kStartTimeout)) {
        const QString text = QString::fromLocal8Bit(next);
        if (text.contains(marker))
            return answer;
        answer << text;
    }
    Fail(QStringLiteral("the simulator did not answer \"%1\"").arg(line));
    return answer;
}

int CRealDisplay::ValueOf(const QStringList& answer) {
    // "hpos (4) = 120, max 255, stored 120"
    static const QRegularExpression value(QStringLiteral("^\\S+ \\(\\d+\\) = (\\d+)"));
    const QRegularExpressionMatch match = value.match(answer.value(0));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

int CRealDisplay::SimValue(const QString& item) {
    return ValueOf(SimCommand(QStringLiteral("get %1").arg(item)));
}

bool CRealDisplay::StartSecondMonitor(const QString& profile) {
    m_secondSim = Spawn(BinDir() + QStringLiteral("/qelt32-sim"),
                        {QStringLiteral("--profile"), profile, QStringLiteral("--link"),
                         SecondLinkPath(), QStringLiteral("--unpaced")},
                        true);
    QByteArray device;
    if (!m_secondSim || !ReadLine(*m_secondSim, m_secondSimOutput, &device, kStartTimeout) ||
        !QFileInfo::exists(SecondLinkPath()))
        return Fail(QStringLiteral("the second simulator did not start"));
    return true;
}

QStringList CRealDisplay::SecondSimCommand(const QString& line) {
    return Command(m_secondSim.get(), m_secondSimOutput, line);
}

int CRealDisplay::SecondSimValue(const QString& item) {
    return ValueOf(SecondSimCommand(QStringLiteral("get %1").arg(item)));
}

QString CRealDisplay::SecondLinkPath() const {
    return m_dir.filePath(QStringLiteral("second-monitor"));
}

int CRealDisplay::SimStored(const QString& item) {
    static const QRegularExpression stored(QStringLiteral("stored (\\d+)"));
    const QRegularExpressionMatch match =
        stored.match(SimCommand(QStringLiteral("get %1").arg(item)).join('\n'));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

bool CRealDisplay::RunCtl(const QStringList& arguments, QString* output) {
    const std::unique_ptr<QProcess> ctl =
        Spawn(BinDir() + QStringLiteral("/qelt32ctl"),
              QStringList{QStringLiteral("--port"), LinkPath()} + arguments, true);
    if (!ctl)
        return false;
    if (!ctl->waitForFinished(int(std::chrono::milliseconds(kCommandTimeout).count()))) {
        Stop(ctl.get());
        return Fail(QStringLiteral("qelt32ctl %1 did not end").arg(arguments.join(' ')));
    }
    if (ctl->exitStatus() != QProcess::NormalExit || ctl->exitCode() != 0)
        return Fail(QStringLiteral("qelt32ctl %1 failed: %2")
                        .arg(arguments.join(' '), Tail(m_dir.filePath("qelt32ctl.log"), 5)));
    if (output)
        *output = QString::fromLocal8Bit(ctl->readAllStandardOutput());
    return true;
}

bool CRealDisplay::WaitForSimValue(const QString& item, int expected,
                                   std::chrono::milliseconds timeout) {
    return WaitUntil([&] { return SimValue(item) == expected; }, timeout);
}

bool CRealDisplay::WaitUntil(const std::function<bool()>& condition,
                             std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        QThread::msleep(20);
    }
}

QStringList CRealDisplay::VisibleWindows(const QString& title) {
    QString ids;
    Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
             title},
            &ids);
    return ids.split('\n', Qt::SkipEmptyParts);
}

bool CRealDisplay::Xdotool(const QStringList& arguments, QString* output) {
    QProcess xdotool;
    if (!ChildProcess::RunBounded(xdotool, QStringLiteral("xdotool"), arguments,
                                  DisplayEnvironment(), kCommandTimeout))
        return Fail(QStringLiteral("xdotool %1 did not end").arg(arguments.join(' ')));
    if (output)
        *output = QString::fromLocal8Bit(xdotool.readAllStandardOutput());
    return ChildProcess::Succeeded(xdotool);
}

bool CRealDisplay::Focus(const QString& window) {
    const QString how =
        m_options.windowManager ? QStringLiteral("windowactivate") : QStringLiteral("windowfocus");
    return Xdotool({how, QStringLiteral("--sync"), window});
}

// The keycode of the keypad's digit key (KP_0..KP_9), or empty. Sent by keycode, the key
// gives what Num Lock makes of it, as on a real keyboard; by name, xdotool would switch Num
// Lock itself to get the digit.
QString CRealDisplay::KeypadKeycode(const QString& name) const {
    static const QRegularExpression digit(QStringLiteral("^KP_([0-9])$"));
    const QRegularExpressionMatch match = digit.match(name);
    if (!match.hasMatch())
        return {};
#ifdef QELT32_HAVE_XCB
    const std::uint32_t keysym = 0xFFB0 + match.captured(1).toUInt(); // XK_KP_0 + n
    xcb_connection_t* connection = xcb_connect(m_display.toLocal8Bit().constData(), nullptr);
    QString keycode;
    if (!xcb_connection_has_error(connection)) {
        const xcb_setup_t* setup = xcb_get_setup(connection);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        if (auto* reply = xcb_get_keyboard_mapping_reply(
                connection,
                xcb_get_keyboard_mapping(connection, setup->min_keycode, std::uint8_t(count)),
                nullptr)) {
            const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
            const int perCode = reply->keysyms_per_keycode;
            for (int i = 0; i < count * perCode && keycode.isEmpty(); ++i)
                if (syms[i] == keysym)
                    keycode = QString::number(setup->min_keycode + i / perCode);
            free(reply);
        }
    }
    xcb_disconnect(connection);
    return keycode;
#else
    return {};
#endif
}

bool CRealDisplay::Key(const QString& keys) {
    QStringList chords;
    for (const QString& chord : keys.split(' ', Qt::SkipEmptyParts)) {
        QStringList parts = chord.split('+');
        const QString keycode = KeypadKeycode(parts.last());
        if (!keycode.isEmpty())
            parts.last() = keycode;
        chords << parts.join('+');
    }
    return Xdotool(
        QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("30")} +
        chords);
}

bool CRealDisplay::Click(int x, int y, int button) {
    return Xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(x),
                    QString::number(y), QStringLiteral("click"), QString::number(button)});
}

bool CRealDisplay::NumLockOn() const {
#ifdef QELT32_HAVE_XCB
    xcb_connection_t* connection = xcb_connect(m_display.toLocal8Bit().constData(), nullptr);
    bool on = m_numLock;
    if (!xcb_connection_has_error(connection)) {
        if (auto* reply = xcb_get_keyboard_control_reply(
                connection, xcb_get_keyboard_control(connection), nullptr)) {
            on = reply->led_mask & 0x2; // the second keyboard light is Num Lock
            free(reply);
        }
    }
    xcb_disconnect(connection);
    return on;
#else
    return m_numLock;
#endif
}

bool CRealDisplay::SetNumLock(bool on) {
    if (NumLockOn() == on)
        return true;
    if (!Key(QStringLiteral("Num_Lock")))
        return false;
    m_numLock = on;
    return WaitUntil([&] { return NumLockOn() == on; }, 20s) ||
           Fail(QStringLiteral("Num Lock did not follow"));
}

bool CRealDisplay::Screenshot(const QString& path) const {
    QProcess import;
    return ChildProcess::RunBounded(import, QStringLiteral("import"),
                                    {QStringLiteral("-window"), QStringLiteral("root"), path},
                                    DisplayEnvironment(), kCommandTimeout) &&
           ChildProcess::Succeeded(import);
}

void CRealDisplay::SaveScreenshotOfFailure() const {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    QString folder = qEnvironmentVariable("QELT32_TEST_SHOTS");
    if (folder.isEmpty())
        folder = QDir::current().filePath(QStringLiteral("real-display-shots"));
    QDir().mkpath(folder);
    const QString path =
        QStringLiteral("%1/%2.%3.png")
            .arg(folder, test ? test->test_suite_name() : "test", test ? test->name() : "real");
    if (m_xvfb && m_xvfb->state() == QProcess::Running && Screenshot(path))
        std::fprintf(stderr, "The screen at the failure: %s\n", qPrintable(path));
    std::fprintf(stderr, "qelt32's output:\n%s\n",
                 qPrintable(Tail(m_dir.filePath(QStringLiteral("qelt32.log")), 30)));
}

QString CRealDisplay::LinkPath() const {
    return m_dir.filePath(QStringLiteral("monitor"));
}

QString CRealDisplay::ProgramOutput() const {
    QFile log(m_dir.filePath(QStringLiteral("qelt32.log")));
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

QString CRealDisplay::ProfileFile() const {
    return m_dir.filePath(QStringLiteral("config/VORKA/Vistrel Pro.ini"));
}
