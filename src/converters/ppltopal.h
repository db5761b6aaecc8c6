#pragma once

#include "core/conversionresult.h"
#include "core/convertercontext.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace skarde {

inline constexpr std::string_view kReplacePalQuestion =
    "PAL file exists. Do you wish to replace it?";
// Follows the number of PAL files written: "3 PAL file(s) extracted."
inline constexpr std::string_view kPplSummarySuffix = " PAL file(s) extracted.";

// The name of the PAL file for a palette: its number as decimal text, then ".pal" ("-7.pal").
std::string palFileName(std::int32_t paletteNumber);

// Writes every palette of a palette list as a PAL file named after its number in `outputFolder`,
// each a copy of the pals folder's grey.pal with only red, green and blue replaced, followed by
// the number. Asks before replacing an existing file; closes with the count of files written.
// Shows no progress.
ConversionResult ConvertPplToPal(ConverterContext& context, const std::filesystem::path& inputPath,
                                 const std::filesystem::path& outputFolder);
// The same for a palette list already in memory; messages about it call it `sourceName`.
ConversionResult ConvertPplToPal(ConverterContext& context, std::span<const std::uint8_t> input,
                                 std::string_view sourceName,
                                 const std::filesystem::path& outputFolder);

} // namespace skarde
