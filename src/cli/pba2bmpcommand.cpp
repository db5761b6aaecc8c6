#include "pba2bmpcommand.h"

#include "batchrun.h"
#include "converters/outputbase.h"
#include "converters/pbatobmp.h"

namespace skarde::cli {

namespace fs = std::filesystem;

int runPba2Bmp(std::span<const std::string> arguments, const CommandEnvironment& environment) {
    // As in the PBA window: the converter drives both bars; the caller shows and hides.
    return runBitmapCommand(
        arguments, environment, FileBar::CountedByStep,
        [](ConverterContext& context, const fs::path& input, const fs::path& outputFolder) {
            return ConvertPbaToBmp(context, input, outputBaseFor(input, outputFolder)).outcome;
        });
}

} // namespace skarde::cli
