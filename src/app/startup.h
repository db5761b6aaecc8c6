#pragma once

// Start-up and the program-wide windows. main() owns the one Startup for the whole run; it
// holds the main window and the progress window that the rest of the program reaches through
// it, and the splash window until "Continue".

#include "core/convertercontext.h"

#include <filesystem>
#include <memory>
#include <vector>

namespace skarde::gui {

class BrowserLoader;
class GuiPrompts;
class MainWindow;
class ProgressWindow;
class SplashWindow;

class Startup {
public:
    Startup();
    ~Startup();
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    // Shows the splash and has it drawn at once, creates the main window without showing it,
    // creates the progress window, shows and hides it, and returns to the event loop.
    void Main();
    // Start-up with files to open (the file manager's "Open with"): the main window at once,
    // without the splash, then each file in the tool window that fits it. A file that is none
    // of the game's kinds, or cannot be read, gets one message naming it.
    void openFiles(const std::vector<std::filesystem::path>& files);

    // The program-wide references; null before Main().
    MainWindow* mainWindow() const { return mainWindow_.get(); }
    ProgressWindow* progressWindow() const { return progressWindow_.get(); }
    // What every converter call of the windows works with; null before Main().
    ConverterContext* converterContext() const { return context_.get(); }
    // The splash until "Continue" has unloaded it.
    SplashWindow* splashWindow() const { return splash_.get(); }

    // The palettes beside the program, else the installed ones.
    static std::filesystem::path palsFolder();

private:
    void showSplash();
    void createProgressWindow();
    void connectToolWindows();
    void connectBrowserWindows();
    void continueFromSplash();
    void createWindows();
    void openFile(const std::filesystem::path& file);

    // Declared in the order they are needed: whatever the tool windows use must come before
    // mainWindow_, which is destroyed first and takes the tool windows with it.
    std::unique_ptr<SplashWindow> splash_;
    std::unique_ptr<ProgressWindow> progressWindow_;
    std::unique_ptr<GuiPrompts> prompts_;
    std::unique_ptr<ConverterContext> context_;
    std::unique_ptr<BrowserLoader> browsers_;
    std::unique_ptr<MainWindow> mainWindow_;
};

} // namespace skarde::gui
