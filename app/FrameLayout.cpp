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

const std::vector<int>& ToolbarButtons(int toolbar) {
    constexpr int sep = kSeparator;
    static const std::vector<int> revisionB = {Cmd::FileOpen,
                                               Cmd::FileSave,
                                               sep,
                                               Cmd::ColorMode1,
                                               Cmd::ColorMode2,
                                               Cmd::ColorMode3,
                                               sep,
                                               Cmd::InputBnc,
                                               Cmd::InputDsub,
                                               sep,
                                               Cmd::BeepToggle,
                                               sep,
                                               Cmd::AutoSizing,
                                               Cmd::Degauss,
                                               Cmd::StoreInMemory,
                                               sep,
                                               Cmd::AppAbout};
    static const std::vector<int> thirdModel = {
        Cmd::FileOpen, Cmd::FileSave,      sep, Cmd::BeepToggle, sep, Cmd::AutoSizing,
        Cmd::Degauss,  Cmd::StoreInMemory, sep, Cmd::AppAbout};
    static const std::vector<int> other = {Cmd::FileOpen,
                                           Cmd::FileSave,
                                           sep,
                                           Cmd::InputBnc,
                                           Cmd::InputDsub,
                                           sep,
                                           Cmd::BeepToggle,
                                           sep,
                                           Cmd::AutoSizing,
                                           Cmd::Degauss,
                                           Cmd::StoreInMemory,
                                           sep,
                                           Cmd::AppAbout};
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
