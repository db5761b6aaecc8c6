#pragma once

// Opens browser windows through the browser module, loaded on the first request. When the
// module (or the web engine it needs) cannot be loaded, the address goes to the desktop's own
// web browser instead.

#include "browser/browserwindowmaker.h"

#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

class QPluginLoader;
class QWidget;

namespace skarde::gui {

class BrowserLoader {
public:
    using OpenElsewhere = std::function<void(const QUrl&)>;

    // `modulePath` may leave out the platform's file prefix and suffix.
    explicit BrowserLoader(QString modulePath, OpenElsewhere openElsewhere = openInDesktopBrowser);
    ~BrowserLoader();
    BrowserLoader(const BrowserLoader&) = delete;
    BrowserLoader& operator=(const BrowserLoader&) = delete;

    // A new browser window on `address`, or null when there is no module: the address has then
    // been handed to the desktop's browser.
    std::unique_ptr<QWidget> open(const QString& address, const BrowserPages& pages);

    // Where the program looks for its module: lib/skardetools/ beside its bin/ folder.
    static QString defaultModulePath();
    static void openInDesktopBrowser(const QUrl& address);

private:
    BrowserWindowMaker* maker();

    QString modulePath_;
    OpenElsewhere openElsewhere_;
    // Never unloaded: the windows it made run the module's code until the program ends.
    std::unique_ptr<QPluginLoader> loader_;
    BrowserWindowMaker* maker_ = nullptr;
    bool triedLoading_ = false;
};

} // namespace skarde::gui
