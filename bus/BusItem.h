#pragma once

#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>

// One entry of GetItems' answer: (name, value, maximum, available), D-Bus type (sqqb).
struct BusItem {
    QString name;
    quint16 value = 0;
    quint16 maximum = 0;
    bool available = false;
};
using BusItemList = QList<BusItem>;

QDBusArgument& operator<<(QDBusArgument& argument, const BusItem& item);
const QDBusArgument& operator>>(const QDBusArgument& argument, BusItem& item);

// Makes the types known to QtDBus; once per process, before the first call or export.
void RegisterBusTypes();

Q_DECLARE_METATYPE(BusItem)
Q_DECLARE_METATYPE(BusItemList)
