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

namespace skarde::cli {

int convertEachInput(std::span<const std::string> inputs, TerminalPrompts& prompts,
                     TerminalProgress& progress, FileBar fileBar,
                     const std::function<Outcome(const std::filesystem::path& input)>& convertOne);

// pbmp2bmp and pba2bmp: the same options (-o, --pals, --world-palette) and one converter call
// per input, writing into the output folder.
using BitmapStep =
    std::function<Outcome(ConverterContext& context, const std::filesystem::path& input,
                          const std::filesystem::path& outputFolder)>;
int runBitmapCommand(std::span<const std::string> arguments, const CommandEnvironment& environment,
                     FileBar fileBar, const BitmapStep& convertOne);

} // namespace skarde::cli
