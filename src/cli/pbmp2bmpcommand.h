#pragma once

#include "clicommand.h"

namespace skarde::cli {

int runPbmp2Bmp(std::span<const std::string> arguments, const CommandEnvironment& environment);

} // namespace skarde::cli
