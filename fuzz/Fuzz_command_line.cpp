// Runs qelt32ctl's whole command line, words separated by NUL bytes, against a simulated
// monitor on an in-process port at the first port slot. A line it refuses as bad input
// (status 2) must have changed nothing on the monitor: no frame but the reads that find
// and read it. Left out: the commands that read or write files or open devices by name
// (they would touch the fuzzing machine's own), `watch` (it runs until interrupted) and the
// option that serves a simulator on a pseudo-terminal.
#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "cli/GlobalOptions.h"
#include "cli/Run.h"
#include "platform/Profile.h"
#include "sim/LoopbackPort.h"
#include "sim/PortOptions.h"
#include "sim/SimMonitor.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

constexpr std::uint8_t kQueryItem = 0x01, kQueryTiming = 0x07, kReadMemory = 0x59, kIdentify = 0xF1;

struct CRig {
    CRig() : sim(*SimProfile::ByName("revC")) {
        Profile::SetFolderForTests(profileDir.path());
        port.Attach(QStringLiteral("/dev/ttyS0"), &sim);
    }
    QTemporaryDir profileDir;
    CSimMonitor sim;
    CLoopbackPort port;
};

CRig* g_rig = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    QCoreApplication::setApplicationName(QStringLiteral("qelt32ctl"));
    static CRig rig;
    g_rig = &rig;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QStringList arguments{QStringLiteral("qelt32ctl")};
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QByteArray& word : bytes.split('\0'))
        arguments << QString::fromUtf8(word);
    for (const QString& word : arguments)
        if (word.startsWith(QLatin1String("--sim")))
            return -1;
    const QString command =
        CommandLine::SplitArguments(NormalizePortArguments(arguments), GlobalOptions::KindOf)
            .command;
    for (const char* left : {"watch", "save", "load", "show", "diff", "doctor"})
        if (command == QLatin1String(left))
            return -1;

    g_rig->sim.ClearRequestLog();
    const int status = RunQelt32Ctl(arguments, &g_rig->port);
    Check(status >= Exit::Ok && status <= Exit::NoMonitor);
    if (status == Exit::Usage)
        for (const SimRequest& request : g_rig->sim.RequestLog())
            Check(request.command == kQueryItem || request.command == kQueryTiming ||
                  request.command == kReadMemory || request.command == kIdentify);
    return 0;
}
