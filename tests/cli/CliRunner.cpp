#include "CliRunner.h"

#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <thread>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kRunTimeoutMs = 60000;

QStringList Lines(const QString& text) {
    return text.split('\n', Qt::SkipEmptyParts);
}

void Split(QByteArray& partial, QStringList& lines, const QByteArray& more) {
    partial += more;
    qsizetype end;
    while ((end = partial.indexOf('\n')) >= 0) {
        lines << QString::fromUtf8(partial.left(end));
        partial.remove(0, end + 1);
    }
}

} // namespace

QStringList CCliRunner::Result::OutLines() const {
    return Lines(out);
}
QStringList CCliRunner::Result::ErrLines() const {
    return Lines(err);
}

CCliRunner::CCliRunner(const QString& profile, bool paced) {
    CSimServer::Options options;
    options.paced = paced;
    options.linkPath = m_config.filePath(QStringLiteral("monitor")); // pts numbers are reused
    m_server = std::make_unique<CSimServer>(*SimProfile::ByName(profile), options);
    EXPECT_TRUE(m_server->Start()) << m_server->Error().toStdString();
}

CCliRunner::~CCliRunner() {
    m_server->Stop();
}

QString CCliRunner::Program() {
    const QString folder = qEnvironmentVariable("QELT32_BIN_DIR");
    return folder.isEmpty() ? QStringLiteral(QELT32CTL_PATH) : folder + "/qelt32ctl";
}

void CCliRunner::LetTheMonitorCatchUp() {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    std::size_t frames = Sim().RequestLog().size();
    auto quietSince = Clock::now();
    while (Clock::now() < deadline && Clock::now() - quietSince < std::chrono::milliseconds(100)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (const std::size_t now = Sim().RequestLog().size(); now != frames) {
            frames = now;
            quietSince = Clock::now();
        }
    }
}

QStringList CCliRunner::PortArguments() const {
    return {QStringLiteral("--port"), m_server->Path()};
}

void CCliRunner::Prepare(QProcess& process) const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
    process.setProcessEnvironment(environment);
}

CCliRunner::Result CCliRunner::RunRaw(const QStringList& arguments, const QByteArray& input) {
    QProcess process;
    Prepare(process);
    if (m_launcher.isEmpty())
        process.start(Program(), arguments);
    else
        process.start(m_launcher.front(), m_launcher.mid(1) + QStringList{Program()} + arguments);
    if (process.waitForStarted()) {
        process.write(input);
        process.closeWriteChannel();
    }
    Result result;
    if (!process.waitForFinished(kRunTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << "qelt32ctl did not end (" << process.errorString().toStdString()
                      << "): " << Program().toStdString() << " "
                      << arguments.join(' ').toStdString();
        return result;
    }
    LetTheMonitorCatchUp();
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.outBytes = process.readAllStandardOutput();
    result.out = QString::fromUtf8(result.outBytes);
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

void CCliRunner::RunAsOrdinaryUser() {
    if (::geteuid() != 0)
        return;
    const QByteArray device = QFile::encodeName(QFileInfo(m_server->Path()).canonicalFilePath());
    EXPECT_EQ(::chmod(device.constData(), 0666), 0);
    EXPECT_EQ(::chmod(QFile::encodeName(m_config.path()).constData(), 0777), 0);
    RunThrough({QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"),
                QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups"),
                QStringLiteral("--")});
}

std::unique_ptr<QProcess> CCliRunner::Start(const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    Prepare(*process);
    process->start(Program(), PortArguments() + arguments);
    EXPECT_TRUE(process->waitForStarted());
    return process;
}

int CCliRunner::SetValueFrames() const {
    int n = 0;
    for (const SimRequest& request : m_server->Monitor().RequestLog())
        n += request.command == 0x03;
    return n;
}

int CCliRunner::ChangingFrames() const {
    int n = 0;
    for (const SimRequest& request : m_server->Monitor().RequestLog())
        switch (request.command) {
        case 0x00:
        case 0x03:
        case 0x09:
        case 0x0A:
        case 0x0B:
        case 0x0C:
        case 0x50:
            ++n;
        }
    return n;
}

void CLineReader::Collect() {
    Split(m_outPartial, m_out, m_process.readAllStandardOutput());
    Split(m_errPartial, m_err, m_process.readAllStandardError());
}
