#pragma once

#include <QString>

// How the program speaks to the user: message boxes keyed by string-table id, and the
// beep. The GUI installs message boxes, the command-line tool prints to stderr, tests
// install a recorder. Everything that may tell the user something goes through here.
enum class MsgButtons { Ok, YesNoCancel };
enum class MsgResult { Ok, Yes, No, Cancel };
// What the user does about a start-up that found no monitor.
enum class NoMonitorChoice { End, Retry, Choose };

class IUserMessages {
public:
    virtual ~IUserMessages() = default;
    // Shows string `stringId`; "%1" in the text is replaced by `arg` when given.
    virtual MsgResult Show(int stringId, MsgButtons buttons = MsgButtons::Ok,
                           const QString& arg = QString()) = 0;
    virtual void Beep() = 0;
    // The no-monitor message at start-up with `reasons` (why each device tried gave none)
    // under it, offering another device or another try. A service that cannot offer them
    // shows the plain message, and the start-up ends.
    virtual NoMonitorChoice AskNoMonitor(const QString& reasons);
};

// The service in force. Starts as the stderr printer.
IUserMessages& UserMessages();
// Installs `service` (not owned); nullptr puts the stderr printer back.
void SetUserMessages(IUserMessages* service);

// The stderr printer, also used by qelt32ctl. Yes/No/Cancel questions answer Yes.
class CStderrMessages : public IUserMessages {
public:
    MsgResult Show(int stringId, MsgButtons buttons, const QString& arg) override;
    void Beep() override;
};

// While it lives, message `stringId` is shown at most once; every other message and beep
// passes on to the service it replaced. An operation made of many controller calls (a
// settings file's load) so reports one communication failure, not one per call.
class CShowOnce : public IUserMessages {
public:
    explicit CShowOnce(int stringId);
    ~CShowOnce() override;
    CShowOnce(const CShowOnce&) = delete;
    CShowOnce& operator=(const CShowOnce&) = delete;

    MsgResult Show(int stringId, MsgButtons buttons, const QString& arg) override;
    void Beep() override;

private:
    IUserMessages& m_previous;
    int m_nStringId;
    bool m_bShown = false;
};
