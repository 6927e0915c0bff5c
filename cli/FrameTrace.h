#pragma once

#include "link/Monicom.h"

#include <QString>

#include <chrono>

// qelt32ctl --trace: every frame on standard error, one line each, as
// "14:03:07.512 send 55 55 6E 50 81 F1 4E AA AA".
namespace FrameTrace {

QString FormatLine(std::chrono::system_clock::time_point time, bool sent, const std::uint8_t* bytes,
                   std::size_t count);
CMonicom::TraceSink StderrSink();

} // namespace FrameTrace
