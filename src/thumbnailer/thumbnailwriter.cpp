#include "thumbnailwriter.h"

#include "converters/palette.h"
#include "core/fileio.h"
#include "png/indexedpng.h"
#include "thumbnailscale.h"
#include "thumbnailsource.h"

#include "core/problem.h"

#include <fstream>
#include <string>
#include <system_error>

namespace skarde {

namespace {

class NoProgress : public ProgressSink {
public:
    void show() override {}
    void hide() override {}
    void setCaption(std::string_view) override {}
    void setMinimum(Bar, int) override {}
    void setMaximum(Bar, int) override {}
    void setValue(Bar, int) override {}
    int value(Bar) const override { return 0; }
};

// Nobody is there to answer: the world palette is grey, and a palette that has no file falls
// back to grey without a word.
class NobodyAsked : public UserPrompts {
public:
    void showMessage(std::string_view, MessageKind) override {}
    void reportProblem(std::string_view, std::string_view) override {}
    bool askYesNo(std::string_view) override { return false; }
    std::string ChooseWorldPalette() override { return std::string(kDefaultWorldPaletteName); }
};

// Into the output file itself rather than a new file renamed over it: a thumbnail service makes
// the output file and may read the PNG through the descriptor it keeps, which a rename would
// leave on the empty file. The PNG is whole in memory first, so a file that cannot be shown
// writes nothing; a write that fails takes its part back out.
void writeInPlace(const std::filesystem::path& output, const Bytes& png) {
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    out.close();
    if (!out) {
        std::error_code ignored;
        std::filesystem::remove(output, ignored);
        throw Problem(displayPath(output), "The thumbnail cannot be written.");
    }
}

} // namespace

void writeThumbnail(const std::filesystem::path& input, const std::filesystem::path& output,
                    std::int32_t size, const std::filesystem::path& palsFolder) {
    const ThumbnailSource source = findThumbnailSource(input);
    NoProgress progress;
    NobodyAsked prompts;
    ConverterContext context{progress, prompts, palsFolder};
    const BmpColourTable colours = source.paletteNumber
                                       ? ResolvePalette(context, *source.paletteNumber)
                                       : resolvePaletteNamed(context, kGreyPaletteName);
    const Thumbnail thumbnail = scaleToFit(source.image.pixelRows, source.image.header.width, size);
    const IndexedImageView view{thumbnail.width, thumbnail.height, thumbnail.width, thumbnail.rows,
                                &colours};
    writeInPlace(output, encodeIndexedPng(view));
}

} // namespace skarde
