#pragma once

// The loop every converting subcommand shares: one converter call per input, in order, with the
// progress captions, the closing count on standard output and the exit status.

#include "converters/batchloop.h"
#include "converters/conversionresult.h"
#include "terminalprogress.h"
#include "terminalprompts.h"

#include <filesystem>
#include <functional>
#include <span>
#include <string>

namespace skarde::cli {

int runBatch(std::span<const std::string> inputs, TerminalPrompts& prompts,
             TerminalProgress& progress, FileBar fileBar,
             const std::function<Outcome(const std::filesystem::path& input)>& convertOne);

} // namespace skarde::cli
