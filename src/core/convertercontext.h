#pragma once

// Everything a conversion needs beside its inputs and outputs: where progress goes, how to talk
// to the user, and where the palettes are.

#include "progresssink.h"
#include "userprompts.h"

#include <filesystem>

namespace skarde {

struct PngCodec;

struct ConverterContext {
    ProgressSink& progress;
    UserPrompts& prompts;
    std::filesystem::path palsFolder;
    // PNG reading and writing, in the programs built with it (converters/pngcodec.h).
    const PngCodec* png = nullptr;
    // Images are written as PNG files instead of Windows bitmaps; needs `png`.
    bool writesPng = false;
};

} // namespace skarde
