#include "batchrun.h"

#include "clicommand.h"
#include "converters/pngcodec.h"
#include "core/fileio.h"
#include "png/pngsupport.h"

#include <algorithm>
#include <iostream>
#include <map>
#include <system_error>

namespace skarde::cli {

namespace fs = std::filesystem;

namespace {

std::string foldedPath(const fs::path& path) {
    std::string text = displayPath(path.lexically_normal());
    for (char& c : text)
        c = foldCase(c);
    return text;
}

bool isSameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    return fs::equivalent(a, b, error);
}

std::string runSummary(int converted, int inputs, int skipped) {
    std::string text =
        std::to_string(converted) + " of " + std::to_string(inputs) + " file(s) converted";
    if (skipped > 0)
        text += "; " + std::to_string(skipped) + " skipped (their outputs exist)";
    return text + ".\n";
}

} // namespace

int convertEachInput(std::span<const std::string> inputs, TerminalPrompts& prompts,
                     TerminalProgress& progress, FileBar fileBar, const ConvertStep& convertOne) {
    int skipped = 0;
    BatchRun run;
    run.rowCount = inputs.size();
    run.rowName = [&](std::size_t row) { return displayPath(fs::u8path(inputs[row]).filename()); };
    run.handleRow = [&](std::size_t row) {
        prompts.setCurrentInput(inputs[row]);
        const ConversionResult result = convertOne(fs::u8path(inputs[row]));
        const bool converted = result.outcome == Outcome::Converted;
        if (converted && result.filesWritten == 0 && result.filesKept > 0)
            ++skipped;
        return converted;
    };
    run.fileBar = fileBar;
    const BatchSummary summary = runBatch(progress, prompts, run);
    if (!prompts.quiet())
        std::cout << runSummary(summary.succeeded - skipped, summary.marked, skipped);
    return summary.failed == 0 ? kExitSuccess : kExitSomeFailed;
}

void checkOutputsOfRun(std::span<const std::string> inputs, const OutputsOf& outputsOf,
                       bool keepExistingFiles) {
    std::vector<std::vector<fs::path>> outputs; // by input; worked out once (pba2bmp reads)
    std::map<std::string, std::size_t> writer;  // folded output path -> input
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        outputs.push_back(outputsOf(fs::u8path(inputs[i])));
        for (const fs::path& output : outputs.back()) {
            const auto [at, isNew] = writer.emplace(foldedPath(output), i);
            if (!isNew)
                throw UsageError(inputs[at->second] + " and " + inputs[i] + " would both write " +
                                 displayPath(output) + "; convert them into different folders");
        }
    }
    if (keepExistingFiles)
        return;
    for (std::size_t i = 0; i < inputs.size(); ++i)
        for (const fs::path& output : outputs[i])
            if (isSameFile(fs::u8path(inputs[i]), output))
                std::cerr << inputs[i]
                          << ": the output folder is this file's own folder: the file is replaced "
                             "by its conversion, as the windows do\n";
}

int runBitmapCommand(std::span<const std::string> arguments, const CommandEnvironment& environment,
                     FileBar fileBar, const BitmapOutputs& outputsOf,
                     const BitmapStep& convertOne) {
    const ParsedArguments parsed =
        parseArguments(arguments, {{"-o", "--pals", "--world-palette", "--format"},
                                   {"-n", "--no-clobber", "-q", "--quiet"}});
    const bool png = writesPngFrom(parsed);
    const fs::path outputFolder = outputFolderFrom(parsed);
    const auto inputs = inputFilesFrom(parsed);
    const fs::path palsFolder = palsFolderFrom(parsed, environment);
    requireFallbackPalette(parsed, palsFolder);
    const std::string worldPalette = worldPaletteFrom(parsed, palsFolder);
    checkOutputsOfRun(
        inputs,
        [&](const fs::path& input) {
            std::vector<fs::path> outputs = outputsOf(input, outputFolder);
            if (png)
                std::transform(outputs.begin(), outputs.end(), outputs.begin(), pngPathFor);
            return outputs;
        },
        keepsExistingFiles(parsed));
    makeOutputFolder(outputFolder);
    TerminalPrompts prompts(ReplaceAnswer::AskOnTerminal, worldPalette, palsFolder);
    prompts.setQuiet(isQuiet(parsed));
    prompts.setKeepExistingFiles(keepsExistingFiles(parsed));
    TerminalProgress progress;
    ConverterContext context{progress, prompts, palsFolder, pngSupport(), png};
    return convertEachInput(inputs, prompts, progress, fileBar, [&](const fs::path& input) {
        return convertOne(context, input, outputFolder);
    });
}

} // namespace skarde::cli
