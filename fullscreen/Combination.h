#pragma once

#include <array>

// The combination coefficients: for each of the eight keys of the combination file, the
// factors of its first and second item (entries 2j and 2j + 1). All zero until loaded.
extern std::array<double, 16> g_comboCoef;
