#pragma once

// The one test of whether an output is to be left alone because a file of its name exists.

#include "userprompts.h"

#include <filesystem>

namespace skarde {

// True, after telling the prompts, when the user keeps existing files and one stands at
// `destination`. Asks the disk nothing otherwise.
bool keepExistingFile(UserPrompts& prompts, const std::filesystem::path& destination);

} // namespace skarde
