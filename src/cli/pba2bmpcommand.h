#pragma once

#include "clicommand.h"

#include <string>
#include <string_view>

namespace skarde::cli {

int runPba2Bmp(std::span<const std::string> arguments, const CommandEnvironment& environment);

// A file name without its last four characters (not bytes: a multi-byte UTF-8 character counts
// as one), as the PBA window forms its output base; empty for a name of four characters or fewer.
std::string withoutLastFourCharacters(std::string_view name);

} // namespace skarde::cli
