#include "pbmp2bmpcommand.h"

#include "batchrun.h"
#include "converters/fileio.h"
#include "converters/pbmptobmp.h"
#include "terminalprogress.h"
#include "terminalprompts.h"

#include <iostream>

namespace skarde::cli {

namespace fs = std::filesystem;

int runPbmp2Bmp(std::span<const std::string> arguments, const CommandEnvironment& environment) {
    const ParsedArguments parsed =
        parseArguments(arguments, {{"-o", "--pals", "--world-palette"}, {}});
    const fs::path outputFolder = outputFolderFrom(parsed);
    const auto inputs = inputFilesFrom(parsed);
    makeOutputFolder(outputFolder);
    TerminalPrompts prompts(parsed.value("--world-palette").value_or("Grey"),
                            ReplaceAnswer::AskOnTerminal);
    TerminalProgress progress;
    ConverterContext context{progress, prompts, palsFolderFrom(parsed, environment)};

    return runBatch(inputs, prompts, progress, FileBar::CountedByLoop, [&](const fs::path& input) {
        return ConvertPbmpToBmp(context, input, outputFolder / input.filename()).outcome;
    });
}

} // namespace skarde::cli
