#include "app/SystemMenuModel.h"

#include "app/CommandIds.h"
#include "app/CommandText.h"
#include "link/Monitor.h"
#include "platform/StringTable.h"

CSystemMenuModel::CSystemMenuModel(const CMonitor& monitor, bool newShell)
    : m_monitor(monitor),
      m_bNewShell(newShell), m_entries{{kRestore, {}},  {kMove, {}}, {kSize, {}}, {kMinimize, {}},
                                       {kMaximize, {}}, {0, {}},     {kClose, {}}} {}

void CSystemMenuModel::OnMinimize() {
    // Only one set of entries, however often the window reports being minimised.
    if (!m_bNewShell || m_entries.size() > kFirstOwnEntry)
        return;
    m_entries.push_back({0, {}});
    if (m_monitor.IsAvailable(Items::AutoSizeItem))
        m_entries.push_back({Cmd::SysAutoSizing, LoadAppString(Str::AutoSizing)});
    if (m_monitor.IsNotThirdModel())
        AppendInputSwitch();
}

void CSystemMenuModel::OnRestore() {
    // Everything from position 7 on is ours; removing it all keeps the standard entries
    // intact even when the monitor's abilities changed while the window was minimised.
    if (m_bNewShell)
        m_entries.resize(kFirstOwnEntry);
}

void CSystemMenuModel::OnInitMenu(bool minimized) {
    if (!m_bNewShell || !minimized || !m_monitor.IsNotThirdModel())
        return;
    const std::size_t inputSwitch = m_monitor.IsAvailable(Items::AutoSizeItem) ? 9 : 8;
    if (inputSwitch >= m_entries.size())
        return;
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(inputSwitch));
    AppendInputSwitch();
}

std::vector<SystemMenuEntry> CSystemMenuModel::OwnEntries() const {
    return {m_entries.begin() + kFirstOwnEntry, m_entries.end()};
}

void CSystemMenuModel::AppendInputSwitch() {
    const int command = m_monitor.GetInputSignal() == 0 ? Cmd::InputBnc : Cmd::InputDsub;
    m_entries.push_back({command, CommandToolTip(command)});
}
