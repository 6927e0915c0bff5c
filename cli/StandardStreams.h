#pragma once

#include <QByteArray>
#include <QString>

// "-" in place of a file name: standard input to read from, standard output to write to.
namespace StandardStreams {

inline bool IsStream(const QString& path) {
    return path == QLatin1String("-");
}

// Reads standard input to its end, at most `maxBytes`. False, with a one-line reason,
// when it cannot be read, holds nothing or holds more than `maxBytes`.
bool ReadInput(qsizetype maxBytes, QByteArray& bytes, QString* error);

// Writes `bytes` to standard output in full, past the stdio buffer (which must be empty).
// False, with a one-line reason, when they did not all arrive (a full disk, a closed
// stream, a pipe nobody reads).
bool WriteOutput(const QByteArray& bytes, QString* error);

// Whether standard output is a terminal, where binary data does not belong.
bool OutputIsTerminal();

} // namespace StandardStreams
