// Runs the whole loader, text form and binary alike, against a real controller connected
// to a simulated monitor in the same process. The monitor records every frame it receives:
// a file that is refused must leave that record empty, and an accepted one must never
// trigger auto-sizing nor change the input, detection or beep bits of the mode word.
#include "doc/Qelt32Doc.h"
#include "link/Monitor.h"
#include "platform/PortMap.h"
#include "sim/LoopbackPort.h"
#include "sim/SimMonitor.h"

#include "SilentMessages.h"

#include <QCoreApplication>

#include <cstdlib>

namespace {

constexpr std::uint16_t kUntouchedBits = 0x0008 | 0x0010 | 0x0400 | 0x0800;

struct CRig {
    CRig() : sim(Profile()) {
        port.Attach("loop:fuzz", &sim);
        PortMap().SetOnly("loop:fuzz");
        monitor.SetSerialPort(&port);
        SetUserMessages(&messages);
        if (!monitor.Connect() || !monitor.ReadModes() || !monitor.ReadGeometry() ||
            !monitor.ReadConvergence() || !monitor.ReadColor() || !monitor.ReadBrightContrast())
            std::abort();
    }
    static SimProfile Profile() {
        SimProfile p = *SimProfile::ByName("revC");
        p.serial = 291;
        p.fH = 6800;
        p.fV = 8500;
        return p;
    }

    CSilentMessages messages;
    CSimMonitor sim;
    CLoopbackPort port;
    CMonitor monitor;
    CQelt32Doc doc{monitor};
};

CRig* g_rig = nullptr;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    static CRig rig;
    g_rig = &rig;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const LoadGroups groups{(size & 1) != 0, (size & 2) != 0, (size & 4) != 0};
    const std::uint16_t modeWord = g_rig->sim.ModeWord();
    const int autoSizes = g_rig->sim.AutoSizeCount();
    g_rig->sim.ClearRequestLog();

    const bool loaded = g_rig->doc.Load(bytes, groups);
    if (!loaded)
        Check(g_rig->sim.RequestLog().empty());
    Check(loaded == (g_rig->doc.m_bRejected == 0 && SettingsFormat::Decode(bytes).has_value()));
    Check((g_rig->sim.ModeWord() & kUntouchedBits) == (modeWord & kUntouchedBits));
    Check(g_rig->sim.AutoSizeCount() == autoSizes);
    g_rig->doc.DeleteContents();
    return 0;
}
