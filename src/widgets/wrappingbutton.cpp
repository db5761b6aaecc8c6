#include "wrappingbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace skarde::gui {

namespace {

constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextWordWrap;
// Smaller than this no caption gets: below it the text is no longer legible.
constexpr double kSmallestPointSize = 6.0;
constexpr double kPointSizeStep = 0.5;

} // namespace

QRect WrappingButton::captionArea() const {
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    return rect().adjusted(frame, frame, -frame, -frame);
}

bool WrappingButton::captionFits(const QFont& font) const {
    const QRect area = captionArea();
    const QRect needed = QFontMetrics(font).boundingRect(area, kCaptionFlags, text());
    return needed.width() <= area.width() && needed.height() <= area.height();
}

QFont WrappingButton::captionFont() const {
    QFont fitted = font();
    while (!captionFits(fitted) && fitted.pointSizeF() - kPointSizeStep >= kSmallestPointSize)
        fitted.setPointSizeF(fitted.pointSizeF() - kPointSizeStep);
    return fitted;
}

void WrappingButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setFont(captionFont());
    painter.drawItemText(captionArea(), kCaptionFlags, palette(), isEnabled(), caption,
                         QPalette::ButtonText);
}

} // namespace skarde::gui
