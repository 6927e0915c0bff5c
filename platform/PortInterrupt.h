#pragma once

// A request, for the whole process, to stop talking to monitors at once (qelt32ctl on
// Ctrl+C): once made, every wait of a port ends and no further byte is written, so that the
// command in progress fails fast and the program can say what it did and give the port
// back. It can be made from a signal handler.
namespace PortInterrupt {
// Makes the descriptor; call before a signal handler may call Request().
void Prepare();
// Async-signal-safe.
void Request();
bool Requested();
// Readable once requested (for poll()); -1 before Prepare().
int Descriptor();
// Takes the request back (tests that interrupt in-process).
void ClearForTests();
} // namespace PortInterrupt
