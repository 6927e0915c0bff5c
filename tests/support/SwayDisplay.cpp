#include "SwayDisplay.h"

#include "ChildProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

constexpr auto kStartTimeout = 20s;
constexpr auto kCommandTimeout = 20s;

QString BinDir() {
    return qEnvironmentVariable("QELT32_BIN_DIR");
}

constexpr char kPointerTool[] = "qelt32-test-pointer";
constexpr char kHideGlobalsTool[] = "qelt32-test-hide-globals";

// The tests' own programs sit beside the test binaries.
QString TestTool(const char* name) {
    return QDir(BinDir() + QStringLiteral("/../tests")).filePath(QLatin1String(name));
}

void Collect(const QJsonObject& node, QList<QJsonObject>& out) {
    out << node;
    for (const char* children : {"nodes", "floating_nodes"})
        for (const QJsonValue& child : node.value(QLatin1String(children)).toArray())
            Collect(child.toObject(), out);
}

} // namespace

CSwayDisplay::CSwayDisplay(Options options) : m_options(std::move(options)) {}

CSwayDisplay::~CSwayDisplay() {
    if (::testing::Test::HasFailure()) {
        QStringList windows;
        for (const QJsonObject& window : Windows(QStringLiteral(".*")))
            windows << QStringLiteral("\"%1\" fullscreen %2 focused %3 at %4,%5 %6x%7")
                           .arg(window.value("name").toString())
                           .arg(window.value("fullscreen_mode").toInt())
                           .arg(window.value("focused").toBool())
                           .arg(window.value("rect")["x"].toInt())
                           .arg(window.value("rect")["y"].toInt())
                           .arg(window.value("rect")["width"].toInt())
                           .arg(window.value("rect")["height"].toInt());
        std::fprintf(stderr, "qelt32's windows in sway:\n%s\nqelt32's output:\n%s\n",
                     qPrintable(windows.join('\n')),
                     qPrintable(ChildProcess::Tail(m_dir.filePath("qelt32.log"), 30)));
    }
    ChildProcess::Stop(m_program.get());
    ChildProcess::Stop(m_hideGlobals.get());
    ChildProcess::Stop(m_pointer.get());
    ChildProcess::Stop(m_sway.get());
}

QString CSwayDisplay::MissingTools() {
    QStringList missing;
    for (const QString& tool :
         {QStringLiteral("sway"), QStringLiteral("swaymsg"), QStringLiteral("wtype")})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            missing << tool;
    for (const char* tool : {kPointerTool, kHideGlobalsTool})
        if (!QFileInfo::exists(TestTool(tool)))
            missing << QLatin1String(tool) + QStringLiteral(" (built with the Wayland packages)");
    return missing.join(QStringLiteral(", "));
}

bool CSwayDisplay::Fail(const QString& reason) {
    m_error = reason;
    return false;
}

QProcessEnvironment CSwayDisplay::Environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtimeDir);
    // sway names its display socket itself, wayland-1 in a folder of its own.
    const QStringList displays =
        QDir(m_runtimeDir).entryList({QStringLiteral("wayland-*")}, QDir::System);
    for (const QString& name : displays)
        if (!name.endsWith(QLatin1String(".lock")))
            env.insert(QStringLiteral("WAYLAND_DISPLAY"), name);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("LANGUAGE"), QStringLiteral("en"));
    if (m_options.accessibility)
        env.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    const QStringList sockets =
        QDir(m_runtimeDir).entryList({QStringLiteral("sway-ipc.*.sock")}, QDir::System);
    if (!sockets.isEmpty())
        env.insert(QStringLiteral("SWAYSOCK"), QDir(m_runtimeDir).filePath(sockets.first()));
    return env;
}

QProcessEnvironment CSwayDisplay::ClientEnvironment() const {
    // The compositor's folder belongs to its own user, so Qt and our single-instance socket
    // would not take it as this user's runtime folder and would fall back to one shared by
    // every test running beside this one, where a second qelt32 hands its start over to
    // another test's program and ends. The program gets a folder of its own and reaches
    // the display by its full path.
    QProcessEnvironment env = Environment();
    const QString runtime = m_dir.filePath(QStringLiteral("program-run"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (env.contains(QStringLiteral("WAYLAND_DISPLAY")))
        env.insert(QStringLiteral("WAYLAND_DISPLAY"),
                   QDir(m_runtimeDir).filePath(env.value(QStringLiteral("WAYLAND_DISPLAY"))));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    return env;
}

std::unique_ptr<QProcess> CSwayDisplay::Spawn(const QString& program, const QStringList& arguments,
                                              const QProcessEnvironment& env, bool readOutput) {
    const QString log = m_dir.filePath(QFileInfo(program).fileName() + QStringLiteral(".log"));
    return ChildProcess::Start(program, arguments, env, log, readOutput, &m_error);
}

bool CSwayDisplay::StartTool(const char* name, const QStringList& arguments,
                             std::unique_ptr<QProcess>& process, QByteArray& output) {
    process = Spawn(TestTool(name), arguments, ClientEnvironment(), true);
    QByteArray line;
    if (!process || !ChildProcess::ReadLine(*process, output, &line, kStartTimeout) ||
        line != "ready")
        return Fail(QStringLiteral("%1 did not start: %2")
                        .arg(QLatin1String(name),
                             ChildProcess::Tail(
                                 m_dir.filePath(QLatin1String(name) + QStringLiteral(".log")), 5)));
    return true;
}

bool CSwayDisplay::StartCompositor() {
    if (!m_dir.isValid())
        return Fail(QStringLiteral("no temporary folder"));
    // A folder of the compositor's user for its sockets, and its configuration: one output
    // of the asked size and scale, no bar, nothing started, pointer locks allowed.
    m_runtimeDir = m_dir.filePath(QStringLiteral("run"));
    QDir().mkpath(m_runtimeDir);
    const QString config = m_dir.filePath(QStringLiteral("sway.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(QStringLiteral("cannot write %1").arg(config));
    // sway lets a client lock the pointer only where a seat is configured to allow it; a
    // session may refuse it, as a compositor without the lock does.
    file.write(m_options.pointerLocks ? "seat * pointer_constraint enable\n"
                                      : "seat * pointer_constraint disable\n");
    file.write(QStringLiteral("output HEADLESS-1 resolution %1x%2 scale %3\n")
                   .arg(m_options.output.width())
                   .arg(m_options.output.height())
                   .arg(m_options.scale)
                   .toUtf8());
    file.close();
    QStringList command = {QStringLiteral("sway"), QStringLiteral("--config"), config};
    if (::geteuid() == 0) {
        const passwd* nobody = ::getpwnam("nobody");
        if (!nobody)
            return Fail(QStringLiteral("sway cannot run as root and there is no user nobody"));
        const QByteArray dir = QFile::encodeName(m_runtimeDir);
        if (::chown(dir.constData(), nobody->pw_uid, nobody->pw_gid) != 0 ||
            ::chmod(QFile::encodeName(m_dir.path()).constData(), 0711) != 0)
            return Fail(QStringLiteral("cannot hand %1 to nobody").arg(m_runtimeDir));
        QFile::setPermissions(config, QFileDevice::ReadOwner | QFileDevice::ReadOther |
                                          QFileDevice::WriteOwner);
        command =
            QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=%1").arg(nobody->pw_uid),
                        QStringLiteral("--regid=%1").arg(nobody->pw_gid),
                        QStringLiteral("--clear-groups")} +
            command;
    }
    QFile::setPermissions(m_runtimeDir,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment env = Environment();
    env.insert(QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless"));
    env.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman"));
    env.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
    env.insert(QStringLiteral("HOME"), m_runtimeDir);
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("SWAYSOCK"));
    m_sway = ChildProcess::Start(command.first(), command.mid(1), env,
                                 m_dir.filePath(QStringLiteral("sway.log")), false, &m_error);
    const bool up =
        m_sway && CRealDisplay::WaitUntil(
                      [&] {
                          return m_sway->state() == QProcess::Running &&
                                 Environment().contains(QStringLiteral("SWAYSOCK")) &&
                                 Environment().contains(QStringLiteral("WAYLAND_DISPLAY"));
                      },
                      kStartTimeout);
    if (!up)
        return Fail(QStringLiteral("sway did not start: %1")
                        .arg(ChildProcess::Tail(m_dir.filePath("sway.log"), 8)));
    m_swayStarted = true;
    return true;
}

bool CSwayDisplay::Start() {
    if (!m_swayStarted && !StartCompositor())
        return false;
    if (!m_sim.StartSimulator())
        return Fail(m_sim.Error());
    return StartPointer();
}

bool CSwayDisplay::StartPointer() {
    return StartTool(kPointerTool, {}, m_pointer, m_pointerOutput);
}

bool CSwayDisplay::StartProgram(const QStringList& arguments) {
    QProcessEnvironment env = ClientEnvironment();
    if (!m_options.hiddenGlobals.isEmpty()) {
        // The program reaches sway through a display that hides these protocols from it.
        const QString socket = m_dir.filePath(QStringLiteral("hidden-globals"));
        if (!StartTool(kHideGlobalsTool,
                       QStringList{socket, env.value(QStringLiteral("WAYLAND_DISPLAY"))} +
                           m_options.hiddenGlobals,
                       m_hideGlobals, m_hideGlobalsOutput))
            return false;
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), socket);
    }
    m_program = Spawn(
        BinDir() + QStringLiteral("/qelt32"),
        QStringList{QStringLiteral("--port"), m_sim.LinkPath(), QStringLiteral("--no-splash")} +
            arguments,
        env);
    if (!m_program)
        return false;
    // Ready for keys once sway has given it the keyboard.
    const auto focused = [&] {
        const QList<QJsonObject> windows = Windows(QStringLiteral("^Vistrel Pro -"));
        return !windows.isEmpty() && windows.first().value("focused").toBool();
    };
    if (!CRealDisplay::WaitUntil(focused, kStartTimeout))
        return Fail(QStringLiteral("no window of qelt32 appeared; its output:\n%1")
                        .arg(ChildProcess::Tail(m_dir.filePath("qelt32.log"), 20)));
    return true;
}

QString CSwayDisplay::SwayMsg(const QStringList& arguments) {
    QProcess swaymsg;
    if (!ChildProcess::RunBounded(swaymsg, QStringLiteral("swaymsg"), arguments, Environment(),
                                  kCommandTimeout))
        return {};
    return QString::fromUtf8(swaymsg.readAllStandardOutput());
}

QList<QJsonObject> CSwayDisplay::Windows(const QString& title) {
    const QJsonObject tree =
        QJsonDocument::fromJson(
            SwayMsg({QStringLiteral("-t"), QStringLiteral("get_tree")}).toUtf8())
            .object();
    QList<QJsonObject> nodes, found;
    Collect(tree, nodes);
    const QRegularExpression match(title);
    // sway knows a client by the process at the other end of its socket.
    const QProcess* client = m_hideGlobals ? m_hideGlobals.get() : m_program.get();
    const qint64 pid = client ? client->processId() : -1;
    for (const QJsonObject& node : nodes)
        if (node.value("pid").toInteger() == pid && node.value("visible").toBool() &&
            match.match(node.value("name").toString()).hasMatch())
            found << node;
    return found;
}

QString CSwayDisplay::ProfileFile() const {
    return m_dir.filePath(QStringLiteral("config/VORKA/Vistrel Pro.ini"));
}

bool CSwayDisplay::Pointer(const QString& command) {
    if (!m_pointer || m_pointer->state() != QProcess::Running)
        return Fail(QStringLiteral("the virtual pointer is not running"));
    m_pointer->write((command + '\n').toUtf8());
    m_pointer->waitForBytesWritten(2000);
    QByteArray answer;
    if (!ChildProcess::ReadLine(*m_pointer, m_pointerOutput, &answer, kCommandTimeout) ||
        answer != "ok")
        return Fail(QStringLiteral("the virtual pointer did not take \"%1\"").arg(command));
    return true;
}

bool CSwayDisplay::Key(const QString& key, const QStringList& modifiers) {
    // Each wtype is a new keyboard: its keymap reaches the program only a moment after it
    // starts, and keys sent before that are dropped (most of them, on a busy machine).
    QStringList arguments = {QStringLiteral("-s"), QStringLiteral("150")};
    for (const QString& modifier : modifiers)
        arguments << QStringLiteral("-M") << modifier;
    for (const QString& name : key.split(' ', Qt::SkipEmptyParts))
        arguments << QStringLiteral("-k") << name;
    for (const QString& modifier : modifiers)
        arguments << QStringLiteral("-m") << modifier;
    QProcess wtype;
    if (!ChildProcess::RunBounded(wtype, QStringLiteral("wtype"), arguments, Environment(),
                                  kCommandTimeout))
        return Fail(QStringLiteral("wtype %1 did not end").arg(arguments.join(' ')));
    return ChildProcess::Succeeded(wtype);
}
