#pragma once

// What the browser module offers the program. The module holds the web engine, which is large
// and slow to start, so the program loads it only when the first browser window opens; this
// header, Qt only, is all the two share.

#include <QString>
#include <QWidget>
#include <QtPlugin>

#include <memory>

namespace skarde::gui {

// The pages of a browser window's "Home" and "Search" buttons.
struct BrowserPages {
    QString home;
    QString search;
};

class BrowserWindowMaker {
public:
    virtual ~BrowserWindowMaker() = default;
    // A browser window (frmBrowser) that opens `startingAddress` when it is first shown; an
    // empty address opens no page.
    virtual std::unique_ptr<QWidget> makeBrowserWindow(const QString& startingAddress,
                                                       const BrowserPages& pages) = 0;
};

} // namespace skarde::gui

#define SKARDE_BROWSER_WINDOW_MAKER_IID "org.skardetools.BrowserWindowMaker/1"
Q_DECLARE_INTERFACE(skarde::gui::BrowserWindowMaker, SKARDE_BROWSER_WINDOW_MAKER_IID)
