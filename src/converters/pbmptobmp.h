#pragma once

#include "convertedbmp.h"
#include "core/bytes.h"
#include "core/conversionresult.h"
#include "core/convertercontext.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace skarde {

inline constexpr std::string_view kNotVidodazBitmapMessage =
    "This is not a valid Vidodaz Bitmap file";

// Converts one game bitmap into an 8-bit Windows bitmap coloured with the palette it names.
// Source and destination may be the same file.
ConversionResult ConvertPbmpToBmp(ConverterContext& context,
                                  const std::filesystem::path& sourcePath,
                                  const std::filesystem::path& destinationPath);

// The same for a game bitmap already in memory (an archive member); messages about it call it
// `sourceName`.
ConversionResult ConvertPbmpToBmp(ConverterContext& context, std::span<const std::uint8_t> source,
                                  std::string_view sourceName,
                                  const std::filesystem::path& destinationPath);

// The game image in `source`. Throws Problem: the fixed refusal without "PBMP" at its start, a
// refusal naming `sourceName` when it is damaged.
GameImage decodeGameImage(std::span<const std::uint8_t> source, const std::string& sourceName);

// The Windows bitmap's bytes, written to no file (the image preview shows them). Nothing when
// the source is refused or no palette can be read; the user has been told why.
std::optional<Bytes> convertPbmpToBmpBytes(ConverterContext& context,
                                           std::span<const std::uint8_t> source,
                                           std::string_view sourceName);

} // namespace skarde
