#include "SimBench.h"

#include "platform/PortMap.h"

#include <QtGlobal>

namespace {
QString SlotPath(int slot) {
    return QStringLiteral("/sim/port%1").arg(slot);
}
} // namespace

CSimBench::CSimBench() {
    PortMap().SetAll({SlotPath(0), SlotPath(1), SlotPath(2), SlotPath(3)});
    m_monitor = std::make_unique<CMonitor>();
    m_monitor->SetSerialPort(&m_port);
    MonTimings quick;
    quick.reply = std::chrono::milliseconds(150);
    quick.autoSize = std::chrono::milliseconds(50);
    quick.timingStatus = std::chrono::milliseconds(10);
    m_monitor->SetTimings(quick);
}

CSimBench::~CSimBench() {
    m_monitor.reset();
}

CSimMonitor& CSimBench::Plug(int slot, const QString& profile) {
    return Plug(slot, *SimProfile::ByName(profile));
}

CSimMonitor& CSimBench::Plug(int slot, const SimProfile& profile) {
    auto& sim = m_sims[static_cast<std::size_t>(slot)];
    sim = std::make_unique<CSimMonitor>(profile);
    m_port.Attach(SlotPath(slot), sim.get());
    return *sim;
}

bool CSimBench::ConnectAndRead() {
    CMonitor& m = *m_monitor;
    if (!m.Connect() || !m.ReadModes() || !m.ReadGeometry() || !m.ReadConvergence() ||
        !m.ReadColor() || !m.ReadBrightContrast() || !m.ReadColorTempTable())
        return false;
    m.CommitAllGroups();
    return true;
}

void UseBuildProgramFolder() {
    qputenv("QELT32_DATA_DIR", QELT32_TEST_BIN_DIR);
}
