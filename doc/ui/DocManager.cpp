#include "doc/ui/DocManager.h"

#include "doc/Qelt32Doc.h"
#include "doc/ui/OpenDlg.h"
#include "platform/Profile.h"
#include "platform/StringTable.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

const char* const kRecentSection = "Recent File List";

QString RecentKey(int index) {
    return QString("File%1").arg(index + 1);
}

} // namespace

CDocManager::CDocManager(CMonitor& monitor, QWidget* frame)
    : m_pDoc(std::make_unique<CQelt32Doc>(monitor)), m_pFrame(frame) {
    for (int i = 0; i < kMaxRecentFiles; ++i) {
        const QString path = Profile::GetString(kRecentSection, RecentKey(i));
        if (!path.isEmpty())
            m_recentFiles.append(path);
    }
    m_pDoc->OnNewDocument();
}

CDocManager::~CDocManager() = default;

QString CDocManager::Title() const {
    return m_pDoc->GetTitle();
}

QString CDocManager::PathName() const {
    return m_pDoc->GetPathName();
}

QStringList CDocManager::RecentFiles() const {
    return m_recentFiles;
}

bool CDocManager::OpenDocumentFile(const QString& path) {
    if (!m_pDoc->OnOpenDocument(path))
        return false;
    TakeName(path);
    emit documentLoaded();
    return true;
}

bool CDocManager::DoSave(const QString& path) {
    if (!m_pDoc->OnSaveDocument(path))
        return false;
    TakeName(path);
    return true;
}

void CDocManager::TakeName(const QString& path) {
    m_pDoc->SetPathName(path);
    AddRecentFile(m_pDoc->GetPathName());
    emit titleChanged(Title());
}

void CDocManager::FileNew() {
    m_pDoc->OnNewDocument();
    emit titleChanged(Title());
}

void CDocManager::FileOpen() {
    const std::unique_ptr<COpenDialogBase> dialog = CreateOpenDialog(m_pFrame);
    dialog->setDirectory(StartFolder());
    if (dialog->exec() != QDialog::Accepted)
        return;
    OpenDocumentFile(dialog->selectedFiles().value(0));
}

void CDocManager::FileSave() {
    if (PathName().isEmpty())
        FileSaveAs();
    else
        DoSave(PathName());
}

void CDocManager::FileSaveAs() {
    QFileDialog dialog(m_pFrame, LoadAppString(Str::SaveAsTitle));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({"Qelt32 Files (*.qlt)", LoadAppString(Str::AllFilesFilter)});
    dialog.setDefaultSuffix("qlt");
    dialog.setDirectory(StartFolder());
    dialog.selectFile(m_pDoc->ProposedSaveName());
    if (dialog.exec() != QDialog::Accepted)
        return;
    DoSave(dialog.selectedFiles().value(0));
}

void CDocManager::OpenRecentFile(int index) {
    if (index < 0 || index >= m_recentFiles.size())
        return;
    if (OpenDocumentFile(m_recentFiles[index]))
        return;
    QStringList files = m_recentFiles;
    files.removeAt(index);
    SetRecentFiles(files);
}

void CDocManager::AddRecentFile(const QString& path) {
    QStringList files = m_recentFiles;
    files.removeAll(path);
    files.prepend(path);
    SetRecentFiles(files.mid(0, kMaxRecentFiles));
}

void CDocManager::SetRecentFiles(const QStringList& files) {
    m_recentFiles = files;
    for (int i = 0; i < kMaxRecentFiles; ++i)
        Profile::WriteString(kRecentSection, RecentKey(i), m_recentFiles.value(i));
    emit recentFilesChanged(m_recentFiles);
}

QString CDocManager::StartFolder() const {
    const QString latest = PathName().isEmpty() ? m_recentFiles.value(0) : PathName();
    if (!latest.isEmpty() && QFileInfo(latest).absoluteDir().exists())
        return QFileInfo(latest).absolutePath();
    return QDir::homePath();
}
