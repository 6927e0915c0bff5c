#include "bus/BusItem.h"

#include <QDBusMetaType>

QDBusArgument& operator<<(QDBusArgument& argument, const BusItem& item) {
    argument.beginStructure();
    argument << item.name << item.value << item.maximum << item.available;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, BusItem& item) {
    argument.beginStructure();
    argument >> item.name >> item.value >> item.maximum >> item.available;
    argument.endStructure();
    return argument;
}

void RegisterBusTypes() {
    static const bool registered = [] {
        qDBusRegisterMetaType<BusItem>();
        qDBusRegisterMetaType<BusItemList>();
        return true;
    }();
    (void)registered;
}
