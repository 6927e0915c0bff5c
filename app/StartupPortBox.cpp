#include "app/StartupPortBox.h"

#include "dialogs/PortChooser.h"
#include "link/Monitor.h"
#include "platform/DeviceAdvice.h"
#include "platform/UserMessages.h"

#include <QStringList>

namespace {

// One line per device tried: what the open said, and what stands in its way where more
// is known (the group and the fix, the program that holds it).
QString Reasons(const CMonitor& monitor) {
    const QStringList& failures = monitor.ConnectFailures();
    const QStringList& devices = monitor.ConnectDevices();
    QStringList lines;
    for (qsizetype i = 0; i < failures.size(); ++i)
        lines << (i < devices.size() ? ExplainFailure(failures[i], devices[i]) : failures[i]);
    return lines.join(QStringLiteral("\n"));
}

} // namespace

bool FindMonitorAtStartUp(CMonitor& monitor) {
    if (monitor.Connect(false))
        return true;
    for (;;) {
        switch (UserMessages().AskNoMonitor(Reasons(monitor))) {
        case NoMonitorChoice::Retry:
            if (monitor.Connect(false))
                return true;
            break;
        case NoMonitorChoice::Choose:
            if (const QString path = ChoosePort(nullptr);
                !path.isEmpty() && monitor.ConnectTo(path))
                return true;
            break;
        case NoMonitorChoice::End:
            return false;
        }
    }
}
