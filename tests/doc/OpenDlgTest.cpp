#include "doc/ui/OpenDlg.h"

#include "TempProfile.h"
#include "platform/PlatformFlags.h"
#include "platform/Profile.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class OpenDlgTest : public testing::Test {
protected:
    void SetUp() override {
        QFile file(dir.filePath("a.qlt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
        path = file.fileName();
    }
    void TearDown() override { Platform() = PlatformFlags(); }

    static void Tick(COpenDialogBase& dialog, bool screen, bool color, bool power) {
        dialog.Box(1006)->setChecked(screen);
        dialog.Box(1007)->setChecked(color);
        dialog.Box(1117)->setChecked(power);
    }

    CTempProfile profile;
    QTemporaryDir dir;
    QString path;
};

TEST_F(OpenDlgTest, ShellFlagChoosesTheStyleAndTheFlowSetsItUp) {
    Platform().newShell = true;
    const auto modern = CreateOpenDialog(nullptr);
    EXPECT_TRUE(qobject_cast<COpen*>(modern.get()));
    EXPECT_EQ(modern->windowTitle(), "Open");
    EXPECT_EQ(modern->nameFilters(), QStringList{"VT Pro(*.qlt)"});
    EXPECT_EQ(modern->defaultSuffix(), "qlt");
    EXPECT_EQ(modern->fileMode(), QFileDialog::ExistingFile);
    EXPECT_TRUE(modern->testOption(QFileDialog::DontUseNativeDialog));

    Platform().newShell = false;
    EXPECT_TRUE(qobject_cast<COpenLegacy*>(CreateOpenDialog(nullptr).get()));
}

TEST_F(OpenDlgTest, BoxesShowTheStoredChoiceAllTickedOnAFirstRun) {
    COpen first;
    for (int id : {1006, 1007, 1117}) {
        ASSERT_TRUE(first.Box(id)) << id;
        EXPECT_TRUE(first.Box(id)->isChecked()) << id;
    }
    EXPECT_EQ(first.Box(1006)->text(), "&Screen Data");
    EXPECT_EQ(first.Box(1007)->text(), "&Color Data");
    EXPECT_EQ(first.Box(1117)->text(), "&PowerWarden Data");

    Profile::WriteInt("Settings", "screen", 0);
    Profile::WriteInt("Settings", "pawer", 0);
    COpenLegacy later;
    EXPECT_FALSE(later.Box(1006)->isChecked());
    EXPECT_TRUE(later.Box(1007)->isChecked());
    EXPECT_FALSE(later.Box(1117)->isChecked());
    EXPECT_EQ(later.m_bScreen, 0);
    EXPECT_EQ(later.m_bColor, 1);
}

TEST_F(OpenDlgTest, NoBoxTickedRefusesSilentlyUntilOneIs) {
    const auto dialog = CreateOpenDialog(nullptr);
    dialog->setDirectory(dir.path());
    dialog->selectFile(path);
    dialog->show();
    Tick(*dialog, false, false, false);
    dialog->accept();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Profile::GetInt("Settings", "screen", -1), -1); // nothing written yet
    EXPECT_FALSE(dialog->Box(1007)->isChecked());             // left as the user set it

    Tick(*dialog, false, true, false);
    dialog->accept();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->selectedFiles(), QStringList{path});
    EXPECT_EQ(Profile::GetInt("Settings", "screen", -1), 0);
    EXPECT_EQ(Profile::GetInt("Settings", "color", -1), 1);
    EXPECT_EQ(Profile::GetInt("Settings", "pawer", -1), 0);
}

TEST_F(OpenDlgTest, MissingFileIsNotConfirmedAndTheChoiceNotStored) {
    const auto dialog = CreateOpenDialog(nullptr);
    dialog->setDirectory(dir.path());
    dialog->selectFile(dir.filePath("absent.qlt"));
    dialog->show();
    Tick(*dialog, true, false, false);
    // The dialog says itself that the file does not exist.
    bool told = false;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            told = true;
            box->close();
        }
    });
    dialog->accept();
    EXPECT_TRUE(told);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Profile::GetInt("Settings", "screen", -1), -1);
    dialog->reject();
}

TEST_F(OpenDlgTest, ModernStyleAddsTheGroupPanelBelowTheDialog) {
    COpen dialog;
    auto* panel = dialog.findChild<QWidget*>("201");
    ASSERT_TRUE(panel);
    EXPECT_EQ(dialog.Box(1006)->parentWidget(), panel);
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    ASSERT_TRUE(grid);
    int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(grid->indexOf(panel), &row, &column, &rowSpan, &columnSpan);
    EXPECT_EQ(row, grid->rowCount() - 1);
    EXPECT_EQ(columnSpan, grid->columnCount());
    // Left to right: screen, colour, power saving.
    dialog.resize(600, 400);
    dialog.show();
    EXPECT_LT(dialog.Box(1006)->x(), dialog.Box(1007)->x());
    EXPECT_LT(dialog.Box(1007)->x(), dialog.Box(1117)->x());
}

TEST_F(OpenDlgTest, LegacyStylePlacesTheBoxesInAStripFortyPixelsHigh) {
    QFileDialog plain;
    plain.setOption(QFileDialog::DontUseNativeDialog, true);
    COpenLegacy dialog;
    EXPECT_EQ(dialog.sizeHint().height(), plain.sizeHint().height() + 40);

    dialog.resize(601, 420);
    dialog.show();
    const int w = 601 / 3;
    EXPECT_EQ(dialog.Box(1006)->geometry(), QRect(18, 380, w, 35));
    EXPECT_EQ(dialog.Box(1007)->geometry(), QRect(18 + w, 380, w, 35));
    EXPECT_EQ(dialog.Box(1117)->geometry(), QRect(18 + 2 * w, 380, w, 35));
    EXPECT_EQ(dialog.Box(1006)->parentWidget(), &dialog);
}

} // namespace
