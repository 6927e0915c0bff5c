#pragma once

#include <QList>
#include <QProcess>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <functional>
#include <memory>

// The built qelt32 on a virtual X server (Xvfb), talking to the built qelt32-sim through its
// --link path, with input sent by xdotool through the X server's own input path. The program
// gets a private profile folder (XDG_CONFIG_HOME) and the simulator's console stays open for
// commands. Every process runs in its own process group and is ended when this object goes;
// if the test has failed by then, a picture of the screen is saved first.
//
//     TEST(Something, ThroughTheRealDisplay) {
//         QELT32_SKIP_WITHOUT_REAL_DISPLAY(false);
//         CRealDisplay display;
//         ASSERT_TRUE(display.Start()) << display.Error();
//         ASSERT_TRUE(display.StartProgram()) << display.Error();
//         display.Key("KP_6");
//         EXPECT_EQ(display.SimValue("hpos"), ...);
//     }
class CRealDisplay {
public:
    struct Options {
        QSize screen{1024, 768};
        bool windowManager = false; // openbox, where stacking or focus matters
        QString simProfile = QStringLiteral("revC");
        bool simPaced = false;                   // 9600-baud line time, as a real cable
        QString language = QStringLiteral("en"); // the programs' language: en, de, fr, ja
        bool accessibility = false; // Qt's bridge to a screen reader on the session bus
        // RandR monitors laid over the X screen (needs the window manager): several
        // screens side by side, the first the primary.
        QList<QRect> monitors{};
        // More of the programs' environment ("QT_SCALE_FACTOR=2", ...).
        QStringList environment{};
    };

    CRealDisplay() : CRealDisplay(Options{}) {}
    explicit CRealDisplay(Options options);
    ~CRealDisplay();
    CRealDisplay(const CRealDisplay&) = delete;
    CRealDisplay& operator=(const CRealDisplay&) = delete;

    // Names the programs that are not installed (Xvfb, xdotool, openbox), or empty.
    static QString MissingTools(bool windowManager);

    // Starts the X server (and window manager) and the simulator; false with Error() set.
    bool Start();
    // Starts the simulator alone (for a harness that brings its own display server).
    bool StartSimulator();
    // Runs a program on the display to its end; false (with Error() set) when it failed.
    bool Run(const QString& program, const QStringList& arguments);
    // Starts qelt32 --port <link> --no-splash `arguments` and waits until a visible window
    // of it whose title contains `title` is mapped; that window becomes Window() and gets
    // the keyboard focus.
    bool StartProgram(const QStringList& arguments = {},
                      const QString& title = QStringLiteral("Vistrel Pro"));
    // Starts qelt32 with exactly these arguments (for runs that choose their monitor
    // themselves, such as --simulate), and waits for its window as StartProgram does.
    bool Launch(const QStringList& arguments, const QString& title = QStringLiteral("Vistrel Pro"));
    // Runs one more qelt32 --port <link> `arguments` beside the program, as a user's second
    // start, and waits for it to end; its exit status, or -1 when it did not end in time.
    int RunAnotherStart(const QStringList& arguments,
                        std::chrono::milliseconds timeout = std::chrono::seconds(30));
    // Sends the program a signal (SIGTERM, SIGHUP, ...).
    bool SignalProgram(int signalNumber);
    // Ends the X server under the running programs, as a logout may.
    void StopDisplayServer();
    // Waits for the program to end by itself; its exit status, or -1 at the deadline.
    int WaitForProgramEnd(std::chrono::milliseconds timeout = std::chrono::seconds(20));

    // The answer lines of one simulator console command ("get hpos", "key bright 80", ...).
    QStringList SimCommand(const QString& line);
    // The current value of a simulator item, or -1 when it cannot be read.
    int SimValue(const QString& item);
    // The value the monitor keeps in its memory for an item, -1 when it gives none.
    int SimStored(const QString& item);
    // A second simulated monitor of `profile` behind SecondLinkPath(), for runs that move
    // to another device; its console takes the same commands as the first one's.
    bool StartSecondMonitor(const QString& profile);
    QStringList SecondSimCommand(const QString& line);
    int SecondSimValue(const QString& item);
    QString SecondLinkPath() const;
    // Runs qelt32ctl --port <link> `arguments` with the program's profile; false (with
    // Error() set) when it failed. The port is taken exclusively: not while the program runs.
    bool RunCtl(const QStringList& arguments, QString* output = nullptr);

    // Runs xdotool with these arguments on the display; false when it failed.
    bool Xdotool(const QStringList& arguments, QString* output = nullptr);
    // The visible windows whose title matches the regular expression `title`.
    QStringList VisibleWindows(const QString& title);
    // Gives a window the keyboard focus (activates it under the window manager).
    bool Focus(const QString& window);
    // Presses keys through the X server's input path, to whatever has the focus
    // (xdotool key syntax: "KP_6", "alt+KP_8", "6"). The keypad digits KP_0..KP_9 are
    // pressed as those physical keys: with Num Lock off they give the keypad's arrows.
    bool Key(const QString& keys);
    // Clicks a mouse button at a screen position.
    bool Click(int x, int y, int button = 1);
    // Turns the keyboard's Num Lock on or off; false when the X server's light disagrees.
    bool SetNumLock(bool on);
    bool NumLockOn() const;

    // Polls `condition` until it holds; false at the deadline.
    static bool WaitUntil(const std::function<bool()>& condition,
                          std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Waits until the simulator's item has this value.
    bool WaitForSimValue(const QString& item, int value,
                         std::chrono::milliseconds timeout = std::chrono::seconds(10));

    bool Screenshot(const QString& path) const;

    QString Window() const { return m_window; }
    QString DisplayName() const { return m_display; }
    QString LinkPath() const;
    // The program's profile file ([Settings] com=..., the recent files, ...).
    QString ProfileFile() const;
    // What the program has written to its standard error and output so far.
    QString ProgramOutput() const;
    QProcess& Program() { return *m_program; }
    QString Error() const { return m_error; }

private:
    // Starts a helper process on the display; its output goes to a log file unless it is
    // read here (`readOutput`).
    std::unique_ptr<QProcess> Spawn(const QString& program, const QStringList& arguments,
                                    bool readOutput = false);
    bool Fail(const QString& reason);
    // This process's environment with the display's name, for the X tools.
    QProcessEnvironment DisplayEnvironment() const;
    bool SetMonitors();
    QString KeypadKeycode(const QString& name) const;
    // One console command to a simulator whose output is gathered in `output`.
    QStringList Command(QProcess* sim, QByteArray& output, const QString& line);
    // The value in a simulator's answer to "get ITEM", -1 when there is none.
    static int ValueOf(const QStringList& answer);
    void SaveScreenshotOfFailure() const;

    Options m_options;
    QTemporaryDir m_dir;
    QString m_display;
    QString m_window;
    QString m_error;
    // Ended in the reverse order: program, simulator, window manager, X server.
    std::unique_ptr<QProcess> m_xvfb, m_windowManager, m_sim, m_secondSim, m_program;
    QByteArray m_simOutput, m_secondSimOutput;
    int m_markers = 0;
    bool m_numLock = false; // a fresh X server starts with it off
};

// Skips the current test when the programs a real-display test needs are missing.
#define QELT32_SKIP_WITHOUT_REAL_DISPLAY(windowManager)                                            \
    do {                                                                                           \
        const QString missing = CRealDisplay::MissingTools(windowManager);                         \
        if (!missing.isEmpty())                                                                    \
            GTEST_SKIP() << "not installed: " << missing.toStdString();                            \
    } while (false)
