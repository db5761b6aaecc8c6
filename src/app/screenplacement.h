#pragma once

// Placing the program's fixed windows on the screen. Positions are worked out in twips, as the
// windows are laid out, and turned into pixels only when a window is moved.

#include <QPoint>

class QWidget;

namespace skarde::gui {

// The origin that centres a window on the screen along one axis: the difference halved, the
// fraction of an odd difference dropped.
constexpr int centredOrigin(int screenTwips, int windowTwips) {
    return (screenTwips - windowTwips) / 2;
}

// The screen a window shows on: its top-left corner in pixels and its size in twips.
struct ScreenTwips {
    QPoint originPixels;
    int width = 0;
    int height = 0;
};

ScreenTwips screenOf(const QWidget& window);

// Moves a window of the given size to the centre of its screen, left first, then top.
void centreOnScreen(QWidget& window, int widthTwips, int heightTwips);

} // namespace skarde::gui
