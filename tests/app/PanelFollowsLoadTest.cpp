// The main panel after a settings file is opened, or a Function command resets the
// monitor, while the program runs: every control shows what the monitor now has.

#include "BenchFixtures.h"

#include "app/CommandIds.h"
#include "dialogs/FormBuilder.h"
#include "dialogs/TrackBar.h"
#include "dialogs/UpDown.h"
#include "doc/Qelt32Doc.h"
#include "doc/ui/DocManager.h"
#include "panel/Qelt32View.h"
#include "platform/Profile.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr std::uint16_t kOwnColors[7] = {101, 102, 103, 104, 105, 106, 107}; // items 23..29
enum { kVesa, kNutek, kPowerOff };

class PanelFollowsLoadTest : public MainFrameFixture {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(Connect("revC")); }
    CMonitor& Monitor() { return bench.Monitor(); }
    void SetPanelValues(int bright, int contrast, int power) {
        ASSERT_TRUE(Monitor().WriteItem(Items::Bright, std::uint16_t(bright)));
        ASSERT_TRUE(Monitor().WriteItem(Items::Contrast, std::uint16_t(contrast)));
        ASSERT_TRUE(Monitor().SetPowerSaveMode(power));
    }
    QString SaveAs(const QString& name) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(CQelt32Doc(Monitor()).OnSaveDocument(path));
        return path;
    }
    void ShowFrame() {
        frame = std::make_unique<CMainFrame>(Monitor(), notice, QString());
        ASSERT_TRUE(frame->Create());
        frame->show();
    }
    template <class T = QWidget> T* Ctl(int id) const { return Control<T>(frame->View(), id); }
    bool Checked(int id) const { return Ctl<QRadioButton>(id)->isChecked(); }
    bool SimHasTemperature(int step) const {
        const SimColorTable colors = sim->ColorForStep(step);
        for (int i = 0; i < 7; ++i)
            if (sim->Value(kColorOrder[i]) != colors[i])
                return false;
        return true;
    }
    void ExpectStandard(int step, const char* text) {
        EXPECT_TRUE(Checked(1121));
        EXPECT_FALSE(Ctl(1069)->isEnabled());
        EXPECT_TRUE(Ctl(1077)->isVisible());
        EXPECT_EQ(Ctl<CTrackBar>(1077)->value(), step);
        EXPECT_EQ(Ctl<CUpDown>(1148)->Pos(), step);
        EXPECT_EQ(Ctl<QLineEdit>(1147)->text(), text);
    }
    void ExpectLevel(int value) {
        EXPECT_EQ(Ctl<CTrackBar>(1075)->value(), value);
        EXPECT_EQ(Ctl<QLineEdit>(1149)->text(), QString::number(value));
    }

    QTemporaryDir dir;
};

TEST_F(PanelFollowsLoadTest, EveryControlShowsTheOpenedFileAndTheProfileKeepsItsTemperature) {
    // A file at 5000K with NUTEK, and one with the user's own colours and power saving off.
    ASSERT_NO_FATAL_FAILURE(SetPanelValues(40, 90, kNutek));
    ASSERT_TRUE(Monitor().SetColorTemp(10));
    const QString standard = SaveAs("standard.qlt");
    ASSERT_NO_FATAL_FAILURE(SetPanelValues(50, 95, kPowerOff));
    for (int i = 0; i < 7; ++i)
        ASSERT_TRUE(Monitor().WriteItem(23 + i, kOwnColors[i]));
    ASSERT_TRUE(Monitor().SetColorCustom(true));
    const QString custom = SaveAs("custom.qlt");
    // The program starts at 9300K with VESA DPMS.
    ASSERT_NO_FATAL_FAILURE(SetPanelValues(200, 30, kVesa));
    ASSERT_TRUE(Monitor().SetColorTemp(53));
    ASSERT_NO_FATAL_FAILURE(ShowFrame());
    ExpectStandard(53, "9300K");
    ExpectLevel(200);

    ASSERT_TRUE(frame->DocManager().OpenDocumentFile(custom));
    EXPECT_TRUE(Checked(1122));
    EXPECT_TRUE(Ctl(1069)->isEnabled());
    EXPECT_FALSE(Ctl(1077)->isVisible());
    EXPECT_TRUE(Checked(1074));
    EXPECT_FALSE(Ctl(1070)->isEnabled());
    ExpectLevel(50);

    ASSERT_TRUE(frame->DocManager().OpenDocumentFile(standard));
    ExpectStandard(10, "5000K");
    EXPECT_TRUE(Checked(1073));
    EXPECT_TRUE(Ctl(1070)->isEnabled());
    ExpectLevel(40);
    Ctl<QRadioButton>(1005)->click();
    ExpectLevel(90);

    // The next steps start from the file's values.
    Ctl<CUpDown>(1148)->Step(+1);
    EXPECT_TRUE(SimHasTemperature(11));
    Ctl<CUpDown>(1150)->Step(+1);
    EXPECT_EQ(sim->Value(Items::Contrast), 91);

    frame.reset();
    const QString section = QString::number(sim->Profile().serial);
    EXPECT_EQ(Profile::GetInt(section, QStringLiteral("colortemp"), -1), 11);
}

TEST_F(PanelFollowsLoadTest, ResetAllShowsTheFactoryValues) {
    ASSERT_NO_FATAL_FAILURE(SetPanelValues(40, 90, kPowerOff));
    for (int i = 0; i < 7; ++i)
        ASSERT_TRUE(Monitor().WriteItem(23 + i, kOwnColors[i]));
    ASSERT_TRUE(Monitor().SetColorCustom(true));
    ASSERT_NO_FATAL_FAILURE(ShowFrame());
    ASSERT_TRUE(Checked(1122));

    frame->Action(Cmd::ResetAll)->trigger();
    const int step = Monitor().GetColorTemp();
    ASSERT_NE(step, -1) << "the factory colours are a temperature";
    EXPECT_TRUE(Checked(1121));
    EXPECT_EQ(Ctl<CTrackBar>(1077)->value(), step);
    ExpectLevel(sim->Value(Items::Bright));
    EXPECT_TRUE(Checked(1072 + Monitor().GetPowerSaveMode()));
    EXPECT_EQ(Ctl(1070)->isEnabled(), Monitor().GetPowerSaveMode() != kPowerOff);
}

} // namespace
