#pragma once

// The vol actions that write archives: update (the modder's way back from an extracted folder),
// add, remove, and pack (a new archive modelled on a game archive).

#include "commandline.h"

#include <span>
#include <string>

namespace skarde::cli {

int runVolUpdate(std::span<const std::string> arguments);
int runVolAdd(std::span<const std::string> arguments);
int runVolRemove(std::span<const std::string> arguments);
int runVolPack(std::span<const std::string> arguments);

} // namespace skarde::cli
