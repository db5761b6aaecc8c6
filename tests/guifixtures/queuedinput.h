#pragma once

// Clicks and keys queued as the window system queues them, to be taken only when the event
// loop takes user input (QTest delivers its input at once, and posted events are never held
// back).

#include <QPoint>
#include <Qt>

class QWidget;

namespace skarde::test {

void queueClick(QWidget& widget, QPoint position);
void queueKey(QWidget& widget, Qt::Key key);

} // namespace skarde::test
