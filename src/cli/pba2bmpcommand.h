#pragma once

#include "clicommand.h"

#include <string>

namespace skarde::cli {

int runPba2Bmp(std::span<const std::string> arguments, const CommandEnvironment& environment);

} // namespace skarde::cli
