#include "dialogs/ColorSettingDlg.h"
#include "dialogs/FormBuilder.h"
#include "dialogs/TrackBar.h"
#include "dialogs/UpDown.h"
#include "fullscreen/AdjustWnd.h"

#include "FormChecks.h"
#include "NotifyRecorder.h"
#include "SimulatedMonitor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

// Slider ids of the six rows: brightness, contrast, sub-contrast, red, green, blue.
constexpr int kSliders[6] = {1086, 1090, 1094, 1099, 1103, 1107};
constexpr int kBoxes[6] = {1088, 1092, 1097, 1101, 1105, 1109};
constexpr int kMaxLabels[6] = {1087, 1091, 1096, 1100, 1104, 1108};

class ColorSettingDlgTest : public ::testing::Test {
protected:
    void Open(const QString& profile) {
        dialog.reset();
        adjustWnd.reset();
        m.reset();
        m = std::make_unique<CSimulatedMonitor>(profile);
        Prepare(*m);
        ASSERT_TRUE(m->Start());
        adjustWnd = std::make_unique<CAdjustWnd>(m->monitor);
        mainWindow.show();
        dialog =
            std::make_unique<CColorSettingDlg>(m->monitor, adjustWnd.get(), &mainWindow, &opener);
        dialog->show();
    }
    // Colours that match no temperature, so every factory setting changes all seven.
    static void Prepare(CSimulatedMonitor& sim) {
        const std::uint16_t own[7] = {101, 102, 103, 104, 105, 106, 107};
        for (int i = 0; i < 7; ++i)
            sim.sim.SetValue(23 + i, own[i]);
    }
    CTrackBar* Slider(int row) const { return Control<CTrackBar>(dialog.get(), kSliders[row]); }
    QString Box(int row) const { return Control<QLineEdit>(dialog.get(), kBoxes[row])->text(); }
    QComboBox* Factory() const { return Control<QComboBox>(dialog.get(), 1084); }
    void ChooseFactory(int index) {
        Factory()->setCurrentIndex(index);
        emit Factory()->activated(index);
    }
    void ClickBalance(int id) { Control<QRadioButton>(dialog.get(), id)->click(); }
    std::uint16_t Current(int item) const { return m->monitor.Item(item).current; }

    std::unique_ptr<CSimulatedMonitor> m;
    std::unique_ptr<CAdjustWnd> adjustWnd;
    QWidget mainWindow;
    CNotifyRecorder opener;
    std::unique_ptr<CColorSettingDlg> dialog;
};

TEST_F(ColorSettingDlgTest, RevisionBOffersItsTwoTemperaturesAndAsksForSteps0And6) {
    Open("revB");
    ASSERT_EQ(Factory()->count(), 2);
    EXPECT_EQ(Factory()->itemText(0), "6500K");
    EXPECT_EQ(Factory()->itemText(1), "9300K");
    EXPECT_EQ(Factory()->currentIndex(), 1);
    // Opening selects "9300K" but sends nothing.
    EXPECT_EQ(m->SetValues({23, 24, 25, 26, 27, 28, 29}), 0);

    ChooseFactory(0);
    const SimColorTable low = m->sim.ColorForStep(0);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(m->sim.Value(kColorOrder[i]), low[i]) << "item " << kColorOrder[i];
    ChooseFactory(1);
    const SimColorTable high = m->sim.ColorForStep(6);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(m->sim.Value(kColorOrder[i]), high[i]) << "item " << kColorOrder[i];
    dialog->reject();
}

TEST_F(ColorSettingDlgTest, OtherRevisionsChoosePresetSteps) {
    Open("revC");
    ASSERT_EQ(Factory()->count(), 14);
    EXPECT_EQ(Factory()->currentText(), "9300K");
    EXPECT_EQ(m->SetValues({23, 24, 25, 26, 27, 28, 29, Items::ColorPreset}), 0);

    ChooseFactory(13); // "10000K", step 60
    EXPECT_EQ(m->sim.Value(Items::ColorPreset), 13);
    ChooseFactory(0); // "4000K", step 0
    EXPECT_EQ(m->sim.Value(Items::ColorPreset), 0);
    ChooseFactory(11); // "9300K", step 53
    EXPECT_EQ(m->sim.Value(Items::ColorPreset), 11);
    // The rows shown follow the temperature's values.
    const SimColorTable colors = m->sim.ColorForStep(53);
    EXPECT_EQ(Box(2), QString::number(colors[6])); // sub-contrast
    EXPECT_EQ(Box(3), QString::number(colors[3])); // red cutoff
    EXPECT_EQ(Slider(5)->value(), colors[5]);      // blue cutoff
    dialog->reject();
}

TEST_F(ColorSettingDlgTest, BalanceSwitchShowsGainsOrTheCutoffsAFactorySettingWrote) {
    Open("revC");
    ClickBalance(1083);
    EXPECT_EQ(Box(3), QString::number(Current(26)));
    EXPECT_EQ(Box(5), QString::number(Current(28)));

    ChooseFactory(0);
    const SimColorTable colors = m->sim.ColorForStep(0);
    EXPECT_EQ(Box(3), QString::number(colors[0])); // red gain
    EXPECT_EQ(Box(4), QString::number(colors[1])); // green gain
    EXPECT_EQ(Box(2), QString::number(colors[6])); // sub-contrast

    ClickBalance(1082);
    EXPECT_EQ(Box(3), QString::number(colors[3])); // red cutoff
    EXPECT_EQ(Box(5), QString::number(colors[5])); // blue cutoff

    // A gain row sends to the gain item.
    ClickBalance(1083);
    Slider(3)->setValue(77);
    EXPECT_EQ(m->sim.Value(26), 77);
    dialog->reject();
}

TEST_F(ColorSettingDlgTest, CancelAfterAFactorySettingWritesBackAllSeven) {
    Open("revC");
    const auto before = m->SimColors();
    ChooseFactory(13);
    ASSERT_NE(m->SimColors(), before);
    dialog->reject();
    EXPECT_EQ(m->SimColors(), before);
    EXPECT_EQ(m->monitor.GetNotifyWindow(), &opener);
}

TEST_F(ColorSettingDlgTest, OkKeepsCommitsAndStores) {
    Open("revC");
    const int stores = m->sim.StoreCount();
    Slider(3)->setValue(140);
    Slider(0)->setValue(20);
    dialog->accept();
    EXPECT_EQ(m->sim.Value(23), 140);
    EXPECT_EQ(m->monitor.Item(23).stored, 140);
    EXPECT_EQ(m->monitor.Item(Items::Bright).stored, 20);
    EXPECT_TRUE(m->monitor.GetStoredColorCustom());
    EXPECT_EQ(m->sim.StoreCount(), stores + 1);
}

TEST_F(ColorSettingDlgTest, TestPatternFollowsTheRowMovedAndEndsWithTheDialog) {
    Open("revC");
    auto* check = Control<QCheckBox>(dialog.get(), 1115);
    check->click();
    EXPECT_TRUE(mainWindow.isHidden());
    EXPECT_TRUE(adjustWnd->isVisible());
    EXPECT_EQ(adjustWnd->Pattern(), 12);

    Slider(1)->setValue(100); // contrast: grey scale
    EXPECT_EQ(adjustWnd->Pattern(), 4);
    Slider(3)->setValue(100); // red cutoff: crosshatch
    EXPECT_EQ(adjustWnd->Pattern(), 12);
    Slider(2)->setValue(100); // sub-contrast: grey scale
    EXPECT_EQ(adjustWnd->Pattern(), 4);
    Slider(0)->setValue(100); // brightness: crosshatch
    EXPECT_EQ(adjustWnd->Pattern(), 12);
    ClickBalance(1083);
    EXPECT_EQ(adjustWnd->Pattern(), 12);            // unchanged until a row moves
    Control<CUpDown>(dialog.get(), 1111)->Step(+1); // green gain by its spin
    EXPECT_EQ(adjustWnd->Pattern(), 4);

    dialog->accept();
    EXPECT_FALSE(mainWindow.isHidden());
    EXPECT_FALSE(adjustWnd->isVisible());
}

TEST_F(ColorSettingDlgTest, TestPatternOffBringsTheMainWindowBack) {
    Open("revC");
    auto* check = Control<QCheckBox>(dialog.get(), 1115);
    check->click();
    check->click();
    EXPECT_FALSE(mainWindow.isHidden());
    EXPECT_FALSE(adjustWnd->isVisible());
    dialog->reject();
    EXPECT_FALSE(mainWindow.isHidden());
}

TEST_F(ColorSettingDlgTest, ColorModeChangeReloadsEveryRow) {
    Open("revC");
    ClickBalance(1083);
    m->monitor.SetColorMode(2);
    for (int row = 0; row < 6; ++row) {
        const int item = row == 0 ? 0 : row == 1 ? 1 : row == 2 ? 29 : 26 + row - 3;
        EXPECT_EQ(Box(row), QString::number(Current(item))) << "row " << row;
        EXPECT_EQ(Control<QLabel>(dialog.get(), kMaxLabels[row])->text(),
                  QString::number(m->monitor.Item(item).maximum));
    }
    dialog->reject();
}

TEST_F(ColorSettingDlgTest, HelpContextsOfTheLabelsAndBalanceButtons) {
    Open("revC");
    EXPECT_EQ(dialog->HelpContextOf(Control(dialog.get(), 1130)),
              0x80000000u + 161u * 65536u + 1130u);
    EXPECT_EQ(dialog->HelpContextOf(Control(dialog.get(), 1083)),
              0x80000000u + 161u * 65536u + 1083u);
    EXPECT_EQ(dialog->HelpContextOf(Control(dialog.get(), 1115)), 0u);
    dialog->reject();
}

TEST_F(ColorSettingDlgTest, FormShowsEveryCaptionWhole) {
    InEveryLanguage([this](bool english) {
        Open("revC");
        ExpectCaptionsFit(dialog.get());
        if (english)
            SaveScreenshot(dialog.get(), "color-setting");
        dialog->reject();
    });
}

} // namespace
