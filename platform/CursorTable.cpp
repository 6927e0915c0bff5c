#include "platform/CursorTable.h"

#include "platform/ProgramFolder.h"

#include <QDir>

#include <utility>

namespace {

template <size_t... Kind>
std::array<CursorTableEntry, kCursorFileCount> EmptyTable(std::index_sequence<Kind...>) {
    return {{{kCursorFileNames[Kind], {}}...}};
}

} // namespace

std::array<CursorTableEntry, kCursorFileCount> g_cursorTable =
    EmptyTable(std::make_index_sequence<kCursorFileCount>());

bool LoadCursorsFrom(const QString& cursorFolder) {
    for (CursorTableEntry& entry : g_cursorTable)
        entry.cursor = CAnimatedCursor();
    const QDir folder(cursorFolder);
    for (CursorTableEntry& entry : g_cursorTable) {
        QString error;
        std::optional<CAnimatedCursor> cursor =
            CAnimatedCursor::FromFile(folder.filePath(QString::fromLatin1(entry.fileName)), &error);
        if (!cursor) {
            qWarning("cursor %s: %s", entry.fileName, qPrintable(error));
            return false;
        }
        entry.cursor = std::move(*cursor);
    }
    return true;
}

bool LoadCursors() {
    return LoadCursorsFrom(ProgramFolder() + QStringLiteral("cursor"));
}
