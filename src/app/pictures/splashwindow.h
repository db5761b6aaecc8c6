#pragma once

// frmSplash: the first thing the user sees. The program waits here until "Continue" is pressed.

#include <QWidget>

namespace skarde::gui {

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);

signals:
    // "Continue" was pressed: the main window is to be loaded and shown, then this unloaded.
    void continueChosen();
};

} // namespace skarde::gui
