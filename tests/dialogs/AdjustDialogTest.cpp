#include "dialogs/AdjustDialog.h"
#include "app/HelpLanguage.h"
#include "dialogs/FormBuilder.h"
#include "dialogs/TrackBar.h"
#include "dialogs/UpDown.h"
#include "platform/StringTable.h"

#include "NotifyRecorder.h"
#include "SimulatedMonitor.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kSubContrast = 29;
constexpr int kTemplate = 150;

// The smallest dialog on the shared frame: one row for the sub-contrast, help on its label,
// commit on OK and the undo snapshot on Cancel.
class CRowDialog : public CAdjustDialog {
public:
    CRowDialog(CMonitor& monitor, QObject* notifyBack, bool placeAt30 = false)
        : CAdjustDialog(monitor, Frame{kTemplate, placeAt30, true}, notifyBack, nullptr) {
        CFormBuilder form(this);
        form.FixFormSize(200, 40);
        form.Static(1001, "&Row:", 4, 8, 30, 8);
        form.Static(0, "0", 36, 8, 8, 8);
        slider = form.TrackBar(1002, 44, 5, 90, 15);
        maxLabel = form.Static(1003, "255", 136, 8, 16, 8);
        QLineEdit* box = form.ReadOnlyEdit(1004, 154, 6, 36, 12);
        spin = form.UpDown(1005, box, true);
        AddRow(kSubContrast, "&Row:", slider, maxLabel, spin);
        SetHelpControls({1001});
    }
    void accept() override {
        m_monitor.CommitItem(kSubContrast);
        CAdjustDialog::accept();
    }
    void reject() override {
        m_monitor.RevertItem(kSubContrast);
        CAdjustDialog::reject();
    }
    QString Box() const { return spin->Buddy()->text(); }
    int Value() const { return m_rows[0].value; }

    CTrackBar* slider = nullptr;
    QLabel* maxLabel = nullptr;
    CUpDown* spin = nullptr;

protected:
    void OnInitDialog() override {
        RegisterForNotifications();
        SetUpRows();
        m_monitor.MarkItem(kSubContrast);
        PlaceDialog();
    }
};

class AdjustDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m.Start()); }
    CSimulatedMonitor m{"revC"};
    CNotifyRecorder opener;
};

TEST_F(AdjustDialogTest, RowShowsTheItemAndSendsEveryMove) {
    const int opened = m.sim.Value(kSubContrast);
    CRowDialog dialog(m.monitor, &opener);
    dialog.show();
    EXPECT_EQ(dialog.slider->maximum(), 255);
    EXPECT_EQ(dialog.slider->value(), opened);
    EXPECT_EQ(dialog.maxLabel->text(), "255");
    EXPECT_EQ(dialog.Box(), QString::number(opened));
    EXPECT_EQ(dialog.slider->pageStep(), 20);

    // A drag sends each position it passes and, at the release, the final one again.
    const int before = m.SetValues({kSubContrast});
    dialog.slider->setSliderDown(true);
    dialog.slider->setValue(opened - 1);
    dialog.slider->setValue(opened - 2);
    dialog.slider->setSliderDown(false);
    EXPECT_EQ(m.SetValues({kSubContrast}) - before, 3);
    EXPECT_EQ(m.sim.Value(kSubContrast), opened - 2);
    EXPECT_EQ(dialog.Box(), QString::number(opened - 2));

    // The spin steps the box, moves the slider and sends.
    dialog.spin->Step(+1);
    EXPECT_EQ(dialog.slider->value(), opened - 1);
    EXPECT_EQ(dialog.Value(), opened - 1);
    EXPECT_EQ(m.sim.Value(kSubContrast), opened - 1);
    dialog.reject();
    EXPECT_EQ(m.sim.Value(kSubContrast), opened);
}

TEST(AdjustDialog, ItemWithMaximumZeroGivesARowThatCannotMove) {
    CNotifyRecorder opener;
    SimProfile profile = CSimulatedMonitor::Profile("revC");
    profile.items[kSubContrast].maximum = 0;
    profile.items[kSubContrast].factory = 0;
    CSimulatedMonitor zero(profile);
    ASSERT_TRUE(zero.Start());
    CRowDialog dialog(zero.monitor, &opener);
    dialog.show();
    EXPECT_EQ(dialog.slider->minimum(), 0);
    EXPECT_EQ(dialog.slider->maximum(), 0);
    EXPECT_EQ(dialog.maxLabel->text(), "0");
    const int before = zero.SetValues({kSubContrast});
    dialog.spin->Step(+1);
    EXPECT_EQ(dialog.spin->Pos(), 0);
    EXPECT_EQ(dialog.Box(), "0");
    EXPECT_EQ(zero.SetValues({kSubContrast}), before);
    dialog.reject();
}

TEST_F(AdjustDialogTest, MonitorChangeMovesTheRowSendsNothingAndCancelStillRestores) {
    const std::uint16_t opened = m.sim.Value(kSubContrast);
    CRowDialog dialog(m.monitor, &opener);
    dialog.show();
    const int before = m.SetValues({kSubContrast});
    m.PanelChange(kSubContrast, 77);
    EXPECT_EQ(dialog.slider->value(), 77);
    EXPECT_EQ(dialog.Box(), "77");
    EXPECT_EQ(m.SetValues({kSubContrast}), before);

    // Items that no row shows change nothing.
    m.PanelChange(Items::Bright, 12);
    EXPECT_EQ(dialog.slider->value(), 77);

    // The undo snapshot is the value from before the dialog, not the monitor's change.
    dialog.reject();
    EXPECT_EQ(m.sim.Value(kSubContrast), opened);
}

TEST_F(AdjustDialogTest, NotificationsAfterTheEndGoToTheOpenerNeverToTheDialog) {
    CRowDialog dialog(m.monitor, &opener);
    dialog.show();
    EXPECT_EQ(m.monitor.GetNotifyWindow(), &dialog);
    dialog.accept();
    EXPECT_TRUE(dialog.HasEnded());
    EXPECT_EQ(m.monitor.GetNotifyWindow(), &opener);

    const int shown = dialog.slider->value();
    m.PanelChange(kSubContrast, 33);
    ASSERT_EQ(opener.received.size(), 1u);
    EXPECT_EQ(opener.received[0], std::make_pair(kSubContrast, 33));
    EXPECT_EQ(dialog.slider->value(), shown);

    // Even an event delivered straight to the ended dialog is not handled.
    CMonitorNotifyEvent late(kSubContrast, 44);
    QCoreApplication::sendEvent(&dialog, &late);
    EXPECT_EQ(dialog.slider->value(), shown);
}

TEST_F(AdjustDialogTest, DialogDestroyedWithoutEndingHandsTheNotificationsBack) {
    {
        CRowDialog dialog(m.monitor, &opener);
        dialog.show();
    }
    EXPECT_EQ(m.monitor.GetNotifyWindow(), &opener);
    // An opener that registered someone else meanwhile keeps that registration.
    CNotifyRecorder other;
    {
        CRowDialog dialog(m.monitor, &opener);
        dialog.show();
        m.monitor.SetNotifyWindow(&other);
        dialog.reject();
    }
    EXPECT_EQ(m.monitor.GetNotifyWindow(), &other);
}

TEST_F(AdjustDialogTest, PlacementAndHelpContexts) {
    CRowDialog placed(m.monitor, &opener, true);
    placed.show();
    EXPECT_EQ(placed.pos(), QPoint(30, 30));
    placed.reject();

    CRowDialog dialog(m.monitor, &opener);
    EXPECT_EQ(dialog.HelpContextOf(Control(&dialog, 1001)),
              0x80000000u + kTemplate * 65536u + 1001u);
    // Controls without a help context of their own ask for context 0.
    EXPECT_EQ(dialog.HelpContextOf(Control(&dialog, 1002)), 0u);
    EXPECT_EQ(dialog.HelpContextOf(nullptr), 0u);
}

TEST_F(AdjustDialogTest, FailedWriteLeavesTheRowWhereTheUserPutIt) {
    CRowDialog dialog(m.monitor, &opener);
    dialog.show();
    m.sim.PullCable();
    dialog.slider->setValue(150);
    EXPECT_GE(m.messages.Count(Str::CommFailure), 1);
    EXPECT_EQ(dialog.slider->value(), 150);
    EXPECT_EQ(dialog.Box(), "150");
    dialog.reject();
}

TEST_F(AdjustDialogTest, F1AsksTheProgramsHelpFileForTheFocusedControl) {
    QTemporaryDir programFolder;
    qputenv("QELT32_DATA_DIR", programFolder.path().toLocal8Bit());
    CRowDialog dialog(m.monitor, &opener);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.slider->setFocus();

    // No help file in the program folder: the user is told which one is missing.
    QTest::keyClick(dialog.slider, Qt::Key_F1);
    ASSERT_EQ(m.messages.Count(Str::HelpFileMissing), 1);
    const QString helpFile = HelpFileName(QLocale::system());
    EXPECT_EQ(m.messages.args.back(), helpFile);

    // With the file there, the popup comes from it.
    QFile file(programFolder.filePath(helpFile));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body><div class=\"topic\"><a name=\"ctx-00000000\"></a>Row</div>"
               "</body></html>");
    file.close();
    QTest::keyClick(dialog.slider, Qt::Key_F1);
    EXPECT_EQ(m.messages.Count(Str::HelpFileMissing), 1);
    qunsetenv("QELT32_DATA_DIR");
    dialog.reject();
}

} // namespace
