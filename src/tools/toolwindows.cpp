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

} // namespace

std::vector<ToolWindowEntry> toolWindows() {
    return {
        {QStringLiteral("mnuToolspbmp2bmp"), makeWindow<Pbmp2BmpWindow>, false},
        {QStringLiteral("mnuToolsvolextract"), makeWindow<VolExtractWindow>, true},
        {QStringLiteral("mnuToolspba2bmp"), makeWindow<Pba2BmpWindow>, true},
        {QStringLiteral("mnuToolsmakeskin"), makeWindow<Bmp2PbmpWindow>, true},
        {QStringLiteral("mnupplextract"), makeWindow<PplExtractWindow>, true},
    };
}

} // namespace skarde::gui
