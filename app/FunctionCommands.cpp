#include "app/FunctionCommands.h"

#include "app/CommandIds.h"
#include "link/Monitor.h"

#include <algorithm>
#include <iterator>

namespace {

CommandState Checked(bool on) {
    return {true, true, on};
}

} // namespace

bool IsFunctionCommand(int id) {
    static constexpr int kIds[] = {
        Cmd::Degauss,       Cmd::AutoSizing,     Cmd::InputDsub,        Cmd::InputBnc,
        Cmd::ColorMode1,    Cmd::ColorMode2,     Cmd::ColorMode3,       Cmd::BeepToggle,
        Cmd::BeepOn,        Cmd::BeepOff,        Cmd::DetectAuto,       Cmd::DetectManual,
        Cmd::ResetAll,      Cmd::ResetGeometry,  Cmd::ResetConvergence, Cmd::ResetColor,
        Cmd::StoreInMemory, Cmd::DetectAutoDsub, Cmd::DetectAutoBnc,    Cmd::DetectManualOnly};
    return std::ranges::find(kIds, id) != std::end(kIds);
}

CommandState FunctionCommandState(int id, const CMonitor& monitor) {
    switch (id) {
    case Cmd::AutoSizing:
        return {monitor.IsAvailable(Items::AutoSizeItem), false, false};
    case Cmd::InputDsub:
        return Checked(monitor.GetInputSignal() == 0);
    case Cmd::InputBnc:
        return Checked(monitor.GetInputSignal() == 1);
    case Cmd::ColorMode1:
    case Cmd::ColorMode2:
    case Cmd::ColorMode3:
        return Checked(id == Cmd::ColorMode1 + monitor.Item(Items::ColorMode).current);
    case Cmd::BeepToggle:
    case Cmd::BeepOn:
        return Checked(monitor.GetBeep());
    case Cmd::BeepOff:
        return Checked(!monitor.GetBeep());
    case Cmd::DetectAuto:
    case Cmd::DetectAutoDsub:
        return Checked(monitor.GetInputDetection() == 0);
    case Cmd::DetectAutoBnc:
        return Checked(monitor.GetInputDetection() == 1);
    // Monitors other than revision C take 1 as the request for manual detection and
    // report it back as 2.
    case Cmd::DetectManual:
    case Cmd::DetectManualOnly:
        return Checked(monitor.GetInputDetection() == 2);
    default:
        return {};
    }
}

void RunFunctionCommand(int id, CMonitor& monitor, IAutoSizeNotice& notice) {
    switch (id) {
    case Cmd::Degauss:
        monitor.Degauss();
        break;
    case Cmd::AutoSizing:
        notice.Run(monitor);
        break;
    case Cmd::InputDsub:
        monitor.SetInputSignal(0);
        break;
    case Cmd::InputBnc:
        monitor.SetInputSignal(1);
        break;
    case Cmd::ColorMode1:
    case Cmd::ColorMode2:
    case Cmd::ColorMode3:
        monitor.SetColorMode(id - Cmd::ColorMode1);
        break;
    case Cmd::BeepToggle:
        monitor.SetBeep(!monitor.GetBeep());
        break;
    case Cmd::BeepOn:
        monitor.SetBeep(true);
        break;
    case Cmd::BeepOff:
        monitor.SetBeep(false);
        break;
    case Cmd::DetectAuto:
    case Cmd::DetectAutoDsub:
        monitor.SetInputDetection(0);
        break;
    case Cmd::DetectManual:
    case Cmd::DetectAutoBnc:
        monitor.SetInputDetection(1);
        break;
    case Cmd::DetectManualOnly:
        monitor.SetInputDetection(2);
        break;
    case Cmd::ResetAll:
        monitor.ResetGroup(0);
        break;
    case Cmd::ResetGeometry:
        monitor.ResetGroup(1);
        break;
    case Cmd::ResetConvergence:
        monitor.ResetGroup(2);
        break;
    case Cmd::ResetColor:
        monitor.ResetGroup(3);
        break;
    case Cmd::StoreInMemory:
        monitor.StoreInMemory(true);
        break;
    default:
        break;
    }
}
