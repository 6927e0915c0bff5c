#include "platform/CursorTable.h"
#include "platform/CursorAnimator.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QString BuiltCursorFolder() {
    return QStringLiteral(QELT32_TEST_BIN_DIR) + "/cursor";
}

// A copy of the generated cursor folder that a test may spoil.
class CCursorFolderCopy {
public:
    CCursorFolderCopy() {
        const QDir from(BuiltCursorFolder());
        for (const QString& name : from.entryList(QDir::Files))
            QFile::copy(from.filePath(name), m_dir.filePath(name));
    }
    QString Path() const { return m_dir.path(); }
    QString File(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

private:
    QTemporaryDir m_dir;
};

} // namespace

TEST(CursorTable, LoadsTheThirtyThreeGeneratedCursorsInKindOrder) {
    ASSERT_TRUE(LoadCursorsFrom(BuiltCursorFolder()));
    ASSERT_EQ(g_cursorTable.size(), 33u);
    EXPECT_STREQ(g_cursorTable[0].fileName, "Cvtsize.ani");
    EXPECT_STREQ(g_cursorTable[19].fileName, "Cpos.cur");
    EXPECT_STREQ(g_cursorTable[32].fileName, "Cvconb.ani");
    for (size_t kind = 0; kind < g_cursorTable.size(); ++kind) {
        const CAnimatedCursor& cursor = g_cursorTable[kind].cursor;
        ASSERT_FALSE(cursor.IsNull()) << kind;
        EXPECT_EQ(cursor.IsAnimated(), kind != 19) << kind;
        EXPECT_EQ(cursor.Frame(0).image.size(), QSize(32, 32)) << kind;
        EXPECT_EQ(cursor.Frame(0).hotSpot, QPoint(16, 16)) << kind;
    }
}

TEST(CursorTable, MissingOrDamagedFileFailsTheLoad) {
    {
        CCursorFolderCopy folder;
        ASSERT_TRUE(LoadCursorsFrom(folder.Path()));
        ASSERT_TRUE(QFile::remove(folder.File("Ctilt.ani")));
        EXPECT_FALSE(LoadCursorsFrom(folder.Path()));
        // The table keeps only what loaded before the gap.
        EXPECT_FALSE(g_cursorTable[17].cursor.IsNull());
        EXPECT_TRUE(g_cursorTable[18].cursor.IsNull());
    }
    {
        CCursorFolderCopy folder;
        QFile file(folder.File("Cpos.cur"));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.resize(file.size() / 2));
        file.close();
        EXPECT_FALSE(LoadCursorsFrom(folder.Path()));
    }
    EXPECT_FALSE(LoadCursorsFrom(QDir::tempPath() + "/no-such-cursor-folder"));
}

TEST(CursorAnimator, StepsThroughTheAnimationAndGivesTheCursorBack) {
    ASSERT_TRUE(LoadCursorsFrom(BuiltCursorFolder()));
    QWidget widget;
    CCursorAnimator animator;
    animator.Show(&widget, g_cursorTable[0].cursor);
    EXPECT_EQ(widget.cursor().shape(), Qt::BitmapCursor);

    QElapsedTimer waited;
    waited.start();
    while (animator.CurrentStep() == 0 && waited.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_GT(animator.CurrentStep(), 0);

    // Hovering over another cell of the same kind does not restart the animation.
    const int step = animator.CurrentStep();
    animator.Show(&widget, g_cursorTable[0].cursor);
    EXPECT_EQ(animator.CurrentStep(), step);

    animator.Clear();
    EXPECT_EQ(widget.cursor().shape(), Qt::ArrowCursor);
}

TEST(CursorAnimator, OutlivesItsWidgetSafely) {
    ASSERT_TRUE(LoadCursorsFrom(BuiltCursorFolder()));
    CCursorAnimator animator;
    {
        QWidget widget;
        animator.Show(&widget, g_cursorTable[1].cursor);
    }
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 300)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    animator.Clear();
    SUCCEED();
}
