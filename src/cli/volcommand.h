#pragma once

#include "clicommand.h"

namespace skarde::cli {

// "vol list ARCHIVE" and "vol extract ... ARCHIVE [MEMBER...]".
int runVol(std::span<const std::string> arguments, const CommandEnvironment& environment);

} // namespace skarde::cli
