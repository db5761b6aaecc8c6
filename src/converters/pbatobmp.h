#pragma once

#include "core/conversionresult.h"
#include "core/convertercontext.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace skarde {

inline constexpr std::string_view kNotZiraruvIzovivUzuziMessage =
    "This is not a valid Ziraruv Izoviv Uzuzi file";
// Follows the number of BMP files written: "3 BMP files extracted from PBA".
inline constexpr std::string_view kPbaSummarySuffix = " BMP files extracted from PBA";

// Where the k-th bitmap (counting from 0) goes: the base path, then k, then ".bmp" (".png" when
// `png`).
std::filesystem::path pbaOutputPath(const std::filesystem::path& outputBase, int k,
                                    bool png = false);

// Writes every bitmap of a bitmap array as its own 8-bit Windows bitmap, coloured with the
// palette it names, and closes with the count of files written. Drives both progress bars.
// `outputBase` is the output folder followed by the input's name without its last four characters.
ConversionResult ConvertPbaToBmp(ConverterContext& context, const std::filesystem::path& inputPath,
                                 const std::filesystem::path& outputBase);
// The same for a bitmap array already in memory; messages about it call it `sourceName`.
ConversionResult ConvertPbaToBmp(ConverterContext& context, std::span<const std::uint8_t> source,
                                 std::string_view sourceName,
                                 const std::filesystem::path& outputBase);

} // namespace skarde
