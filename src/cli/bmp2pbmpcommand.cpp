#include "bmp2pbmpcommand.h"

#include "batchrun.h"
#include "converters/bmptopbmp.h"
#include "converters/fileio.h"
#include "converters/pbmpchoices.h"
#include "terminalprogress.h"
#include "terminalprompts.h"

#include <array>
#include <iostream>

namespace skarde::cli {

namespace fs = std::filesystem;

namespace {

// The words for the drawing options, by slider value 1 to 5.
constexpr std::array<std::string_view, 5> kOptionWords{"none", "additive", "subtractive",
                                                       "translucent", "transparent"};

// The value of plain decimal text (digits only, no leading zero), or -1.
long plainDecimal(std::string_view text) {
    if (text.empty() || text.size() > 9 || (text.size() > 1 && text[0] == '0'))
        return -1;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

int paletteChoiceFromArgument(std::string_view text) {
    const long number = plainDecimal(text);
    for (std::size_t position = 0; position < kGamePaletteChoices.size(); ++position) {
        const GamePaletteChoice& choice = kGamePaletteChoices[position];
        if (number == static_cast<long>(position) || number == choice.paletteNumber ||
            equalsIgnoringCase(text, choice.listName))
            return static_cast<int>(position);
    }
    throw UsageError("unknown palette " + std::string(text) +
                     "; give a list position 0 to 19, a palette number such as 500 or a name "
                     "such as Desert");
}

int optionChoiceFromArgument(std::string_view text) {
    const long number = plainDecimal(text);
    for (std::size_t i = 0; i < kDrawingOptionChoices.size(); ++i) {
        const int sliderValue = kDrawingOptionChoices[i].sliderValue;
        if (number == sliderValue || equalsIgnoringCase(text, kOptionWords[i]))
            return sliderValue;
    }
    throw UsageError("unknown option " + std::string(text) +
                     "; give 1 to 5 or none, additive, subtractive, translucent, transparent");
}

int runBmp2Pbmp(std::span<const std::string> arguments, const CommandEnvironment& environment) {
    const ParsedArguments parsed = parseArguments(arguments, {{"-o", "--palette", "--option"}, {}});
    const auto paletteText = parsed.value("--palette");
    if (!paletteText)
        throw UsageError("a palette is needed: --palette P");
    const std::string paletteChoice = std::to_string(paletteChoiceFromArgument(*paletteText));
    const std::string optionChoice =
        std::to_string(optionChoiceFromArgument(parsed.value("--option").value_or("1")));
    const fs::path outputFolder = outputFolderFrom(parsed);
    const auto inputs = inputFilesFrom(parsed);
    makeOutputFolder(outputFolder);
    TerminalPrompts prompts("Grey", ReplaceAnswer::AskOnTerminal);
    TerminalProgress progress;
    ConverterContext context{progress, prompts, palsFolderFrom(parsed, environment)};

    return runBatch(inputs, prompts, progress, FileBar::CountedByLoop, [&](const fs::path& input) {
        return ConvertBmpToPbmp(context, input, outputFolder / input.filename(), paletteChoice,
                                optionChoice)
            .outcome;
    });
}

} // namespace skarde::cli
