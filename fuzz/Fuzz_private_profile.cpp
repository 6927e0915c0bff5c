// Feeds arbitrary bytes to the private-profile reader that reads Display.ini and the text
// settings form, and asks it what those readers ask. Checks what the reader promises for
// any text: a result never longer than its buffer less one, an absent key giving the
// default, numbers read from the string a key holds, names compared without case, and a
// first section that whatever follows it cannot change.
#include "platform/PrivateProfile.h"

#include <cstdlib>
#include <utility>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// A name as the program asks for it, and in another case: both must find the same. Made
// once, so that the lookups allocate nothing of their own.
struct CName {
    explicit CName(const char* text)
        : asked(QLatin1String(text)),
          otherCase(asked.isLower() ? asked.toUpper() : asked.toLower()) {}
    QString asked, otherCase;
};

// One lookup, checked against the other ways of asking the same.
void Ask(const CPrivateProfile& ini, const CName& sectionName, const CName& keyName) {
    static const QString fallback = QStringLiteral("err  ");
    const QString &section = sectionName.asked, &key = keyName.asked;
    const bool present = ini.HasKey(section, key);
    Check(present == ini.HasKey(sectionName.otherCase, keyName.otherCase));
    const QString whole = ini.GetString(section, key, fallback, 1 << 20);
    const QString cut = ini.GetString(section, key, fallback, 16);
    Check(cut.size() <= 15 && whole.startsWith(cut));
    Check(ini.GetString(section, key, fallback, 0).isEmpty());
    if (!present) {
        Check(whole == QLatin1String("err") && ini.GetInt(section, key, -7) == -7);
        return;
    }
    Check(ini.GetInt(section, key, -7) == (whole.isEmpty() ? -7 : ParseProfileInt(whole)));
}

// What the combination loader and the text settings form ask.
const CName kTube("TR-4427"), kData("data"), kFlag("flag");
const std::pair<const CName&, CName> kLookups[] = {{kTube, CName("HSIZE,HPOS")},
                                                   {kTube, CName("VSIZE,VPOS")},
                                                   {kTube, CName("TRAPE,PARALLE")},
                                                   {kTube, CName("SIDE,PINBALA")},
                                                   {kTube, CName("PINTOP,PINTOPBALA")},
                                                   {kTube, CName("PINBOTTOM,PINBOTTOMBALA")},
                                                   {kTube, CName("VLINEARBALA,VPOS")},
                                                   {kTube, CName("VLINEAR,VSIZE")},
                                                   {kData, CName("serial")},
                                                   {kData, CName("hsize")},
                                                   {kFlag, CName("color")}};
const CName kKnownSection("Q"), kKnownKey("k");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const CPrivateProfile ini = CPrivateProfile::FromBytes(bytes);
    for (const auto& [section, key] : kLookups)
        Ask(ini, section, key);

    // The first section of a name, and its first key, win.
    const CPrivateProfile known = CPrivateProfile::FromBytes("[Q]\n k = ' 1x '\n" + bytes);
    Check(known.GetString(kKnownSection.otherCase, kKnownKey.otherCase, QString(), 64) ==
          QLatin1String(" 1x "));
    Check(known.GetInt(kKnownSection.asked, kKnownKey.asked, 0) == 0);
    Ask(known, kKnownSection, kLookups[0].second);
    return 0;
}
