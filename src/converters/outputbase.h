#pragma once

#include <filesystem>

namespace skarde {

// Where the outputs of `inputPath` go for the converters that number or name them themselves
// (the PBA converter appends "0.bmp", "1.bmp"...): `outputFolder`, then the input's file name
// without its last four characters (".PBA", ".pft", ".PPL"). Characters, not bytes or UTF-16
// units, so that every front end cuts a non-ASCII name in the same place; a name of four
// characters or fewer leaves nothing after the folder.
std::filesystem::path outputBaseFor(const std::filesystem::path& inputPath,
                                    const std::filesystem::path& outputFolder);

} // namespace skarde
