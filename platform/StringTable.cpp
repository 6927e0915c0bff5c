#include "platform/StringTable.h"

#include <QCoreApplication>


namespace {

struct Entry {
    int id;
    const char* text;
};

// English texts exactly as the program shows them. The application issue adds the rest.
const Entry kStrings[] = {
    {61206, QT_TRANSLATE_NOOP("StringTable",
                              "Monitor and the computer may not be connected correctly.\nPlease "
                              "check the connection of the maintenance cable referring to the "
                              "User*s Manual of the Vistrel Pro.")},
    {61207, QT_TRANSLATE_NOOP("StringTable", "Communication failure.\nPlease check connection of "
                                             "the maintenance cable. ")},
    {61228, QT_TRANSLATE_NOOP("StringTable",
                              "Vistrel Pro program can not be used with the LCD display.")},
};

const char* Find(int id) {
    for (const Entry& e : kStrings)
        if (e.id == id)
            return e.text;
    return nullptr;
}

} // namespace

QString LoadAppString(int id) {
    const char* text = Find(id);
    return text ? QCoreApplication::translate("StringTable", text) : QString();
}

QString LoadAppStringEnglish(int id) {
    const char* text = Find(id);
    return text ? QString::fromUtf8(text) : QString();
}
