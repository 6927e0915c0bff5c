#pragma once

#include "GifWriter.h"

#include <vector>

// The program's animation clips, by clip number: 5 a monitor being adjusted, 6 a monitor
// going to sleep (17 frames, played once), 10 + kind the markers of the full-screen handles
// and 45 + kind the picture at a grabbed handle.
std::vector<int> ClipNumbers();
std::vector<GifFrame> MakeClip(int number);
