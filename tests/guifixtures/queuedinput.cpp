#include "queuedinput.h"

#include <QWidget>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

namespace skarde::test {

namespace {

using Delivery = QWindowSystemInterface::AsynchronousDelivery;

} // namespace

void queueClick(QWidget& widget, QPoint position) {
    QWindow* window = widget.window()->windowHandle();
    const QPointF local = widget.mapTo(widget.window(), position);
    const QPointF global = widget.mapToGlobal(position);
    QWindowSystemInterface::handleMouseEvent<Delivery>(window, local, global, Qt::LeftButton,
                                                       Qt::LeftButton, QEvent::MouseButtonPress);
    QWindowSystemInterface::handleMouseEvent<Delivery>(window, local, global, Qt::NoButton,
                                                       Qt::LeftButton, QEvent::MouseButtonRelease);
}

void queueKey(QWidget& widget, Qt::Key key) {
    QWindow* window = widget.window()->windowHandle();
    QWindowSystemInterface::handleKeyEvent<Delivery>(window, QEvent::KeyPress, key, Qt::NoModifier);
    QWindowSystemInterface::handleKeyEvent<Delivery>(window, QEvent::KeyRelease, key,
                                                     Qt::NoModifier);
}

} // namespace skarde::test
