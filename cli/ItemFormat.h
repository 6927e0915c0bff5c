#pragma once

#include <QJsonObject>
#include <QString>

class CMonitor;

// How items look in the output of dump, get, set, adjust and watch.
namespace ItemFormat {

QString Name(int item);
// "hsize 112": what get prints and scripts read.
QString ValueLine(const CMonitor& monitor, int item);
// {"item":2,"name":"hsize","code":26,"status":0,"maximum":255,"value":112}
QJsonObject Object(const CMonitor& monitor, int item);

} // namespace ItemFormat
