#include "platform/PrivateProfile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

CPrivateProfile Ini(const char* text) {
    return CPrivateProfile::FromBytes(QByteArray(text));
}

TEST(PrivateProfile, NamesCompareWithoutCaseAndSpacesAroundThem) {
    const CPrivateProfile ini = Ini("[ Data ]\r\n  HSize =  120  \r\nvpos=7\n");
    EXPECT_EQ(ini.GetString("data", "hsize", "x", 64), "120");
    EXPECT_EQ(ini.GetInt("DATA", "VPOS", -1), 7);
}

TEST(PrivateProfile, FirstSectionAndFirstKeyWin) {
    const CPrivateProfile ini = Ini("[data]\nfh=68\nfh=70\n[DATA]\nfh=99\nfv=85\n");
    EXPECT_EQ(ini.GetInt("data", "fh", 0), 68);
    // Only the first section of a name is searched.
    EXPECT_EQ(ini.GetInt("data", "fv", -1), -1);
}

TEST(PrivateProfile, AbsentKeysGiveTheDefaultWithoutTrailingBlanks) {
    const CPrivateProfile ini = Ini("fh=1\n[flag]\nscreen=1\n");
    EXPECT_EQ(ini.GetString("data", "serial", "-1  ", 48), "-1");
    EXPECT_EQ(ini.GetInt("flag", "color", 5), 5);
    // Keys before the first section belong to none.
    EXPECT_EQ(ini.GetInt("", "fh", 9), 9);
    EXPECT_FALSE(ini.HasKey("data", "serial"));
    EXPECT_TRUE(ini.HasKey("FLAG", "Screen"));
}

TEST(PrivateProfile, ResultIsCutToTheBuffer) {
    const CPrivateProfile ini = Ini("[s]\nk=abcdefgh\n");
    EXPECT_EQ(ini.GetString("s", "k", "", 4), "abc");
    EXPECT_EQ(ini.GetString("s", "absent", "defaults", 5), "defa");
    EXPECT_EQ(ini.GetString("s", "k", "", 1), "");
    EXPECT_EQ(ini.GetString("s", "k", "", 0), "");
}

TEST(PrivateProfile, QuotesCommentsAndOddLines) {
    const CPrivateProfile ini =
        Ini("; comment\n[s]\nq=\"quoted value\"\nr='x'\nhalf=\"open\nbare\n[broken\nk=a=b\n");
    EXPECT_EQ(ini.GetString("s", "q", "", 64), "quoted value");
    EXPECT_EQ(ini.GetString("s", "r", "", 64), "x");
    EXPECT_EQ(ini.GetString("s", "half", "", 64), "\"open");
    EXPECT_TRUE(ini.HasKey("s", "bare"));
    EXPECT_EQ(ini.GetString("s", "bare", "d", 64), "");
    // A header without its bracket starts no section; the value keeps later '=' signs.
    EXPECT_EQ(ini.GetString("s", "k", "", 64), "a=b");
}

TEST(PrivateProfile, HeadersEndAtTheirLastBracket) {
    const CPrivateProfile ini =
        Ini("[]\n=empty\n[ a ] b ]x\nk=1\n[q]\n\"\"\n'\n k =\"\n[c]d\nk='\"\n");
    EXPECT_EQ(ini.GetString("", "", "", 64), "empty");
    EXPECT_EQ(ini.GetInt("a ] b", "k", 0), 1);
    EXPECT_TRUE(ini.HasKey("q", "\"\""));
    EXPECT_TRUE(ini.HasKey("q", "'"));
    EXPECT_EQ(ini.GetString("q", "k", "d", 64), "\""); // one quote is no pair
    EXPECT_FALSE(ini.HasSection("c]d"));
    EXPECT_EQ(ini.GetString("c", "k", "", 64), "'\""); // quotes that do not match stay
}

TEST(PrivateProfile, IntegersAreLeadingDecimalNumbers) {
    const CPrivateProfile ini = Ini("[n]\na=42abc\nb=-17\nc=+5\nd=abc\ne=\nf=4294967297\ng=0x10\n");
    EXPECT_EQ(ini.GetInt("n", "a", 0), 42);
    EXPECT_EQ(ini.GetInt("n", "b", 0), -17);
    EXPECT_EQ(ini.GetInt("n", "c", 0), 5);
    EXPECT_EQ(ini.GetInt("n", "d", 3), 0);
    EXPECT_EQ(ini.GetInt("n", "e", 3), 3); // an empty value counts as absent
    EXPECT_EQ(ini.GetInt("n", "f", 0), 1); // wraps at 32 bits
    EXPECT_EQ(ini.GetInt("n", "g", 0), 0);
}

TEST(PrivateProfile, ByteOrderMarksAndEncodings) {
    EXPECT_EQ(CPrivateProfile::FromBytes("\xEF\xBB\xBF[s]\nk=1\n").GetInt("s", "k", 0), 1);
    const QByteArray utf16("\xFF\xFE[\0s\0]\0\n\0k\0=\0\x32\0", 16);
    EXPECT_EQ(CPrivateProfile::FromBytes(utf16).GetInt("s", "k", 0), 2);
    // Not UTF-8: read as Latin-1 rather than lost.
    EXPECT_EQ(CPrivateProfile::FromBytes("[s]\nk=\xE9t\xE9\n").GetString("s", "k", "", 9),
              QString::fromLatin1("\xE9t\xE9"));
}

TEST(PrivateProfile, CopiesKeepTheirTextWhenTheOriginalIsGone) {
    // Lines end in CR, LF or both; a copy and a moved-to profile still read after the
    // profile they came from is gone.
    auto ini = std::make_unique<CPrivateProfile>(Ini("[a]\rk= 'v1' \r\n[b]\nk=2\n"));
    const CPrivateProfile copy = *ini;
    CPrivateProfile moved = std::move(*ini);
    ini.reset();
    EXPECT_EQ(copy.GetString("A", "K", "", 64), "v1");
    EXPECT_EQ(moved.GetInt("b", "k", 0), 2);
    moved = Ini("[c]\nk=3\n");
    EXPECT_EQ(moved.GetInt("c", "k", 0), 3);
    EXPECT_FALSE(moved.HasSection("a"));
    EXPECT_EQ(copy.GetInt("b", "k", 0), 2);
}

TEST(PrivateProfile, FileFunctionsReadThePath) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Display.ini");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[TR-4427]\ncoef=3\n");
    file.close();
    EXPECT_EQ(GetPrivateProfileInt("tr-4427", "COEF", 0, path), 3);
    EXPECT_EQ(GetPrivateProfileString("TR-4427", "coef", "", 2, path), "3");
    EXPECT_EQ(GetPrivateProfileInt("TR-4427", "coef", 8, dir.filePath("missing.ini")), 8);
}

} // namespace
