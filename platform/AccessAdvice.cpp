#include "platform/AccessAdvice.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

constexpr unsigned kGroupReadWrite = 0060;

QString UserName() {
    const passwd* pw = getpwuid(getuid());
    return pw ? QString::fromLocal8Bit(pw->pw_name) : QString();
}

// Whether the group file lists `user` as a member of group `gid` (or gives it as the
// user's own group, which the password file does).
bool ListedIn(unsigned gid, const QString& user) {
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_gid == gid)
        return true;
    QFile file(qEnvironmentVariable("QELT32_GROUP_FILE", QStringLiteral("/etc/group")));
    if (user.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    // name:password:gid:member,member; a group file is small, but a line is capped anyway.
    while (!file.atEnd()) {
        const QStringList fields =
            QString::fromLocal8Bit(file.readLine(64 * 1024)).trimmed().split(':');
        if (fields.size() >= 4 && fields[2].toUInt() == gid && fields[3].split(',').contains(user))
            return true;
    }
    return false;
}

bool InSession(unsigned gid) {
    if (getegid() == gid)
        return true;
    const int count = getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(count > 0 ? count : 0));
    if (count > 0 && getgroups(count, groups.data()) == count)
        for (gid_t g : groups)
            if (g == gid)
                return true;
    return false;
}

// A kernel name pattern for nodes of the same kind: "ttyUSB[0-9]*" for "ttyUSB0".
QString KernelPattern(const QString& node) {
    static const QRegularExpression numbered(QStringLiteral("^([A-Za-z]+)[0-9]+$"));
    const auto match = numbered.match(node);
    return match.hasMatch() ? match.captured(1) + QStringLiteral("[0-9]*") : node;
}

} // namespace

namespace AccessAdvice {

Facts Gather(const QString& path) {
    Facts facts;
    facts.node = QFileInfo(QFileInfo(path).canonicalFilePath()).fileName();
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return facts;
    facts.mode = st.st_mode & 07777;
    facts.gid = st.st_gid;
    const group* g = getgrgid(st.st_gid);
    facts.group = g ? QString::fromLocal8Bit(g->gr_name) : QString::number(st.st_gid);
    facts.inSession = InSession(st.st_gid);
    facts.listedInGroup = ListedIn(st.st_gid, UserName());
    return facts;
}

QString GroupRule(const QString& node) {
    return QStringLiteral("SUBSYSTEM==\"tty\", KERNEL==\"%1\", GROUP=\"dialout\", MODE=\"0660\"")
        .arg(KernelPattern(node));
}

QString SeatRule(const QString& node) {
    return QStringLiteral("SUBSYSTEM==\"tty\", KERNEL==\"%1\", TAG+=\"uaccess\"")
        .arg(KernelPattern(node));
}

Advice Advise(const Facts& facts, const QString& path) {
    Advice advice;
    advice.problem = QStringLiteral("you may not open %1").arg(path);
    const bool groupMayUse = (facts.mode & kGroupReadWrite) == kGroupReadWrite && facts.gid != 0;
    if (!groupMayUse) {
        // Joining root's group, or one without read-write, would not help (and the first
        // would be unsafe): the device has to be given to a group first.
        advice.problem +=
            QStringLiteral(" (group %1 has no read-write permission on it)").arg(facts.group);
        advice.advice = QStringLiteral("give the device to the serial group with a udev rule: "
                                       "put the line '%1' into "
                                       "/etc/udev/rules.d/70-qelt32.rules (or, for whoever "
                                       "sits at this machine, '%2'), run sudo udevadm control "
                                       "--reload && sudo udevadm trigger, then join dialout "
                                       "if you are not in it: sudo usermod -aG dialout $USER")
                            .arg(GroupRule(facts.node), SeatRule(facts.node));
        return advice;
    }
    if (facts.inSession) {
        // The group lets us in; something else refused (an access list, a read-only mount).
        advice.advice = QStringLiteral("see what else refuses you: getfacl %1").arg(path);
        return advice;
    }
    if (facts.listedInGroup) {
        advice.problem += QStringLiteral(" (you are in group %1, but this session started "
                                         "before you joined it)")
                              .arg(facts.group);
        advice.advice = QStringLiteral("log out and in again (or start a shell that has the "
                                       "group: newgrp %1)")
                            .arg(facts.group);
        return advice;
    }
    advice.advice =
        QStringLiteral("join its group: sudo usermod -aG %1 $USER, then log out and in again")
            .arg(facts.group);
    return advice;
}

} // namespace AccessAdvice
