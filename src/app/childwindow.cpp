#include "childwindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

#include <algorithm>

namespace skarde::gui {
namespace {

constexpr Qt::WindowFlags kFixedBorder =
    Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
    Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

bool hasFixedSize(const QWidget& window) {
    return window.minimumSize() == window.maximumSize();
}

} // namespace

QMdiSubWindow* addChildWindow(QMdiArea& area, std::unique_ptr<QWidget> window) {
    const bool fixed = hasFixedSize(*window);
    QMdiSubWindow* child =
        area.addSubWindow(window.release(), fixed ? kFixedBorder : Qt::SubWindow);
    child->setAttribute(Qt::WA_DeleteOnClose);
    // The frame draws the icon: a window's own icon must reach it.
    child->setWindowIcon(child->widget()->windowIcon());
    if (fixed) {
        child->setFixedSize(child->sizeHint());
    }
    child->show();
    // The area's placement centres a window larger than itself, pushing its left and top
    // edges (and the title bar) out of reach; keep them visible.
    child->move(std::max(0, child->x()), std::max(0, child->y()));
    area.setActiveSubWindow(child);
    return child;
}

void bringToFront(QMdiArea& area, QMdiSubWindow& child) {
    if (child.isMinimized()) {
        child.showNormal();
    } else {
        child.show();
    }
    area.setActiveSubWindow(&child);
    child.raise();
}

} // namespace skarde::gui
