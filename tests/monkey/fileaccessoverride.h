#pragma once

// Root reads every folder whatever its mode. Dropping the two capabilities that let it (in this
// process and whatever it starts) makes a folder of mode 0 as unreadable to the program as to
// any user, so that the monkey's unreadable folders mean something when CI runs as root.

#include <filesystem>

namespace skarde::monkey {

// Drops the capabilities when the process has them; says whether `probe` is unreadable now.
bool dropFileAccessOverride(const std::filesystem::path& probe);

} // namespace skarde::monkey
