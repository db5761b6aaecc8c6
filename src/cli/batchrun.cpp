#include "batchrun.h"

#include "clicommand.h"
#include "core/fileio.h"

#include <iostream>

namespace skarde::cli {

namespace fs = std::filesystem;

int convertEachInput(std::span<const std::string> inputs, TerminalPrompts& prompts,
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
    const BatchSummary summary = runBatch(progress, prompts, run);
    std::cout << summary.succeeded << " of " << summary.marked << " file(s) converted.\n";
    return summary.failed == 0 ? kExitSuccess : kExitSomeFailed;
}

int runBitmapCommand(std::span<const std::string> arguments, const CommandEnvironment& environment,
                     FileBar fileBar, const BitmapStep& convertOne) {
    const ParsedArguments parsed =
        parseArguments(arguments, {{"-o", "--pals", "--world-palette"}, {}});
    const fs::path outputFolder = outputFolderFrom(parsed);
    const auto inputs = inputFilesFrom(parsed);
    makeOutputFolder(outputFolder);
    TerminalPrompts prompts(ReplaceAnswer::AskOnTerminal, worldPaletteFrom(parsed));
    TerminalProgress progress;
    ConverterContext context{progress, prompts, palsFolderFrom(parsed, environment)};
    return convertEachInput(inputs, prompts, progress, fileBar, [&](const fs::path& input) {
        return convertOne(context, input, outputFolder);
    });
}

} // namespace skarde::cli
