#include "lineshape.h"

#include "widgets/twips.h"

#include <QPainter>

namespace skarde::gui {

LineShape::LineShape(QWidget* parent, QPoint fromTwips, QPoint toTwips, QColor colour,
                     int penPixels)
    : QWidget(parent), colour_(colour), penPixels_(penPixels) {
    const QPoint from(twipsToPixels(fromTwips.x()), twipsToPixels(fromTwips.y()));
    const QPoint to(twipsToPixels(toTwips.x()), twipsToPixels(toTwips.y()));
    const QRect extent =
        QRect(from, to).normalized().adjusted(-penPixels, -penPixels, penPixels, penPixels);
    setGeometry(extent);
    from_ = from - extent.topLeft();
    to_ = to - extent.topLeft();
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void LineShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(colour_, penPixels_, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(from_, to_);
}

} // namespace skarde::gui
