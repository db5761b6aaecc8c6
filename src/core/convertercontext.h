#pragma once

// Everything a conversion needs beside its inputs and outputs: where progress goes, how to talk
// to the user, and where the palettes are.

#include "progresssink.h"
#include "userprompts.h"

#include <filesystem>

namespace skarde {

struct ConverterContext {
    ProgressSink& progress;
    UserPrompts& prompts;
    std::filesystem::path palsFolder;
};

} // namespace skarde
