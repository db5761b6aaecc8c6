#include "terminalprogress.h"

#include "terminal.h"
#include <iostream>

namespace skarde::cli {

TerminalProgress::TerminalProgress() : enabled_(standardErrorIsTerminal()) {}

namespace {

constexpr std::chrono::milliseconds kQuietStart{1000};

} // namespace

void TerminalProgress::hide() {
    if (drawn_)
        std::cerr << "\r\033[K" << std::flush;
    drawn_ = false;
}

void TerminalProgress::setCaption(std::string_view caption) {
    caption_ = caption;
    draw();
}

void TerminalProgress::setValue(Bar bar, int value) {
    BarState& state = bars_[barIndex(bar)];
    const int before = state.value;
    state.value = value;
    // Redraw on file changes and on every tenth of the rows, not on every row.
    const int span = state.maximum > state.minimum ? state.maximum - state.minimum : 1;
    if (bar == Bar::Files || (before * 10 / span) != (value * 10 / span))
        draw();
}

void TerminalProgress::draw() {
    if (!enabled_ || std::chrono::steady_clock::now() - started_ < kQuietStart)
        return;
    drawn_ = true;
    const BarState& files = bars_[0];
    const BarState& rows = bars_[1];
    const int rowSpan = rows.maximum > rows.minimum ? rows.maximum - rows.minimum : 1;
    std::cerr << "\r\033[K[" << files.value << '/' << files.maximum << "] " << caption_ << ' '
              << (rows.value - rows.minimum) * 100 / rowSpan << '%' << std::flush;
}

} // namespace skarde::cli
