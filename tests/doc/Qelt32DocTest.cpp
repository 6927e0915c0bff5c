#include "doc/Qelt32Doc.h"

#include "PermissionsApply.h"
#include "SimMonitorFixture.h"
#include "platform/Profile.h"
#include "platform/StringTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::uint16_t kInputBits = 0x0008 | 0x0010 | 0x0400 | 0x0800; // input, detection, beep
constexpr std::uint16_t kPowerBits = 0x0020 | 0x0040 | 0x0080;          // mode, delay

class DocTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sim.connected); }

    QString PathOf(const QString& name) const { return dir.filePath(name); }
    QString WriteFile(const QString& name, const QByteArray& bytes) const {
        QFile file(PathOf(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    static QByteArray ReadFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    std::uint16_t Current(int item) const {
        std::uint16_t value = 0;
        sim.monitor.GetItem(item, nullptr, &value, nullptr);
        return value;
    }
    // The monitor's state as a saved file, with some values changed.
    QByteArray FileWith(std::uint16_t fh, std::uint16_t fv,
                        const std::map<int, std::uint16_t>& changes = {}) const {
        std::array<std::uint16_t, SettingsFormat::kValueCount> values{};
        for (int i = 0; i < SettingsFormat::kValueCount; ++i)
            values[i] = Current(i);
        for (auto [item, value] : changes)
            values[item] = value;
        return SettingsFormat::EncodeBinary(sim.monitor.GetSerialNumber(), fh, fv, values);
    }

    CSimMonitorFixture sim;
    CQelt32Doc doc{sim.monitor};
    QTemporaryDir dir;
};

TEST_F(DocTest, SaveWritesTheMonitorsCurrentValues) {
    ASSERT_TRUE(sim.monitor.WriteItem(Items::HSize, 77));
    const QString path = PathOf("a.qlt");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    const QByteArray bytes = ReadFile(path);
    ASSERT_EQ(bytes.size(), 82);
    const std::uint32_t serial = sim.monitor.GetSerialNumber();
    EXPECT_EQ(bytes.left(12), FileWith(68, 85).left(12));
    EXPECT_EQ(std::uint8_t(bytes[2]), serial & 0xFF);
    EXPECT_EQ(bytes.mid(6, 4).toHex(' '), "44 00 55 00");
    EXPECT_EQ(std::uint8_t(bytes[12 + 2 * Items::HSize]), 77);
    EXPECT_TRUE(sim.messages.shown.empty());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocTest, SavedFileLoadsBackIntoTheMonitor) {
    const QString path = PathOf("round.qlt");
    ASSERT_TRUE(sim.monitor.SetHMoireOn(true));
    ASSERT_TRUE(sim.monitor.SetPowerSaveMode(1));
    ASSERT_TRUE(doc.OnSaveDocument(path));
    std::array<std::uint16_t, 35> saved{};
    for (int i = 0; i < 35; ++i)
        saved[i] = sim.sim.Value(i);

    for (int item : {0, 1, 2, 5, 9, 16, 18, 22, 23, 29})
        ASSERT_TRUE(sim.monitor.WriteItem(item, std::uint16_t(Current(item) / 2 + 3)));
    ASSERT_TRUE(sim.monitor.SetHMoireOn(false));
    ASSERT_TRUE(sim.monitor.SetPowerSaveMode(2));

    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(doc.m_bRejected, 0);
    for (int i = 0; i < 35; ++i)
        if (i != Items::AutoSizeItem && sim.sim.Status(i) == 0) {
            EXPECT_EQ(sim.sim.Value(i), saved[i]) << "item " << i;
        }
    EXPECT_TRUE(sim.messages.shown.empty());
    EXPECT_TRUE(sim.monitor.IsModified()); // differs from what the monitor has stored
}

TEST_F(DocTest, FileOfAnotherMonitorIsRejectedAndNothingSent) {
    QByteArray bytes = FileWith(68, 85, {{Items::HSize, 3}});
    bytes[2] = char(bytes[2] ^ 1);
    const QString path = WriteFile("other.qlt", bytes);
    EXPECT_FALSE(doc.OnOpenDocument(path));
    EXPECT_EQ(doc.m_bRejected, 1);
    EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::WrongMonitor});
    EXPECT_TRUE(sim.sim.RequestLog().empty());

    // The next open starts clean.
    EXPECT_TRUE(doc.OnOpenDocument(WriteFile("mine.qlt", FileWith(68, 85))));
    EXPECT_EQ(doc.m_bRejected, 0);
}

TEST_F(DocTest, TimingWithinOneUnitLoadsTheScreenGroup) {
    for (int fh : {67, 68, 69})
        for (int fv : {84, 86}) {
            const std::uint16_t hsize = std::uint16_t(fh + fv);
            ASSERT_TRUE(
                doc.OnOpenDocument(WriteFile("t.qlt", FileWith(fh, fv, {{Items::HSize, hsize}}))));
            EXPECT_EQ(sim.sim.Value(Items::HSize), hsize) << fh << "/" << fv;
        }
    EXPECT_TRUE(sim.messages.shown.empty());
}

TEST_F(DocTest, TimingTooFarSkipsOnlyTheScreenGroup) {
    const std::uint16_t hsize = sim.sim.Value(Items::HSize);
    const QString path = WriteFile("far.qlt", FileWith(70, 85,
                                                       {{Items::HSize, std::uint16_t(hsize ^ 8)},
                                                        {Items::Bright, 11},
                                                        {Items::Interval, 4}}));
    EXPECT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::ScreenDataUnavailable});
    EXPECT_EQ(sim.sim.Value(Items::HSize), hsize);
    EXPECT_EQ(sim.sim.SetValueCount(Items::HSize), 0);
    EXPECT_EQ(sim.sim.Value(Items::Bright), 11);
    EXPECT_EQ(sim.sim.Value(Items::Interval), 4);
}

TEST_F(DocTest, LoadStopsAtTheFirstWriteThatFailsForGood) {
    sim.monitor.SetTimings({std::chrono::milliseconds(100), {}, {}});
    const QString path = WriteFile(
        "a.qlt",
        FileWith(68, 85,
                 {{Items::Bright, 200}, {Items::Contrast, 50}, {Items::Interval, 2}, {23, 60}}));
    const std::uint16_t bright = sim.sim.Value(Items::Bright);
    sim.sim.SetStick(Items::Bright, SimStick::KeepsOld);
    EXPECT_FALSE(doc.OnOpenDocument(path));
    EXPECT_EQ(doc.m_bRejected, 0);
    EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::CommFailure}) << "told once";
    for (int item : {Items::Contrast, 23, 29, Items::Interval})
        EXPECT_EQ(sim.sim.SetValueCount(item), 0) << "item " << item << " after the failure";
    EXPECT_EQ(Current(Items::Bright), bright) << "the cache says what the monitor holds";
    EXPECT_EQ(sim.sim.Value(Items::Bright), bright);
}

TEST_F(DocTest, LoadOnASilentMonitorEndsAtItsFirstCheckedWrite) {
    sim.monitor.SetTimings({std::chrono::milliseconds(30), {}, {}});
    const QString path = WriteFile("s.qlt", FileWith(68, 85, {{Items::HSize, 90}}));
    sim.sim.DropReplies(100000);
    EXPECT_FALSE(doc.OnOpenDocument(path));
    EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::CommFailure});
    EXPECT_EQ(sim.sim.SetValueCount(Items::HPos), 0);
    EXPECT_EQ(sim.Requests(0x01), 9) << "three read-backs of hsize, three queries each";
    EXPECT_EQ(Current(Items::HSize), 90) << "what was sent last";
}

TEST_F(DocTest, ModeValuesTheMonitorDoesNotOfferMakeTheFileDamaged) {
    for (auto [item, value] :
         {std::pair{Items::ColorMode, 200}, {Items::Interval, 999}, {Items::ColorPreset, 77}}) {
        sim.messages.Clear();
        const QString path = WriteFile("bad.qlt", FileWith(68, 85, {{item, std::uint16_t(value)}}));
        EXPECT_FALSE(doc.OnOpenDocument(path)) << item;
        EXPECT_EQ(doc.m_bRejected, 1);
        EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::UnexpectedFormat}) << item;
    }
    EXPECT_TRUE(sim.sim.RequestLog().empty());
    // The maximum itself is in range.
    EXPECT_TRUE(
        doc.OnOpenDocument(WriteFile("max.qlt", FileWith(68, 85, {{Items::Interval, 12}}))));
    EXPECT_EQ(sim.sim.Value(Items::Interval), 12);
}

TEST_F(DocTest, UnknownTimingRefusesSavingAndLoadsNoScreenData) {
    sim.monitor.SetTimings({std::chrono::milliseconds(50), {}, {}});
    sim.sim.DropReplies(1);
    ASSERT_FALSE(sim.monitor.ReadTiming());
    ASSERT_FALSE(sim.monitor.IsTimingKnown());
    const QString path = PathOf("never.qlt");
    EXPECT_FALSE(doc.OnSaveDocument(path));
    EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::TimingUnknown});
    EXPECT_FALSE(QFile::exists(path));

    // Not even a file saved at "0 kHz / 0 Hz" matches frequencies nobody knows.
    sim.messages.Clear();
    const std::uint16_t hsize = sim.sim.Value(Items::HSize);
    ASSERT_TRUE(doc.OnOpenDocument(
        WriteFile("zero.qlt", FileWith(0, 0, {{Items::HSize, std::uint16_t(hsize ^ 4)}}))));
    EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::ScreenDataUnavailable});
    EXPECT_EQ(sim.sim.SetValueCount(Items::HSize), 0);

    ASSERT_TRUE(sim.monitor.ReadTiming());
    EXPECT_TRUE(doc.OnSaveDocument(path));
}

TEST_F(DocTest, PowerGroupOffLeavesPowerSavingAlone) {
    Profile::WriteInt("Settings", "pawer", 0);
    const std::uint16_t word = sim.sim.ModeWord();
    const std::uint16_t interval = sim.sim.Value(Items::Interval);
    const QString path =
        WriteFile("p.qlt", FileWith(68, 85,
                                    {{Items::ModeWord, std::uint16_t(word ^ kPowerBits)},
                                     {Items::Interval, std::uint16_t(interval ^ 1)},
                                     {Items::Bright, 12}}));
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(sim.sim.ModeWord() & kPowerBits, word & kPowerBits);
    EXPECT_EQ(sim.sim.Value(Items::Interval), interval);
    EXPECT_EQ(sim.sim.SetValueCount(Items::Interval), 0);
    EXPECT_EQ(sim.sim.Value(Items::Bright), 12);
}

TEST_F(DocTest, LoadingNeverTouchesInputDetectionOrBeep) {
    const std::uint16_t word = sim.sim.ModeWord();
    constexpr std::uint16_t kDelayBit = 0x0080;
    // The delay before Mode 1 differs too, so the mode word is written.
    const std::uint16_t fileWord = std::uint16_t(word ^ (kInputBits | kDelayBit));
    ASSERT_TRUE(doc.OnOpenDocument(WriteFile("m.qlt", FileWith(68, 85, {{30, fileWord}}))));
    EXPECT_EQ(sim.sim.ModeWord() & kInputBits, word & kInputBits);
    EXPECT_EQ(sim.sim.ModeWord() & kDelayBit, fileWord & kDelayBit);
    EXPECT_GT(sim.sim.SetValueCount(Items::ModeWord), 0);
    EXPECT_EQ(sim.sim.SetValueCount(Items::AutoSizeItem), 0);
}

TEST_F(DocTest, TextFormWithoutSerialIsRejected) {
    const QString path =
        WriteFile("old.ini", "[data]\nfh=68\nfv=85\nhsize=10\n[flag]\nscreen=1\ncolor=1\n");
    EXPECT_FALSE(doc.OnOpenDocument(path));
    EXPECT_EQ(doc.m_bRejected, 1);
    EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::WrongMonitor});
    EXPECT_TRUE(sim.sim.RequestLog().empty());
}

TEST_F(DocTest, TextFormSendsZeroForAMissingKey) {
    const QByteArray text = "[DATA]\nSerial=" + sim.monitor.GetSerialText().toLatin1() +
                            "\nfh=68\nfv=85\nhsize=40\nbright=21\n[flag]\nscreen=1\ncolor=1\n";
    ASSERT_NE(sim.sim.Value(Items::HPos), 0);
    ASSERT_TRUE(doc.OnOpenDocument(WriteFile("settings.txt", text)));
    EXPECT_EQ(sim.sim.Value(Items::HSize), 40);
    EXPECT_EQ(sim.sim.Value(Items::HPos), 0);
    EXPECT_EQ(sim.sim.Value(Items::Bright), 21);
    EXPECT_EQ(sim.sim.Value(Items::Contrast), 0);
}

TEST_F(DocTest, SavingOverATextFormWritesTheBinaryForm) {
    const QString path =
        WriteFile("text.qlt", "[data]\nserial=" + sim.monitor.GetSerialText().toLatin1() + "\n");
    ASSERT_TRUE(doc.OnOpenDocument(path));
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(ReadFile(path), FileWith(68, 85));
}

TEST_F(DocTest, TruncatedBinaryFileIsRefusedAndNothingSent) {
    const QByteArray whole = FileWith(68, 85, {{Items::HSize, 1}});
    for (int size : {1, 7, 11, 12, 50, 81}) {
        sim.messages.Clear();
        EXPECT_FALSE(doc.OnOpenDocument(WriteFile("cut.qlt", whole.left(size)))) << size;
        EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::UnexpectedFormat}) << size;
        EXPECT_EQ(doc.m_bRejected, 0);
    }
    EXPECT_TRUE(sim.sim.RequestLog().empty());
}

TEST_F(DocTest, FileThatIsNeitherFormIsAnUnexpectedFormat) {
    QByteArray version2 = FileWith(68, 85);
    version2[0] = 2;
    QByteArray noise(82, Qt::Uninitialized);
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 73 + 41) & 0xFF);
    for (const QByteArray& bytes :
         {version2, noise, QByteArray("Name:\tqelt32\nState:\tR (running)\n"),
          QByteArray("[flag]\nscreen=1\n")}) {
        sim.messages.Clear();
        EXPECT_FALSE(doc.OnOpenDocument(WriteFile("x.qlt", bytes))) << bytes.left(8).toHex().data();
        EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::UnexpectedFormat});
    }
    EXPECT_TRUE(sim.sim.RequestLog().empty());
}

TEST_F(DocTest, ShortCountLoadsWhatTheFileHas) {
    QByteArray bytes = FileWith(68, 85, {{Items::Bright, 5}, {Items::Contrast, 6}});
    bytes[10] = 2; // two values: brightness and contrast
    const std::uint16_t hsize = sim.sim.Value(Items::HSize);
    ASSERT_TRUE(doc.OnOpenDocument(WriteFile("short.qlt", bytes.left(16))));
    EXPECT_EQ(sim.sim.Value(Items::Bright), 5);
    EXPECT_EQ(sim.sim.Value(Items::Contrast), 6);
    EXPECT_EQ(sim.sim.Value(Items::HSize), hsize);
    EXPECT_EQ(sim.SetValueFrames(), sim.sim.SetValueCount(0) + sim.sim.SetValueCount(1));
}

TEST_F(DocTest, FileErrorsNameTheFile) {
    EXPECT_FALSE(doc.OnOpenDocument(PathOf("missing.qlt")));
    EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::FileNotFound});
    EXPECT_EQ(sim.messages.args.back(), "missing.qlt");

    sim.messages.Clear();
    EXPECT_FALSE(doc.OnSaveDocument(PathOf("no/such/folder/x.qlt")));
    EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::FileNotFound});

    sim.messages.Clear();
    EXPECT_FALSE(doc.OnOpenDocument(dir.path()));
    EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::FileNotFound});
}

TEST_F(DocTest, NamedPipeIsRefusedWithoutWaitingForAWriter) {
    const QString pipe = PathOf("pipe.qlt");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(doc.OnOpenDocument(pipe));
    EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::OpenFailed});
    sim.messages.Clear();
    EXPECT_FALSE(doc.OnSaveDocument(pipe));
    EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::SaveFailed});
}

TEST_F(DocTest, UnreadableFileNamesTheFile) {
    const QString path = WriteFile("secret.qlt", FileWith(68, 85));
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
    bool opened = false;
    {
        CPermissionsApply permissions;
        if (!permissions.Active())
            GTEST_SKIP() << "file permissions cannot be made to apply here";
        opened = doc.OnOpenDocument(path);
    }
    EXPECT_FALSE(opened);
    EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::ReadDenied});
    EXPECT_EQ(sim.messages.args.back(), "secret.qlt");
}

TEST_F(DocTest, ReadOnlyTargetIsRefusedAndKept) {
    const QString path = WriteFile("ro.qlt", "old contents");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    EXPECT_FALSE(doc.OnSaveDocument(path));
    EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::WriteDenied});
    EXPECT_EQ(sim.messages.args.back(), "ro.qlt");
    EXPECT_EQ(ReadFile(path), "old contents");
}

TEST_F(DocTest, WritableFileInAFolderThatIsNotNamesTheFolder) {
    const QString folder = PathOf("shared");
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString path = folder + "/mine.qlt";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("old contents");
    file.close();
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    bool saved = false;
    {
        CPermissionsApply permissions;
        if (!permissions.Active())
            GTEST_SKIP() << "file permissions cannot be made to apply here";
        saved = doc.OnSaveDocument(path);
    }
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(saved);
    EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::FolderWriteDenied});
    EXPECT_EQ(sim.messages.args.back(), QDir::toNativeSeparators(folder));
    EXPECT_EQ(ReadFile(path), "old contents");
}

TEST_F(DocTest, FullDiskKeepsThePreviousFile) {
    const QString path = WriteFile("full.qlt", "old contents");
    // A file-size limit below 82 bytes makes the write fail as a full disk does.
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tiny = old;
    tiny.rlim_cur = 40;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const bool saved = doc.OnSaveDocument(path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(sim.messages.shown, std::vector<int>{Str::DiskFull});
    EXPECT_EQ(ReadFile(path), "old contents");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1); // no leftovers
}

TEST_F(DocTest, SavingKeepsPermissionsAndWritesThroughLinks) {
    const QString real = WriteFile("real.qlt", "old");
    ASSERT_EQ(chmod(QFile::encodeName(real).constData(), 0604), 0);
    const QString link = PathOf("link.qlt");
    ASSERT_TRUE(QFile::link(real, link));
    ASSERT_TRUE(doc.OnSaveDocument(link));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadFile(real).size(), 82);
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(real).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0604u);
}

TEST_F(DocTest, TitleAndProposedName) {
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    EXPECT_EQ(doc.ProposedSaveName(), "Untitled.qlt");
    doc.SetPathName(PathOf("my setting#2.qlt"));
    EXPECT_EQ(doc.GetTitle(), "my setting#2.qlt");
    EXPECT_EQ(doc.ProposedSaveName(), "my.qlt");
    for (auto [file, proposed] : {std::pair{"a%b.qlt", "a.qlt"},
                                  {"a;b", "a.qlt"},
                                  {"monitor.QLT", "monitor.QLT"},
                                  {"plain", "plain.qlt"}}) {
        doc.SetPathName(PathOf(file));
        EXPECT_EQ(doc.ProposedSaveName(), proposed) << file;
    }
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.GetPathName(), QString());
    EXPECT_EQ(doc.GetTitle(), "Untitled");
}

} // namespace
