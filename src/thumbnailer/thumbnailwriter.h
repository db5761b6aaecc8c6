#pragma once

// The thumbnail a file manager asks for: the file's game image, scaled to fit `size`, coloured
// with its palette from `palsFolder` (grey for the world palette, as no world is known here), as
// an 8-bit indexed PNG at `output`.

#include <cstdint>
#include <filesystem>

namespace skarde {

// Throws Problem naming the file when it holds no image to show or the PNG cannot be written;
// nothing is written then.
void writeThumbnail(const std::filesystem::path& input, const std::filesystem::path& output,
                    std::int32_t size, const std::filesystem::path& palsFolder);

} // namespace skarde
