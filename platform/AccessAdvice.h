#pragma once

#include <QString>

// Why this user may not open a device, and the one thing that fixes it. Joining a group
// helps only where that group may read and write the device and is not root's; otherwise
// a udev rule has to give the device to a group (or to whoever sits at the machine). A user
// the group file lists in the group whose session does not have it yet only has to log in
// again.
namespace AccessAdvice {

struct Facts {
    QString node;               // the device's own name ("ttyUSB0")
    unsigned mode = 0;          // the permission bits (0660)
    unsigned gid = 0;           // the device's group
    QString group;              // its name, or the number
    bool inSession = false;     // this process has the group now
    bool listedInGroup = false; // the group file lists the user in it
};

// What stands in the way of opening the device, and what to do about it.
struct Advice {
    QString problem;
    QString advice;
};

// The facts about `path` for the user running this process; the group file is
// QELT32_GROUP_FILE where set (tests), /etc/group otherwise.
Facts Gather(const QString& path);
Advice Advise(const Facts& facts, const QString& path);
// The udev rule that gives nodes like `node` to the dialout group, read-write.
QString GroupRule(const QString& node);
// The udev rule that gives them to the user at the machine's seat.
QString SeatRule(const QString& node);

} // namespace AccessAdvice
