#pragma once

#include "core/conversionresult.h"
#include "core/convertercontext.h"
#include "pbmpchoices.h"

#include <filesystem>
#include <string_view>

namespace skarde {

inline constexpr std::string_view kNotBitmapMessage = "This is not a valid Bitmap file";

// Turns one uncompressed 8-bit Windows bitmap into a game bitmap that names a game palette and
// carries a drawing option: the palette number and attributes of the chosen table entries.
// Source and destination may be the same file.
ConversionResult ConvertBmpToPbmp(ConverterContext& context,
                                  const std::filesystem::path& sourcePath,
                                  const std::filesystem::path& destinationPath,
                                  PaletteListPosition palette, OptionSliderValue option);

} // namespace skarde
