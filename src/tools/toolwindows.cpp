#include "toolwindows.h"

#include "bmp2pbmpwindow.h"
#include "pba2bmpwindow.h"
#include "pbmp2bmpwindow.h"
#include "pplextractwindow.h"
#include "volextractwindow.h"

#include "widgets/batchtoolframe.h"

namespace skarde::gui {

namespace {

template <typename Window> std::unique_ptr<QWidget> makeWindow(ConverterContext& context) {
    return std::make_unique<Window>(context);
}

// Every tool window keeps its lists in one batch frame.
bool chooseSourceFile(QWidget& window, const std::filesystem::path& file) {
    auto* frame = window.findChild<BatchToolFrame*>();
    return frame != nullptr && frame->chooseSourceFile(file);
}

// The archive is loaded whatever its name; only its mark in the file list needs the name.
bool loadArchive(QWidget& window, const std::filesystem::path& file) {
    chooseSourceFile(window, file);
    static_cast<VolExtractWindow&>(window).LoadVolDirectory(file);
    return true;
}

// The icons are drawn by resources/makeartwork.cpp and built in under /artwork.
constexpr ToolWindowEntry kToolWindows[] = {
    {"mnuToolspbmp2bmp", "PBMP -> BMP", makeWindow<Pbmp2BmpWindow>, nullptr,
     GameFileKind::GameImage, chooseSourceFile},
    {"mnuToolspba2bmp", "PBA -> BMP", makeWindow<Pba2BmpWindow>, ":/artwork/frmpba2bmp.ico",
     GameFileKind::ImageArray, chooseSourceFile},
    {"mnuToolsvolextract", "VOL File Extractor", makeWindow<VolExtractWindow>,
     ":/artwork/frmvolextract.ico", GameFileKind::Archive, loadArchive},
    {"mnupplextract", "PPL Extract", makeWindow<PplExtractWindow>, ":/artwork/frmpplextract.ico",
     GameFileKind::PaletteList, chooseSourceFile},
    {"mnuToolsmakeskin", "RuziRire+", makeWindow<Bmp2PbmpWindow>, ":/artwork/frmbmp2pbmp.ico",
     GameFileKind::Unknown, nullptr},
};

} // namespace

std::span<const ToolWindowEntry> toolWindows() {
    return kToolWindows;
}

const ToolWindowEntry* toolWindowOpening(GameFileKind kind) {
    for (const ToolWindowEntry& entry : kToolWindows)
        if (entry.opens == kind && entry.openFile != nullptr)
            return &entry;
    return nullptr;
}

} // namespace skarde::gui
