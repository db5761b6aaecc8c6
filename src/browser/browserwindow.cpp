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
    pageView_ = new QWebEngineView(this);
    pageView_->setObjectName(QStringLiteral("brwWebBrowser"));
    pageView_->setGeometry(twipsRect(50, 1215, 5393, 3734));
    // Pages reached by links show "Working..." too, until they are no longer loading.
    connect(pageView_, &QWebEngineView::loadStarted, this, &BrowserWindow::showWorking);
    connect(pageView_, &QWebEngineView::loadFinished, this, &BrowserWindow::showPageTitle);
    resize(twipsSize(kInitialWidth, kInitialHeight));
}

QSize BrowserWindow::sizeHint() const {
    return twipsSize(kInitialWidth, kInitialHeight);
}

void BrowserWindow::buildToolBar() {
    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QStringLiteral("tbToolBar"));
    toolBar_->setIconSize(QSize(24, 24));
    toolBar_->setGeometry(twipsRect(0, 0, kInitialWidth, kToolBarHeight));
    for (const char* name : kButtonKeys) {
        const QString key = QString::fromLatin1(name);
        QAction* button = toolBar_->addAction(toolBarIcon(key), key);
        button->setObjectName(key);
        button->setToolTip(key);
        connect(button, &QAction::triggered, this, [this, key] { pressButton(key); });
    }
}

void BrowserWindow::buildAddressStrip() {
    addressStrip_ = new QWidget(this);
    addressStrip_->setObjectName(QStringLiteral("picAddress"));
    addressStrip_->setGeometry(twipsRect(0, kAddressStripTop, kInitialWidth, kAddressStripHeight));
    addressLabel_ = new QLabel(QStringLiteral("&Address:"), addressStrip_);
    addressLabel_->setObjectName(QStringLiteral("lblAddress"));
    addressLabel_->setGeometry(twipsRect(45, kLabelTop, 3075, kLabelHeight));
    addressBox_ = new QComboBox(addressStrip_);
    addressBox_->setObjectName(QStringLiteral("cboAddress"));
    addressBox_->setEditable(true);
    // The list holds the starting address alone; typed addresses are not added.
    addressBox_->setInsertPolicy(QComboBox::NoInsert);
    // Enter opens exactly what was typed: completing from the list would turn the site's root,
    // typed while on a page below it, into that page's address. Without a completer the list
    // is also matched case-sensitively, so a path typed in another case stays as typed.
    addressBox_->setCompleter(nullptr);
    addressBox_->setGeometry(twipsRect(45, 300, 3795, 315));
    addressLabel_->setBuddy(addressBox_);
    connect(addressBox_, &QComboBox::activated, this, [this] { navigateToAddressBox(); });
    connect(addressBox_->lineEdit(), &QLineEdit::returnPressed, this,
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
    toolBar_->repaint();
    Form_Resize();
    addressBox_->move(twipsToPixels(50), twipsToPixels(kLabelTop + kLabelHeight + 15));
    if (startingAddress_.isEmpty()) {
        return;
    }
    addressBox_->setEditText(startingAddress_);
    addressBox_->addItem(startingAddress_);
    navigate(QUrl::fromUserInput(startingAddress_));
}

void BrowserWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

// A window smaller than the margins keeps the last sizes that fitted.
void BrowserWindow::Form_Resize() {
    toolBar_->resize(width(), toolBar_->height());
    addressStrip_->resize(width(), addressStrip_->height());
    const int innerWidth = pixelsToTwips(width()) - kMargins;
    const int belowStrip =
        pixelsToTwips(height()) - (kAddressStripTop + kAddressStripHeight) - kMargins;
    if (innerWidth >= 0) {
        addressBox_->resize(twipsToPixels(innerWidth), addressBox_->height());
        pageView_->resize(twipsToPixels(innerWidth), pageView_->height());
    }
    if (belowStrip >= 0) {
        pageView_->resize(pageView_->width(), twipsToPixels(belowStrip));
    }
}

void BrowserWindow::pressButton(const QString& key) {
    // A button that finds nothing to load leaves the caption on the page's title at once.
    showWorking();
    QWebEngineHistory& history = *pageView_->history();
    if (key == QLatin1String("Back") && history.canGoBack()) {
        pageView_->back();
    } else if (key == QLatin1String("Forward") && history.canGoForward()) {
        pageView_->forward();
    } else if (key == QLatin1String("Refresh") && !pageView_->url().isEmpty()) {
        pageView_->reload();
    } else if (key == QLatin1String("Home")) {
        navigate(QUrl::fromUserInput(pages_.home));
    } else if (key == QLatin1String("Search")) {
        navigate(QUrl::fromUserInput(pages_.search));
    } else {
        if (key == QLatin1String("Stop")) {
            pageView_->stop();
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
        navigate(QUrl::fromUserInput(addressBox_->currentText()));
    });
}

void BrowserWindow::navigate(const QUrl& address) {
    if (!address.isValid() || address.isEmpty()) {
        showPageTitle();
        return;
    }
    showWorking();
    pageView_->load(address);
}

void BrowserWindow::showWorking() {
    setWindowTitle(QStringLiteral("Working..."));
}

void BrowserWindow::showPageTitle() {
    setWindowTitle(pageView_->title());
}

} // namespace skarde::gui
