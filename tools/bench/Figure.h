#pragma once

#include <cstdio>

// One row of the table tools/bench.sh prints after every benchmark has run: what was
// measured, its value with the unit, and the target it is held against (empty for none).
inline void PrintFigure(const char* what, double value, const char* unit, const char* target) {
    std::printf("figure | %s | %.3f %s | %s\n", what, value, unit, target);
}
