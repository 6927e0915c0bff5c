#include "platform/UserMessages.h"

#include "platform/StringTable.h"

#include <cstdio>

namespace {
CStderrMessages g_stderrMessages;
IUserMessages* g_userMessages = &g_stderrMessages;
} // namespace

IUserMessages& UserMessages() {
    return *g_userMessages;
}

void SetUserMessages(IUserMessages* service) {
    g_userMessages = service ? service : &g_stderrMessages;
}

NoMonitorChoice IUserMessages::AskNoMonitor(const QString&) {
    Show(Str::NoMonitor);
    return NoMonitorChoice::End;
}

MsgResult CStderrMessages::Show(int stringId, MsgButtons buttons, const QString& arg) {
    QString text = LoadAppString(stringId);
    if (!arg.isNull())
        text = text.arg(arg);
    std::fprintf(stderr, "%s\n", qPrintable(text.simplified()));
    return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Yes;
}

void CStderrMessages::Beep() {}

CShowOnce::CShowOnce(int stringId) : m_previous(UserMessages()), m_nStringId(stringId) {
    SetUserMessages(this);
}

CShowOnce::~CShowOnce() {
    SetUserMessages(&m_previous);
}

MsgResult CShowOnce::Show(int stringId, MsgButtons buttons, const QString& arg) {
    if (stringId == m_nStringId) {
        if (m_bShown)
            return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Yes;
        m_bShown = true;
    }
    return m_previous.Show(stringId, buttons, arg);
}

void CShowOnce::Beep() {
    m_previous.Beep();
}
