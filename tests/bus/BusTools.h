#pragma once

#include <QProcess>
#include <QStringList>

#include <chrono>
#include <memory>

class CCliRunner;

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
// Starts `qelt32ctl serve` on the runner's monitor and waits until it serves.
std::unique_ptr<QProcess> StartServe(CCliRunner& cli);
} // namespace BusTools

// `gdbus monitor` on the service, its lines collected as they come.
class CBusWatch {
public:
    // Returns once gdbus follows the service's signals (see Listening()).
    CBusWatch();
    ~CBusWatch();
    // Whether the bus had gdbus's match rule for the service's signals within 30 s.
    // gdbus prints that it found the name's owner before it asks for those signals, so
    // its line alone would let a signal sent at once slip by.
    bool Listening() const { return m_bListening; }
    // Waits until a line contains `text`; false at the deadline.
    bool WaitFor(const QString& text, std::chrono::milliseconds timeout = std::chrono::seconds(30));
    const QStringList& Lines() const { return m_lines; }

private:
    void Collect();
    // Whether gdbus's connection has a match rule for the signals of the name's owner.
    bool HasMatchRule() const;

    std::unique_ptr<QProcess> m_process;
    bool m_bListening = false;
    QByteArray m_partial;
    QStringList m_lines;
};
