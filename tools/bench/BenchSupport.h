#pragma once

// What the link benchmarks on a forked simulated monitor share: the line's rate and the
// process set up in the one safe order.

#include "ForkedSim.h"

#include <QCoreApplication>

// 9600 baud with a start and a stop bit: ten bits a byte.
constexpr double kLineBytesPerSecond = 960.0;

// A benchmark process on a simulated monitor served by a child process. The child is forked
// before the application object exists, so that it inherits no threads; then the profile
// folder and the port are set up.
class CForkedSimBench {
public:
    CForkedSimBench(int& argc, char** argv, const char* profile)
        : sim(profile), app(argc, argv), surroundings(sim) {}
    bool Ok() const { return surroundings.Ok(); }

    CForkedSim sim;
    QCoreApplication app;
    CBenchSurroundings surroundings;
};
