#include "progresswindow.h"

#include "widgets/qtpaths.h"
#include "widgets/twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>

#include <algorithm>

namespace skarde::gui {

namespace {

QProgressBar* makeBar(QWidget* window, const char* name, const QRect& geometry) {
    auto* bar = new QProgressBar(window);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setGeometry(geometry);
    bar->setTextVisible(false);
    bar->setRange(0, 100);
    bar->setValue(0);
    return bar;
}

ProgressWindow::Clock steadyClock() {
    QElapsedTimer timer;
    timer.start();
    return [timer] { return timer.elapsed(); };
}

} // namespace

ProgressWindow::ProgressWindow(QWidget* parent, Clock clock)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      caption_(QStringLiteral("Progress")), clock_(clock ? std::move(clock) : steadyClock()) {
    setObjectName(QStringLiteral("frmProgress"));
    setWindowTitle(caption_);
    setFixedSize(twipsSize(8010, 870));
    bars_[0] = makeBar(this, "ProgressBar1", twipsRect(105, 105, 7785, 225));
    bars_[1] = makeBar(this, "ProgressBar2", twipsRect(105, 525, 7785, 225));
    centreOnScreen();
    lastDraw_ = clock_();
}

void ProgressWindow::centreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
}

void ProgressWindow::show() {
    QWidget::show();
    raise();
    pushToControls();
    repaint();
    letPaintEventsThrough();
}

void ProgressWindow::hide() {
    if (isVisible())
        draw();
    QWidget::hide();
}

void ProgressWindow::setCaption(std::string_view caption) {
    caption_ = toQString(caption);
    drawIfDue();
}

void ProgressWindow::setMinimum(Bar bar, int value) {
    states_[barIndex(bar)].minimum = value;
    drawIfDue();
}

void ProgressWindow::setMaximum(Bar bar, int value) {
    states_[barIndex(bar)].maximum = value;
    drawIfDue();
}

// Called once per image row: storing the position is all it costs until a draw is due.
void ProgressWindow::setValue(Bar bar, int value) {
    states_[barIndex(bar)].value = value;
    drawIfDue();
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

// Hidden, the controls take every change at once, since nothing is drawn; shown, the changes
// wait for the next draw.
void ProgressWindow::drawIfDue() {
    if (!isVisible())
        pushToControls();
    else if (clock_() - lastDraw_ >= kDrawIntervalMs)
        draw();
}

// The bars repaint themselves when a new position shows.
void ProgressWindow::draw() {
    pushToControls();
    letPaintEventsThrough();
}

// During a run the user-interface thread never returns to the event loop. Letting paint events
// through at each draw keeps the window current and the program from looking hung; user input
// stays queued until the run is over.
void ProgressWindow::letPaintEventsThrough() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    lastDraw_ = clock_();
}

void ProgressWindow::pushToControls() {
    setWindowTitle(caption_);
    pushToBar(Bar::Files);
    pushToBar(Bar::Rows);
}

// The bar widget only ever sees a valid range and a position inside it; the sink itself keeps
// whatever its users set, so an empty range (0..0) or a bound below the position is accepted and
// value() reads back what was set. An empty range shows an empty bar, not a busy indicator.
void ProgressWindow::pushToBar(Bar bar) {
    const BarState& state = states_[barIndex(bar)];
    QProgressBar* widget = bars_[barIndex(bar)];
    if (state.maximum > state.minimum) {
        widget->setRange(state.minimum, state.maximum);
        widget->setValue(std::clamp(state.value, state.minimum, state.maximum));
    } else {
        widget->setRange(0, 1);
        widget->setValue(0);
    }
}

// A converter's dialog or message stops the run until it is answered: show where the run is
// meanwhile. The dialog's own event loop draws the rest.
bool ProgressWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowBlocked && isVisible())
        pushToControls();
    return QWidget::event(event);
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
}

} // namespace skarde::gui
