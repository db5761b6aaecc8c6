#include "bmp2pbmpcommand.h"

#include "batchrun.h"
#include "converters/bmptopbmp.h"
#include "converters/pbmpchoices.h"
#include "core/fileio.h"
#include "png/pngsupport.h"
#include "terminalprogress.h"
#include "terminalprompts.h"

#include <algorithm>
#include <array>
#include <iostream>
#include <vector>

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

// `words` joined by spaces into lines of at most 79 characters; the first line follows
// `firstLineStart`, the others start at `indent` spaces.
std::string wrapWords(const std::vector<std::string>& words, std::string firstLineStart,
                      std::size_t indent) {
    constexpr std::size_t kLineWidth = 79;
    std::string text;
    std::string line = std::move(firstLineStart);
    bool lineHasWords = false;
    for (const std::string& word : words) {
        if (lineHasWords && line.size() + 1 + word.size() > kLineWidth) {
            text += line + '\n';
            line = std::string(indent, ' ');
            lineHasWords = false;
        }
        line += (lineHasWords ? " " : "") + word;
        lineHasWords = true;
    }
    return text + line + '\n';
}

std::vector<std::string> splitWords(std::string_view text) {
    std::vector<std::string> words;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        if (end > start)
            words.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

// The --palette description: every palette of the table by number and by name.
std::string paletteOptionHelp() {
    std::vector<std::string> words =
        splitWords("the game palette: a list position 0 to " +
                   std::to_string(kGamePaletteChoices.size() - 1) + ", a palette number");
    for (std::size_t i = 0; i < kGamePaletteChoices.size(); ++i)
        words.push_back(std::to_string(kGamePaletteChoices[i].paletteNumber) + ",");
    words.insert(words.end(), {"or", "its", "name"});
    for (std::size_t i = 0; i < kGamePaletteChoices.size(); ++i) {
        const bool last = i + 1 == kGamePaletteChoices.size();
        words.push_back(std::string(kGamePaletteChoices[i].listName) + (last ? "" : ","));
    }
    words.insert(words.end(), {"(any", "letter", "case)"});
    return wrapWords(words, "    --palette P  ", 17);
}

} // namespace

std::string bmp2pbmpHelpText() {
    return "bmp2pbmp --palette P [--option O] [-n] [-q] -o OUTDIR FILE...\n"
           "    Converts each uncompressed 8-bit Windows bitmap FILE into a game bitmap\n"
           "    (PBMP) OUTDIR/<FILE's name> that names a game palette and carries a\n"
           "    drawing option (the RuziRire+ tool). An 8-bit indexed PNG FILE is taken\n"
           "    the same way, its colour indices as they are; its game bitmap is named\n"
           "    .bmp instead of .png.\n" +
           paletteOptionHelp() +
           "    --option O   the drawing option: 1 none (default), 2 additive,\n"
           "                 3 subtractive, 4 translucent, 5 transparent (black\n"
           "                 background), by number or by word\n" +
           convertingOptionsHelp();
}

PaletteListPosition paletteChoiceFromArgument(std::string_view text) {
    const long number = plainDecimal(text);
    for (std::size_t position = 0; position < kGamePaletteChoices.size(); ++position) {
        const GamePaletteChoice& choice = kGamePaletteChoices[position];
        if (number == static_cast<long>(position) || number == choice.paletteNumber ||
            equalsIgnoringCase(text, choice.listName))
            return PaletteListPosition(static_cast<int>(position));
    }
    throw UsageError("unknown palette " + std::string(text) + "; give a list position 0 to " +
                     std::to_string(kGamePaletteChoices.size() - 1) +
                     ", a palette number such as " +
                     std::to_string(kGamePaletteChoices.front().paletteNumber) +
                     " or a name such as " + std::string(kGamePaletteChoices.front().listName));
}

OptionSliderValue optionChoiceFromArgument(std::string_view text) {
    const long number = plainDecimal(text);
    for (std::size_t i = 0; i < kDrawingOptionChoices.size(); ++i) {
        const int sliderValue = kDrawingOptionChoices[i].sliderValue;
        if (number == sliderValue || equalsIgnoringCase(text, kOptionWords[i]))
            return OptionSliderValue(sliderValue);
    }
    throw UsageError("unknown option " + std::string(text) +
                     "; give 1 to 5 or none, additive, subtractive, translucent, transparent");
}

int runBmp2Pbmp(std::span<const std::string> arguments, const CommandEnvironment& environment) {
    const ParsedArguments parsed = parseArguments(
        arguments, {{"-o", "--palette", "--option"}, {"-n", "--no-clobber", "-q", "--quiet"}});
    const auto paletteText = parsed.value("--palette");
    if (!paletteText)
        throw UsageError("a palette is needed: --palette P");
    const PaletteListPosition palette = paletteChoiceFromArgument(*paletteText);
    const OptionSliderValue option =
        optionChoiceFromArgument(parsed.value("--option").value_or("1"));
    const fs::path outputFolder = outputFolderFrom(parsed);
    const auto inputs = inputFilesFrom(parsed);
    checkOutputsOfRun(
        inputs,
        [&](const fs::path& input) {
            return std::vector<fs::path>{outputFolder / pbmpNameFor(input)};
        },
        keepsExistingFiles(parsed));
    makeOutputFolder(outputFolder);
    TerminalPrompts prompts(ReplaceAnswer::AskOnTerminal);
    prompts.setQuiet(isQuiet(parsed));
    prompts.setKeepExistingFiles(keepsExistingFiles(parsed));
    TerminalProgress progress;
    ConverterContext context{progress, prompts, palsFolderFrom(parsed, environment), pngSupport()};

    return convertEachInput(
        inputs, prompts, progress, FileBar::CountedByLoop, [&](const fs::path& input) {
            return ConvertBmpToPbmp(context, input, outputFolder / pbmpNameFor(input), palette,
                                    option);
        });
}

} // namespace skarde::cli
