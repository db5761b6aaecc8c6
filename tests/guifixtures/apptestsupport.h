#pragma once

// Helpers for the window tests of the program's shell.

#include "fixtures/tempfolder.h"

#include <QString>
#include <QVariantMap>

class QAction;
class QWidget;

namespace skarde::gui {
class MainWindow;
class Startup;
} // namespace skarde::gui

namespace skarde::test {

// Points the per-user settings store at a temporary folder for the life of the object, so that
// no test reads or writes the user's real settings.
class SettingsSandbox {
public:
    SettingsSandbox();
    ~SettingsSandbox();

    // A stored value of the main window's section, as text; empty when absent.
    QString value(const QString& key) const;
    void setValue(const QString& key, const QString& value) const;

private:
    // Windows keeps the settings in the registry, which no path redirects.
    static bool isRegistryStore();

    TempFolder folder_;
    // The user's own values there, emptied for the test and put back at its end.
    QVariantMap savedRegistryValues_;
};

// The menu entry (or separator) with this object name; fails the test when there is none.
QAction* menuEntry(const QWidget& window, const QString& name);

// Runs pending events, the deletions of closed windows included.
void settle();

// Starts the program as main() does and presses "Continue" on the splash: the main window, shown.
gui::MainWindow& startToMainWindow(gui::Startup& startup);

} // namespace skarde::test
