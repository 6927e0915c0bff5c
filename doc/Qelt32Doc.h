#pragma once

#include "doc/LoadPlan.h"

#include <QByteArray>
#include <QString>

#include <optional>

class CMonitor;

// The program's one settings document. It holds no values of its own: saving writes the
// monitor controller's current values to a file, opening sends a file's values to the
// monitor through the controller. It is never marked modified, so nobody is asked to save
// it; the question on closing is about the monitor's values.
class CQelt32Doc {
public:
    explicit CQelt32Doc(CMonitor& monitor);

    // A new, untitled document; nothing is sent to the monitor.
    bool OnNewDocument();
    // Clears the contents before every open and new.
    void DeleteContents();
    // Loads the file with the group choice stored in the profile. Succeeds unless the file
    // could not be read, is no settings file, or belongs to another monitor; the user has
    // been told why. Name and path are left for the caller to set.
    bool OnOpenDocument(const QString& path);
    bool OnOpenDocument(const QString& path, const LoadGroups& groups);
    // Writes the binary form; the old file stays whole when this fails. Refused while the
    // monitor's scan frequencies are unknown.
    bool OnSaveDocument(const QString& path);
    bool IsModified() const { return false; }

    // The file's contents as they would be saved now.
    QByteArray Store() const;
    // What a save writes now; nothing, after telling the user why, while the monitor's scan
    // frequencies are unknown.
    std::optional<QByteArray> SaveContents() const;
    // Reads and decodes a settings file; nullopt, after telling the user why, when it
    // cannot be read or is no settings file.
    static std::optional<SettingsFormat::SettingsContent> ReadFile(const QString& path);
    // Sends a file's values to the monitor once every check has passed: false, with
    // nothing sent, for a file that is no settings file, belongs to another monitor or holds
    // a mode value the monitor does not offer (m_bRejected is 1 for the last two); false too
    // when a write fails for good, and nothing after it is sent.
    bool Load(const QByteArray& bytes, const LoadGroups& groups);
    bool Load(const SettingsFormat::SettingsContent& content, const LoadGroups& groups);

    QString GetPathName() const { return m_strPathName; }
    // The file name, or "Untitled" for a document that has no file.
    QString GetTitle() const;
    // An empty path makes the document untitled again.
    void SetPathName(const QString& path);
    // The name a Save As proposes: the title up to its first blank, '#', '%', ';', '/' or
    // '\', with ".qlt" added unless it ends so already.
    QString ProposedSaveName() const;

    // 1 when the last file opened was refused: it belonged to another monitor or held a
    // mode value the monitor does not offer.
    int m_bRejected = 0;

private:
    MonitorIdentity Identity() const;

    CMonitor& m_monitor;
    QString m_strPathName;
};
