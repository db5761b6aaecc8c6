#include "startup.h"

#include "app/pictures/splashwindow.h"
#include "app/prompts/guiprompts.h"
#include "app/prompts/progresswindow.h"
#include "app/web/bookmarksettings.h"
#include "app/web/browserloader.h"
#include "archive/gamefilekind.h"
#include "converters/palsfolder.h"
#include "core/fileio.h"
#include "core/problem.h"
#include "mainwindow.h"
#include "mainwindowgeometry.h"
#include "png/pngsupport.h"
#include "tools/toolwindows.h"
#include "widgets/qtpaths.h"

#include <QCoreApplication>
#include <QSettings>

#include <string>

namespace skarde::gui {

Startup::Startup() = default;

Startup::~Startup() = default;

std::filesystem::path Startup::palsFolder() {
    return findPalsFolder(toPath(QCoreApplication::applicationDirPath()));
}

void Startup::Main() {
    showSplash();
    createWindows();
}

void Startup::openFiles(const std::vector<std::filesystem::path>& files) {
    createWindows();
    mainWindow_->loadAndShow();
    for (const std::filesystem::path& file : files)
        openFile(std::filesystem::absolute(file));
}

void Startup::createWindows() {
    mainWindow_ = std::make_unique<MainWindow>();
    createProgressWindow();
    connectToolWindows();
    connectBrowserWindows();
}

void Startup::openFile(const std::filesystem::path& file) {
    GameFileKind kind = GameFileKind::Unknown;
    try {
        kind = identifyGameFile(file);
    } catch (const Problem& problem) {
        tellUserAbout(*prompts_, problem);
        return;
    }
    const ToolWindowEntry* tool = toolWindowOpening(kind);
    if (tool == nullptr) {
        prompts_->reportProblem(displayPath(file),
                                "SkardeTools opens game images, image arrays, palette lists and "
                                "archives; this file is none of them.");
        return;
    }
    QWidget* window = mainWindow_->openToolWindow(QString::fromLatin1(tool->menuEntryName));
    if (window != nullptr && !tool->openFile(*window, file))
        prompts_->reportProblem(displayPath(file),
                                "Its folder is chosen in " + std::string(tool->menuCaption) +
                                    ", but that window does not list files of this name.");
}

void Startup::showSplash() {
    splash_ = std::make_unique<SplashWindow>();
    QObject::connect(splash_.get(), &SplashWindow::continueChosen, splash_.get(),
                     [this] { continueFromSplash(); });
    splash_->show();
    // Drawn before the rest of start-up runs.
    splash_->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Startup::createProgressWindow() {
    progressWindow_ = std::make_unique<ProgressWindow>();
    // Shown and hidden at once: from here on it exists, hidden, ready for the converters.
    progressWindow_->show();
    progressWindow_->hide();
    prompts_ = std::make_unique<GuiPrompts>();
    context_ =
        std::make_unique<ConverterContext>(*progressWindow_, *prompts_, palsFolder(), pngSupport());
}

void Startup::connectToolWindows() {
    for (const ToolWindowEntry& entry : toolWindows()) {
        mainWindow_->registerToolWindow(QString::fromLatin1(entry.menuEntryName),
                                        [this, make = entry.make] { return make(*context_); });
    }
}

void Startup::connectBrowserWindows() {
    browsers_ = std::make_unique<BrowserLoader>(BrowserLoader::defaultModulePath());
    mainWindow_->setBrowserWindowFactory([this](const QString& address) {
        const auto settings = openProgramSettings();
        const BrowserPages pages{bookmarkAddress(readBookmarks(*settings), 6),
                                 readSearchPage(*settings)};
        return browsers_->open(address, pages);
    });
}

void Startup::continueFromSplash() {
    mainWindow_->loadAndShow();
    splash_->close();
    // The splash is still delivering its button's click.
    splash_.release()->deleteLater();
}

} // namespace skarde::gui
