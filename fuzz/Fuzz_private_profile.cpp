// Feeds arbitrary bytes to the private-profile reader that reads Display.ini and the text
// settings form, and asks it what those readers ask. Checks what the reader promises for
// any text: a result never longer than its buffer less one, an absent key giving the
// default, numbers read from the string a key holds, names compared without case, and a
// first section that whatever follows it cannot change.
#include "platform/PrivateProfile.h"

#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// One lookup, checked against the other ways of asking the same.
void Ask(const CPrivateProfile& ini, const QString& section, const QString& key) {
    const QString fallback = QStringLiteral("err  ");
    const bool present = ini.HasKey(section, key);
    Check(present == ini.HasKey(section.toLower(), key.toUpper()));
    const QString whole = ini.GetString(section, key, fallback, 1 << 20);
    const QString cut = ini.GetString(section, key, fallback, 16);
    Check(cut.size() <= 15 && whole.startsWith(cut));
    Check(ini.GetString(section, key, fallback, 0).isEmpty());
    if (!present) {
        Check(whole == QStringLiteral("err") && ini.GetInt(section, key, -7) == -7);
        return;
    }
    Check(ini.GetInt(section, key, -7) == (whole.isEmpty() ? -7 : ParseProfileInt(whole)));
}

// What the combination loader and the text settings form ask.
const char* const kLookups[][2] = {{"TR-4427", "HSIZE,HPOS"},
                                   {"TR-4427", "VSIZE,VPOS"},
                                   {"TR-4427", "TRAPE,PARALLE"},
                                   {"TR-4427", "SIDE,PINBALA"},
                                   {"TR-4427", "PINTOP,PINTOPBALA"},
                                   {"TR-4427", "PINBOTTOM,PINBOTTOMBALA"},
                                   {"TR-4427", "VLINEARBALA,VPOS"},
                                   {"TR-4427", "VLINEAR,VSIZE"},
                                   {"data", "serial"},
                                   {"data", "hsize"},
                                   {"flag", "color"}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const CPrivateProfile ini = CPrivateProfile::FromBytes(bytes);
    for (const auto& lookup : kLookups)
        Ask(ini, QLatin1String(lookup[0]), QLatin1String(lookup[1]));

    // The first section of a name, and its first key, win.
    const CPrivateProfile known = CPrivateProfile::FromBytes("[Q]\n k = ' 1x '\n" + bytes);
    Check(known.GetString(QStringLiteral("q"), QStringLiteral("K"), QString(), 64) ==
          QStringLiteral(" 1x "));
    Check(known.GetInt(QStringLiteral("Q"), QStringLiteral("k"), 0) == 0);
    Ask(known, QStringLiteral("q"), QStringLiteral("HSIZE,HPOS"));
    return 0;
}
