#include "mainwindow.h"

#include "app/pictures/aboutwindow.h"
#include "app/pictures/artwork.h"
#include "app/web/bookmarks.h"
#include "app/web/bookmarksettings.h"
#include "childwindow.h"
#include "mainwindowgeometry.h"
#include "widgets/mainwindowgrowth.h"
#include "statusbarpanels.h"
#include "tools/toolwindows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>

namespace skarde::gui {
namespace {

struct Arrangement {
    const char* name;
    const char* caption;
    ArrangeMode mode;
};

constexpr Arrangement kArrangements[] = {
    {"mnuWindowCascade", "&Cascade", ArrangeMode::Cascade},
    {"mnuWindowTileHorizontal", "Tile &Horizontal", ArrangeMode::TileHorizontal},
    {"mnuWindowTileVertical", "Tile &Vertical", ArrangeMode::TileVertical},
    {"mnuWindowArrangeIcons", "&Arrange Icons", ArrangeMode::ArrangeIcons},
};

QMenu* addMenu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* addEntry(QMenu* menu, const char* name, const QString& caption) {
    QAction* entry = menu->addAction(caption);
    entry->setObjectName(QString::fromLatin1(name));
    return entry;
}

void addSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

QList<QRect> screenRects() {
    QList<QRect> rects;
    for (const QScreen* screen : QGuiApplication::screens()) {
        rects.append(screen->geometry());
    }
    return rects;
}

// The Window menu's list: "&1 caption" and so on, access keys for the first nine.
QString windowListCaption(int number, const QString& title) {
    return number <= 9 ? QStringLiteral("&%1 %2").arg(number).arg(title)
                       : QStringLiteral("%1 %2").arg(number).arg(title);
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Project1"));
    setWindowIcon(programIcon());
    mdiArea_ = new QMdiArea(this);
    // A child window reaching past the area can be scrolled to.
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    installStatusBar(*this);
    buildMenus();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus() {
    QMenu* file = addMenu(menuBar(), "mnuFile", QStringLiteral("&File"));
    connect(addEntry(file, "mnuFileExit", QStringLiteral("E&xit")), &QAction::triggered, this,
            &QWidget::close);
    buildToolsMenu();
    buildWebPagesMenu();
    buildWindowMenu();
    QMenu* help = addMenu(menuBar(), "mnuHelp", QStringLiteral("&Help"));
    connect(addEntry(help, "mnuHelpAbout", QStringLiteral("&About ")), &QAction::triggered, this,
            &MainWindow::showAbout);
}

void MainWindow::buildToolsMenu() {
    QMenu* tools = addMenu(menuBar(), "mnuTools", QStringLiteral("&Tools"));
    for (const ToolWindowEntry& entry : toolWindows()) {
        const QString name = QString::fromLatin1(entry.menuEntryName);
        tools_[name] = ToolSlot{{}, {}, entry.iconResource};
        connect(addEntry(tools, entry.menuEntryName, QString::fromLatin1(entry.menuCaption)),
                &QAction::triggered, this, [this, name] { showToolWindow(name); });
    }
}

void MainWindow::buildWebPagesMenu() {
    QMenu* webPages = addMenu(menuBar(), "mnuView", QStringLiteral("WebPages"));
    const std::vector<ConfiguredBookmark> bookmarks = readBookmarks(*openProgramSettings());
    for (const ConfiguredBookmark& bookmark : bookmarks) {
        QAction* entry = webPages->addAction(bookmark.caption);
        entry->setObjectName(bookmark.entryName);
        const QString address = bookmark.address;
        connect(entry, &QAction::triggered, this, [this, address] { openBookmark(address); });
        if (&bookmark == &bookmarks.front()) {
            addSeparator(webPages, kBookmarkSeparatorName.data());
        }
    }
}

void MainWindow::buildWindowMenu() {
    windowMenu_ = addMenu(menuBar(), "mnuWindow", QStringLiteral("&Window"));
    // Kept for the window's own design; it has never opened anything.
    addEntry(windowMenu_, "mnuWindowNewWindow", QStringLiteral("&New Window"));
    addSeparator(windowMenu_, "mnuWindowBar0");
    for (const Arrangement& arrangement : kArrangements) {
        const ArrangeMode mode = arrangement.mode;
        connect(addEntry(windowMenu_, arrangement.name, QString::fromLatin1(arrangement.caption)),
                &QAction::triggered, this, [this, mode] { Arrange(mode); });
    }
    connect(windowMenu_, &QMenu::aboutToShow, this, &MainWindow::fillWindowList);
}

void MainWindow::fillWindowList() {
    qDeleteAll(windowListEntries_);
    windowListEntries_.clear();
    const QList<QMdiSubWindow*> children = mdiArea_->subWindowList(QMdiArea::CreationOrder);
    int number = 0;
    for (QMdiSubWindow* child : children) {
        if (child->isHidden()) {
            continue;
        }
        if (number == 0) {
            windowListEntries_.append(windowMenu_->addSeparator());
        }
        QAction* entry = windowMenu_->addAction(windowListCaption(++number, child->windowTitle()));
        entry->setCheckable(true);
        entry->setChecked(child == mdiArea_->activeSubWindow());
        const QPointer<QMdiSubWindow> target(child);
        connect(entry, &QAction::triggered, this, [this, target] {
            if (!target.isNull()) {
                bringToFront(*mdiArea_, *target);
            }
        });
        windowListEntries_.append(entry);
    }
}

void MainWindow::registerToolWindow(const QString& entryName, ToolWindowFactory factory) {
    tools_[entryName].factory = std::move(factory);
}

void MainWindow::setBrowserWindowFactory(BrowserWindowFactory factory) {
    browserFactory_ = std::move(factory);
}

QMdiSubWindow* MainWindow::toolWindow(const QString& entryName) const {
    const auto slot = tools_.find(entryName);
    if (slot == tools_.end() || slot->second.window.isNull() || slot->second.window->isHidden()) {
        return nullptr;
    }
    return slot->second.window;
}

QWidget* MainWindow::openToolWindow(const QString& entryName) {
    showToolWindow(entryName);
    QMdiSubWindow* window = toolWindow(entryName);
    return window != nullptr ? window->widget() : nullptr;
}

void MainWindow::showToolWindow(const QString& entryName) {
    ToolSlot& slot = tools_[entryName];
    if (!slot.factory) {
        return;
    }
    // A window the user closed may still await deletion; it is hidden by then.
    if (QMdiSubWindow* open = toolWindow(entryName)) {
        bringToFront(*mdiArea_, *open);
        return;
    }
    std::unique_ptr<QWidget> window = slot.factory();
    if (slot.iconResource) {
        window->setWindowIcon(QIcon(QString::fromLatin1(slot.iconResource)));
    }
    slot.window = addChildWindow(*mdiArea_, std::move(window));
    // The size the user gives the window from now on is the one to keep, not the saved one.
    pendingOuterSize_.reset();
    growToShow(*this, *mdiArea_, *slot.window);
}

void MainWindow::openBookmark(const QString& address) {
    if (!browserFactory_) {
        return;
    }
    // No window when the page opened in another program.
    if (std::unique_ptr<QWidget> browser = browserFactory_(address)) {
        addChildWindow(*mdiArea_, std::move(browser));
    }
}

void MainWindow::showAbout() {
    auto* about = new AboutWindow(this);
    about->setWindowModality(Qt::ApplicationModal);
    about->show();
}

void MainWindow::Arrange(ArrangeMode mode) {
    skarde::gui::Arrange(*mdiArea_, mode);
}

void MainWindow::loadAndShow() {
    MDIForm_Load();
    show();
}

void MainWindow::MDIForm_Load() {
    const auto settings = openProgramSettings();
    const QRect outer = toPixels(keepOnAScreen(readMainGeometry(*settings), screenRects()));
    move(outer.topLeft());
    resize(outer.size());
    pendingOuterSize_ = outer.size();
}

// The store keeps the outer frame's size, but a window is sized without its frame, which the
// window system reports only once the window is up.
void MainWindow::fitOuterSizeOnceFramed() {
    if (!pendingOuterSize_) {
        return;
    }
    const QSize frame = frameGeometry().size() - size();
    if (frame.width() <= 0 && frame.height() <= 0) {
        return;
    }
    const QSize outer = *pendingOuterSize_;
    pendingOuterSize_.reset();
    resize(outer - frame);
}

bool MainWindow::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
        fitOuterSizeOnceFramed();
        break;
    case QEvent::WindowActivate:
        // By the time the user can use the window, its frame is known or there is none.
        fitOuterSizeOnceFramed();
        pendingOuterSize_.reset();
        break;
    default:
        break;
    }
    return handled;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    MDIForm_Unload();
    event->accept();
}

void MainWindow::MDIForm_Unload() {
    // A minimized window's place says nothing useful: the last one saved stays.
    if (!isMinimized()) {
        writeMainGeometry(*openProgramSettings(), toTwips(frameGeometry()));
    }
    UnloadAllForms();
}

void MainWindow::UnloadAllForms() {
    mdiArea_->closeAllSubWindows();
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        windows.append(window);
    }
    for (const QPointer<QWidget>& window : windows) {
        if (!window.isNull() && window != this) {
            window->close();
        }
    }
    close();
    QCoreApplication::quit();
}

} // namespace skarde::gui
