#pragma once

// Everything a conversion needs beside its paths: where progress goes, how to talk to the user,
// where the palettes are, and the records that the converters share. The records outlive each
// call so that callers can read what the last conversion did (the preview sizes itself from the
// last bitmap's width and height).

#include "bmpfile.h"
#include "palfile.h"
#include "pbmpformat.h"
#include "pixelrows.h"
#include "progresssink.h"
#include "userprompts.h"

#include <filesystem>

namespace skarde {

struct SharedRecords {
    BmpFileHeader bmpFileHeader;
    BmpInfoHeader bmpInfoHeader;
    BmpColourTable colourTable{};
    PalFileHeader palFileHeader;
    PalData palData;
    PbmpHeader pbmpHeader;
    PbmpTrailer pbmpTrailer;
    PixelRows pixelRows;
};

struct ConverterContext {
    ProgressSink& progress;
    UserPrompts& prompts;
    std::filesystem::path palsFolder;
    SharedRecords records{};
};

} // namespace skarde
