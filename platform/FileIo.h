#pragma once

#include <QByteArray>
#include <QString>

// Whole-file reads and writes with the failures the user is told about kept apart.
enum class FileError {
    None,
    NotFound,          // no such file, or a path through a missing or non-folder
    AccessDenied,      // no permission, a read-only file or file system
    DiskFull,          // no space left, quota or file-size limit reached
    TooLarge,          // longer than the caller accepts
    FolderNotWritable, // the file may be written, but no new file can be made beside it
    Other,
};

// The one reader of files that come from outside the program. Opened without blocking and
// read only when a plain file (a pipe or a device gives Other, a folder NotFound); at most
// `maxBytes` are read and held, longer files give TooLarge and no bytes.
FileError ReadWholeFile(const QString& path, qsizetype maxBytes, QByteArray& bytes);

// Replaces the file at `path` with `bytes` so that it either holds the new bytes or is
// left exactly as it was: the bytes go to a temporary file in the same folder (one without a
// name while it is written, where the file system allows), are flushed to the disk and then
// renamed over the target. A symbolic link is written through to its
// target; an existing file keeps its permissions; a file marked read-only is refused.
FileError WriteFileAtomically(const QString& path, const QByteArray& bytes);

// The folder WriteFileAtomically writes in for `path` (a symbolic link's target's).
QString WriteFolder(const QString& path);
