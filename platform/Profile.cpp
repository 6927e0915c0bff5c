#include "platform/Profile.h"

#include "platform/FileIo.h"
#include "platform/ProfileFormat.h"
#include "platform/StringTable.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMap>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVariant>

#include <cstdio>
#include <memory>
#include <mutex>

namespace {

// Far above any profile the program writes, yet small enough to read into memory.
constexpr qsizetype kMaxProfileSize = 64 * 1024 * 1024;

QString Key(const QString& section, const QString& key) {
    return section + '/' + key;
}

// The profile as this process sees it: QSettings reading the file (or, once the file is
// found damaged, a private copy of its readable lines), and the writes not stored yet.
class CProfileState {
public:
    QVariant Value(const QString& key) {
        Reader();
        if (const auto pending = m_pending.constFind(key); pending != m_pending.cend())
            return *pending;
        if (m_batches == 0 && m_problem.isEmpty())
            m_reader->sync(); // picks up what another program stored meanwhile
        return m_reader->value(key);
    }

    void Write(const QString& key, const QVariant& value) {
        m_pending.insert(key, value);
        if (m_batches == 0)
            Store();
    }

    void BeginBatch() { ++m_batches; }
    void EndBatch() {
        if (--m_batches == 0)
            Store();
    }

    QString Problem() {
        Reader();
        return m_problem;
    }

    void SetFolder(const QString& folder) {
        Store();
        m_reader.reset();
        m_copy.reset();
        m_problem.clear();
        m_told = false;
        m_pending.clear();
        m_folder = folder;
    }

private:
    // Where QSettings keeps the user's profile, found without letting it read the file.
    static QString DefaultPath() {
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
               "/VORKA/Vistrel Pro.ini";
    }

    QSettings& Reader() {
        if (!m_reader) {
            m_path = m_folder.isEmpty() ? DefaultPath() : m_folder + "/Vistrel Pro.ini";
            RemoveStaleLock();
            const QByteArray text = Check(m_path);
            if (m_problem.isEmpty())
                m_reader = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
            else
                m_reader = ReadableCopy(text);
        }
        return *m_reader;
    }

    // A run killed while QSettings stored the profile leaves its lock file beside it; one
    // whose owner is gone is removed, a live owner's is left alone.
    void RemoveStaleLock() const {
        const QString lockFile = m_path + ".lock";
        if (!QFileInfo::exists(lockFile))
            return;
        QLockFile lock(lockFile);
        if (lock.tryLock(0))
            lock.unlock();
    }

    // The file's bytes; sets m_problem (and tells it once) when QSettings cannot be trusted
    // with them. A missing file is a sound, empty profile.
    QByteArray Check(const QString& path) {
        QByteArray text;
        switch (ReadWholeFile(path, kMaxProfileSize, text)) {
        case FileError::None:
            if (const int line = ProfileFormat::FirstBadLine(text))
                Damaged(LoadAppString(Str::ProfileFormatError).arg(path).arg(line));
            break;
        case FileError::TooLarge:
        case FileError::AccessDenied:
        case FileError::Other:
            Damaged(LoadAppString(Str::ProfileNotPlainFile).arg(path));
            break;
        default:
            break;
        }
        return text;
    }

    void Damaged(const QString& problem) {
        m_problem = problem;
        if (!m_told) {
            m_told = true;
            // Named as the program that reads it (qelt32, qelt32ctl) names itself.
            const QString program =
                QCoreApplication::instance() ? QCoreApplication::applicationName() : "qelt32";
            std::fprintf(stderr, "%s: %s\n", qPrintable(program), qPrintable(problem));
        }
    }

    // What can be read of a damaged file, in a file of our own that is never written back.
    std::unique_ptr<QSettings> ReadableCopy(const QByteArray& text) {
        m_copy = std::make_unique<QTemporaryDir>();
        const QString copy = m_copy->filePath("readable.ini");
        QFile file(copy);
        if (file.open(QIODevice::WriteOnly))
            file.write(ProfileFormat::ReadableLines(text));
        file.close();
        return std::make_unique<QSettings>(copy, QSettings::IniFormat);
    }

    void Store() {
        if (m_pending.isEmpty())
            return;
        Reader();
        // Checked again before it is written: the file may have been edited meanwhile.
        if (m_problem.isEmpty()) {
            const QByteArray text = Check(m_path);
            if (!m_problem.isEmpty())
                m_reader = ReadableCopy(text);
        }
        // A damaged profile keeps the writes in memory only, for the rest of this run.
        if (!m_problem.isEmpty())
            return;
        for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it)
            m_reader->setValue(it.key(), it.value());
        m_reader->sync();
        m_pending.clear();
    }

    QString m_folder;
    QString m_path;
    std::unique_ptr<QSettings> m_reader;
    std::unique_ptr<QTemporaryDir> m_copy;
    QMap<QString, QVariant> m_pending;
    QString m_problem;
    bool m_told = false;
    int m_batches = 0;
};

std::mutex g_mutex;

CProfileState& State() {
    static CProfileState state;
    return state;
}

} // namespace

namespace Profile {

int GetInt(const QString& section, const QString& key, int defaultValue) {
    std::lock_guard lock(g_mutex);
    bool ok = false;
    const int value = State().Value(Key(section, key)).toInt(&ok);
    return ok ? value : defaultValue;
}

void WriteInt(const QString& section, const QString& key, int value) {
    std::lock_guard lock(g_mutex);
    State().Write(Key(section, key), value);
}

QString GetString(const QString& section, const QString& key, const QString& defaultValue) {
    std::lock_guard lock(g_mutex);
    const QVariant value = State().Value(Key(section, key));
    return value.isValid() ? value.toString() : defaultValue;
}

void WriteString(const QString& section, const QString& key, const QString& value) {
    std::lock_guard lock(g_mutex);
    State().Write(Key(section, key), value);
}

CWriteBatch::CWriteBatch() {
    std::lock_guard lock(g_mutex);
    State().BeginBatch();
}

CWriteBatch::~CWriteBatch() {
    std::lock_guard lock(g_mutex);
    State().EndBatch();
}

QString Problem() {
    std::lock_guard lock(g_mutex);
    return State().Problem();
}

void SetFolderForTests(const QString& folder) {
    std::lock_guard lock(g_mutex);
    State().SetFolder(folder);
}

} // namespace Profile
