#include "dialogs/IntervalDlg.h"
#include "dialogs/FormBuilder.h"
#include "platform/PlatformFlags.h"

#include "FormChecks.h"
#include "NotifyRecorder.h"
#include "SimulatedMonitor.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

constexpr std::uint16_t kDelayBit = 0x0080;
const SettingsProgram kInstalled{"/usr/bin/xscreensaver-settings", {}};

class IntervalDlgTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m.Start()); }
    void TearDown() override { Platform().newShell = true; }

    std::unique_ptr<CIntervalDlg> Open(int templateId,
                                       const SettingsProgram& screenSaver = kInstalled) {
        auto dialog = std::make_unique<CIntervalDlg>(m.monitor, templateId, &opener, screenSaver);
        dialog->show();
        return dialog;
    }
    static QComboBox* List(const CIntervalDlg& dialog, int id) {
        return Control<QComboBox>(&dialog, id);
    }
    static void Choose(const CIntervalDlg& dialog, int id, int index) {
        List(dialog, id)->setCurrentIndex(index);
        emit List(dialog, id)->activated(index);
    }

    CSimulatedMonitor m{"revC"};
    CNotifyRecorder opener;
};

TEST_F(IntervalDlgTest, DelayIsWrittenAtOnceAndCancelPutsItBack) {
    const std::uint16_t word = m.sim.ModeWord();
    ASSERT_EQ(word & kDelayBit, 0);
    auto dialog = Open(CIntervalDlg::kNutekTemplate);
    EXPECT_EQ(List(*dialog, 1084)->currentText(), "5 seconds");
    Choose(*dialog, 1084, 1); // "3 minutes"
    EXPECT_EQ(m.sim.ModeWord(), word | kDelayBit);
    dialog->reject();
    EXPECT_EQ(m.sim.ModeWord(), word);
    EXPECT_EQ(m.monitor.GetNotifyWindow(), &opener);
}

TEST_F(IntervalDlgTest, CancelSendsTheModeWordOnlyWhenTheDelayIsNotAsItWas) {
    const int sent = m.SetValues({Items::ModeWord});
    auto untouched = Open(CIntervalDlg::kNutekTemplate);
    Choose(*untouched, 1085, 3);
    untouched->reject();
    EXPECT_EQ(m.SetValues({Items::ModeWord}), sent);

    // There and back again: the bit is as it was, so Cancel has nothing to write.
    auto back = Open(CIntervalDlg::kVesaTemplate);
    Choose(*back, 1084, 1);
    Choose(*back, 1084, 0);
    const int chosen = m.SetValues({Items::ModeWord});
    EXPECT_GT(chosen, sent);
    back->reject();
    EXPECT_EQ(m.SetValues({Items::ModeWord}), chosen);
}

TEST_F(IntervalDlgTest, DurationIsWrittenAtOnceAndOkMakesItStored) {
    auto dialog = Open(CIntervalDlg::kNutekTemplate);
    ASSERT_EQ(List(*dialog, 1085)->count(), 13);
    EXPECT_EQ(List(*dialog, 1085)->itemText(5), "25 minutes");
    Choose(*dialog, 1085, 5);
    EXPECT_EQ(m.sim.Value(Items::Interval), 5);
    Choose(*dialog, 1084, 1);
    const int stores = m.sim.StoreCount();
    dialog->accept();
    EXPECT_EQ(m.monitor.Item(Items::Interval).stored, 5);
    EXPECT_TRUE(m.monitor.Item(Items::ModeWord).stored & kDelayBit);
    EXPECT_EQ(m.sim.StoreCount(), stores); // no store command
}

TEST_F(IntervalDlgTest, NutekCancelRestoresTheDuration) {
    const std::uint16_t opened = m.sim.Value(Items::Interval);
    auto dialog = Open(CIntervalDlg::kNutekTemplate);
    Choose(*dialog, 1085, 12);
    dialog->reject();
    EXPECT_EQ(m.sim.Value(Items::Interval), opened);
}

TEST_F(IntervalDlgTest, VesaHidesTheDurationAndLeavesItAlone) {
    auto dialog = Open(CIntervalDlg::kVesaTemplate);
    EXPECT_EQ(dialog->objectName(), "164");
    EXPECT_TRUE(List(*dialog, 1085)->isHidden());
    // A duration changed on the monitor meanwhile is neither reverted nor committed.
    const std::uint16_t stored = m.monitor.Item(Items::Interval).stored;
    m.PanelChange(Items::Interval, 9);
    const int sets = m.SetValues({Items::Interval});
    dialog->reject();
    EXPECT_EQ(m.SetValues({Items::Interval}), sets);
    EXPECT_EQ(m.sim.Value(Items::Interval), 9);

    auto second = Open(CIntervalDlg::kVesaTemplate);
    second->accept();
    EXPECT_EQ(m.monitor.Item(Items::Interval).stored, stored);
}

TEST_F(IntervalDlgTest, MonitorChangesMoveTheLists) {
    auto dialog = Open(CIntervalDlg::kNutekTemplate);
    m.PanelChange(Items::ModeWord, m.sim.ModeWord() | kDelayBit);
    EXPECT_EQ(List(*dialog, 1084)->currentIndex(), 1);
    m.PanelChange(Items::Interval, 7);
    EXPECT_EQ(List(*dialog, 1085)->currentIndex(), 7);
    // A duration the list does not have leaves it without a selection.
    CMonitorNotifyEvent beyond(Items::Interval, 13);
    QCoreApplication::sendEvent(dialog.get(), &beyond);
    EXPECT_EQ(List(*dialog, 1085)->currentIndex(), -1);
    dialog->accept();
}

TEST(IntervalDlg, DurationAboveTheListOpensWithoutSelection) {
    CNotifyRecorder opener;
    SimProfile profile = CSimulatedMonitor::Profile("revC");
    profile.items[Items::Interval].maximum = 20;
    CSimulatedMonitor wide(profile);
    wide.sim.SetValue(Items::Interval, 13);
    ASSERT_TRUE(wide.Start());
    CIntervalDlg dialog(wide.monitor, CIntervalDlg::kNutekTemplate, &opener, kInstalled);
    dialog.show();
    EXPECT_EQ(Control<QComboBox>(&dialog, 1085)->currentIndex(), -1);
    dialog.accept();
}

TEST_F(IntervalDlgTest, ScreenSaverButtonNeedsTheNewShellAndAnInstalledProgram) {
    auto found = Open(CIntervalDlg::kNutekTemplate);
    EXPECT_TRUE(Control<QPushButton>(found.get(), 1132)->isEnabled());
    found->reject();

    auto none = Open(CIntervalDlg::kNutekTemplate, SettingsProgram{});
    EXPECT_FALSE(Control<QPushButton>(none.get(), 1132)->isEnabled());
    none->reject();

    Platform().newShell = false;
    auto oldShell = Open(CIntervalDlg::kVesaTemplate);
    EXPECT_FALSE(Control<QPushButton>(oldShell.get(), 1132)->isEnabled());
    oldShell->reject();
}

TEST_F(IntervalDlgTest, NoContextHelpAndNoPlacement) {
    auto dialog = Open(CIntervalDlg::kNutekTemplate);
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowContextHelpButtonHint);
    EXPECT_EQ(dialog->HelpContextOf(Control(dialog.get(), 1084)), 0u);
    dialog->reject();
}

TEST_F(IntervalDlgTest, BothFormsShowEveryCaptionWhole) {
    InEveryLanguage([this](bool english) {
        for (const int templateId : {CIntervalDlg::kNutekTemplate, CIntervalDlg::kVesaTemplate}) {
            auto dialog = Open(templateId);
            ExpectCaptionsFit(dialog.get());
            if (english)
                SaveScreenshot(dialog.get(), QString("interval-%1").arg(templateId));
            dialog->reject();
        }
    });
}

} // namespace
