#include "pba2bmpcommand.h"

#include "batchrun.h"
#include "converters/pbatobmp.h"
#include "core/fileio.h"

namespace skarde::cli {

namespace fs = std::filesystem;

std::string withoutLastFourCharacters(std::string_view name) {
    std::size_t end = name.size();
    for (int removed = 0; removed < 4 && end > 0; ++removed) {
        --end;
        // Step back over UTF-8 continuation bytes to the start of the character.
        while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80)
            --end;
    }
    return std::string(name.substr(0, end));
}

int runPba2Bmp(std::span<const std::string> arguments, const CommandEnvironment& environment) {
    // As in the PBA window: the converter drives both bars; the caller shows and hides.
    return runBitmapCommand(
        arguments, environment, FileBar::CountedByStep,
        [](ConverterContext& context, const fs::path& input, const fs::path& outputFolder) {
            const std::string name = displayPath(input.filename());
            const fs::path outputBase = outputFolder / fs::u8path(withoutLastFourCharacters(name));
            return ConvertPbaToBmp(context, input, outputBase).outcome;
        });
}

} // namespace skarde::cli
