#pragma once

#include "RealDisplay.h"

#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QSize>
#include <QTemporaryDir>

#include <memory>

// The built qelt32 as a Wayland client of a headless sway session, against the built
// qelt32-sim (through a CRealDisplay that runs only the simulator). Input goes through the
// compositor's own input path: the pointer is a virtual pointer device
// (qelt32-test-pointer), the keys come from wtype. sway refuses to run as root, so as root
// it runs as the unprivileged user "nobody". Every process is ended when this object goes.
class CSwayDisplay {
public:
    struct Options {
        QSize output{1280, 1024};
        QString scale = QStringLiteral("1"); // the output's scale factor
        bool pointerLocks = true;            // the seat lets clients lock the pointer
        bool accessibility = false;          // the program speaks to a screen reader
        QStringList hiddenGlobals;           // protocols the program is not told of
    };

    CSwayDisplay() : CSwayDisplay(Options{}) {}
    explicit CSwayDisplay(Options options);
    ~CSwayDisplay();
    CSwayDisplay(const CSwayDisplay&) = delete;
    CSwayDisplay& operator=(const CSwayDisplay&) = delete;

    // Whether the seat will let clients lock the pointer (before StartCompositor).
    void SetPointerLocks(bool allowed) { m_options.pointerLocks = allowed; }
    // Protocols of sway that the program is not told of, as if sway had none of them
    // (before StartProgram).
    void HideGlobals(const QStringList& interfaces) { m_options.hiddenGlobals = interfaces; }
    // The output's scale factor (before StartCompositor).
    void SetScale(int scale) { m_options.scale = QString::number(scale); }

    // Names the programs that are not installed, or empty.
    static QString MissingTools();

    // Starts sway; false with Error() set. SwayStarted() tells whether sway itself ran,
    // so that a test can tell a machine where it cannot run from a fault of ours.
    bool StartCompositor();
    bool SwayStarted() const { return m_swayStarted; }
    // Starts the simulator and the virtual pointer.
    bool Start();
    // Starts the virtual pointer alone (for a client of this session that brings its own
    // monitor).
    bool StartPointer();
    // The environment of a Wayland client of this session: a runtime folder of its own and
    // the display by its full path.
    QProcessEnvironment ClientEnvironment() const;
    // Starts qelt32 --port <link> --no-splash on Wayland and waits for its main window.
    bool StartProgram(const QStringList& arguments = {});

    // The program's visible windows whose title matches the regular expression `title`, as
    // sway's tree has them ("name", "fullscreen_mode", "rect", "focused", ...).
    QList<QJsonObject> Windows(const QString& title);
    // Runs swaymsg with these arguments; its output.
    QString SwayMsg(const QStringList& arguments);
    // One command of the virtual pointer: "abs X Y W H" (a place in a layout of W x H),
    // "rel DX DY", "press", "release",
    // "click", "rclick".
    bool Pointer(const QString& command);
    // Presses a key with modifiers held, as wtype names them ("Escape", "s" with {"alt"}),
    // or keys one after the other ("Down Down Return") from the same keyboard: a popup menu
    // closes when the keyboard that drives it goes.
    bool Key(const QString& key, const QStringList& modifiers = {});

    // The running program's process id, 0 before it starts.
    qint64 ProgramPid() const { return m_program ? m_program->processId() : 0; }
    // Whether the program will speak to a screen reader over AT-SPI, as if one ran
    // (before StartProgram).
    void SetAccessibility(bool on) { m_options.accessibility = on; }
    CRealDisplay& Sim() { return m_sim; }
    // The program's profile file, to be written before it starts.
    QString ProfileFile() const;
    QString Error() const { return m_error; }

private:
    std::unique_ptr<QProcess> Spawn(const QString& program, const QStringList& arguments,
                                    const QProcessEnvironment& env, bool readOutput = false);
    // Starts one of the tests' own programs (`name`), which says "ready" once it serves.
    bool StartTool(const char* name, const QStringList& arguments,
                   std::unique_ptr<QProcess>& process, QByteArray& output);
    QProcessEnvironment Environment() const;
    bool Fail(const QString& reason);

    Options m_options;
    QTemporaryDir m_dir;
    QString m_runtimeDir;
    QString m_error;
    bool m_swayStarted = false;
    CRealDisplay m_sim;
    // Ended in the reverse order: program, its filtered display, pointer, compositor.
    std::unique_ptr<QProcess> m_sway, m_pointer, m_hideGlobals, m_program;
    QByteArray m_pointerOutput, m_hideGlobalsOutput;
};

// Skips the current test when the programs a Wayland test needs are missing.
#define QELT32_SKIP_WITHOUT_SWAY()                                                                 \
    do {                                                                                           \
        const QString missing = CSwayDisplay::MissingTools();                                      \
        if (!missing.isEmpty())                                                                    \
            GTEST_SKIP() << "not installed: " << missing.toStdString();                            \
    } while (false)
