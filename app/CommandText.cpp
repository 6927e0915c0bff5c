#include "app/CommandText.h"

#include "platform/StringTable.h"

QString CommandPrompt(int id) {
    return LoadAppString(id).section('\n', 0, 0);
}

QString CommandToolTip(int id) {
    const QString text = LoadAppString(id);
    const qsizetype newline = text.indexOf('\n');
    return newline < 0 ? QString() : text.mid(newline + 1);
}
