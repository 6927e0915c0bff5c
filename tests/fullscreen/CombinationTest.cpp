#include "fullscreen/Combination.h"

#include "LoopbackMonitor.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

using Coef = std::array<double, 16>;

constexpr const char* kAllKeys = "HSIZE,HPOS=1.0,0.5\n"
                                 "VSIZE,VPOS=1.5,0.25\n"
                                 "TRAPE,PARALLE=2,0.5\n"
                                 "SIDE,PINBALA=1,0.25\n"
                                 "PINTOP,PINTOPBALA=1,0.5\n"
                                 "PINBOTTOM,PINBOTTOMBALA=1.5,0.75\n"
                                 "VLINEARBALA,VPOS=2,1\n"
                                 "VLINEAR,VSIZE=4,-1\n";

// A program folder with the combination files in it.
class CombinationFiles : public ::testing::Test {
protected:
    void Write(const QString& name, const QByteArray& text) {
        QFile file(QDir(m_dir.path()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    // Loads for model "VR-21C" with the given items unavailable, from a starting array
    // of 7s, so untouched entries show.
    bool Load(std::set<int> unavailable = {}) {
        coef.fill(7.0);
        return LoadCombinationFile(
            m_dir.path(), "VR-21C", [&](int item) { return !unavailable.contains(item); }, coef);
    }
    static QByteArray Section(const char* keys, const char* model = "VR-21C") {
        return QByteArray("[") + model + "]\n" + keys;
    }

    QTemporaryDir m_dir;
    Coef coef{};
};

} // namespace

TEST_F(CombinationFiles, ReadsEveryKeyAndNormalisesTheLinearityRatios) {
    Write("Display.ini", "; comment\n[Other]\nHSIZE,HPOS=9,9\n" + Section(kAllKeys));
    ASSERT_TRUE(Load());
    const Coef expected = {1.0, 0.5, 1.5, 0.25, 2.0, 0.5, 1.0, 0.25,
                           1.0, 0.5, 1.5, 0.75, 1.0, 0.5, 1.0, -0.25};
    EXPECT_EQ(coef, expected);
}

TEST_F(CombinationFiles, FallsBackToDisplay1WhenDisplayLacksTheModel) {
    Write("Display.ini", Section("HSIZE,HPOS=9,9\n", "TR-4427"));
    Write("Display1.ini", Section(kAllKeys));
    ASSERT_TRUE(Load());
    EXPECT_EQ(coef[0], 1.0);
    EXPECT_EQ(coef[15], -0.25);
}

TEST_F(CombinationFiles, FallsBackWhenDisplayIsMissingOrSaysErr) {
    Write("Display1.ini", Section(kAllKeys));
    EXPECT_TRUE(Load());
    // A value that is literally "err" counts as missing, so Display1.ini is read.
    Write("Display.ini", Section("HSIZE,HPOS=err\n"));
    EXPECT_TRUE(Load());
    EXPECT_EQ(coef[1], 0.5);
}

TEST_F(CombinationFiles, NoFileKnowsTheModel) {
    EXPECT_FALSE(Load());
    Write("Display.ini", Section(kAllKeys, "VR-17B"));
    Write("Display1.ini", Section("VSIZE,VPOS=1,1\n")); // the section, but not the first key
    EXPECT_FALSE(Load());
    for (double k : coef)
        EXPECT_EQ(k, 7.0); // nothing read
}

TEST_F(CombinationFiles, ALaterMissingKeyFailsWithoutFallingBack) {
    // Display.ini has the model but not "SIDE,PINBALA"; Display1.ini is complete.
    Write("Display.ini", Section("HSIZE,HPOS=1,0.5\nVSIZE,VPOS=1,0.5\nTRAPE,PARALLE=1,2\n"
                                 "PINBOTTOM,PINBOTTOMBALA=1,1\nVLINEARBALA,VPOS=1,1\n"
                                 "VLINEAR,VSIZE=1,1\n"));
    Write("Display1.ini", Section(kAllKeys));
    EXPECT_FALSE(Load());
    // The pairs before the failure stay; the rest is untouched.
    EXPECT_EQ(coef[0], 1.0);
    EXPECT_EQ(coef[5], 2.0);
    EXPECT_EQ(coef[6], 7.0);
    EXPECT_EQ(coef[15], 7.0);
    // Without the pin balance item the key is not needed (nor pin top's without pin top).
    EXPECT_TRUE(Load({8, 11}));
    EXPECT_EQ(coef[6], 7.0);
    EXPECT_EQ(coef[7], 7.0);
}

TEST_F(CombinationFiles, GatedKeysMayBeAbsent) {
    Write("Display.ini", Section("HSIZE,HPOS=1,0.5\n"));
    // Only HSIZE,HPOS is needed when no other gating item exists; even it is skipped in
    // the loop without hsize, but the model is still recognised by it.
    EXPECT_TRUE(Load({4, 8, 9, 10, 11, 14, 15}));
    EXPECT_EQ(coef[0], 1.0);
    EXPECT_EQ(coef[2], 7.0);
    EXPECT_TRUE(Load({2, 4, 8, 9, 10, 11, 14, 15}));
    EXPECT_EQ(coef[0], 7.0);
    EXPECT_FALSE(Load({4, 8, 9, 11, 14, 15})); // pin bottom (10) is there, its key is not
}

TEST_F(CombinationFiles, ValueWithoutCommaOrCutBeforeTheComma) {
    Write("Display.ini", Section("HSIZE,HPOS=1.5\n"));
    EXPECT_FALSE(Load());
    // At most 15 characters are read: the comma at position 16 is never seen.
    Write("Display.ini", Section("HSIZE,HPOS=1.0000000000000000,5\n"));
    EXPECT_FALSE(Load({4, 8, 9, 10, 11, 14, 15}));
    // A long second number is simply cut.
    Write("Display.ini", Section("HSIZE,HPOS=1.5,0.123456789012345678\n"));
    EXPECT_TRUE(Load({4, 8, 9, 10, 11, 14, 15}));
    EXPECT_EQ(coef[0], 1.5);
    EXPECT_EQ(coef[1], 0.1234567890);
}

TEST_F(CombinationFiles, NumbersParseLikeTheCLibrary) {
    struct Case {
        const char* value;
        double first, second;
    };
    const Case cases[] = {
        {"1.5,-0.25", 1.5, -0.25}, {"abc,1", 0.0, 1.0}, {" 2 ,\t+3", 2.0, 3.0},
        {"1e1,2E-1", 10.0, 0.2},   {"1e,5x", 1.0, 5.0}, {".5,5.", 0.5, 5.0},
        {",", 0.0, 0.0},           {"-,-.", 0.0, 0.0},  {"0x10,inf", 0.0, 0.0},
        {"nan,1e999", 0.0, 0.0},   {"1,2,3", 1.0, 2.0}, {"'1,2'", 1.0, 2.0},
    };
    for (const Case& c : cases) {
        Write("Display.ini", Section((QByteArray("HSIZE,HPOS=") + c.value + "\n").constData()));
        ASSERT_TRUE(Load({4, 8, 9, 10, 11, 14, 15})) << c.value;
        EXPECT_EQ(coef[0], c.first) << c.value;
        EXPECT_EQ(coef[1], c.second) << c.value;
    }
}

TEST(ParseLeadingNumber, Forms) {
    EXPECT_EQ(ParseLeadingNumber(u"  -12.5e-1xyz"), -1.25);
    EXPECT_EQ(ParseLeadingNumber(u"+7"), 7.0);
    EXPECT_EQ(ParseLeadingNumber(u"1e+"), 1.0);
    EXPECT_EQ(ParseLeadingNumber(u"3.e2"), 300.0);
    EXPECT_EQ(ParseLeadingNumber(u"."), 0.0);
    EXPECT_EQ(ParseLeadingNumber(u"+-1"), 0.0);
    EXPECT_EQ(ParseLeadingNumber(u""), 0.0);
    EXPECT_EQ(ParseLeadingNumber(u"INFINITY"), 0.0);
    EXPECT_EQ(ParseLeadingNumber(u"1e400"), 0.0);
    EXPECT_EQ(ParseLeadingNumber(u"\u0661"), 0.0); // digits of other scripts are not digits
    EXPECT_EQ(ParseLeadingNumber(u"00000000000000000000000000000000000001.5"), 1.5);
}

TEST_F(CombinationFiles, LinearityRatios) {
    // 2,1 -> 1.0 and 0.5; 0,1 stays 0.0 and 1.0.
    Write("Display.ini", Section("HSIZE,HPOS=1,1\nVLINEARBALA,VPOS=2,1\nVLINEAR,VSIZE=0,1\n"));
    ASSERT_TRUE(Load({4, 8, 9, 10, 11}));
    EXPECT_EQ(coef[12], 1.0);
    EXPECT_EQ(coef[13], 0.5);
    EXPECT_EQ(coef[14], 0.0);
    EXPECT_EQ(coef[15], 1.0);
    // Ratios only after a complete load: failing at the key after it, the linearity
    // balance pair stays as the file gave it (the dialog then moves vpos by 1 per step).
    Write("Display.ini", Section("HSIZE,HPOS=1,1\nVLINEARBALA,VPOS=-4,1\n"));
    EXPECT_FALSE(Load({4, 8, 9, 10, 11}));
    EXPECT_EQ(coef[12], -4.0);
    EXPECT_EQ(coef[13], 1.0);
    EXPECT_EQ(coef[14], 7.0);
    // Coefficients and ratios beyond any item's range are bounded, so that a step times a
    // coefficient always fits an int.
    Write("Display.ini", Section("HSIZE,HPOS=-1e9,1e9\nVLINEARBALA,VPOS=1e-300,1e300\n"
                                 "VLINEAR,VSIZE=-0.001,100"));
    EXPECT_TRUE(Load({4, 8, 9, 10, 11}));
    EXPECT_EQ(coef[0], -32767.0);
    EXPECT_EQ(coef[1], 32767.0);
    EXPECT_EQ(coef[13], 32767.0);
    EXPECT_EQ(coef[15], -32767.0);
}

TEST_F(CombinationFiles, FileNameCaseAsCopiedFromTheDisk) {
    Write("DISPLAY1.INI", Section(kAllKeys));
    EXPECT_TRUE(Load());
    EXPECT_EQ(coef[2], 1.5);
}

TEST_F(CombinationFiles, SectionNamesIgnoreCaseAndBlanks) {
    Write("Display.ini", "[ vr-21c ]\nhsize,hpos = 3,4\n");
    EXPECT_TRUE(Load({4, 8, 9, 10, 11, 14, 15}));
    EXPECT_EQ(coef[0], 3.0);
}

TEST_F(CombinationFiles, MalformedFilesFailCleanly) {
    const QByteArray longLine(100000, '1');
    static const char kJunk[] = "\0\xff\xfe[VR-21C]\0HSIZE,HPOS=1,1";
    const QByteArray cases[] = {
        "HSIZE,HPOS=1,1\n",                        // keys outside any section
        "[VR-21C\nHSIZE,HPOS=1,1\n",               // unclosed header
        "[VR-21C]\nHSIZE,HPOS\n",                  // key without value
        "[VR-21C]\nHSIZE,HPOS=\n",                 // empty value
        "[VR-21C]\nHSIZE,HPOS=" + longLine + "\n", // far longer than the buffer
        "[VR-21C]" + longLine,                     // header with a tail
        QByteArray(kJunk, sizeof kJunk - 1),       // binary junk
        QByteArray(1 << 20, '\0'),
    };
    for (const QByteArray& text : cases) {
        Write("Display.ini", text);
        EXPECT_FALSE(Load()) << text.left(40).toStdString();
    }
}

TEST_F(CombinationFiles, ADirectoryInPlaceOfTheFile) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("Display.ini"));
    Write("Display1.ini", Section(kAllKeys));
    EXPECT_TRUE(Load());
}

TEST_F(CombinationFiles, RandomBytesNeverCrash) {
    QRandomGenerator random(20261209);
    int loaded = 0;
    for (int round = 0; round < 300; ++round) {
        QByteArray text = Section("HSIZE,HPOS=");
        const int length = int(random.bounded(400));
        for (int i = 0; i < length; ++i) {
            // Mostly characters that matter to the reader and the number parser.
            static const char kAlphabet[] = "[]=,;.eE+-0123456789 \t\r\nHSIZEPOVLNABerr\0\xff";
            text += random.bounded(4) == 0 ? char(random.bounded(256))
                                           : kAlphabet[random.bounded(int(sizeof(kAlphabet)) - 1)];
        }
        Write("Display.ini", text);
        Write("Display1.ini", text.mid(int(random.bounded(text.size() + 1))));
        if (Load())
            ++loaded;
        for (double k : coef)
            EXPECT_TRUE(std::isfinite(k));
    }
    SUCCEED() << loaded << " of 300 loaded";
}

// The sample Display.ini that ships with the program knows every monitor the program can
// drive, with every key the monitor's items call for.
TEST(ShippedDisplayIni, LoadsForEverySimulatedModel) {
    int driven = 0;
    for (const QString& name : SimProfile::Names()) {
        CLoopbackMonitor rig(*SimProfile::ByName(name), "loop:combo-" + name);
        if (!rig.ReadAsAtStartUp()) {
            // Flat panels and other makers' monitors end start-up before any window.
            EXPECT_TRUE(name == "lcd" || name == "foreign") << name.toStdString();
            continue;
        }
        ++driven;
        Coef coef{};
        const CMonitor& monitor = rig.monitor;
        EXPECT_TRUE(LoadCombinationFile(
            QELT32_TEST_DESKTOP_DIR, monitor.GetModelName(),
            [&](int item) { return monitor.IsAvailable(item); }, coef))
            << name.toStdString() << " as " << monitor.GetModelName().toStdString();
        EXPECT_NE(coef[0], 0.0) << name.toStdString();
        EXPECT_EQ(coef[12], 1.0) << name.toStdString();
    }
    EXPECT_EQ(driven, 7);
}
