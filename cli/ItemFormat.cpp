#include "cli/ItemFormat.h"

#include "link/Monitor.h"

namespace ItemFormat {

QString Name(int item) {
    return QString::fromLatin1(Items::Info(item).name);
}

QString ValueLine(const CMonitor& monitor, int item) {
    return QStringLiteral("%1 %2").arg(Name(item)).arg(monitor.Item(item).current);
}

QJsonObject Object(const CMonitor& monitor, int item) {
    const MonItem& record = monitor.Item(item);
    return {{QStringLiteral("item"), item},
            {QStringLiteral("name"), Name(item)},
            {QStringLiteral("code"), record.code},
            {QStringLiteral("status"), record.status},
            {QStringLiteral("maximum"), record.maximum},
            {QStringLiteral("value"), record.current}};
}

} // namespace ItemFormat
