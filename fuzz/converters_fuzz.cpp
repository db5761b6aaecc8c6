// Feeds arbitrary bytes, as a file, to each converter: game bitmap (to a bitmap and to a PNG),
// bitmap array, Windows bitmap or PNG, and palette list. Whatever the input, a converter must
// return normally, and an output it claims to have written must exist.

#include "converters/bmptopbmp.h"
#include "converters/palfile.h"
#include "converters/pbatobmp.h"
#include "converters/pbmptobmp.h"
#include "converters/ppltopal.h"
#include "core/fileio.h"
#include "png/pngsupport.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class SilentProgress : public skarde::ProgressSink {
public:
    void show() override {}
    void hide() override {}
    void setCaption(std::string_view) override {}
    void setMinimum(skarde::Bar, int) override {}
    void setMaximum(skarde::Bar, int) override {}
    void setValue(skarde::Bar bar, int value) override {
        values_[bar == skarde::Bar::Files ? 0 : 1] = value;
    }
    int value(skarde::Bar bar) const override { return values_[bar == skarde::Bar::Files ? 0 : 1]; }

private:
    int values_[2] = {0, 0};
};

class SilentPrompts : public skarde::UserPrompts {
public:
    void showMessage(std::string_view, skarde::MessageKind) override {}
    void reportProblem(std::string_view, std::string_view) override {}
    bool askYesNo(std::string_view) override { return true; }
    std::string ChooseWorldPalette() override { return "Grey"; }
};

// One folder per fuzzing process, in memory where the machine has it.
fs::path workFolder() {
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    const fs::path folder = base / ("skarde-converters-fuzz-" + std::to_string(getpid()));
    fs::create_directories(folder / "pals");
    fs::create_directories(folder / "out");
    skarde::Bytes grey;
    skarde::ByteWriter writer(grey);
    skarde::writePalFile(writer, skarde::makeGreyPalette());
    skarde::writeFileWhole(folder / "pals" / "grey.pal", grey);
    return folder;
}

void emptyFolder(const fs::path& folder) {
    for (const auto& entry : fs::directory_iterator(folder))
        fs::remove_all(entry.path());
}

void requireWritten(const skarde::ConversionResult& result, const fs::path& output) {
    if (result.filesWritten > 0 && !fs::exists(output))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path folder = workFolder();
    const fs::path input = folder / "input";
    const fs::path out = folder / "out";
    skarde::writeFileWhole(input, skarde::Bytes(data, data + size));
    SilentProgress progress;
    SilentPrompts prompts;
    skarde::ConverterContext context{progress, prompts, folder / "pals", skarde::pngSupport()};

    requireWritten(skarde::ConvertPbmpToBmp(context, input, out / "a.bmp"), out / "a.bmp");
    requireWritten(skarde::ConvertBmpToPbmp(context, input, out / "b.pbmp",
                                            skarde::PaletteListPosition(3),
                                            skarde::OptionSliderValue(2)),
                   out / "b.pbmp");
    requireWritten(skarde::ConvertPbaToBmp(context, input, out / "c"), out / "c0.bmp");
    context.writesPng = true;
    requireWritten(skarde::ConvertPbmpToBmp(context, input, out / "d.png"), out / "d.png");
    context.writesPng = false;
    (void)skarde::ConvertPplToPal(context, input, out);
    emptyFolder(out);
    return 0;
}
