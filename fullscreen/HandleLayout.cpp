#include "fullscreen/HandleLayout.h"

#include <array>

namespace HandleLayout {

namespace {

constexpr std::array<int, 25> kFullMarkers = {1,   14,  29,  64,  77,  90,  187, 201, 215,
                                              311, 314, 320, 325, 330, 336, 339, 497, 511,
                                              525, 622, 635, 648, 683, 698, 711};
constexpr std::array<int, 16> kReducedMarkers = {1,   14,  29,  64,  90,  311, 314, 320,
                                                 330, 336, 339, 622, 648, 683, 698, 711};

constexpr std::uint8_t kModelTr4427 = 0;

} // namespace

int Choose(bool pinTopAvailable, std::uint8_t modelIndex) {
    if (pinTopAvailable)
        return 2;
    return modelIndex == kModelTr4427 ? 0 : 1;
}

std::span<const int> MarkerCells(int layout) {
    if (layout == 0)
        return kReducedMarkers;
    return kFullMarkers;
}

} // namespace HandleLayout
