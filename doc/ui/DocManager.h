#pragma once

#include <QObject>
#include <QStringList>

class CMonitor;
class CQelt32Doc;
class QWidget;

// The program's single-document framework: one settings document, new/open/save/save-as,
// the title ("Untitled" for a new document) and the four-entry recent-file list (kept in
// the profile). The main frame builds its File menu on it.
class CDocManager : public QObject {
    Q_OBJECT
public:
    CDocManager(CMonitor& monitor, QWidget* frame);
    ~CDocManager() override;

    // The name the frame shows after "Vistrel Pro - ".
    QString Title() const;
    QString PathName() const;
    QStringList RecentFiles() const;

    // Opens a file directly (command line, drop, recent list) with the stored group choice.
    bool OpenDocumentFile(const QString& path);

public slots:
    void FileNew();
    void FileOpen();   // the open dialog with the three group boxes
    void FileSave();
    void FileSaveAs();
    void OpenRecentFile(int index);

signals:
    void titleChanged(const QString& title);
    void recentFilesChanged(const QStringList& files);
};
