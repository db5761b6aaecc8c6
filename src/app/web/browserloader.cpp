#include "browserloader.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QPluginLoader>
#include <QtDebug>

namespace skarde::gui {

BrowserLoader::BrowserLoader(QString modulePath, OpenElsewhere openElsewhere)
    : modulePath_(std::move(modulePath)), openElsewhere_(std::move(openElsewhere)) {}

BrowserLoader::~BrowserLoader() = default;

QString BrowserLoader::defaultModulePath() {
    return QCoreApplication::applicationDirPath() +
           QStringLiteral("/../lib/skardetools/skardebrowser");
}

void BrowserLoader::openInDesktopBrowser(const QUrl& address) {
    QDesktopServices::openUrl(address);
}

std::unique_ptr<QWidget> BrowserLoader::open(const QString& address, const BrowserPages& pages) {
    if (BrowserWindowMaker* windows = maker()) {
        return windows->makeBrowserWindow(address, pages);
    }
    openElsewhere_(QUrl::fromUserInput(address));
    return nullptr;
}

BrowserWindowMaker* BrowserLoader::maker() {
    if (triedLoading_) {
        return maker_;
    }
    triedLoading_ = true;
    loader_ = std::make_unique<QPluginLoader>(modulePath_);
    maker_ = qobject_cast<BrowserWindowMaker*>(loader_->instance());
    if (maker_ == nullptr) {
        // Once, for whoever wonders why pages open in another program.
        qWarning().noquote() << "The browser module could not be loaded, web pages open in the "
                                "desktop's browser:"
                             << loader_->errorString();
    }
    return maker_;
}

} // namespace skarde::gui
