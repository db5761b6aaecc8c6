#pragma once

#include "clicommand.h"

namespace skarde::cli {

int runPpl2Pal(std::span<const std::string> arguments, const CommandEnvironment& environment);

} // namespace skarde::cli
