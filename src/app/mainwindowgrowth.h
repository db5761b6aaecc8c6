#pragma once

// Growing the main window when a tool window opens that its MDI area cannot show whole: a first
// run's small main window would otherwise hide most of every tool window.

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
// without scrolling, within the available area of the window's screen.
void growToShow(QMainWindow& window, const QMdiArea& area, const QMdiSubWindow& child);

} // namespace skarde::gui
