#include "platform/UserMessages.h"

#include "platform/StringTable.h"

#include <cstdio>

namespace {
CStderrMessages g_stderrMessages;
IUserMessages* g_userMessages = &g_stderrMessages;
} // namespace

IUserMessages& UserMessages() { return *g_userMessages; }

void SetUserMessages(IUserMessages* service) {
    g_userMessages = service ? service : &g_stderrMessages;
}

MsgResult CStderrMessages::Show(int stringId, MsgButtons buttons, const QString& arg) {
    QString text = LoadAppString(stringId);
    if (!arg.isNull())
        text = text.arg(arg);
    std::fprintf(stderr, "%s\n", qPrintable(text.simplified()));
    return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Yes;
}

void CStderrMessages::Beep() {}
