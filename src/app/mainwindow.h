#pragma once

// frmMain: the program's MDI frame "Project1". Its menus reach every tool; the tool and browser
// windows open inside it as child windows. It remembers its place between runs and, when it
// closes, unloads every window of the program, which ends it.

#include "mdiarrangement.h"

#include <QMainWindow>
#include <QPointer>
#include <QSize>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace skarde::gui {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Makes a tool window (e.g. frmpbmp2bmp) when its Tools entry needs a fresh one.
    using ToolWindowFactory = std::function<std::unique_ptr<QWidget>()>;
    // Makes a browser window that opens `startingAddress`, or returns null when the address
    // was shown some other way.
    using BrowserWindowFactory =
        std::function<std::unique_ptr<QWidget>(const QString& startingAddress)>;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Connects a Tools entry, by its name ("mnuToolspbmp2bmp"), to the window it shows, which
    // wears the entry's icon from the tool table. Until then the entry does nothing.
    void registerToolWindow(const QString& entryName, ToolWindowFactory factory);
    // Connects the WebPages entries to the browser window. Until then they do nothing.
    void setBrowserWindowFactory(BrowserWindowFactory factory);

    // Loads the window, restoring its saved place (MDIForm_Load), and shows it.
    void loadAndShow();
    void Arrange(ArrangeMode mode);
    // Unloads every loaded window of the program, this one included, which ends the program.
    void UnloadAllForms();

    QMdiArea& mdiArea() const { return *mdiArea_; }
    // The open window of a Tools entry, or null.
    QMdiSubWindow* toolWindow(const QString& entryName) const;
    // Shows a Tools entry's window as choosing the entry does, and returns the tool window
    // itself (null for an entry that opens none).
    QWidget* openToolWindow(const QString& entryName);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct ToolSlot {
        ToolWindowFactory factory;
        QPointer<QMdiSubWindow> window;
        const char* iconResource = nullptr; // none: the main window's icon
    };

    void buildMenus();
    void buildToolsMenu();
    void buildWebPagesMenu();
    void buildWindowMenu();
    void fillWindowList();
    void showToolWindow(const QString& entryName);
    void openBookmark(const QString& address);
    void showAbout();
    void MDIForm_Load();
    void MDIForm_Unload();
    void fitOuterSizeOnceFramed();

    QMdiArea* mdiArea_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QList<QAction*> windowListEntries_;
    std::map<QString, ToolSlot> tools_;
    BrowserWindowFactory browserFactory_;
    // The saved outer size, until the window system reports the frame around the window.
    std::optional<QSize> pendingOuterSize_;
};

} // namespace skarde::gui
