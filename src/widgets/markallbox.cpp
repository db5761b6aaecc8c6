#include "markallbox.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>

namespace skarde::gui {

MarkAllBox::MarkAllBox(QAbstractItemView& list, QWidget& container, const QRect& boxGeometry,
                       const QRect& labelGeometry)
    : QObject(&container), list_(list) {
    box_ = new QCheckBox(&container);
    box_->setObjectName(QStringLiteral("Check1"));
    box_->setAccessibleName(QStringLiteral("Mark All Files"));
    box_->setGeometry(boxGeometry);
    label_ = new QLabel(QStringLiteral("Mark All Files"), &container);
    label_->setObjectName(QStringLiteral("Label1"));
    label_->setGeometry(labelGeometry);
    connect(box_, &QCheckBox::toggled, this, &MarkAllBox::apply);
    list_.viewport()->installEventFilter(this);
}

void MarkAllBox::apply() {
    if (box_->isChecked())
        list_.selectAll();
    else
        list_.clearSelection();
}

bool MarkAllBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_.viewport() && event->type() == QEvent::MouseButtonPress &&
        box_->isChecked())
        box_->setChecked(false);
    return false;
}

} // namespace skarde::gui
