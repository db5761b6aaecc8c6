#include "toolwindowlayout.h"

#include <QFrame>
#include <QLabel>
#include <QWidget>

namespace skarde::gui {

namespace {

// The font's family when the system has it, else its closest sans-serif stand-in.
QFont fontOf(const QFont& base, const QString& family, qreal pointSize) {
    QFont font(base);
    font.setFamilies({family});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(true);
    return font;
}

} // namespace

void place(QWidget& control, QWidget& container, const QRect& geometry) {
    if (control.parentWidget() != &container)
        control.setParent(&container);
    control.setGeometry(geometry);
    // Frames drawn behind a control must not take its clicks.
    control.raise();
}

QFrame* addFrame(QWidget& container, const QRect& geometry, const QString& objectName) {
    auto* frame = new QFrame(&container);
    frame->setObjectName(objectName);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setGeometry(geometry);
    frame->lower();
    return frame;
}

QLabel* addHeading(QWidget& container, const QRect& geometry, const QString& text,
                   const QString& objectName) {
    auto* label = new QLabel(text, &container);
    label->setObjectName(objectName);
    label->setFont(headingFont(label->font()));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(geometry);
    return label;
}

QFont headingFont(const QFont& base) {
    return fontOf(base, QStringLiteral("MS Sans Serif"), 12.0);
}

QFont startButtonFont(const QFont& base) {
    return fontOf(base, QStringLiteral("Arial"), 9.75);
}

} // namespace skarde::gui
