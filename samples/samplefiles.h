#pragma once

// The files a new user tries the tools on.

#include <filesystem>

namespace skarde::samples {

// Writes the sample game files into `samplesFolder` (with an empty "out" folder for results)
// and the palettes they name into `palsFolder`. Throws Problem or filesystem_error.
void writeSamples(const std::filesystem::path& samplesFolder,
                  const std::filesystem::path& palsFolder);

} // namespace skarde::samples
