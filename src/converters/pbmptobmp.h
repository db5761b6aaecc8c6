#pragma once

#include "core/conversionresult.h"
#include "core/convertercontext.h"

#include <filesystem>
#include <string_view>

namespace skarde {

inline constexpr std::string_view kNotVidodazBitmapMessage =
    "This is not a valid Vidodaz Bitmap file";

// Converts one game bitmap into an 8-bit Windows bitmap coloured with the palette it names.
// Source and destination may be the same file. Messages about the source call it `sourceName`
// when one is given (an archive member held in a scratch file), else its path.
ConversionResult ConvertPbmpToBmp(ConverterContext& context,
                                  const std::filesystem::path& sourcePath,
                                  const std::filesystem::path& destinationPath,
                                  std::string_view sourceName = {});

} // namespace skarde
