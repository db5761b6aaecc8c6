#pragma once

// frmBrowser: a small web page viewer, a child window of the main window. A toolbar (back,
// forward, stop, refresh, home, search) and an address box sit above the page. The caption
// reads "Working..." while a page loads, and the page's title otherwise.

#include "browserwindowmaker.h"

#include <QString>
#include <QWidget>

class QComboBox;
class QLabel;
class QToolBar;
class QWebEngineView;

namespace skarde::gui {

class BrowserWindow : public QWidget {
    Q_OBJECT
public:
    BrowserWindow(QString startingAddress, BrowserPages pages, QWidget* parent = nullptr);

    const QString& StartingAddress() const { return startingAddress_; }

    // Acts as the toolbar button with this key does ("Back", "Forward", "Stop", "Refresh",
    // "Home", "Search"); any other key does nothing.
    void pressButton(const QString& key);

    // The designed size, which the main window gives a new child window.
    QSize sizeHint() const override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildToolBar();
    void buildAddressStrip();
    void Form_Load();
    void Form_Resize();
    void navigateToAddressBox();
    void navigate(const QUrl& address);
    void showWorking();
    void showPageTitle();

    QString startingAddress_;
    BrowserPages pages_;
    QToolBar* toolBar_ = nullptr;
    QWidget* addressStrip_ = nullptr;
    QLabel* addressLabel_ = nullptr;
    QComboBox* addressBox_ = nullptr;
    QWebEngineView* pageView_ = nullptr;
    bool loaded_ = false;
    bool addressNavigationQueued_ = false;
};

} // namespace skarde::gui
