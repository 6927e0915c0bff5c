#include "doc/Qelt32Doc.h"

#include "platform/FileIo.h"
#include "link/Monitor.h"
#include "platform/StringTable.h"
#include "platform/UserMessages.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString FileTitle(const QString& path) {
    return QFileInfo(path).fileName();
}

// Tells the user why a settings file could not be read or written.
void ReportFileError(FileError error, const QString& path, bool writing) {
    int id = writing ? Str::SaveFailed : Str::OpenFailed;
    switch (error) {
    case FileError::None:
        return;
    case FileError::NotFound:
        id = Str::FileNotFound;
        break;
    case FileError::AccessDenied:
        id = writing ? Str::WriteDenied : Str::ReadDenied;
        break;
    case FileError::DiskFull:
        if (writing)
            id = Str::DiskFull;
        break;
    case FileError::TooLarge:
        if (!writing)
            id = Str::UnexpectedFormat; // no settings file is that long
        break;
    case FileError::FolderNotWritable:
        if (writing) {
            UserMessages().Show(Str::FolderWriteDenied, MsgButtons::Ok,
                                QDir::toNativeSeparators(WriteFolder(path)));
            return;
        }
        break;
    case FileError::Other:
        break;
    }
    const bool namesFile =
        id == Str::FileNotFound || id == Str::ReadDenied || id == Str::WriteDenied;
    UserMessages().Show(id, MsgButtons::Ok, namesFile ? FileTitle(path) : QString());
}

// One controller call of a load; false when it failed (the controller has said so).
bool Apply(CMonitor& monitor, const LoadStep& step) {
    switch (step.op) {
    case LoadOp::WriteItem:
        return monitor.WriteItem(step.item, step.value);
    case LoadOp::HMoireOnFromFlags:
        return monitor.SetHMoireOnFromFlags(step.value);
    case LoadOp::VMoireOnFromFlags:
        return monitor.SetVMoireOnFromFlags(step.value);
    case LoadOp::ColorCustomFromFlags:
        return monitor.SetColorCustomFromFlags(step.value);
    case LoadOp::PowerSaveModeFromFlags:
        return monitor.SetPowerSaveModeFromFlags(step.value);
    case LoadOp::Mode1DelayFromFlags:
        return monitor.SetMode1DelayFromFlags(step.value);
    }
    return false;
}

// The mode items are sent as they are, unclamped: a value beyond what the monitor offers
// can only come from a damaged file.
bool ModeValuesFit(const CMonitor& monitor, const LoadPlan& plan) {
    for (const LoadStep& step : plan.steps)
        if (step.op == LoadOp::WriteItem && step.item > Items::ModeWord &&
            monitor.IsAvailable(step.item) && step.value > monitor.Item(step.item).maximum)
            return false;
    return true;
}

} // namespace

CQelt32Doc::CQelt32Doc(CMonitor& monitor) : m_monitor(monitor) {}

bool CQelt32Doc::OnNewDocument() {
    DeleteContents();
    SetPathName(QString());
    return true;
}

void CQelt32Doc::DeleteContents() {
    m_bRejected = 0;
}

bool CQelt32Doc::OnOpenDocument(const QString& path) {
    return OnOpenDocument(path, LoadGroups::FromProfile());
}

bool CQelt32Doc::OnOpenDocument(const QString& path, const LoadGroups& groups) {
    DeleteContents();
    const std::optional<SettingsFormat::SettingsContent> content = ReadFile(path);
    return content && Load(*content, groups);
}

std::optional<QByteArray> CQelt32Doc::SaveContents() const {
    // A file without the real frequencies would never load its screen data again.
    if (!m_monitor.IsTimingKnown()) {
        UserMessages().Show(Str::TimingUnknown);
        return std::nullopt;
    }
    return Store();
}

bool CQelt32Doc::OnSaveDocument(const QString& path) {
    const std::optional<QByteArray> contents = SaveContents();
    if (!contents)
        return false;
    const FileError error = WriteFileAtomically(path, *contents);
    ReportFileError(error, path, true);
    return error == FileError::None;
}

QByteArray CQelt32Doc::Store() const {
    std::array<std::uint16_t, SettingsFormat::kValueCount> values{};
    for (int item = 0; item < SettingsFormat::kValueCount; ++item)
        m_monitor.GetItem(item, nullptr, &values[item], nullptr);
    const MonitorIdentity id = Identity();
    return SettingsFormat::EncodeBinary(id.serial, id.fH, id.fV, values);
}

std::optional<SettingsFormat::SettingsContent> CQelt32Doc::ReadFile(const QString& path) {
    QByteArray bytes;
    const FileError error = ReadWholeFile(path, SettingsFormat::kMaxFileSize, bytes);
    if (error != FileError::None) {
        ReportFileError(error, path, false);
        return std::nullopt;
    }
    std::optional<SettingsFormat::SettingsContent> content = SettingsFormat::Decode(bytes);
    if (!content)
        UserMessages().Show(Str::UnexpectedFormat);
    return content;
}

bool CQelt32Doc::Load(const QByteArray& bytes, const LoadGroups& groups) {
    const std::optional<SettingsFormat::SettingsContent> content = SettingsFormat::Decode(bytes);
    if (!content) {
        UserMessages().Show(Str::UnexpectedFormat);
        return false;
    }
    return Load(*content, groups);
}

bool CQelt32Doc::Load(const SettingsFormat::SettingsContent& content, const LoadGroups& groups) {
    const LoadPlan plan = PlanLoad(content, Identity(), groups);
    if (plan.otherMonitor) {
        UserMessages().Show(Str::WrongMonitor);
        m_bRejected = 1;
        return false;
    }
    if (!ModeValuesFit(m_monitor, plan)) {
        UserMessages().Show(Str::UnexpectedFormat);
        m_bRejected = 1;
        return false;
    }
    if (plan.timingMismatch)
        UserMessages().Show(Str::ScreenDataUnavailable);
    // The first write that fails for good ends the load: the monitor is not answering, and
    // the rest would only wait out their own retries. The user hears of it once.
    CShowOnce once(Str::CommFailure);
    for (const LoadStep& step : plan.steps)
        if (!Apply(m_monitor, step))
            return false;
    return true;
}

MonitorIdentity CQelt32Doc::Identity() const {
    MonitorIdentity id;
    m_monitor.GetTiming(&id.fH, &id.fV);
    id.timingKnown = m_monitor.IsTimingKnown();
    id.serial = m_monitor.GetSerialNumber();
    return id;
}

QString CQelt32Doc::GetTitle() const {
    return m_strPathName.isEmpty() ? LoadAppString(Str::Untitled) : FileTitle(m_strPathName);
}

void CQelt32Doc::SetPathName(const QString& path) {
    m_strPathName = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
}

QString CQelt32Doc::ProposedSaveName() const {
    QString name = GetTitle();
    const qsizetype bad = name.indexOf(QRegularExpression(R"([ #%;/\\])"));
    if (bad >= 0)
        name.truncate(bad);
    if (!name.endsWith(".qlt", Qt::CaseInsensitive))
        name += ".qlt";
    return name;
}
