#include "cli/CliMessages.h"

#include "cli/TerminalText.h"
#include "platform/PortInterrupt.h"
#include "platform/StringTable.h"

#include <cstdio>

MsgResult CCliMessages::Show(int stringId, MsgButtons buttons, const QString& arg) {
    if (PortInterrupt::Requested()) // a stop makes every exchange fail: not the monitor's fault
        return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::No;
    QString text = LoadAppString(stringId);
    if (!arg.isNull())
        text = text.arg(arg);
    text = text.simplified();
    if (m_nShown == 0 || text != m_lastText)
        PrintError(text);
    m_lastText = text;
    ++m_nShown;
    if (stringId == Str::CommFailure)
        ++m_nFailures;
    // Nothing here asks questions of a terminal user; going ahead is the answer.
    return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Yes;
}

void PrintStopReport(const QString& text) {
    std::fprintf(stderr, "qelt32ctl: %s\n", qUtf8Printable(TerminalText::EscapeControls(text)));
    std::fflush(stderr);
}

void PrintError(const QString& text) {
    if (!PortInterrupt::Requested())
        PrintStopReport(text);
}
