#include "pbmp2bmpcommand.h"

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
    TerminalPrompts prompts(parsed.value("--world-palette").value_or("Grey"),
                            ReplaceAnswer::AskOnTerminal);
    TerminalProgress progress;
    ConverterContext context{progress, prompts, palsFolderFrom(parsed, environment)};

    progress.show();
    progress.setMinimum(Bar::ProgressBar1, 0);
    progress.setMaximum(Bar::ProgressBar1, static_cast<int>(inputs.size()));
    int converted = 0;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const fs::path input = fs::u8path(inputs[i]);
        prompts.setCurrentInput(inputs[i]);
        progress.setCaption("Progress - " + displayPath(input.filename()));
        if (ConvertPbmpToBmp(context, input, outputFolder / input.filename()).outcome ==
            Outcome::Converted)
            ++converted;
        progress.setValue(Bar::ProgressBar1, static_cast<int>(i + 1));
    }
    progress.setCaption("Progress");
    progress.hide();
    std::cout << converted << " of " << inputs.size() << " file(s) converted.\n";
    return converted == static_cast<int>(inputs.size()) ? kExitSuccess : kExitSomeFailed;
}

} // namespace skarde::cli
