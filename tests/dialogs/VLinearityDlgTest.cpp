#include "dialogs/VLinearityDlg.h"
#include "dialogs/FormBuilder.h"
#include "dialogs/TrackBar.h"
#include "dialogs/UpDown.h"
#include "fullscreen/Combination.h"

#include "FormChecks.h"
#include "NotifyRecorder.h"
#include "SimulatedMonitor.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

constexpr int kBalance = 14, kLinearity = 15;
constexpr int kBalanceSlider = 1002, kLinearitySlider = 1003;
constexpr int kBalanceBox = 1143, kLinearityBox = 1090;

class VLinearityDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_comboCoef.fill(0.0);
        m.sim.SetValue(kBalance, 100);
        m.sim.SetValue(kLinearity, 60);
        m.sim.SetValue(Items::VPos, 128);
        m.sim.SetValue(Items::VSize, 136);
        ASSERT_TRUE(m.Start());
    }
    void TearDown() override { g_comboCoef.fill(0.0); }

    void Open() {
        dialog = std::make_unique<CVLinearityDlg>(m.monitor, &opener, nullptr);
        dialog->show();
    }
    CTrackBar* Slider(int id) const { return Control<CTrackBar>(dialog.get(), id); }
    QString Box(int id) const { return Control<QLineEdit>(dialog.get(), id)->text(); }

    CSimulatedMonitor m{"revC"};
    CNotifyRecorder opener;
    std::unique_ptr<CVLinearityDlg> dialog;
};

TEST(VLinearityCompensation, RoundsHalfAwayFromZero) {
    EXPECT_EQ(CVLinearityDlg::Compensation(0.5, 4), -2);
    EXPECT_EQ(CVLinearityDlg::Compensation(0.5, 3), -2);
    EXPECT_EQ(CVLinearityDlg::Compensation(0.5, -3), 2);
    EXPECT_EQ(CVLinearityDlg::Compensation(0.5, 1), -1);
    EXPECT_EQ(CVLinearityDlg::Compensation(0.25, 1), 0);
    EXPECT_EQ(CVLinearityDlg::Compensation(-1.5, 3), 5);
    EXPECT_EQ(CVLinearityDlg::Compensation(0.0, -7), 0);
}

TEST_F(VLinearityDlgTest, BalanceCarriesTheVerticalPositionByTheRoundedCoefficient) {
    g_comboCoef[13] = 0.5; // "VLINEARBALA,VPOS" = 2,1
    Open();
    Slider(kBalanceSlider)->setValue(104);
    EXPECT_EQ(m.sim.Value(kBalance), 104);
    EXPECT_EQ(m.sim.Value(Items::VPos), 126);
    EXPECT_EQ(Box(kBalanceBox), "104");
    Slider(kBalanceSlider)->setValue(107); // -1.5 rounds to -2
    EXPECT_EQ(m.sim.Value(Items::VPos), 124);
    Slider(kBalanceSlider)->setValue(104); // +1.5 rounds to +2
    EXPECT_EQ(m.sim.Value(Items::VPos), 126);
    EXPECT_EQ(m.SetValues({Items::VSize, kLinearity}), 0);
    dialog->reject();
}

TEST_F(VLinearityDlgTest, LinearityCarriesTheVerticalSizeAlsoByItsSpin) {
    g_comboCoef[15] = -1.0;
    Open();
    Control<CUpDown>(dialog.get(), 1091)->Step(+1);
    EXPECT_EQ(m.sim.Value(kLinearity), 61);
    EXPECT_EQ(m.sim.Value(Items::VSize), 137);
    EXPECT_EQ(Slider(kLinearitySlider)->value(), 61);
    EXPECT_EQ(m.SetValues({Items::VPos, kBalance}), 0);
    dialog->reject();
}

TEST_F(VLinearityDlgTest, WithoutCoefficientsTheLinkedItemsKeepTheirValues) {
    Open();
    Slider(kBalanceSlider)->setValue(90);
    Slider(kLinearitySlider)->setValue(70);
    EXPECT_EQ(m.sim.Value(kBalance), 90);
    EXPECT_EQ(m.sim.Value(kLinearity), 70);
    EXPECT_EQ(m.sim.Value(Items::VPos), 128);
    EXPECT_EQ(m.sim.Value(Items::VSize), 136);
    dialog->reject();
}

TEST_F(VLinearityDlgTest, MoveThatTakesTheLinkedItemOutOfRangeBeepsAndSendsNothing) {
    g_comboCoef[13] = 0.5;
    m.sim.SetValue(Items::VPos, 1);
    ASSERT_TRUE(m.monitor.ReadItem(Items::VPos));
    Open();
    const int sets = m.SetValues({kBalance, Items::VPos});
    Slider(kBalanceSlider)->setValue(104); // vpos would be -1
    EXPECT_EQ(m.messages.beeps, 1);
    EXPECT_EQ(m.SetValues({kBalance, Items::VPos}), sets);
    EXPECT_EQ(m.sim.Value(kBalance), 100);
    // The slider keeps the chosen place; the next move starts from the monitor's value.
    EXPECT_EQ(Slider(kBalanceSlider)->value(), 104);
    Slider(kBalanceSlider)->setValue(101);
    EXPECT_EQ(m.sim.Value(kBalance), 101);
    EXPECT_EQ(m.sim.Value(Items::VPos), 0);
    dialog->reject();
}

TEST_F(VLinearityDlgTest, MonitorChangesMoveTheSlidersButNotTheBoxes) {
    Open();
    m.PanelChange(kBalance, 80);
    m.PanelChange(kLinearity, 30);
    EXPECT_EQ(Slider(kBalanceSlider)->value(), 80);
    EXPECT_EQ(Slider(kLinearitySlider)->value(), 30);
    EXPECT_EQ(Box(kBalanceBox), "100");
    EXPECT_EQ(Box(kLinearityBox), "60");
    // Other items leave the rows alone, and nothing goes back to the monitor.
    m.PanelChange(Items::VPos, 140);
    EXPECT_EQ(Slider(kBalanceSlider)->value(), 80);
    EXPECT_EQ(m.SetValues({kBalance, kLinearity, Items::VPos, Items::VSize}), 0);

    // After an auto-sizing both sliders show what the controller holds.
    m.sim.SetValue(kBalance, 20);
    m.sim.SetValue(kLinearity, 21);
    ASSERT_TRUE(m.monitor.ReadItem(kBalance) && m.monitor.ReadItem(kLinearity));
    CMonitorNotifyEvent autoSized(Items::AutoSizeItem, 0);
    QCoreApplication::sendEvent(dialog.get(), &autoSized);
    EXPECT_EQ(Slider(kBalanceSlider)->value(), 20);
    EXPECT_EQ(Slider(kLinearitySlider)->value(), 21);
    EXPECT_EQ(Box(kLinearityBox), "60");
    dialog->reject();
}

TEST_F(VLinearityDlgTest, CancelWritesAllFourBackAlsoAfterMonitorChanges) {
    g_comboCoef[13] = 1.0;
    g_comboCoef[15] = 0.5;
    Open();
    Slider(kBalanceSlider)->setValue(110);
    Slider(kLinearitySlider)->setValue(50);
    ASSERT_EQ(m.sim.Value(Items::VPos), 118);
    ASSERT_EQ(m.sim.Value(Items::VSize), 141);
    m.PanelChange(kBalance, 5);
    m.PanelChange(Items::VSize, 200);
    dialog->reject();
    EXPECT_EQ(m.sim.Value(kBalance), 100);
    EXPECT_EQ(m.sim.Value(Items::VPos), 128);
    EXPECT_EQ(m.sim.Value(kLinearity), 60);
    EXPECT_EQ(m.sim.Value(Items::VSize), 136);
    EXPECT_EQ(m.monitor.GetNotifyWindow(), &opener);
}

TEST_F(VLinearityDlgTest, OkKeepsAllFourAndStores) {
    g_comboCoef[13] = 1.0;
    g_comboCoef[15] = 1.0;
    const int stores = m.sim.StoreCount();
    Open();
    Slider(kBalanceSlider)->setValue(103);
    Slider(kLinearitySlider)->setValue(58);
    dialog->accept();
    EXPECT_EQ(m.sim.StoreCount(), stores + 1);
    for (auto [item, value] : {std::pair{kBalance, 103}, std::pair{Items::VPos, 125},
                               std::pair{kLinearity, 58}, std::pair{Items::VSize, 138}}) {
        EXPECT_EQ(m.sim.Value(item), value) << item;
        EXPECT_EQ(m.monitor.Item(item).stored, value) << item;
        EXPECT_EQ(m.monitor.Item(item).undo, value) << item;
    }
    EXPECT_EQ(m.monitor.GetNotifyWindow(), &opener);
}

TEST_F(VLinearityDlgTest, OpensAt30WithIconsMaximaAndHelpOnTheIcons) {
    Open();
    EXPECT_EQ(dialog->objectName(), "144");
    EXPECT_EQ(dialog->pos(), QPoint(30, 30));
    EXPECT_EQ(m.monitor.GetNotifyWindow(), dialog.get());
    EXPECT_EQ(Control<QLabel>(dialog.get(), 1141)->text(), "127");
    EXPECT_EQ(Slider(kLinearitySlider)->maximum(), 127);
    for (int id : {1137, 1138, 1139, 1140}) {
        const QLabel* icon = Control<QLabel>(dialog.get(), id);
        ASSERT_TRUE(icon) << id;
        EXPECT_FALSE(icon->pixmap().isNull()) << id;
        EXPECT_EQ(dialog->HelpContextOf(icon), 0x80000000u + 144u * 65536u + id);
    }
    EXPECT_EQ(dialog->HelpContextOf(Slider(kBalanceSlider)), 0u);
    dialog->reject();
}

TEST_F(VLinearityDlgTest, FormShowsEveryCaptionWhole) {
    InEveryLanguage([this](bool) {
        Open();
        ExpectCaptionsFit(dialog.get());
        SaveScreenshot(dialog.get(), "vertical-linearity-" + LanguageCode());
        dialog->reject();
    });
}

} // namespace
