#include "SimFrames.h"

#include "sim/SimMonitor.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace SimFrames;
using Bytes = std::vector<std::uint8_t>;

namespace {

SimProfile Named(const char* name) {
    return *SimProfile::ByName(QString::fromLatin1(name));
}

constexpr std::uint8_t kHSize = 0x1A;

// Reads a colour table the way the program does: address a gives W6 in its second byte,
// a+1..a+3 give W0/W1, W2/W3, W4/W5 as (second, first).
SimColorTable ReadTable(const CSimMonitor& m, std::uint16_t a) {
    SimColorTable w{};
    w[6] = m.Memory(a)[1];
    for (int k = 0; k < 3; ++k) {
        const auto cell = m.Memory(a + 1 + k);
        w[2 * k] = cell[1];
        w[2 * k + 1] = cell[0];
    }
    return w;
}

} // namespace

TEST(SimMonitorAnswers, IdentityByteForByte) {
    CSimMonitor m(Named("revC"));
    const Bytes expected = {0x55, 0x55, 0x50, 0x6E, 0x9D, 0xE1, 'C', 'C', '-', '0',
                            '2',  '1',  '0',  ' ',  'V',  'O',  'R', 'K', 'A', ' ',
                            ' ',  ' ',  'V',  'R',  '-',  '2',  '1', 'C', ' ', ' ',
                            0x04, 0xD5, 0x7E, 0x8B, 0x60, 0xAA, 0xAA};
    EXPECT_EQ(Ask(m, Request(0xF1)), expected);
}

TEST(SimMonitorAnswers, ItemQueryByteForByte) {
    CSimMonitor m(Named("revC"));
    m.SetValue(2, 112);
    // 55 55 6E 50 82 01 1A A7 AA AA asks for hsize.
    EXPECT_EQ(Query(kHSize), (Bytes{0x55, 0x55, 0x6E, 0x50, 0x82, 0x01, 0x1A, 0xA7, 0xAA, 0xAA}));
    EXPECT_EQ(Ask(m, Query(kHSize)), (Bytes{0x55, 0x55, 0x50, 0x6E, 0x88, 0x02, 0x00, 0x1A, 0x00,
                                            0x00, 0xFF, 0x00, 0x70, 0x21, 0xAA, 0xAA}));
}

TEST(SimMonitorAnswers, UnavailableAndUnknownItemsReportStatusOne) {
    CSimMonitor m(Named("revB"));
    EXPECT_EQ(ReplyData(Ask(m, Query(0xF8)), 0x02), (Bytes{1, 0xF8, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ReplyData(Ask(m, Query(0x77)), 0x02), (Bytes{1, 0x77, 0, 0, 0, 0, 0}));
    // The mode word is a full 16-bit item.
    EXPECT_EQ(ReplyData(Ask(m, Query(0xF0)), 0x02), (Bytes{0, 0xF0, 0, 0xFF, 0xFF, 0, 0}));
}

TEST(SimMonitorAnswers, TimingRevisionBInKilohertzRevisionCTimesHundred) {
    CSimMonitor b(Named("revB"));
    EXPECT_EQ(Ask(b, Request(0x07)), (Bytes{0x55, 0x55, 0x50, 0x6E, 0x85, 0x4E, 0x00, 0x44, 0x00,
                                            0x4B, 0xFA, 0xAA, 0xAA}));
    CSimMonitor c(Named("revC"));
    EXPECT_EQ(ReplyData(Ask(c, Request(0x07)), 0x4E),
              (Bytes{0x1A, 0xB8, 0x1D, 0x4C})); // 6840, 7500
}

TEST(SimMonitorAnswers, MemoryReplyEchoesAddress) {
    CSimMonitor m(Named("revC"));
    const Bytes reply = Ask(m, ReadMemory(0x0114));
    const auto cell = m.Memory(0x0114);
    EXPECT_EQ(ReplyData(reply, 0x5A), (Bytes{0x01, 0x14, cell[0], cell[1]}));
    EXPECT_EQ(cell, (std::array<std::uint8_t, 2>{0xFF, 0xFF})); // beyond the memory
}

TEST(SimMonitorMemory, RevisionBTablesAtSevenOrFifteen) {
    CSimMonitor at7(Named("revB"));
    EXPECT_EQ(ReplyData(Ask(at7, ReadMemory(0)), 0x5A), (Bytes{0, 0, 0x00, 0x00}));
    // Address 7 holds W6 of table A (subcon 190) in its second byte.
    EXPECT_EQ(ReplyData(Ask(at7, ReadMemory(7)), 0x5A)[3], 190);
    EXPECT_EQ(ReadTable(at7, 7), at7.Profile().tableA);
    EXPECT_EQ(ReadTable(at7, 11), at7.Profile().tableB);

    CSimMonitor at15(Named("revB15"));
    EXPECT_EQ(ReplyData(Ask(at15, ReadMemory(0)), 0x5A), (Bytes{0, 0, 0x5A, 0x5A}));
    EXPECT_EQ(ReadTable(at15, 15), at15.Profile().tableA);
    EXPECT_EQ(ReadTable(at15, 19), at15.Profile().tableB);
    EXPECT_NE(ReadTable(at15, 7), at15.Profile().tableA);
}

TEST(SimMonitorMemory, RevisionCTablesAndBreakpoints) {
    CSimMonitor m(Named("revC"));
    EXPECT_EQ(ReadTable(m, 8), m.Profile().tableA);
    EXPECT_EQ(ReadTable(m, 12), m.Profile().tableB);
    EXPECT_EQ(ReadTable(m, 16), m.Profile().tableC);
    for (int j = 0; j < 7; ++j) {
        const auto cell = m.Memory(20 + j);
        EXPECT_EQ(cell[1], m.Profile().breakpoints[2 * j]);
        EXPECT_EQ(cell[0], m.Profile().breakpoints[2 * j + 1]);
    }
}

TEST(SimMonitorSetValue, NeverAnsweredAppliedAndClampedToMaximum) {
    CSimMonitor m(Named("revC"));
    EXPECT_TRUE(Ask(m, SetValue(kHSize, 100)).empty());
    EXPECT_EQ(m.Value(2), 100);
    Ask(m, SetValue(0x88, 300)); // hmoire goes to 63 at most
    EXPECT_EQ(m.Value(18), 63);
    EXPECT_EQ(m.SetValueCount(2), 1);
    EXPECT_EQ(m.SetValueCount(18), 1);
    EXPECT_TRUE(m.NextDue() == std::nullopt);
}

TEST(SimMonitorSetValue, UnavailableUnknownAndDegauss) {
    CSimMonitor m(Named("revB"));
    const std::uint16_t before = m.Value(10);
    Ask(m, SetValue(0xBC, 5)); // item 10 is missing on this chassis
    EXPECT_EQ(m.Value(10), before);
    EXPECT_EQ(m.SetValueCount(10), 1);
    Ask(m, SetValue(0x77, 5)); // no such control: nothing happens
    Ask(m, SetValue(0x00, 0));
    Ask(m, SetValue(0x00, 0));
    EXPECT_EQ(m.DegaussCount(), 2);
}

TEST(SimMonitorSetValue, AutoSizeChangesGeometryWhereAvailable) {
    CSimMonitor c(Named("revC"));
    c.SetValue(2, 10);
    c.SetValue(3, 10);
    Ask(c, SetValue(0xF8, 0));
    EXPECT_EQ(c.AutoSizeCount(), 1);
    EXPECT_NE(c.Value(2), 10);
    EXPECT_EQ(c.Value(3), 127);
    EXPECT_EQ(c.Value(33), 0);

    CSimMonitor b(Named("revB"));
    b.SetValue(3, 10);
    Ask(b, SetValue(0xF8, 0));
    EXPECT_EQ(b.AutoSizeCount(), 0);
    EXPECT_EQ(b.Value(3), 10);
}

TEST(SimMonitorFraming, DamagedFramesIgnoredGoodOnesAnswered) {
    CSimMonitor m(Named("revC"));
    Bytes badSum = Query(kHSize);
    badSum[7] ^= 0x10;
    Bytes badTrailer = Query(kHSize);
    badTrailer[9] = 0xAB;
    Bytes badSync = Query(kHSize);
    badSync[2] = 0x50; // reply order of the sync bytes
    for (const Bytes& f : {badSum, badTrailer, badSync})
        EXPECT_TRUE(Ask(m, f).empty());
    const auto log = m.RequestLog();
    ASSERT_EQ(log.size(), 2u); // the bad sync is never recognised as a frame
    EXPECT_FALSE(log[0].accepted);
    EXPECT_FALSE(log[1].accepted);

    // A good frame right behind a damaged one, and one split over three writes.
    Bytes both = badSum;
    const Bytes good = Query(kHSize);
    both.insert(both.end(), good.begin(), good.end());
    EXPECT_FALSE(ReplyData(Ask(m, both), 0x02).empty());
    m.Feed(good.data(), 3);
    m.Feed(good.data() + 3, 4);
    EXPECT_TRUE(Drain(m).empty());
    m.Feed(good.data() + 7, 3);
    EXPECT_FALSE(ReplyData(Drain(m), 0x02).empty());
}

TEST(SimMonitorResets, EachCommandRestoresItsGroupOnly) {
    CSimMonitor m(Named("revC"));
    const SimProfile& p = m.Profile();
    auto scramble = [&m] {
        for (int i : {0, 2, 9, 16, 22, 26, 32})
            m.SetValue(i, 3);
        m.SetValue(30, 0x2000);
    };
    scramble();
    Ask(m, Request(0x0A));
    EXPECT_EQ(m.Value(2), p.items[2].factory);
    EXPECT_EQ(m.Value(9), p.items[9].factory);
    EXPECT_EQ(m.Value(16), 3);
    EXPECT_EQ(m.Value(0), 3);

    Ask(m, Request(0x50));
    EXPECT_EQ(m.Value(16), p.items[16].factory);
    EXPECT_EQ(m.Value(22), p.items[22].factory);
    EXPECT_EQ(m.Value(26), 3);

    Ask(m, Request(0x0B));
    EXPECT_EQ(m.Value(26), m.ColorForStep(53)[0]); // Mode 1 leaves the factory at 9300 K
    EXPECT_EQ(m.Value(34), 11);
    EXPECT_EQ(m.ModeWord() & 0x2000, 0);
    EXPECT_EQ(m.Value(0), 3);

    scramble();
    Ask(m, Request(0x09));
    for (int i : {0, 2, 9, 16, 22, 32})
        EXPECT_EQ(m.Value(i), p.items[i].factory) << i;
    EXPECT_EQ(m.ModeWord(), 0);
    for (std::uint8_t c : {0x09, 0x0A, 0x50, 0x0B})
        EXPECT_EQ(m.ResetCount(c), 1);
}

TEST(SimMonitorResets, StoreKeepsCurrentAdjustment) {
    CSimMonitor m(Named("revC"));
    const std::uint16_t factory = m.Stored(2);
    Ask(m, SetValue(kHSize, 99));
    EXPECT_EQ(m.Stored(2), factory);
    EXPECT_TRUE(Ask(m, Request(0x0C)).empty());
    EXPECT_EQ(m.Stored(2), 99);
    EXPECT_EQ(m.StoreCount(), 1);
}

TEST(SimMonitorColor, ModesKeepTheirOwnColours) {
    CSimMonitor m(Named("revC"));
    Ask(m, SetValue(0x0A, 77)); // rgain in Mode 1
    Ask(m, SetValue(0xF2, 1));
    EXPECT_EQ(m.Value(31), 1);
    EXPECT_EQ(m.Value(26), m.ColorForStep(25)[0]); // Mode 2: 6500 K
    EXPECT_EQ(m.Value(34), 5);
    Ask(m, SetValue(0xF2, 0));
    EXPECT_EQ(m.Value(26), 77);
    Ask(m, SetValue(0xF2, 9)); // beyond the last mode: Mode 3
    EXPECT_EQ(m.Value(31), 2);
}

TEST(SimMonitorColor, PresetsReproduceTheTableInterpolation) {
    CSimMonitor m(Named("revC"));
    const SimProfile& p = m.Profile();
    EXPECT_EQ(m.ColorForStep(0), p.tableA);
    EXPECT_EQ(m.ColorForStep(25), p.tableB);
    EXPECT_EQ(m.ColorForStep(60), p.tableC);
    for (int preset = 0; preset < 14; ++preset) {
        Ask(m, SetValue(0xFA, preset));
        const SimColorTable expected = m.ColorForStep(kPresetSteps[preset]);
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(m.Value(kColorOrder[i]), expected[i]) << "preset " << preset;
    }
    // Step 52 lies two thirds of the way from 9000 K to 9300 K: positions 60 and 66 give
    // 64, so red gain = 220 + (160 - 220) / 80 * 64 = 172.
    EXPECT_EQ(m.ColorForStep(52)[0], 172);
    // Between 4000 K and 6500 K the colours move monotonically from A towards B.
    for (int s = 1; s <= 25; ++s)
        EXPECT_LE(m.ColorForStep(s)[0], m.ColorForStep(s - 1)[0]);
}

TEST(SimMonitorColor, RevisionBBlendsBetweenItsTwoTables) {
    CSimMonitor m(Named("revB"));
    const SimProfile& p = m.Profile();
    EXPECT_EQ(m.ColorForStep(0), p.tableB);
    EXPECT_EQ(m.ColorForStep(6), p.tableA);
    // Red gain, step 3: 240 + (200 - 240) / 6 * 3 = 220.
    EXPECT_EQ(m.ColorForStep(3)[0], 220);
    EXPECT_EQ(m.Value(26), p.tableA[0]); // factory Mode 1: 9300 K
}

TEST(SimMonitorPanel, KeyReportsTheAppliedValue) {
    CSimMonitor m(Named("revC"));
    EXPECT_TRUE(m.PanelChange(0, 400)); // brightness, clamped to 255
    EXPECT_EQ(m.Value(0), 255);
    EXPECT_EQ(ReplyData(Drain(m), 0x58), (Bytes{0x02, 0x00, 0xFF}));
    EXPECT_TRUE(m.PanelChange(31, 1)); // colour mode: colours follow
    EXPECT_EQ(m.Value(26), m.ColorForStep(25)[0]);
    EXPECT_EQ(ReplyData(Drain(m), 0x58), (Bytes{0xF2, 0x00, 0x01}));
    EXPECT_FALSE(m.PanelChange(11, 3)); // not on this chassis
    EXPECT_FALSE(m.PanelChange(35, 3));
    EXPECT_TRUE(Drain(m).empty());
}

TEST(SimMonitorPanel, TimingChangeSendsTimingThenStatus) {
    CSimMonitor m(Named("revC"));
    m.TimingChange(4840, 6000, 1);
    const auto chunks = m.TakeOutput();
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(ReplyData(chunks[0].bytes, 0x4E), (Bytes{0x12, 0xE8, 0x17, 0x70}));
    EXPECT_EQ(ReplyData(chunks[1].bytes, 0x6D), (Bytes{0x01}));
    EXPECT_EQ(ReplyData(Ask(m, Request(0x07)), 0x4E), (Bytes{0x12, 0xE8, 0x17, 0x70}));
}

TEST(SimProfiles, EveryNameLoadsWithItsIdentity) {
    QSet<std::uint32_t> serials;
    for (const QString& name : SimProfile::Names()) {
        const auto p = SimProfile::ByName(name);
        ASSERT_TRUE(p) << name.toStdString();
        EXPECT_EQ(p->field2.size(), 7);
        EXPECT_EQ(p->maker.size(), 8);
        EXPECT_EQ(p->model.size(), 8);
        serials.insert(p->serial);
    }
    EXPECT_EQ(serials.size(), SimProfile::Names().size());
    EXPECT_FALSE(SimProfile::ByName("revD"));
    EXPECT_EQ(Named("tr5513").model, "TR-5513 ");
    EXPECT_TRUE(Named("lcd").model.contains("LQ"));
    EXPECT_FALSE(Named("foreign").maker.contains("VORKA"));
    EXPECT_TRUE(Named("layout2").items[11].available);
    EXPECT_FALSE(Named("revC").items[11].available);
}
