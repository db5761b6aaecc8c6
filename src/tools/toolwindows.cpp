#include "toolwindows.h"

#include "bmp2pbmpwindow.h"
#include "pba2bmpwindow.h"
#include "pbmp2bmpwindow.h"
#include "pplextractwindow.h"
#include "volextractwindow.h"

namespace skarde::gui {

namespace {

template <typename Window> std::unique_ptr<QWidget> makeWindow(ConverterContext& context) {
    return std::make_unique<Window>(context);
}

// The icons are drawn by resources/makeartwork.cpp and built in under /artwork.
constexpr ToolWindowEntry kToolWindows[] = {
    {"mnuToolspbmp2bmp", "PBMP -> BMP", makeWindow<Pbmp2BmpWindow>, nullptr},
    {"mnuToolspba2bmp", "PBA -> BMP", makeWindow<Pba2BmpWindow>, ":/artwork/frmpba2bmp.ico"},
    {"mnuToolsvolextract", "VOL File Extractor", makeWindow<VolExtractWindow>,
     ":/artwork/frmvolextract.ico"},
    {"mnupplextract", "PPL Extract", makeWindow<PplExtractWindow>, ":/artwork/frmpplextract.ico"},
    {"mnuToolsmakeskin", "RuziRire+", makeWindow<Bmp2PbmpWindow>, ":/artwork/frmbmp2pbmp.ico"},
};

} // namespace

std::span<const ToolWindowEntry> toolWindows() {
    return kToolWindows;
}

} // namespace skarde::gui
