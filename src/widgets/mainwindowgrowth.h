#pragma once

// Growing the main window when a child window opens or grows that its MDI area cannot show
// whole: a first run's small main window would otherwise hide most of every tool window, and
// the image preview would open out of sight beside the extractor.

#include <QRect>
#include <QSize>

class QMainWindow;
class QMdiArea;
class QMdiSubWindow;

namespace skarde::gui {

// The outer frame `frame` made `shortfall` larger, as far as the screen's `available` area
// allows. It never shrinks, and it moves left or up only as far as it must to keep the grown
// frame inside the available area; an axis that does not grow is left as it is.
QRect growFrame(const QRect& frame, const QSize& shortfall, const QRect& available);

// Grows `window`, whose central widget is `area`, so that `area` shows the whole of `child`
// without scrolling, within the available area of the window's screen. Gives how much it grew:
// the window system may apply the new size only later.
QSize growToShow(QMainWindow& window, const QMdiArea& area, const QMdiSubWindow& child);

// What a user just asked to see is never left out of sight: grows the main window holding
// `child`'s area as growToShow does, and where the screen is too small for that, scrolls the
// area so that the child's top left corner is in view.
void bringIntoView(QMdiSubWindow& child);

} // namespace skarde::gui
