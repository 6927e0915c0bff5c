// Files the program opens from outside its own making: a pipe, an endless device and an
// oversized file in the place of a cursor, the help, the combination file or a settings
// file are refused at once, with the message that kind of file has, and without reading
// them into memory.

#include "doc/Qelt32Doc.h"
#include "fullscreen/Combination.h"
#include "platform/CursorFiles.h"
#include "platform/CursorTable.h"
#include "platform/HelpWindow.h"
#include "platform/StringTable.h"

#include "RecordingMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr off_t kOversized = 100 * 1024 * 1024; // sparse: takes no room on the disk

struct Hostile {
    const char* name;
    std::function<bool(const QByteArray& path)> make;
};

const std::vector<Hostile> kHostileFiles = {
    {"pipe", [](const QByteArray& path) { return ::mkfifo(path.constData(), 0600) == 0; }},
    {"/dev/zero", [](const QByteArray& path) { return ::symlink("/dev/zero", path) == 0; }},
    {"oversized",
     [](const QByteArray& path) {
         QFile file(QFile::decodeName(path));
         return file.open(QIODevice::WriteOnly) && ::ftruncate(file.handle(), kOversized) == 0;
     }},
};

long PeakKilobytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Puts each hostile file at `path` in turn and runs `read`, which must refuse it.
void ForEachHostileFile(const QString& path, const std::function<void()>& read) {
    for (const Hostile& hostile : kHostileFiles) {
        SCOPED_TRACE(hostile.name);
        QFile::remove(path);
        ASSERT_TRUE(hostile.make(QFile::encodeName(path)));
        read();
    }
    QFile::remove(path);
}

} // namespace

TEST(OutsideFiles, HostileFilesOfEveryKindAreRefusedWithTheirMessage) {
    CRecordingMessages messages;
    QTemporaryDir dir;
    const long peakBefore = PeakKilobytes();

    const QString cursorFolder = dir.filePath("cursor");
    ASSERT_TRUE(QDir().mkpath(cursorFolder));
    ForEachHostileFile(cursorFolder + '/' + kCursorFileNames[0],
                       [&] { EXPECT_FALSE(LoadCursorsFrom(cursorFolder)); });

    const QString help = dir.filePath("qelt32e.hlp");
    ForEachHostileFile(help, [&] {
        messages.Clear();
        EXPECT_FALSE(ShowHelpTopics(help));
        EXPECT_EQ(messages.shown, std::vector<int>{Str::HelpFileMissing});
    });

    std::array<double, 16> coef{};
    ForEachHostileFile(dir.filePath("Display.ini"), [&] {
        EXPECT_FALSE(LoadCombinationFile(
            dir.path(), "MODEL", [](int) { return true; }, coef));
    });

    const QString settings = dir.filePath("settings.qlt");
    ForEachHostileFile(settings, [&] {
        messages.Clear();
        EXPECT_FALSE(CQelt32Doc::ReadFile(settings));
        ASSERT_EQ(messages.shown.size(), 1u);
    });

    EXPECT_LT(PeakKilobytes() - peakBefore, 32 * 1024) << "kilobytes more at the peak";
}
