#include "fullscreen/GreyPalette.h"

std::unique_ptr<CGreyPalette> CGreyPalette::Create(int entries) {
    if (entries < 2 || entries > kMaxEntries)
        return nullptr;
    std::vector<QRgb> levels;
    levels.reserve(static_cast<std::size_t>(entries));
    levels.push_back(qRgb(255, 255, 255));
    for (int k = 1; k < entries - 1; ++k) {
        const int level = 256 - 16 * k;
        levels.push_back(qRgb(level, level, level));
    }
    levels.push_back(qRgb(0, 0, 0));
    return std::unique_ptr<CGreyPalette>(new CGreyPalette(std::move(levels)));
}
