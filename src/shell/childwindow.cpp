#include "childwindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

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
    if (fixed) {
        child->setFixedSize(child->sizeHint());
    }
    child->show();
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
