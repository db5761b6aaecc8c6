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

// How far to scroll one axis so that a child that does not fit shows its near edge.
int scrollToNearEdge(int childStart, int childEnd, int viewLength) {
    return childStart < 0 || childEnd > viewLength ? childStart : 0;
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

QSize growToShow(QMainWindow& window, const QMdiArea& area, const QMdiSubWindow& child) {
    if (window.isMaximized() || window.isFullScreen() || window.isMinimized()) {
        return QSize(0, 0);
    }
    // Measured against the area without its scroll bars, which go once the child fits.
    const QSize room = area.contentsRect().size();
    const QRect needed = child.geometry();
    const QSize shortfall(needed.right() + 1 - room.width(), needed.bottom() + 1 - room.height());
    const QRect frame = window.frameGeometry();
    const QRect grown = growFrame(frame, shortfall, availableAreaOf(window));
    if (grown == frame) {
        return QSize(0, 0);
    }
    // In one step: growing first and moving after, the window manager may pull back a window
    // that for a moment reaches past the screen.
    const QRect inner = window.geometry();
    window.setGeometry(QRect(grown.topLeft() + (inner.topLeft() - frame.topLeft()),
                             inner.size() + grown.size() - frame.size()));
    return grown.size() - frame.size();
}

void bringIntoView(QMdiSubWindow& child) {
    QMdiArea* area = child.mdiArea();
    if (area == nullptr)
        return;
    QSize growth(0, 0);
    if (auto* window = qobject_cast<QMainWindow*>(area->window());
        window != nullptr && window->centralWidget() == area)
        growth = growToShow(*window, *area, child);
    // Measured against the size the area is about to have. Scrolling the area moves its
    // children: done at once here, since the area sets its scroll bars from where the children
    // are only a while after they move.
    const QRect place = child.geometry();
    const QSize view = area->viewport()->size() + growth;
    const int dx = scrollToNearEdge(place.left(), place.right() + 1, view.width());
    const int dy = scrollToNearEdge(place.top(), place.bottom() + 1, view.height());
    if (dx != 0 || dy != 0)
        area->viewport()->scroll(-dx, -dy);
}

} // namespace skarde::gui
