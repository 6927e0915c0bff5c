#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <optional>
#include <sys/types.h>

// How a second start of the program talks to the first one of the same user on the same
// display: a local socket in the user's runtime folder, one request per connection, one
// line of answer.
//
// Request: the 8 bytes "Q32OPEN1", the length of the path (4 bytes, big-endian, at most
// kMaxPathBytes), then the absolute path in UTF-8. An empty path only asks the running
// instance to show its window. Answer: "ok\n" (taken over) or "refused\n" (no such file,
// or not a plain file). Anything else is dropped without an answer.
namespace InstanceChannel {

constexpr qsizetype kHeaderBytes = 12;
constexpr quint32 kMaxPathBytes = 4096;
constexpr qsizetype kMaxRequestBytes = kHeaderBytes + kMaxPathBytes;
inline constexpr char kAccepted[] = "ok\n";
inline constexpr char kRefused[] = "refused\n";

// "qelt32-" and the display ($WAYLAND_DISPLAY, else $DISPLAY) with anything but letters,
// digits, '-' and '.' made '_'; "qelt32" without a display.
QString InstanceName();
// <folder>/<InstanceName()>.socket and .lock
QString SocketPath(const QString& folder);
QString LockPath(const QString& folder);

QByteArray EncodeRequest(const QString& path);

enum class Parse { NeedMore, Complete, Malformed };
// Looks at the bytes received so far. Complete sets `path`; Malformed for a wrong header,
// an oversized or not-UTF-8 path, a path with a NUL, or bytes beyond the request.
Parse DecodeRequest(const QByteArray& bytes, QString& path);

// The user id of the process at the other end of a connected local socket.
std::optional<uid_t> PeerUid(qintptr socketDescriptor);

// True when `path` is a socket that belongs to this user.
bool IsOwnSocket(const QString& path);

enum class HandOverResult { Accepted, Refused, NoAnswer };
// Hands `path` (made absolute here; empty to only show the window) to the instance
// listening in `folder`. Waits at most `timeout` in all. Never connects to a socket of
// another user, and gives up on a peer that is not this user.
HandOverResult HandOver(const QString& folder, const QString& path,
                        std::chrono::milliseconds timeout);

} // namespace InstanceChannel
