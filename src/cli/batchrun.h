#pragma once

// The loop every converting subcommand shares: one converter call per input, in order, with the
// progress captions, the closing count on standard output and the exit status.

#include "clicommand.h"
#include "core/batchloop.h"
#include "core/conversionresult.h"
#include "core/convertercontext.h"
#include "terminalprogress.h"
#include "terminalprompts.h"

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace skarde::cli {

using ConvertStep = std::function<ConversionResult(const std::filesystem::path& input)>;

int convertEachInput(std::span<const std::string> inputs, TerminalPrompts& prompts,
                     TerminalProgress& progress, FileBar fileBar, const ConvertStep& convertOne);

// The files an input would write.
using OutputsOf = std::function<std::vector<std::filesystem::path>(const std::filesystem::path&)>;

// Before anything is written: a usage error naming both when two inputs would write the same
// output (names compared without regard to case, as on Windows), and, unless existing files are
// kept, a warning on standard error for each input its own output replaces.
void checkOutputsOfRun(std::span<const std::string> inputs, const OutputsOf& outputsOf,
                       bool keepExistingFiles);

// pbmp2bmp and pba2bmp: the same options (-o, --pals, --world-palette, -n, -q) and one converter
// call per input, writing into the output folder.
using BitmapStep =
    std::function<ConversionResult(ConverterContext& context, const std::filesystem::path& input,
                                   const std::filesystem::path& outputFolder)>;
using BitmapOutputs = std::function<std::vector<std::filesystem::path>(
    const std::filesystem::path& input, const std::filesystem::path& outputFolder)>;
int runBitmapCommand(std::span<const std::string> arguments, const CommandEnvironment& environment,
                     FileBar fileBar, const BitmapOutputs& outputsOf, const BitmapStep& convertOne);

} // namespace skarde::cli
