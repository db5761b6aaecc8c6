#pragma once

// The browser module's entry point, found by the program's plugin loader.

#include "browserwindowmaker.h"

#include <QObject>

namespace skarde::gui {

class BrowserPlugin : public QObject, public BrowserWindowMaker {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID SKARDE_BROWSER_WINDOW_MAKER_IID)
    Q_INTERFACES(skarde::gui::BrowserWindowMaker)
public:
    std::unique_ptr<QWidget> makeBrowserWindow(const QString& startingAddress,
                                               const BrowserPages& pages) override;
};

} // namespace skarde::gui
