#include "dialogs/MoireDlg.h"
#include "dialogs/FormBuilder.h"
#include "dialogs/TrackBar.h"
#include "dialogs/UpDown.h"

#include "FormChecks.h"
#include "NotifyRecorder.h"
#include "SimulatedMonitor.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

constexpr int kHMoire = 18, kVMoire = 19;
constexpr std::uint16_t kHBit = 0x0100, kVBit = 0x0200;
// The controls of the horizontal and the vertical row: heading, switch, slider, box, spin.
constexpr int kHRow[5] = {1043, 1000, 1003, 1152, 1153};
constexpr int kVRow[5] = {1044, 1001, 1004, 1154, 1155};

class MoireDlgTest : public ::testing::Test {
protected:
    // Starts a monitor of `profile` with the given switch bits and strengths, and opens
    // the dialog.
    void Open(const SimProfile& profile, std::uint16_t bits, int hStrength = 20,
              int vStrength = 30) {
        dialog.reset();
        m.reset(); // one simulated monitor at a time: the port map is shared
        m = std::make_unique<CSimulatedMonitor>(profile);
        m->sim.SetValue(Items::ModeWord, (m->sim.ModeWord() & ~(kHBit | kVBit)) | bits);
        m->sim.SetValue(kHMoire, hStrength);
        m->sim.SetValue(kVMoire, vStrength);
        ASSERT_TRUE(m->Start());
        dialog = std::make_unique<CMoireDlg>(m->monitor, &opener, nullptr);
        dialog->show();
    }
    void Open(const char* profile, std::uint16_t bits) {
        Open(CSimulatedMonitor::Profile(profile), bits);
    }
    QCheckBox* Switch(int id) const { return Control<QCheckBox>(dialog.get(), id); }
    QWidget* Widget(int id) const { return Control(dialog.get(), id); }
    CTrackBar* Slider(int id) const { return Control<CTrackBar>(dialog.get(), id); }
    // Slider, box and spin of a row all enabled (true) or all disabled (false).
    void ExpectRowEnabled(const int (&row)[5], bool enabled) const {
        for (int i = 2; i < 5; ++i)
            EXPECT_EQ(Widget(row[i])->isEnabled(), enabled) << row[i];
    }
    std::uint16_t Bits() const { return m->sim.ModeWord() & (kHBit | kVBit); }

    std::unique_ptr<CSimulatedMonitor> m;
    CNotifyRecorder opener;
    std::unique_ptr<CMoireDlg> dialog;
};

TEST_F(MoireDlgTest, OneSwitchShowsTheHorizontalBitAndSetsBoth) {
    Open("revC", kHBit);
    EXPECT_TRUE(Switch(1000)->isHidden());
    EXPECT_TRUE(Switch(1001)->isHidden());
    EXPECT_EQ(Switch(1000)->text(), "OK");
    ASSERT_FALSE(Switch(1006)->isHidden());
    EXPECT_TRUE(Switch(1006)->isChecked());
    ExpectRowEnabled(kHRow, true);
    ExpectRowEnabled(kVRow, true);

    Switch(1006)->click();
    EXPECT_EQ(Bits(), 0);
    ExpectRowEnabled(kHRow, false);
    ExpectRowEnabled(kVRow, false);
    Switch(1006)->click();
    EXPECT_EQ(Bits(), kHBit | kVBit);
    ExpectRowEnabled(kVRow, true);
    dialog->reject();
}

TEST_F(MoireDlgTest, RevisionBSwitchesEachDirectionOnItsOwn) {
    Open("revB", kVBit);
    EXPECT_TRUE(Switch(1006)->isHidden());
    EXPECT_EQ(Switch(1006)->text(), "OK");
    EXPECT_FALSE(Switch(1000)->isChecked());
    EXPECT_TRUE(Switch(1001)->isChecked());
    ExpectRowEnabled(kHRow, false);
    ExpectRowEnabled(kVRow, true);

    Switch(1000)->click();
    EXPECT_EQ(Bits(), kHBit | kVBit);
    ExpectRowEnabled(kHRow, true);
    Switch(1001)->click();
    EXPECT_EQ(Bits(), kHBit);
    ExpectRowEnabled(kVRow, false);
    ExpectRowEnabled(kHRow, true);
    dialog->reject();
}

TEST_F(MoireDlgTest, UnavailableItemDisablesItsWholeRow) {
    SimProfile profile = CSimulatedMonitor::Profile("revB");
    profile.items[kVMoire].available = false;
    Open(profile, kHBit | kVBit);
    for (int id : kVRow)
        EXPECT_FALSE(Widget(id)->isEnabled()) << id;
    for (int id : kHRow)
        EXPECT_TRUE(Widget(id)->isEnabled()) << id;
    // A mode-word change does not bring it back.
    m->PanelChange(Items::ModeWord, m->sim.ModeWord());
    ExpectRowEnabled(kVRow, false);
    dialog->reject();
}

TEST_F(MoireDlgTest, SingleSwitchLeavesTheBitOfAMissingDirectionAlone) {
    SimProfile profile = CSimulatedMonitor::Profile("revC");
    profile.items[kVMoire].available = false;
    Open(profile, 0);
    Switch(1006)->click();
    EXPECT_EQ(Bits(), kHBit);
    ExpectRowEnabled(kHRow, true);
    ExpectRowEnabled(kVRow, false);
    dialog->reject();
}

TEST_F(MoireDlgTest, DirectionThatIsOffOpensDisabledShowingItsStrength) {
    Open("revB", kHBit);
    ExpectRowEnabled(kVRow, false);
    EXPECT_EQ(Slider(1004)->value(), 30);
    EXPECT_EQ(Control<QLineEdit>(dialog.get(), 1154)->text(), "30");
    EXPECT_EQ(Slider(1003)->maximum(), 63);
    dialog->reject();
}

TEST_F(MoireDlgTest, StrengthsGoToTheMonitorFromSliderAndSpin) {
    Open("revC", kHBit);
    Slider(1003)->setValue(41);
    EXPECT_EQ(m->sim.Value(kHMoire), 41);
    EXPECT_EQ(Control<QLineEdit>(dialog.get(), 1152)->text(), "41");
    Control<CUpDown>(dialog.get(), 1155)->Step(-1);
    EXPECT_EQ(m->sim.Value(kVMoire), 29);
    EXPECT_EQ(Slider(1004)->value(), 29);
    // Switching off keeps the strength.
    Switch(1006)->click();
    EXPECT_EQ(m->sim.Value(kHMoire), 41);
    dialog->reject();
}

TEST_F(MoireDlgTest, CancelAfterSwitchingOffRestoresBitsAndStrengths) {
    Open("revC", kHBit | kVBit);
    Slider(1003)->setValue(50);
    Slider(1004)->setValue(10);
    Switch(1006)->click();
    ASSERT_EQ(Bits(), 0);
    dialog->reject();
    EXPECT_EQ(Bits(), kHBit | kVBit);
    EXPECT_EQ(m->sim.Value(kHMoire), 20);
    EXPECT_EQ(m->sim.Value(kVMoire), 30);
    EXPECT_EQ(m->monitor.GetNotifyWindow(), &opener);
}

TEST_F(MoireDlgTest, RevisionBCancelPutsBackEachBit) {
    Open("revB", kHBit);
    Switch(1000)->click();
    Switch(1001)->click();
    ASSERT_EQ(Bits(), kVBit);
    dialog->reject();
    EXPECT_EQ(Bits(), kHBit);
}

TEST_F(MoireDlgTest, OkCommitsStrengthsAndSwitchesAndStores) {
    Open("revC", 0);
    const int stores = m->sim.StoreCount();
    Switch(1006)->click();
    Slider(1004)->setValue(44);
    dialog->accept();
    EXPECT_EQ(m->sim.StoreCount(), stores + 1);
    EXPECT_EQ(m->monitor.Item(kVMoire).stored, 44);
    EXPECT_EQ(m->monitor.Item(Items::ModeWord).stored & (kHBit | kVBit), kHBit | kVBit);
    EXPECT_EQ(Bits(), kHBit | kVBit);
    EXPECT_EQ(m->monitor.GetNotifyWindow(), &opener);
}

TEST_F(MoireDlgTest, ModeWordChangeFromTheMonitorUpdatesSwitchesAndRows) {
    Open("revB", kHBit | kVBit);
    m->PanelChange(Items::ModeWord, m->sim.ModeWord() & ~kVBit);
    EXPECT_TRUE(Switch(1000)->isChecked());
    EXPECT_FALSE(Switch(1001)->isChecked());
    ExpectRowEnabled(kVRow, false);
    ExpectRowEnabled(kHRow, true);
    // Strength changes move the rows; nothing is sent back.
    m->PanelChange(kHMoire, 12);
    EXPECT_EQ(Slider(1003)->value(), 12);
    EXPECT_EQ(Control<QLineEdit>(dialog.get(), 1152)->text(), "12");
    EXPECT_EQ(m->SetValues({kHMoire, kVMoire, Items::ModeWord}), 0);
    dialog->reject();

    Open("revC", kHBit | kVBit);
    m->PanelChange(Items::ModeWord, m->sim.ModeWord() & ~kHBit);
    EXPECT_FALSE(Switch(1006)->isChecked());
    ExpectRowEnabled(kHRow, false);
    ExpectRowEnabled(kVRow, false);
    dialog->reject();
}

TEST_F(MoireDlgTest, OpensAt30WithHelpOnTheHeadings) {
    Open("revC", 0);
    EXPECT_EQ(dialog->objectName(), "157");
    EXPECT_EQ(dialog->pos(), QPoint(30, 30));
    EXPECT_EQ(m->monitor.GetNotifyWindow(), dialog.get());
    EXPECT_EQ(dialog->HelpContextOf(Widget(1043)), 0x80000000u + 157u * 65536u + 1043u);
    EXPECT_EQ(dialog->HelpContextOf(Widget(1044)), 0x80000000u + 157u * 65536u + 1044u);
    EXPECT_EQ(dialog->HelpContextOf(Widget(1006)), 0u);
    // The headings lead to their sliders when the row switches are hidden.
    EXPECT_EQ(Control<QLabel>(dialog.get(), 1043)->buddy(), Slider(1003));
    dialog->reject();
}

TEST_F(MoireDlgTest, FormShowsEveryCaptionWhole) {
    InEveryLanguage([this](bool) {
        for (const char* profile : {"revB", "revC"}) {
            Open(profile, kHBit);
            ExpectCaptionsFit(dialog.get());
            SaveScreenshot(dialog.get(),
                           QStringLiteral("moire-%1-%2").arg(profile, LanguageCode()));
            dialog->reject();
        }
    });
}

} // namespace
