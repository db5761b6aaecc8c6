#include "ppl2palcommand.h"

#include "batchrun.h"
#include "converters/ppltopal.h"
#include "terminalprogress.h"
#include "terminalprompts.h"

#include <iostream>

namespace skarde::cli {

namespace fs = std::filesystem;

int runPpl2Pal(std::span<const std::string> arguments, const CommandEnvironment& environment) {
    const ParsedArguments parsed = parseArguments(
        arguments, {{"-o", "--pals"}, {"--yes", "--no", "-n", "--no-clobber", "-q", "--quiet"}});
    // -n is --no by another name, as for the other commands.
    const bool keep = parsed.has("--no") || keepsExistingFiles(parsed);
    if (parsed.has("--yes") && keep)
        throw UsageError("--yes and --no cannot be given together");
    const ReplaceAnswer replace = parsed.has("--yes") ? ReplaceAnswer::Yes
                                  : keep              ? ReplaceAnswer::No
                                                      : ReplaceAnswer::AskOnTerminal;
    const fs::path outputFolder = outputFolderFrom(parsed);
    const auto inputs = inputFilesFrom(parsed);
    const fs::path palsFolder = palsFolderFrom(parsed, environment);
    requireFallbackPalette(parsed, palsFolder);
    makeOutputFolder(outputFolder);
    TerminalPrompts prompts(replace);
    prompts.setQuiet(isQuiet(parsed));
    TerminalProgress progress; // the extraction shows no progress; the context needs a sink
    ConverterContext context{progress, prompts, palsFolder};

    const int status =
        convertEachInput(inputs, prompts, progress, FileBar::None, [&](const fs::path& input) {
            return ConvertPplToPal(context, input, outputFolder);
        });
    if (prompts.keptWithoutAsking() > 0)
        std::cerr << "skardetools-cli ppl2pal: " << prompts.keptWithoutAsking()
                  << " existing PAL file(s) kept: there is no terminal to ask on; give --yes to "
                     "replace them or --no to keep them quietly\n";
    return status;
}

} // namespace skarde::cli
