#include "layoutchecks.h"

#include "widgets/wrappingbutton.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

namespace skarde::test {

namespace {

std::string describe(const QWidget& control, const QString& text) {
    return (control.objectName() + QStringLiteral(": ") + text).toStdString();
}

bool textFits(const QWidget& control, const QString& text, int spareWidth) {
    const QFontMetrics metrics(control.font());
    return metrics.horizontalAdvance(text) <= control.contentsRect().width() - spareWidth &&
           metrics.height() <= control.contentsRect().height();
}

// Room a control keeps beside its text for its own drawing.
int spareWidthOf(const QWidget& control) {
    if (qobject_cast<const QComboBox*>(&control))
        return control.style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8;
    if (qobject_cast<const QAbstractButton*>(&control) &&
        !qobject_cast<const QAbstractButton*>(&control)->isCheckable())
        return 2 * control.style()->pixelMetric(QStyle::PM_ButtonMargin);
    return 0;
}

} // namespace

std::vector<std::string> clippedTexts(const QWidget& window) {
    std::vector<std::string> clipped;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        if (const auto* label = qobject_cast<const QLabel*>(control)) {
            const bool fits = label->wordWrap()
                                  ? label->heightForWidth(label->width()) <= label->height()
                                  : textFits(*label, label->text(), 0);
            if (!fits)
                clipped.push_back(describe(*label, label->text()));
        } else if (const auto* wrapping = qobject_cast<const gui::WrappingButton*>(control)) {
            // Wrapped over lines, in the font the button draws its caption with.
            const QRect area = wrapping->captionArea();
            const QRect needed =
                QFontMetrics(wrapping->captionFont())
                    .boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap, wrapping->text());
            if (needed.width() > area.width() || needed.height() > area.height())
                clipped.push_back(describe(*wrapping, wrapping->text()));
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
            if (!button->text().isEmpty() &&
                !textFits(*button, button->text(), spareWidthOf(*button)))
                clipped.push_back(describe(*button, button->text()));
        } else if (const auto* combo = qobject_cast<const QComboBox*>(control);
                   combo && !combo->objectName().startsWith(QLatin1String("Drive"))) {
            // Drive lists show the machine's mount points, which no layout can promise to fit.
            for (int row = 0; row < combo->count(); ++row)
                if (!textFits(*combo, combo->itemText(row), spareWidthOf(*combo)))
                    clipped.push_back(describe(*combo, combo->itemText(row)));
        } else if (const auto* group = qobject_cast<const QGroupBox*>(control)) {
            if (QFontMetrics(group->font()).horizontalAdvance(group->title()) > group->width() - 16)
                clipped.push_back(describe(*group, group->title()));
        }
    }
    return clipped;
}

std::vector<std::string> controlsOutsideTheirContainer(const QWidget& window) {
    std::vector<std::string> outside;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        const QWidget* container = control->parentWidget();
        // Unnamed widgets are the parts of compound controls, which place themselves.
        if (control->isWindow() || !container || !control->isVisibleTo(&window) ||
            control->objectName().isEmpty() ||
            control->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (!container->rect().contains(control->geometry()))
            outside.push_back(control->objectName().toStdString());
    }
    return outside;
}

void saveScreenshot(QWidget& window, const char* name) {
    const QString folder = qEnvironmentVariable("SKARDE_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        window.grab().save(QDir(folder).filePath(QString::fromLatin1(name) + ".png"));
}

} // namespace skarde::test
