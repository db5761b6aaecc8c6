#pragma once

#include "clicommand.h"

namespace skarde::cli {

// "vol list ARCHIVE", "vol extract ... ARCHIVE [MEMBER...]", and the actions that write archives
// (volwritecommands.h).
int runVol(std::span<const std::string> arguments, const CommandEnvironment& environment);

} // namespace skarde::cli
