#include "ppl2palcommand.h"

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
    TerminalPrompts prompts("Grey", replace);
    TerminalProgress progress; // the extraction shows no progress; the context needs a sink
    ConverterContext context{progress, prompts, palsFolderFrom(parsed, environment)};

    int converted = 0;
    for (const std::string& inputText : inputs) {
        prompts.setCurrentInput(inputText);
        if (ConvertPplToPal(context, fs::u8path(inputText), outputFolder).outcome ==
            Outcome::Converted)
            ++converted;
    }
    std::cout << converted << " of " << inputs.size() << " file(s) converted.\n";
    return converted == static_cast<int>(inputs.size()) ? kExitSuccess : kExitSomeFailed;
}

} // namespace skarde::cli
