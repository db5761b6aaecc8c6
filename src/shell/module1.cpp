#include "module1.h"

#include "artwork.h"
#include "bookmarksettings.h"
#include "browserloader.h"
#include "converters/palsfolder.h"
#include "guiprompts.h"
#include "mainwindow.h"
#include "mainwindowgeometry.h"
#include "progresswindow.h"
#include "qtpaths.h"
#include "splashwindow.h"
#include "tools/bmp2pbmpwindow.h"
#include "tools/pba2bmpwindow.h"
#include "tools/pbmp2bmpwindow.h"
#include "tools/pplextractwindow.h"
#include "vol/volextractwindow.h"

#include <QCoreApplication>
#include <QSettings>

namespace skarde::gui {

namespace {

// A tool window wearing the icon drawn for it, found by the window's name.
std::unique_ptr<QWidget> withOwnIcon(std::unique_ptr<QWidget> window) {
    window->setWindowIcon(toolWindowIcon(window->objectName()));
    return window;
}

} // namespace

Module1::Module1() = default;

Module1::~Module1() = default;

std::filesystem::path Module1::palsFolder() {
    return findPalsFolder(toPath(QCoreApplication::applicationDirPath()));
}

void Module1::Main() {
    showSplash();
    mainWindow_ = std::make_unique<MainWindow>();
    createProgressWindow();
    connectToolWindows();
    connectBrowserWindows();
}

void Module1::showSplash() {
    splash_ = std::make_unique<SplashWindow>();
    QObject::connect(splash_.get(), &SplashWindow::continueChosen, splash_.get(),
                     [this] { continueFromSplash(); });
    splash_->show();
    // Drawn before the rest of start-up runs.
    splash_->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Module1::createProgressWindow() {
    progressWindow_ = std::make_unique<ProgressWindow>();
    // Shown and hidden at once: from here on it exists, hidden, ready for the converters.
    progressWindow_->show();
    progressWindow_->hide();
    prompts_ = std::make_unique<GuiPrompts>();
    context_ = std::make_unique<ConverterContext>(*progressWindow_, *prompts_, palsFolder());
}

void Module1::connectToolWindows() {
    mainWindow_->registerToolWindow(QStringLiteral("mnuToolspbmp2bmp"),
                                    [this] { return std::make_unique<Pbmp2BmpWindow>(*context_); });
    mainWindow_->registerToolWindow(QStringLiteral("mnuToolsvolextract"), [this] {
        return withOwnIcon(std::make_unique<VolExtractWindow>(*context_));
    });
    mainWindow_->registerToolWindow(QStringLiteral("mnuToolspba2bmp"), [this] {
        return withOwnIcon(std::make_unique<Pba2BmpWindow>(*context_));
    });
    mainWindow_->registerToolWindow(QStringLiteral("mnuToolsmakeskin"), [this] {
        return withOwnIcon(std::make_unique<Bmp2PbmpWindow>(*context_));
    });
    mainWindow_->registerToolWindow(QStringLiteral("mnupplextract"), [this] {
        return withOwnIcon(std::make_unique<PplExtractWindow>(*context_));
    });
}

void Module1::connectBrowserWindows() {
    browsers_ = std::make_unique<BrowserLoader>(BrowserLoader::defaultModulePath());
    mainWindow_->setBrowserWindowFactory([this](const QString& address) {
        const auto settings = openProgramSettings();
        const BrowserPages pages{bookmarkAddress(readBookmarks(*settings), 6),
                                 readSearchPage(*settings)};
        return browsers_->open(address, pages);
    });
}

void Module1::continueFromSplash() {
    mainWindow_->LoadAndShow();
    splash_->close();
    // The splash is still delivering its button's click.
    splash_.release()->deleteLater();
}

} // namespace skarde::gui
