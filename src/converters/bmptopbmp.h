#pragma once

#include "core/conversionresult.h"
#include "core/convertercontext.h"
#include "pbmpchoices.h"

#include "core/bytes.h"
#include "core/progresssink.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
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

// A Windows bitmap's bytes as they are; an 8-bit indexed PNG's as the bitmap with the same
// indices and colours. Throws Problem naming `subject` for a PNG it cannot take.
Bytes readIndexedImageAsBmp(const ConverterContext& context, Bytes file,
                            const std::string& subject);

// The game bitmap for an 8-bit Windows bitmap's bytes, naming any palette number and carrying any
// attributes word (putting an edited image back in place of a member keeps the member's own).
// `progress`, when given, gets the rows bar. Throws Problem: the fixed refusal when the bytes do
// not start with "BM", a refusal naming `subject` when they are not a bitmap it converts.
Bytes encodeBmpAsPbmp(std::span<const std::uint8_t> bmp, const std::string& subject,
                      std::int32_t paletteNumber, std::uint32_t attributes,
                      ProgressSink* progress = nullptr);

} // namespace skarde
