#pragma once

// Opening a window inside the main window's MDI area.

#include <memory>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace skarde::gui {

// Shows `window` as a child window of `area` and activates it. A window of fixed size gets a
// fixed border: no maximize button and no resizing. The child is deleted, with the window,
// when the user closes it.
QMdiSubWindow* addChildWindow(QMdiArea& area, std::unique_ptr<QWidget> window);

// Shows an open child window on top of the others, restored if it was minimized.
void bringToFront(QMdiArea& area, QMdiSubWindow& child);

} // namespace skarde::gui
