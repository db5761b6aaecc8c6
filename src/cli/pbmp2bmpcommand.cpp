#include "pbmp2bmpcommand.h"

#include "batchrun.h"
#include "converters/pbmptobmp.h"
#include "converters/pngcodec.h"

namespace skarde::cli {

namespace fs = std::filesystem;

int runPbmp2Bmp(std::span<const std::string> arguments, const CommandEnvironment& environment) {
    return runBitmapCommand(
        arguments, environment, FileBar::CountedByLoop,
        [](const fs::path& input, const fs::path& outputFolder) {
            return std::vector<fs::path>{outputFolder / input.filename()};
        },
        [](ConverterContext& context, const fs::path& input, const fs::path& outputFolder) {
            const fs::path bmp = outputFolder / input.filename();
            return ConvertPbmpToBmp(context, input, context.writesPng ? pngPathFor(bmp) : bmp);
        });
}

} // namespace skarde::cli
