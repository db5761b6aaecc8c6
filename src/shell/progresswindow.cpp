#include "progresswindow.h"

#include "qtpaths.h"
#include "twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>

#include <algorithm>

namespace skarde::gui {

namespace {

// Often enough for the window system to see a live window, rarely enough to cost nothing.
constexpr qint64 kPaintEventIntervalMs = 40;

QProgressBar* makeBar(QWidget* window, const char* name, const QRect& geometry) {
    auto* bar = new QProgressBar(window);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setGeometry(geometry);
    bar->setTextVisible(false);
    bar->setRange(0, 100);
    bar->setValue(0);
    return bar;
}

} // namespace

ProgressWindow::ProgressWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmProgress"));
    setWindowTitle(QStringLiteral("Progress"));
    setFixedSize(twipsSize(8010, 870));
    bars_[0] = makeBar(this, "ProgressBar1", twipsRect(105, 105, 7785, 225));
    bars_[1] = makeBar(this, "ProgressBar2", twipsRect(105, 525, 7785, 225));
    centreOnScreen();
    sincePaintEvents_.start();
}

void ProgressWindow::centreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
}

void ProgressWindow::show() {
    QWidget::show();
    raise();
    repaint();
    letPaintEventsThrough(true);
}

void ProgressWindow::hide() {
    QWidget::hide();
}

void ProgressWindow::setCaption(std::string_view caption) {
    setWindowTitle(toQString(caption));
    letPaintEventsThrough(false);
}

void ProgressWindow::setMinimum(Bar bar, int value) {
    states_[barIndex(bar)].minimum = value;
    showRange(bar);
}

void ProgressWindow::setMaximum(Bar bar, int value) {
    states_[barIndex(bar)].maximum = value;
    showRange(bar);
}

void ProgressWindow::setValue(Bar bar, int value) {
    states_[barIndex(bar)].value = value;
    showValue(bar);
    letPaintEventsThrough(false);
}

int ProgressWindow::value(Bar bar) const {
    return states_[barIndex(bar)].value;
}
int ProgressWindow::minimum(Bar bar) const {
    return states_[barIndex(bar)].minimum;
}
int ProgressWindow::maximum(Bar bar) const {
    return states_[barIndex(bar)].maximum;
}

// The bar widget only ever sees a valid range and a position inside it; the sink itself keeps
// whatever its users set, so an empty range (0..0) or a bound below the position is accepted and
// value() reads back what was set. An empty range shows an empty bar, not a busy indicator.
void ProgressWindow::showRange(Bar bar) {
    const BarState& state = states_[barIndex(bar)];
    QProgressBar* widget = bars_[barIndex(bar)];
    if (state.maximum > state.minimum)
        widget->setRange(state.minimum, state.maximum);
    else
        widget->setRange(0, 1);
    showValue(bar);
    widget->repaint();
}

// Called once per image row: one position change, and the bar repaints itself only when the
// change shows.
void ProgressWindow::showValue(Bar bar) {
    const BarState& state = states_[barIndex(bar)];
    QProgressBar* widget = bars_[barIndex(bar)];
    if (state.maximum > state.minimum)
        widget->setValue(std::clamp(state.value, state.minimum, state.maximum));
    else
        widget->setValue(0);
}

// During a run the user-interface thread never returns to the event loop. Letting paint events
// through now and then keeps the window drawn and the program from looking hung; user input
// stays queued until the run is over.
void ProgressWindow::letPaintEventsThrough(bool always) {
    if (!isVisible())
        return;
    if (!always && sincePaintEvents_.elapsed() < kPaintEventIntervalMs)
        return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sincePaintEvents_.restart();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
}

} // namespace skarde::gui
