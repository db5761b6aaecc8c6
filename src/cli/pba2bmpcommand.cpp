#include "pba2bmpcommand.h"

#include "batchrun.h"
#include "converters/outputbase.h"
#include "converters/pbaformat.h"
#include "converters/pbatobmp.h"
#include "converters/pixelrows.h"

#include <fstream>

namespace skarde::cli {

namespace fs = std::filesystem;

namespace {

// The number of bitmaps the array's header declares; none when it cannot be read or is no
// bitmap array (the conversion says why).
int declaredBitmapCount(const fs::path& input) {
    Bytes header(kPbaHeaderSize);
    std::ifstream in(input, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(header.data()),
                 static_cast<std::streamsize>(kPbaHeaderSize)))
        return 0;
    const ByteReader reader(header);
    if (reader.tag(0) != makeTag("PBMA"))
        return 0;
    const std::int32_t count = readPbaHeader(reader).bitmapCount;
    return count < 0 || count > kMaxImageDimension ? 0 : count;
}

// icons.pba writes icons0.bmp, icons1.bmp, ...: "icons.pba" and "icons1.pba" clash only when
// the first holds eleven bitmaps or more, so the counts decide.
std::vector<fs::path> pbaOutputs(const fs::path& input, const fs::path& outputFolder) {
    const fs::path base = outputBaseFor(input, outputFolder);
    std::vector<fs::path> outputs;
    const int count = declaredBitmapCount(input);
    for (int k = 0; k < count; ++k)
        outputs.push_back(pbaOutputPath(base, k));
    return outputs;
}

} // namespace

int runPba2Bmp(std::span<const std::string> arguments, const CommandEnvironment& environment) {
    // As in the PBA window: the converter drives both bars; the caller shows and hides.
    return runBitmapCommand(
        arguments, environment, FileBar::CountedByStep, pbaOutputs,
        [](ConverterContext& context, const fs::path& input, const fs::path& outputFolder) {
            return ConvertPbaToBmp(context, input, outputBaseFor(input, outputFolder));
        });
}

} // namespace skarde::cli
