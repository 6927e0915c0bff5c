#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

class CMonitor;
class CQelt32Doc;
class QWidget;

// The program's single-document framework: one settings document, new/open/save/save-as,
// the title ("Untitled" for a new document) and the four-entry recent-file list (kept in
// the profile, section "Recent File List", "File1".."File4"). The main frame builds its
// File menu on it.
class CDocManager : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxRecentFiles = 4;

    CDocManager(CMonitor& monitor, QWidget* frame);
    ~CDocManager() override;

    // The name the frame shows after "Vistrel Pro - ".
    QString Title() const;
    QString PathName() const;
    QStringList RecentFiles() const;

    // Opens a file directly (command line, drop, recent list) with the stored group choice.
    // A failed or rejected open leaves the name, the path and the monitor as they were.
    bool OpenDocumentFile(const QString& path);

public slots:
    void FileNew();
    void FileOpen(); // the open dialog with the three group boxes
    void FileSave();
    void FileSaveAs();
    // Opens entry `index`; an entry that cannot be opened leaves the list.
    void OpenRecentFile(int index);

signals:
    void titleChanged(const QString& title);
    // A settings file's values have been sent to the monitor.
    void documentLoaded();
    void recentFilesChanged(const QStringList& files);

private:
    // Saves to `path`; on success the document takes that name.
    bool DoSave(const QString& path);
    // The document read from or written to `path` is named after it, in the recent files
    // and in the title.
    void TakeName(const QString& path);
    void AddRecentFile(const QString& path);
    void SetRecentFiles(const QStringList& files);
    // Where the file dialogs start: the document's folder, else that of the latest file.
    QString StartFolder() const;

    std::unique_ptr<CQelt32Doc> m_pDoc;
    QWidget* m_pFrame;
    QStringList m_recentFiles;
};
