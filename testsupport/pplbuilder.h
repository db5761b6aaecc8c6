#pragma once

// Palette lists (PPL) built byte by byte from the layout, with a knob for every field, for the
// tests and the sample files. Needs no test framework.

#include "core/bytes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace skarde::filebuilders {

struct PplPaletteFields {
    std::int32_t paletteNumber = 500;
    std::uint8_t seed = 0;        // picks the default colours: see pplColours
    std::optional<Bytes> colours; // 1024 bytes: red, green, blue, unused per entry
    std::uint32_t unused = 0;     // the record's last 4 bytes
};

struct PplFields {
    std::string tag = "PPL ";
    std::optional<std::int32_t> paletteCount; // default: the number of palettes
    Bytes headerRest = Bytes(44, 0);          // bytes 8 to 51 of the header
    std::vector<PplPaletteFields> palettes;
    Bytes trailing; // after the last record
};

// 1024 bytes whose entry i is (i + 5 + seed, 2i + seed, 255 - i - seed, unused 0xC0 ^ i), so
// that palettes of different seeds differ and the unused byte is never a plausible flag.
Bytes pplColours(std::uint8_t seed);
// A record of the given number with the default colours of `seed`.
PplPaletteFields pplPalette(std::int32_t paletteNumber, std::uint8_t seed = 0);
// One 1032-byte record.
Bytes makePplPalette(const PplPaletteFields& fields);
Bytes makePpl(const PplFields& fields);

} // namespace skarde::filebuilders
