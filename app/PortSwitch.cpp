#include "app/PortSwitch.h"

#include "link/Monitor.h"
#include "platform/DeviceAdvice.h"
#include "platform/StringTable.h"
#include "platform/UserMessages.h"

#include <QFileInfo>

bool SwitchPort(CMonitor& monitor, const QString& path, const std::function<bool()>& leaveCurrent) {
    // The device in use is held by us: asking it again would only find it busy.
    const QString node = QFileInfo(path).canonicalFilePath();
    if (monitor.IsConnected() && !node.isEmpty() &&
        node == QFileInfo(monitor.DevicePath()).canonicalFilePath())
        return true;
    PortTrial trial = monitor.TryDevice(path);
    if (!trial) {
        UserMessages().Show(Str::PortNotSwitched, MsgButtons::Ok,
                            ExplainFailure(monitor.OpenFailure(), path));
        return false;
    }
    if (!monitor.IsSameKind(trial.identity)) {
        const QString model = QString::fromLatin1(trial.identity.model).trimmed();
        UserMessages().Show(Str::OtherModel, MsgButtons::Ok, model);
        return false;
    }
    if (trial.identity.serial != monitor.GetSerialNumber() &&
        UserMessages().Show(Str::OtherMonitor, MsgButtons::YesNoCancel,
                            QString::number(trial.identity.serial)) != MsgResult::Yes)
        return false;
    if (leaveCurrent && !leaveCurrent())
        return false;
    if (!monitor.SwitchTo(std::move(trial))) {
        UserMessages().Show(Str::PortNotSwitched, MsgButtons::Ok,
                            monitor.ConnectFailures().join(QStringLiteral("\n")));
        return false;
    }
    return true;
}
