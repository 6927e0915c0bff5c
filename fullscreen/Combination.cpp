#include "fullscreen/Combination.h"

std::array<double, 16> g_comboCoef{};
