#include "app/FrameLayout.h"

#include "app/CommandIds.h"

namespace FrameLayout {

int ChooseMenu(std::uint8_t revision) {
    return revision == 1 ? kMenuRevisionC : kMenuDefault;
}

int ChooseToolbar(std::uint8_t revision, bool notThirdModel) {
    if (revision == 0)
        return kToolbarRevisionB;
    return notThirdModel ? kToolbarOther : kToolbarThirdModel;
}

namespace {

// Every toolbar starts with the file buttons and ends with the beep, the monitor's actions
// and About; the colour modes and the inputs sit between them where the monitor has them.
std::vector<int> Toolbar(bool colorModes, bool inputs) {
    constexpr int sep = kSeparator;
    std::vector<int> ids = {Cmd::FileOpen, Cmd::FileSave, sep};
    if (colorModes)
        ids.insert(ids.end(), {Cmd::ColorMode1, Cmd::ColorMode2, Cmd::ColorMode3, sep});
    if (inputs)
        ids.insert(ids.end(), {Cmd::InputBnc, Cmd::InputDsub, sep});
    ids.insert(ids.end(), {Cmd::BeepToggle, sep, Cmd::AutoSizing, Cmd::Degauss, Cmd::StoreInMemory,
                           sep, Cmd::AppAbout});
    return ids;
}

} // namespace

const std::vector<int>& ToolbarButtons(int toolbar) {
    static const std::vector<int> revisionB = Toolbar(true, true);
    static const std::vector<int> thirdModel = Toolbar(false, false);
    static const std::vector<int> other = Toolbar(false, true);
    switch (toolbar) {
    case kToolbarRevisionB:
        return revisionB;
    case kToolbarThirdModel:
        return thirdModel;
    default:
        return other;
    }
}

std::vector<std::vector<int>> ToolbarGroups(int toolbar) {
    switch (toolbar) {
    case kToolbarRevisionB:
        return {{3, 4, 5}, {7, 8}};
    case kToolbarOther:
        return {{3, 4}};
    default:
        return {};
    }
}

} // namespace FrameLayout
