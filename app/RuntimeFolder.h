#pragma once

#include <QString>

// True when `path` is a real folder (not a link to one) owned by this user that nobody
// else may enter; otherwise false with the reason.
bool IsPrivateFolder(const QString& path, QString* why);

// The folder for this user's instance socket: $XDG_RUNTIME_DIR when it is private, else
// <temp>/qelt32-<uid>, created with mode 0700 and checked the same way. Empty, with the
// reason, when neither is safe to use.
QString RuntimeFolder(QString* why);
