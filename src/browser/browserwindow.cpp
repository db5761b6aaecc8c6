#include "browserwindow.h"

#include "toolbaricons.h"
#include "widgets/twips.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolBar>
#include <QWebEngineHistory>
#include <QWebEngineView>

#include <array>

namespace skarde::gui {
namespace {

constexpr int kInitialWidth = 6540;
constexpr int kInitialHeight = 5130;
constexpr int kToolBarHeight = 540;
constexpr int kAddressStripTop = 540;
constexpr int kAddressStripHeight = 675;
constexpr int kLabelTop = 60;
constexpr int kLabelHeight = 255;
constexpr int kMargins = 100; // 50 twips on either side of the address box and the page

constexpr std::array<const char*, 6> kButtonKeys{"Back",    "Forward", "Stop",
                                                 "Refresh", "Home",    "Search"};

} // namespace

BrowserWindow::BrowserWindow(QString startingAddress, BrowserPages pages, QWidget* parent)
    : QWidget(parent), startingAddress_(std::move(startingAddress)), pages_(std::move(pages)) {
    setObjectName(QStringLiteral("frmBrowser"));
    setWindowTitle(QString());
    buildToolBar();
    buildAddressStrip();
    brwWebBrowser_ = new QWebEngineView(this);
    brwWebBrowser_->setObjectName(QStringLiteral("brwWebBrowser"));
    brwWebBrowser_->setGeometry(twipsRect(50, 1215, 5393, 3734));
    // Pages reached by links show "Working..." too, until they are no longer loading.
    connect(brwWebBrowser_, &QWebEngineView::loadStarted, this, &BrowserWindow::showWorking);
    connect(brwWebBrowser_, &QWebEngineView::loadFinished, this, &BrowserWindow::showPageTitle);
    resize(twipsSize(kInitialWidth, kInitialHeight));
}

QSize BrowserWindow::sizeHint() const {
    return twipsSize(kInitialWidth, kInitialHeight);
}

void BrowserWindow::buildToolBar() {
    tbToolBar_ = new QToolBar(this);
    tbToolBar_->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar_->setIconSize(QSize(24, 24));
    tbToolBar_->setGeometry(twipsRect(0, 0, kInitialWidth, kToolBarHeight));
    for (const char* name : kButtonKeys) {
        const QString key = QString::fromLatin1(name);
        QAction* button = tbToolBar_->addAction(toolBarIcon(key), key);
        button->setObjectName(key);
        button->setToolTip(key);
        connect(button, &QAction::triggered, this, [this, key] { pressButton(key); });
    }
}

void BrowserWindow::buildAddressStrip() {
    picAddress_ = new QWidget(this);
    picAddress_->setObjectName(QStringLiteral("picAddress"));
    picAddress_->setGeometry(twipsRect(0, kAddressStripTop, kInitialWidth, kAddressStripHeight));
    lblAddress_ = new QLabel(QStringLiteral("&Address:"), picAddress_);
    lblAddress_->setObjectName(QStringLiteral("lblAddress"));
    lblAddress_->setGeometry(twipsRect(45, kLabelTop, 3075, kLabelHeight));
    cboAddress_ = new QComboBox(picAddress_);
    cboAddress_->setObjectName(QStringLiteral("cboAddress"));
    cboAddress_->setEditable(true);
    // The list holds the starting address alone; typed addresses are not added.
    cboAddress_->setInsertPolicy(QComboBox::NoInsert);
    cboAddress_->setGeometry(twipsRect(45, 300, 3795, 315));
    lblAddress_->setBuddy(cboAddress_);
    connect(cboAddress_, &QComboBox::activated, this, [this] { navigateToAddressBox(); });
    connect(cboAddress_->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { navigateToAddressBox(); });
}

void BrowserWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!loaded_) {
        loaded_ = true;
        Form_Load();
    }
}

void BrowserWindow::Form_Load() {
    tbToolBar_->repaint();
    Form_Resize();
    cboAddress_->move(twipsToPixels(50), twipsToPixels(kLabelTop + kLabelHeight + 15));
    if (startingAddress_.isEmpty()) {
        return;
    }
    cboAddress_->setEditText(startingAddress_);
    cboAddress_->addItem(startingAddress_);
    navigate(QUrl::fromUserInput(startingAddress_));
}

void BrowserWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

// A window smaller than the margins keeps the last sizes that fitted.
void BrowserWindow::Form_Resize() {
    tbToolBar_->resize(width(), tbToolBar_->height());
    picAddress_->resize(width(), picAddress_->height());
    const int innerWidth = pixelsToTwips(width()) - kMargins;
    const int belowStrip =
        pixelsToTwips(height()) - (kAddressStripTop + kAddressStripHeight) - kMargins;
    if (innerWidth >= 0) {
        cboAddress_->resize(twipsToPixels(innerWidth), cboAddress_->height());
        brwWebBrowser_->resize(twipsToPixels(innerWidth), brwWebBrowser_->height());
    }
    if (belowStrip >= 0) {
        brwWebBrowser_->resize(brwWebBrowser_->width(), twipsToPixels(belowStrip));
    }
}

void BrowserWindow::pressButton(const QString& key) {
    // A button that finds nothing to load leaves the caption on the page's title at once.
    showWorking();
    QWebEngineHistory& history = *brwWebBrowser_->history();
    if (key == QLatin1String("Back") && history.canGoBack()) {
        brwWebBrowser_->back();
    } else if (key == QLatin1String("Forward") && history.canGoForward()) {
        brwWebBrowser_->forward();
    } else if (key == QLatin1String("Refresh") && !brwWebBrowser_->url().isEmpty()) {
        brwWebBrowser_->reload();
    } else if (key == QLatin1String("Home")) {
        navigate(QUrl::fromUserInput(pages_.home));
    } else if (key == QLatin1String("Search")) {
        navigate(QUrl::fromUserInput(pages_.search));
    } else {
        if (key == QLatin1String("Stop")) {
            brwWebBrowser_->stop();
        }
        showPageTitle();
    }
}

// Enter in the box may also count as choosing from the list: one navigation serves both.
void BrowserWindow::navigateToAddressBox() {
    showWorking();
    if (addressNavigationQueued_) {
        return;
    }
    addressNavigationQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        addressNavigationQueued_ = false;
        navigate(QUrl::fromUserInput(cboAddress_->currentText()));
    });
}

void BrowserWindow::navigate(const QUrl& address) {
    if (!address.isValid() || address.isEmpty()) {
        showPageTitle();
        return;
    }
    showWorking();
    brwWebBrowser_->load(address);
}

void BrowserWindow::showWorking() {
    setWindowTitle(QStringLiteral("Working..."));
}

void BrowserWindow::showPageTitle() {
    setWindowTitle(brwWebBrowser_->title());
}

} // namespace skarde::gui
