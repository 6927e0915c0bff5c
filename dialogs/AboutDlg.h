#pragma once

#include <QDialog>

#include <cstdint>

class CMonitor;

// The About box: the program's icon, name and version, and the protocol revision of the
// connected monitor.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(const CMonitor& monitor, QWidget* parent = nullptr);

    // "Monitor Communication Protocol Revision B" for a revision-B monitor (0), "... C" for
    // every other.
    static QString ProtocolLine(std::uint8_t revision);
};
