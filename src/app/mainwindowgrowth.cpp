#include "mainwindowgrowth.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>

#include <algorithm>

namespace skarde::gui {
namespace {

struct Span {
    int start;
    int length;
};

// One axis of growFrame: grow by `shortfall` up to the available length, then pull the start
// back just enough for the far end to stay inside.
Span growSpan(Span span, int shortfall, Span available) {
    const int length = std::min(span.length + std::max(0, shortfall), available.length);
    if (length <= span.length) {
        return span;
    }
    return {std::min(span.start, available.start + available.length - length), length};
}

QRect availableAreaOf(const QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen != nullptr ? screen->availableGeometry() : window.frameGeometry();
}

} // namespace

QRect growFrame(const QRect& frame, const QSize& shortfall, const QRect& available) {
    const Span x =
        growSpan({frame.x(), frame.width()}, shortfall.width(), {available.x(), available.width()});
    const Span y = growSpan({frame.y(), frame.height()}, shortfall.height(),
                            {available.y(), available.height()});
    return QRect(x.start, y.start, x.length, y.length);
}

void growToShow(QMainWindow& window, const QMdiArea& area, const QMdiSubWindow& child) {
    if (window.isMaximized() || window.isFullScreen() || window.isMinimized()) {
        return;
    }
    // Measured against the area without its scroll bars, which go once the child fits.
    const QSize room = area.contentsRect().size();
    const QRect needed = child.geometry();
    const QSize shortfall(needed.right() + 1 - room.width(), needed.bottom() + 1 - room.height());
    const QRect frame = window.frameGeometry();
    const QRect grown = growFrame(frame, shortfall, availableAreaOf(window));
    if (grown == frame) {
        return;
    }
    // In one step: growing first and moving after, the window manager may pull back a window
    // that for a moment reaches past the screen.
    const QRect inner = window.geometry();
    window.setGeometry(QRect(grown.topLeft() + (inner.topLeft() - frame.topLeft()),
                             inner.size() + grown.size() - frame.size()));
}

} // namespace skarde::gui
