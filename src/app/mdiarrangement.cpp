#include "mdiarrangement.h"

#include <QList>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace skarde::gui {
namespace {

QList<QMdiSubWindow*> openWindows(const QMdiArea& area, bool minimized) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isHidden() && window->isMinimized() == minimized) {
            windows.append(window);
        }
    }
    return windows;
}

// Tiling leaves the row of minimized windows along the bottom uncovered.
int iconRowHeight(const QMdiArea& area) {
    const QList<QMdiSubWindow*> icons = openWindows(area, true);
    return icons.isEmpty() ? 0 : icons.first()->height();
}

enum class Direction { Down, Across };

void tile(QMdiArea& area, Direction direction) {
    const QList<QMdiSubWindow*> windows = openWindows(area, false);
    if (windows.isEmpty()) {
        return;
    }
    QRect space = area.viewport()->rect();
    space.setHeight(std::max(1, space.height() - iconRowHeight(area)));
    const auto count = static_cast<int>(windows.size());
    for (int index = 0; index < count; ++index) {
        QMdiSubWindow* window = windows[index];
        if (window->isMaximized()) {
            window->showNormal();
        }
        if (direction == Direction::Down) {
            const int top = space.height() * index / count;
            const int bottom = space.height() * (index + 1) / count;
            window->setGeometry(0, top, space.width(), bottom - top);
        } else {
            const int left = space.width() * index / count;
            const int right = space.width() * (index + 1) / count;
            window->setGeometry(left, 0, right - left, space.height());
        }
    }
}

void lineUpIcons(QMdiArea& area) {
    const QRect space = area.viewport()->rect();
    int left = 0;
    int bottom = space.bottom() + 1;
    for (QMdiSubWindow* icon : openWindows(area, true)) {
        if (left > 0 && left + icon->width() > space.width()) {
            left = 0;
            bottom -= icon->height();
        }
        icon->move(left, bottom - icon->height());
        left += icon->width();
    }
}

} // namespace

void Arrange(QMdiArea& area, ArrangeMode mode) {
    switch (mode) {
    case ArrangeMode::Cascade:
        area.cascadeSubWindows();
        break;
    case ArrangeMode::TileHorizontal:
        tile(area, Direction::Down);
        break;
    case ArrangeMode::TileVertical:
        tile(area, Direction::Across);
        break;
    case ArrangeMode::ArrangeIcons:
        lineUpIcons(area);
        break;
    }
}

} // namespace skarde::gui
