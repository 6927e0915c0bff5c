#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

class CMainFrame;

// Files handed over by later starts of the program wait here until the main frame can take
// them as it takes a dropped file: it exists (start-up has finished), it is not hidden
// behind the full-screen window, and no dialog or menu of the program is open. They are
// then opened one after the other, in the order they came.
class CFileHandOver : public QObject {
    Q_OBJECT
public:
    // `frame` gives the main frame, or null while there is none yet.
    explicit CFileHandOver(std::function<CMainFrame*()> frame, QObject* parent = nullptr);

    static constexpr int kRetryMs = 250;

    // An empty path only asks for the window.
    void Deliver(const QString& path);
    int Pending() const { return int(m_pending.size()); }

private:
    bool FrameCanTakeFile() const;
    void DeliverPending();

    std::function<CMainFrame*()> m_frame;
    QStringList m_pending;
    QTimer m_retry;
};
