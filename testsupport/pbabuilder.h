#pragma once

// Bitmap arrays (PBA) built byte by byte from the layout, with a knob for every field, for the
// tests and the sample files. Needs no test framework.

#include "core/bytes.h"
#include "pbmpbuilder.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace skarde::filebuilders {

struct PbaEntryFields {
    // The entry is this PBMP image (header, rows, extraBeforeTrailer, then the trailer's two
    // parts), without the last 12 bytes when it has no palette part.
    PbmpFields bitmap;
    bool palettePart = true;
};

struct PbaFields {
    std::string magic = "PBMA";
    std::uint32_t field4 = 0;
    std::uint32_t field8 = 0;
    std::string field12 = "    ";
    std::optional<std::int32_t> bitmapCount; // default: the number of entries
    std::uint32_t field20 = 0;
    std::vector<PbaEntryFields> entries;
    Bytes trailing; // after the last entry
};

// One entry: 44 + height x stride + 24 bytes with its palette part, 12 fewer without.
Bytes makePbaEntry(const PbaEntryFields& fields);
Bytes makePba(const PbaFields& fields);

// An entry of the given size whose rows are patternRows(width, height, seed).
PbaEntryFields pbaEntry(std::int32_t width, std::int32_t height, std::int32_t paletteNumber,
                        std::uint8_t seed = 0, bool palettePart = true);

} // namespace skarde::filebuilders
