#pragma once

// The loop every converting subcommand shares: one converter call per input, in order, with the
// progress captions, the closing count on standard output and the exit status.

#include "converters/conversionresult.h"
#include "terminalprogress.h"
#include "terminalprompts.h"

#include <filesystem>
#include <functional>
#include <span>
#include <string>

namespace skarde::cli {

// Who moves the file bar: the loop (one step per input), the converter itself (the bitmap array
// converter counts its images), or nobody (the palette extraction shows no progress).
enum class FileBar { CountedByLoop, CountedByConverter, None };

int runBatch(std::span<const std::string> inputs, TerminalPrompts& prompts,
             TerminalProgress& progress, FileBar fileBar,
             const std::function<Outcome(const std::filesystem::path& input)>& convertOne);

} // namespace skarde::cli
