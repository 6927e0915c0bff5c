#pragma once

#include <QProcess>
#include <QStringList>

#include <chrono>
#include <memory>

// The bus's own command-line clients against com.vorka.qelt32 on the session bus.
namespace BusTools {
struct Result {
    int status = -1;
    QString out;
    QString err;
};
// gdbus call on the monitor's object: `method` of com.vorka.qelt32.Monitor with
// `arguments` in gdbus's text form.
Result Call(const QString& method, const QStringList& arguments = {});
// busctl --user with these arguments.
Result Busctl(const QStringList& arguments);
// Waits until the service answers; false at the deadline.
bool WaitForService(std::chrono::milliseconds timeout = std::chrono::seconds(30));
// Waits until nobody holds the name; false at the deadline.
bool WaitForNoService(std::chrono::milliseconds timeout = std::chrono::seconds(30));
} // namespace BusTools

// `gdbus monitor` on the service, its lines collected as they come.
class CBusWatch {
public:
    CBusWatch();
    ~CBusWatch();
    // Waits until a line contains `text`; false at the deadline.
    bool WaitFor(const QString& text, std::chrono::milliseconds timeout = std::chrono::seconds(30));
    const QStringList& Lines() const { return m_lines; }

private:
    void Collect();

    std::unique_ptr<QProcess> m_process;
    QByteArray m_partial;
    QStringList m_lines;
};
