#pragma once

// What a user can do to the program, one random action at a time, chosen by weight: open a
// tool window from the menus, click or type into any visible control, choose rows, press START,
// close, minimize and arrange windows, reach a window from the Window menu, open the About box,
// open a browser window. Every choice comes from the given random numbers and from what the
// windows show, in the order they were created, so a seed replays the same actions.

#include <QPointer>
#include <QString>

#include <functional>
#include <random>
#include <string>
#include <vector>

class QComboBox;
class QListWidget;
class QMdiSubWindow;
class QWidget;

namespace skarde::gui {
class MainWindow;
}

namespace skarde::monkey {

class UserActions {
public:
    // Told what an action is about to do, before it does it, so that a crash names it.
    using Announce = std::function<void(const std::string&)>;

    UserActions(gui::MainWindow& mainWindow, std::mt19937_64& random, Announce announce);

    // Does one random action. The action has run when this returns, the dialogs it opened
    // answered.
    void act();

    // The visible tool and browser windows, in the order they were opened.
    std::vector<QMdiSubWindow*> openWindows() const;

    // Minimizes an open window, or restores one that is minimized.
    void minimizeWindow();

private:
    void openToolWindow();
    void clickControl();
    void keyIntoControl();
    void chooseRows();
    void doubleClickRow();
    void pressStart();
    void closeWindow();
    void arrangeWindows();
    void chooseFromWindowList();
    void openAbout();
    void openBrowserWindow();

    void triggerEntry(const QString& entryName);
    void clickRow(QListWidget& list, int row, Qt::KeyboardModifiers modifiers);
    void dropDown(QComboBox& combo);
    std::vector<QWidget*> visibleControls() const;
    std::vector<QListWidget*> listsWithRows() const;
    int pick(int count);

    gui::MainWindow& mainWindow_;
    std::mt19937_64& random_;
    Announce announce_;
};

// "frmvolextract/List1" for a control, to name it in the event log.
std::string controlPath(const QWidget& control);

} // namespace skarde::monkey
