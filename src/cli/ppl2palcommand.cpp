#include "ppl2palcommand.h"

#include "batchrun.h"
#include "converters/ppltopal.h"
#include "terminalprogress.h"
#include "terminalprompts.h"

#include <iostream>

namespace skarde::cli {

namespace fs = std::filesystem;

int runPpl2Pal(std::span<const std::string> arguments, const CommandEnvironment& environment) {
    const ParsedArguments parsed = parseArguments(arguments, {{"-o", "--pals"}, {"--yes", "--no"}});
    if (parsed.has("--yes") && parsed.has("--no"))
        throw UsageError("--yes and --no cannot be given together");
    const ReplaceAnswer replace = parsed.has("--yes")  ? ReplaceAnswer::Yes
                                  : parsed.has("--no") ? ReplaceAnswer::No
                                                       : ReplaceAnswer::AskOnTerminal;
    const fs::path outputFolder = outputFolderFrom(parsed);
    const auto inputs = inputFilesFrom(parsed);
    makeOutputFolder(outputFolder);
    TerminalPrompts prompts(replace);
    TerminalProgress progress; // the extraction shows no progress; the context needs a sink
    ConverterContext context{progress, prompts, palsFolderFrom(parsed, environment)};

    return convertEachInput(inputs, prompts, progress, FileBar::None, [&](const fs::path& input) {
        return ConvertPplToPal(context, input, outputFolder).outcome;
    });
}

} // namespace skarde::cli
