#pragma once

#include <QString>

struct CliCommand;

// The texts of `qelt32ctl --help` and `qelt32ctl help COMMAND`.
namespace Help {
QString General();
QString ForCommand(const CliCommand& command);
} // namespace Help
