#include "batchrun.h"

#include "clicommand.h"
#include "converters/fileio.h"

#include <iostream>

namespace skarde::cli {

namespace fs = std::filesystem;

int runBatch(std::span<const std::string> inputs, TerminalPrompts& prompts,
             TerminalProgress& progress, FileBar fileBar,
             const std::function<Outcome(const fs::path& input)>& convertOne) {
    BatchRun run;
    run.rowCount = inputs.size();
    run.rowName = [&](std::size_t row) { return displayPath(fs::u8path(inputs[row]).filename()); };
    run.handleRow = [&](std::size_t row) {
        prompts.setCurrentInput(inputs[row]);
        return convertOne(fs::u8path(inputs[row])) == Outcome::Converted;
    };
    run.fileBar = fileBar;
    const BatchSummary summary = RunBatch(progress, prompts, run);
    std::cout << summary.succeeded << " of " << summary.marked << " file(s) converted.\n";
    return summary.failed == 0 ? kExitSuccess : kExitSomeFailed;
}

} // namespace skarde::cli
