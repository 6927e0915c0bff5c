#include "panel/Qelt32View.h"
#include "dialogs/FormBuilder.h"
#include "dialogs/TrackBar.h"
#include "dialogs/UpDown.h"
#include "fullscreen/AdjustWnd.h"
#include "panel/ColorTempBar.h"
#include "platform/Profile.h"
#include "platform/StringTable.h"

#include "SimulatedMonitor.h"
#include "platform/AnimateCtrl.h"
#include "tests/dialogs/FormChecks.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

constexpr std::uint16_t kCustomBit = 0x2000;
constexpr std::uint16_t kOwnColors[7] = {101, 102, 103, 104, 105, 106, 107}; // items 23..29

class Qelt32ViewTest : public ::testing::Test {
protected:
    // A fresh monitor (and profile); the windows of the previous one go first.
    void Begin(const QString& profile) {
        view.reset();
        adjustWnd.reset();
        m.reset();
        m = std::make_unique<CSimulatedMonitor>(profile);
    }
    // Colours that match no temperature; on revision C also flagged as the user's own.
    void OwnColors() {
        for (int i = 0; i < 7; ++i)
            m->sim.SetValue(23 + i, kOwnColors[i]);
        if (m->sim.Profile().revision != 'B')
            m->sim.SetValue(Items::ModeWord, m->sim.ModeWord() | kCustomBit);
    }
    void TemperatureColors(int step) {
        const SimColorTable colors = m->sim.ColorForStep(step);
        for (int i = 0; i < 7; ++i)
            m->sim.SetValue(kColorOrder[i], colors[i]);
        if (m->sim.Profile().revision != 'B')
            m->sim.SetValue(Items::ModeWord, m->sim.ModeWord() | kCustomBit);
    }
    QString Section() const { return QString::number(m->sim.Profile().serial); }
    void Show() {
        ASSERT_TRUE(m->Start());
        adjustWnd = std::make_unique<CAdjustWnd>(m->monitor);
        view = std::make_unique<CQelt32View>(m->monitor, adjustWnd.get());
        view->show();
    }
    template <class T = QWidget> T* Ctl(int id) const { return Control<T>(view.get(), id); }
    void Click(int id) { Ctl<QAbstractButton>(id)->click(); }
    bool OwnColorsOnMonitor() const {
        for (int i = 0; i < 7; ++i)
            if (m->sim.Value(23 + i) != kOwnColors[i])
                return false;
        return true;
    }
    // Runs the button's modal dialog and cancels it at once; the dialog's id.
    QString RunDialogOf(int buttonId) {
        QString opened;
        QTimer::singleShot(0, [&opened] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                opened = dialog->objectName();
                dialog->reject();
            }
        });
        Click(buttonId);
        return opened;
    }

    std::unique_ptr<CSimulatedMonitor> m;
    std::unique_ptr<CAdjustWnd> adjustWnd;
    std::unique_ptr<CQelt32View> view;
};

TEST_F(Qelt32ViewTest, RevisionBScaleHasSevenStepsFrom6500To9300) {
    Begin("revB");
    TemperatureColors(3);
    Show();
    EXPECT_EQ(view->TempMode(), 0);
    auto* slider = Ctl<CTrackBar>(1077);
    EXPECT_EQ(slider->maximum(), 6);
    EXPECT_EQ(slider->tickInterval(), 1);
    EXPECT_EQ(slider->value(), 3);
    EXPECT_EQ(Ctl<QLabel>(1078)->text(), "6500K");
    EXPECT_EQ(Ctl<QLabel>(1079)->text(), "9300K");
    EXPECT_EQ(Ctl<QLineEdit>(1147)->text(), "8000K");

    slider->setValue(6);
    EXPECT_EQ(Ctl<QLineEdit>(1147)->text(), "9300K");
    EXPECT_EQ(Ctl<CUpDown>(1148)->Pos(), 6);
    EXPECT_EQ(m->monitor.GetColorTemp(), 6);
}

TEST_F(Qelt32ViewTest, OtherRevisionsHave61StepsOf100K) {
    Begin("revC");
    Show();
    auto* slider = Ctl<CTrackBar>(1077);
    EXPECT_EQ(slider->maximum(), 60);
    EXPECT_EQ(slider->tickInterval(), 5);
    EXPECT_EQ(Ctl<QLabel>(1078)->text(), "4000K");
    EXPECT_EQ(Ctl<QLabel>(1079)->text(), "10000K");
    // The monitor runs its 9300K preset.
    EXPECT_EQ(slider->value(), 53);
    EXPECT_EQ(Ctl<QLineEdit>(1147)->text(), "9300K");

    Ctl<CUpDown>(1148)->Step(-1);
    EXPECT_EQ(slider->value(), 52);
    EXPECT_EQ(Ctl<QLineEdit>(1147)->text(), "9200K");
    EXPECT_EQ(m->monitor.GetColorTemp(), 52);
    slider->setValue(25);
    EXPECT_EQ(Ctl<QLineEdit>(1147)->text(), "6500K");
    EXPECT_EQ(m->sim.Value(Items::ColorPreset), 5);
}

TEST_F(Qelt32ViewTest, CustomAtStartHidesTheScaleAtTheStoredStep) {
    Begin("revC");
    OwnColors();
    Profile::WriteInt(Section(), "colortemp", 40);
    Show();
    EXPECT_EQ(view->TempMode(), 1);
    EXPECT_TRUE(Ctl<QRadioButton>(1122)->isChecked());
    EXPECT_TRUE(Ctl<QPushButton>(1069)->isEnabled());
    for (int id : {1081, 1076, 1078, 1077, 1079, 1147, 1148})
        EXPECT_TRUE(Ctl(id)->isHidden()) << id;
    EXPECT_EQ(Ctl<CTrackBar>(1077)->value(), 40);

    // Standard applies the step the hidden slider stands at.
    Click(1121);
    EXPECT_EQ(view->TempMode(), 0);
    EXPECT_FALSE(Ctl<QPushButton>(1069)->isEnabled());
    EXPECT_FALSE(Ctl(1077)->isHidden());
    EXPECT_EQ(m->monitor.GetColorTemp(), 40);
}

TEST_F(Qelt32ViewTest, CustomAtStartWithoutAUsableStoredStepStandsAt6) {
    for (const auto& [profile, stored] :
         std::vector<std::pair<QString, int>>{{"revC", -2}, {"revC", 99}, {"revB", 25}}) {
        Begin(profile);
        OwnColors();
        if (stored != -2)
            Profile::WriteInt(Section(), "colortemp", stored);
        Show();
        EXPECT_EQ(view->TempMode(), 1) << profile.toStdString() << " " << stored;
        EXPECT_EQ(Ctl<CTrackBar>(1077)->value(), 6) << profile.toStdString() << " " << stored;
        EXPECT_EQ(Ctl<QLineEdit>(1147)->text(), profile == "revB" ? "9300K" : "4600K");
    }
}

TEST_F(Qelt32ViewTest, StandardCustomStandardKeepsTheCustomValues) {
    Begin("revC");
    OwnColors();
    Show();
    Click(1121);
    EXPECT_FALSE(OwnColorsOnMonitor());
    EXPECT_EQ(view->CustomColors().Saved(26), kOwnColors[26 - 23]);
    // Choosing Standard again must not take the temperature's colours for the user's.
    Click(1121);
    EXPECT_EQ(view->CustomColors().Saved(26), kOwnColors[26 - 23]);

    Click(1122);
    EXPECT_TRUE(OwnColorsOnMonitor());
    EXPECT_TRUE(m->monitor.GetColorCustom());
    Click(1121);
    Click(1122);
    EXPECT_TRUE(OwnColorsOnMonitor());
}

TEST_F(Qelt32ViewTest, StoredStepIsUsedInStandardOnlyWhenItGivesTheColoursShown) {
    Begin("revC");
    Profile::WriteInt(Section(), "colortemp", 30);
    Show();
    EXPECT_EQ(Ctl<CTrackBar>(1077)->value(), 53);

    Begin("revC");
    TemperatureColors(30);
    Profile::WriteInt(Section(), "colortemp", 30);
    Show();
    EXPECT_EQ(view->TempMode(), 0);
    EXPECT_EQ(Ctl<CTrackBar>(1077)->value(), 30);
}

TEST_F(Qelt32ViewTest, CustomValuesComeFromTheProfileAndGoBackWithTheView) {
    Begin("revC");
    Profile::WriteInt(Section(), "rgain", 11);
    Profile::WriteString(Section(), "ggain", "not a number");
    Profile::WriteInt(Section(), "bgain", 70000);
    Show();
    ASSERT_EQ(view->TempMode(), 0);
    EXPECT_EQ(view->CustomColors().Saved(26), 11);
    EXPECT_EQ(view->CustomColors().Saved(27), m->monitor.Item(27).current);
    EXPECT_EQ(view->CustomColors().Saved(28), m->monitor.Item(28).current);
    Click(1122);
    EXPECT_EQ(m->sim.Value(26), 11);

    const int step = Ctl<CTrackBar>(1077)->value();
    view.reset();
    EXPECT_EQ(Profile::GetInt(Section(), "colortemp", -1), step);
    EXPECT_EQ(Profile::GetInt(Section(), "rgain", -1), 11);
    EXPECT_EQ(Profile::GetInt(Section(), "subcon", -1), m->monitor.Item(29).current);
}

TEST_F(Qelt32ViewTest, KeypadStepsBeepAndSendNothingAtTheEdge) {
    Begin("revC");
    m->sim.SetValue(Items::HPos, 255);
    m->sim.SetValue(Items::VPos, 255);
    m->sim.SetValue(Items::HSize, 100);
    Show();
    const int sent = m->SetValues({Items::HPos, Items::VPos});
    EXPECT_TRUE(view->OnKeypadCommand(32816)); // Num 6: hpos + 1
    EXPECT_EQ(m->messages.beeps, 1);
    EXPECT_EQ(m->SetValues({Items::HPos, Items::VPos}), sent);

    // Num 9 at the top of vpos moves neither axis.
    Begin("revC");
    m->sim.SetValue(Items::HPos, 100);
    m->sim.SetValue(Items::VPos, 255);
    Show();
    const int before = m->SetValues({Items::HPos, Items::VPos});
    view->OnKeypadCommand(32771);
    EXPECT_EQ(m->messages.beeps, 1);
    EXPECT_EQ(m->SetValues({Items::HPos, Items::VPos}), before);
    EXPECT_EQ(m->sim.Value(Items::HPos), 100);

    view->OnKeypadCommand(32774); // Num 1: both down
    EXPECT_EQ(m->sim.Value(Items::HPos), 99);
    EXPECT_EQ(m->sim.Value(Items::VPos), 254);
    EXPECT_FALSE(view->OnKeypadCommand(32800));
}

TEST_F(Qelt32ViewTest, KeypadKeysReachTheirSteps) {
    Begin("revC");
    Show();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    const std::uint16_t hpos = m->sim.Value(Items::HPos);
    const std::uint16_t vsize = m->sim.Value(Items::VSize);
    QTest::keyClick(view.get(), Qt::Key_6, Qt::KeypadModifier);
    EXPECT_EQ(m->sim.Value(Items::HPos), hpos + 1);
    QTest::keyClick(view.get(), Qt::Key_8, Qt::KeypadModifier | Qt::AltModifier);
    EXPECT_EQ(m->sim.Value(Items::VSize), vsize + 1);
    // The main keyboard's digits are not keypad steps.
    QTest::keyClick(view.get(), Qt::Key_6);
    EXPECT_EQ(m->sim.Value(Items::HPos), hpos + 1);
}

TEST_F(Qelt32ViewTest, LevelFollowsTheSelectedItemOnly) {
    Begin("revC");
    m->sim.SetValue(Items::Bright, 40);
    m->sim.SetValue(Items::Contrast, 90);
    Show();
    auto* level = Ctl<CTrackBar>(1075);
    EXPECT_EQ(level->value(), 40);
    EXPECT_EQ(Ctl<QLineEdit>(1149)->text(), "40");
    Click(1005);
    EXPECT_EQ(level->value(), 90);
    EXPECT_EQ(Ctl<QLabel>(1151)->text(), "255");

    m->PanelChange(Items::Bright, 12);
    EXPECT_EQ(level->value(), 90);
    EXPECT_EQ(Ctl<QLineEdit>(1149)->text(), "90");
    m->PanelChange(Items::Contrast, 66);
    EXPECT_EQ(level->value(), 66);
    EXPECT_EQ(Ctl<QLineEdit>(1149)->text(), "66");

    level->setValue(70);
    EXPECT_EQ(m->sim.Value(Items::Contrast), 70);
    Ctl<CUpDown>(1150)->Step(+1);
    EXPECT_EQ(level->value(), 71);
    EXPECT_EQ(m->sim.Value(Items::Contrast), 71);
}

TEST_F(Qelt32ViewTest, PowerSavingChoosesTheIntervalTemplate) {
    Begin("revC");
    Show();
    Click(1073);
    EXPECT_EQ(m->monitor.GetPowerSaveMode(), 1);
    EXPECT_EQ(RunDialogOf(1070), "163");
    Click(1072);
    EXPECT_EQ(RunDialogOf(1070), "164");
    EXPECT_EQ(m->monitor.GetNotifyWindow(), view.get());
    Click(1074);
    EXPECT_EQ(m->monitor.GetPowerSaveMode(), 2);
    EXPECT_FALSE(Ctl<QPushButton>(1070)->isEnabled());

    // A change on the monitor moves the radio buttons.
    m->PanelChange(Items::ModeWord, (m->sim.ModeWord() & ~0x0060) | 0x0040);
    EXPECT_TRUE(Ctl<QRadioButton>(1073)->isChecked());
    EXPECT_TRUE(Ctl<QPushButton>(1070)->isEnabled());
}

TEST_F(Qelt32ViewTest, ColourChangesOnTheMonitorDecideStandardOrCustom) {
    Begin("revC");
    TemperatureColors(30);
    Show();
    ASSERT_EQ(view->TempMode(), 0);
    m->PanelChange(26, 3);
    EXPECT_EQ(view->TempMode(), 1);
    EXPECT_TRUE(Ctl(1077)->isHidden());
    const SimColorTable colors = m->sim.ColorForStep(30);
    m->PanelChange(26, colors[0]);
    EXPECT_EQ(view->TempMode(), 0);
    EXPECT_EQ(Ctl<CTrackBar>(1077)->value(), 30);
    EXPECT_EQ(Ctl<QLineEdit>(1147)->text(), "7000K");
}

TEST_F(Qelt32ViewTest, ColourModeChangeDecidesStandardOrCustomAgain) {
    // Mode 2 of the monitor runs its 6500K preset; the user's own colours live in mode 1.
    Begin("revB");
    OwnColors();
    Show();
    ASSERT_EQ(view->TempMode(), 1);
    m->monitor.SetColorMode(1);
    EXPECT_EQ(view->TempMode(), 0);
    EXPECT_FALSE(Ctl(1077)->isHidden());
    EXPECT_EQ(Ctl<CTrackBar>(1077)->value(), 0);
    EXPECT_EQ(Ctl<QLineEdit>(1147)->text(), "6500K");

    m->monitor.SetColorMode(0);
    EXPECT_EQ(view->TempMode(), 1);
    EXPECT_TRUE(Ctl(1077)->isHidden());
    EXPECT_TRUE(OwnColorsOnMonitor());
}

TEST_F(Qelt32ViewTest, AfterColorSettingTheViewHearsTheMonitorAgain) {
    Begin("revC");
    OwnColors();
    Show();
    EXPECT_EQ(RunDialogOf(1069), "161");
    EXPECT_EQ(m->monitor.GetNotifyWindow(), view.get());
    m->PanelChange(Items::Bright, 17);
    EXPECT_EQ(Ctl<CTrackBar>(1075)->value(), 17);
}

TEST_F(Qelt32ViewTest, ColourBarOnlyInStandard) {
    Begin("revC");
    Show();
    const QRect bar(Ctl(1076)->mapTo(view.get(), QPoint(0, 0)), Ctl(1076)->size());
    const auto bands = ColorTempBands(bar);
    auto render = [this] {
        QImage image(view->size(), QImage::Format_RGB32);
        view->render(&image);
        return image;
    };
    QImage image = render();
    for (int band : {0, 9, 19}) {
        const QPoint centre = bands[band].rect.center();
        EXPECT_EQ(image.pixelColor(centre), ColorTempBandColor(band)) << band;
    }
    Click(1122);
    image = render();
    EXPECT_NE(image.pixelColor(bands[0].rect.center()), ColorTempBandColor(0));
}

TEST_F(Qelt32ViewTest, FailedWriteKeepsTheUsersPosition) {
    Begin("revC");
    Show();
    m->sim.PullCable();
    Ctl<CTrackBar>(1075)->setValue(200);
    EXPECT_GE(m->messages.Count(Str::CommFailure), 1);
    EXPECT_EQ(Ctl<CTrackBar>(1075)->value(), 200);
    EXPECT_EQ(Ctl<QLineEdit>(1149)->text(), "200");
}

TEST_F(Qelt32ViewTest, FormShowsEveryCaptionWholeOnBothRevisionsAndModes) {
    InEveryLanguage([this](bool english) {
        for (const QString profile : {"revB", "revC"})
            for (const bool custom : {false, true}) {
                Begin(profile);
                if (custom)
                    OwnColors();
                else
                    TemperatureColors(profile == "revB" ? 2 : 25);
                Show();
                EXPECT_EQ(view->TempMode(), custom ? 1 : 0);
                EXPECT_EQ(view->sizeHint(), view->size());
                ExpectCaptionsFit(view.get());
                if (english)
                    SaveScreenshot(view.get(),
                                   "panel-" + profile + (custom ? "-custom" : "-standard"));
            }
    });
}

TEST_F(Qelt32ViewTest, AnimationsStartAtTheFirstPaint) {
    Begin("revC");
    Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    QApplication::processEvents();
    for (int id : {1050, 1052}) {
        EXPECT_TRUE(Ctl<CAnimateCtrl>(id)->IsOpen()) << id;
        EXPECT_GT(Ctl<CAnimateCtrl>(id)->FrameCount(), 0) << id;
    }
    EXPECT_TRUE(Ctl<CAnimateCtrl>(1050)->IsPlaying());
}

TEST_F(Qelt32ViewTest, ScreenAdjustmentOpensTheFullScreenModeAndComesBackToTheView) {
    Begin("revC");
    Show();
    Click(1068);
    EXPECT_TRUE(adjustWnd->IsActive());
    adjustWnd->OnCancel();
    EXPECT_FALSE(adjustWnd->IsActive());
    EXPECT_EQ(m->monitor.GetNotifyWindow(), view.get());
}

} // namespace
