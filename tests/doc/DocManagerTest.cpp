#include "doc/ui/DocManager.h"

#include "SimMonitorFixture.h"
#include "doc/Qelt32Doc.h"
#include "doc/ui/OpenDlg.h"
#include "platform/Profile.h"
#include "platform/StringTable.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

class DocManagerTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sim.connected); }

    // A file the connected monitor accepts, setting brightness to `bright`.
    QString SettingsFile(const QString& name, std::uint16_t bright) {
        CQelt32Doc doc(sim.monitor);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(doc.OnSaveDocument(path));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(12);
        file.write(QByteArray(1, char(bright)) + QByteArray(1, 0));
        return path;
    }

    // Runs `act` on the modal dialog that `open` shows.
    template <typename Dialog>
    static void WithModal(const std::function<void()>& open,
                          const std::function<void(Dialog&)>& act) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            seen = dialog != nullptr;
            if (dialog)
                act(*dialog);
            else if (QApplication::activeModalWidget())
                QApplication::activeModalWidget()->close();
        });
        open();
        EXPECT_TRUE(seen);
    }

    CSimMonitorFixture sim;
    QTemporaryDir dir;
    CDocManager manager{sim.monitor, nullptr};
};

TEST_F(DocManagerTest, StartsUntitledAndNewKeepsTheMonitorAlone) {
    EXPECT_EQ(manager.Title(), "Untitled");
    EXPECT_TRUE(manager.PathName().isEmpty());
    manager.FileNew();
    EXPECT_EQ(manager.Title(), "Untitled");
    EXPECT_TRUE(sim.sim.RequestLog().empty());
}

TEST_F(DocManagerTest, OpenThatTheMonitorDoesNotTakeFailsAndKeepsTheName) {
    const QString path = SettingsFile("taken.qlt", 17);
    sim.sim.SetStick(Items::Bright, SimStick::KeepsOld);
    QSignalSpy titles(&manager, &CDocManager::titleChanged);
    EXPECT_FALSE(manager.OpenDocumentFile(path));
    EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::CommFailure});
    EXPECT_EQ(manager.Title(), "Untitled");
    EXPECT_TRUE(titles.isEmpty());
}

TEST_F(DocManagerTest, OpenNamesTheDocumentAndRemembersTheFile) {
    const QString path = SettingsFile("first.qlt", 17);
    QSignalSpy titles(&manager, &CDocManager::titleChanged);
    ASSERT_TRUE(manager.OpenDocumentFile(path));
    EXPECT_EQ(sim.sim.Value(Items::Bright), 17);
    EXPECT_EQ(manager.Title(), "first.qlt");
    EXPECT_EQ(manager.PathName(), path);
    ASSERT_EQ(titles.count(), 1);
    EXPECT_EQ(titles.front().front().toString(), "first.qlt");
    EXPECT_EQ(manager.RecentFiles(), QStringList{path});
    EXPECT_EQ(Profile::GetString("Recent File List", "File1"), path);
}

TEST_F(DocManagerTest, RejectedOpenLeavesNameAndPath) {
    const QString good = SettingsFile("good.qlt", 20);
    ASSERT_TRUE(manager.OpenDocumentFile(good));
    QFile other(dir.filePath("other.qlt"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("[data]\nserial=1\n[flag]\ncolor=1\n");
    other.close();
    sim.sim.ClearRequestLog();

    EXPECT_FALSE(manager.OpenDocumentFile(other.fileName()));
    EXPECT_EQ(manager.Title(), "good.qlt");
    EXPECT_EQ(manager.PathName(), good);
    EXPECT_EQ(manager.RecentFiles(), QStringList{good});
    EXPECT_TRUE(sim.sim.RequestLog().empty());
    EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::WrongMonitor});
}

TEST_F(DocManagerTest, RecentListHoldsFourMostRecentFirstAndSurvivesARestart) {
    QStringList paths;
    for (int i = 0; i < 5; ++i) {
        paths.append(SettingsFile(QString("f%1.qlt").arg(i), std::uint16_t(i)));
        ASSERT_TRUE(manager.OpenDocumentFile(paths.back()));
    }
    EXPECT_EQ(manager.RecentFiles(), (QStringList{paths[4], paths[3], paths[2], paths[1]}));
    ASSERT_TRUE(manager.OpenDocumentFile(paths[2])); // moves up, not twice
    EXPECT_EQ(manager.RecentFiles(), (QStringList{paths[2], paths[4], paths[3], paths[1]}));

    CDocManager restarted(sim.monitor, nullptr);
    EXPECT_EQ(restarted.RecentFiles(), manager.RecentFiles());
    EXPECT_EQ(restarted.Title(), "Untitled");
}

TEST_F(DocManagerTest, RecentEntryThatCannotBeOpenedLeavesTheList) {
    const QString kept = SettingsFile("kept.qlt", 1);
    const QString gone = SettingsFile("gone.qlt", 2);
    ASSERT_TRUE(manager.OpenDocumentFile(kept));
    ASSERT_TRUE(manager.OpenDocumentFile(gone));
    QFile::remove(gone);
    QSignalSpy lists(&manager, &CDocManager::recentFilesChanged);
    manager.OpenRecentFile(0);
    EXPECT_EQ(manager.RecentFiles(), QStringList{kept});
    EXPECT_EQ(lists.count(), 1);
    EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::FileNotFound});
    manager.OpenRecentFile(7); // no such entry: nothing happens
    EXPECT_EQ(manager.RecentFiles(), QStringList{kept});
}

TEST_F(DocManagerTest, DirectOpensUseTheStoredGroupChoice) {
    const QString path = SettingsFile("groups.qlt", 30);
    Profile::WriteInt("Settings", "color", 0);
    ASSERT_TRUE(manager.OpenDocumentFile(path));
    manager.OpenRecentFile(0);
    EXPECT_NE(sim.sim.Value(Items::Bright), 30);
    EXPECT_EQ(sim.sim.SetValueCount(Items::Bright), 0);
}

TEST_F(DocManagerTest, OpenDialogLoadsWithTheTickedGroupsOnly) {
    const QString path = SettingsFile("dialog.qlt", 40);
    WithModal<COpenDialogBase>([&] { manager.FileOpen(); },
                               [&](COpenDialogBase& dialog) {
                                   dialog.selectFile(path);
                                   dialog.Box(1006)->setChecked(false);
                                   dialog.Box(1007)->setChecked(false);
                                   dialog.Box(1117)->setChecked(false);
                                   dialog.accept(); // refused: stays open
                                   EXPECT_TRUE(dialog.isVisible());
                                   dialog.Box(1007)->setChecked(true);
                                   dialog.accept();
                               });
    EXPECT_EQ(manager.Title(), "dialog.qlt");
    EXPECT_EQ(sim.sim.Value(Items::Bright), 40);
    EXPECT_EQ(sim.sim.SetValueCount(Items::HSize), 0);
    EXPECT_EQ(Profile::GetInt("Settings", "screen", -1), 0);

    // Cancel leaves everything as it was.
    WithModal<COpenDialogBase>([&] { manager.FileOpen(); },
                               [](COpenDialogBase& dialog) { dialog.reject(); });
    EXPECT_EQ(manager.Title(), "dialog.qlt");
}

TEST_F(DocManagerTest, SaveOfANewDocumentAsksForANameProposingUntitled) {
    const QString target = dir.filePath("chosen");
    WithModal<QFileDialog>(
        [&] { manager.FileSave(); },
        [&](QFileDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Save As");
            EXPECT_EQ(dialog.nameFilters(), (QStringList{"Qelt32 Files (*.qlt)", "All Files (*)"}));
            EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
            EXPECT_EQ(QFileInfo(dialog.selectedFiles().value(0)).fileName(), "Untitled.qlt");
            dialog.selectFile(target);
            static_cast<QDialog&>(dialog).accept(); // protected in QFileDialog
        });
    EXPECT_EQ(manager.Title(), "chosen.qlt");
    EXPECT_EQ(QFileInfo(target + ".qlt").size(), 82);

    // With a name, Save writes without asking.
    sim.monitor.WriteItem(Items::Bright, 3);
    manager.FileSave();
    QFile file(target + ".qlt");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().at(12), 3);
}

TEST_F(DocManagerTest, SaveDialogsAllFilesShowsNamesWithoutADot) {
    for (const char* name : {"README", "kept.qlt"}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QStringList shownWithQlt, shownWithAll;
    WithModal<QFileDialog>(
        [&] { manager.FileSaveAs(); },
        [&](QFileDialog& dialog) {
            auto* list = dialog.findChild<QListView*>("listView");
            ASSERT_NE(list, nullptr);
            auto listed = [&] {
                QStringList names;
                const QModelIndex root = list->rootIndex();
                for (int row = 0; row < list->model()->rowCount(root); ++row)
                    names << list->model()->index(row, 0, root).data().toString();
                return names;
            };
            dialog.setDirectory(dir.path());
            EXPECT_TRUE(QTest::qWaitFor([&] { return listed().contains("kept.qlt"); }, 20000))
                << "the folder was not listed";
            shownWithQlt = listed();
            dialog.selectNameFilter(dialog.nameFilters().value(1));
            EXPECT_TRUE(QTest::qWaitFor([&] { return listed().size() > 1; }, 20000))
                << "the other filter listed no more";
            shownWithAll = listed();
            dialog.reject();
        });
    EXPECT_EQ(shownWithQlt, QStringList{"kept.qlt"});
    EXPECT_TRUE(shownWithAll.contains("README")) << shownWithAll.join(' ').toStdString();
    EXPECT_TRUE(shownWithAll.contains("kept.qlt"));
}

} // namespace
