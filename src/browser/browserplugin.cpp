#include "browserplugin.h"

#include "browserwindow.h"

namespace skarde::gui {

std::unique_ptr<QWidget> BrowserPlugin::makeBrowserWindow(const QString& startingAddress,
                                                          const BrowserPages& pages) {
    return std::make_unique<BrowserWindow>(startingAddress, pages);
}

} // namespace skarde::gui
