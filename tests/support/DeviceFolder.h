#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <pty.h>
#include <unistd.h>

#include <vector>

// Sets an environment variable for as long as this object lives, then puts back what was
// there before (or nothing).
class CScopedEnv {
public:
    CScopedEnv(const char* name, const QString& value)
        : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_before(qgetenv(name)) {
        qputenv(name, QFile::encodeName(value));
    }
    ~CScopedEnv() {
        if (m_wasSet)
            qputenv(m_name, m_before);
        else
            qunsetenv(m_name);
    }
    CScopedEnv(const CScopedEnv&) = delete;
    CScopedEnv& operator=(const CScopedEnv&) = delete;

private:
    const char* m_name;
    bool m_wasSet;
    QByteArray m_before;
};

// A device folder of the test's own, with an empty serial/by-id, that the programs (this
// one and those it starts) take for /dev while this object lives, and a device tree for
// /sys: `sys`, or a folder that does not exist. The test environment's settings come back
// afterwards, so that no later test reaches the machine's own adapters.
class CDeviceFolder {
public:
    explicit CDeviceFolder(const QString& sys = {})
        : m_madeById(m_dir.isValid() && QDir(m_dir.path()).mkpath(QStringLiteral("serial/by-id"))),
          m_dev("QELT32_DEV_DIR", m_dir.path()),
          m_sys("QELT32_SYS_DIR", sys.isEmpty() ? m_dir.filePath(QStringLiteral("no-sys")) : sys) {}
    ~CDeviceFolder() {
        for (int fd : m_fds)
            ::close(fd);
    }

    bool IsValid() const { return m_madeById; }
    QString Path() const { return m_dir.path(); }
    QString FilePath(const QString& name) const { return m_dir.filePath(name); }
    // The stable name of an adapter, as udev links it in serial/by-id.
    QString ById(const QString& name) const {
        return m_dir.filePath(QStringLiteral("serial/by-id/") + name);
    }

    // Links `name` in the folder ("ttyUSB0", "serial/by-id/usb-...") to `target`.
    void Link(const QString& name, const QString& target) const {
        EXPECT_TRUE(QFile::link(target, FilePath(name))) << qPrintable(name);
    }

    // A fresh pseudo-terminal standing in for an adapter's node, reached as `name` in the
    // folder; both its sides stay open until the folder goes, and nobody answers on it.
    struct Terminal {
        QString node; // the pseudo-terminal's own node
        int farEnd;   // its master side, where the monitor's end of the cable would be
    };
    Terminal AddTerminal(const QString& name) {
        int master = -1, slave = -1;
        char node[128] = {};
        EXPECT_EQ(openpty(&master, &slave, node, nullptr, nullptr), 0);
        m_fds.insert(m_fds.end(), {master, slave});
        Link(name, QString::fromLocal8Bit(node));
        return {QString::fromLocal8Bit(node), master};
    }

private:
    QTemporaryDir m_dir;
    bool m_madeById;
    CScopedEnv m_dev, m_sys;
    std::vector<int> m_fds;
};
