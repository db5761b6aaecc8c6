#pragma once

// Progress on stderr, shown only when stderr is a terminal so that scripts get clean output, and
// only once a run has taken about a second: a quick run leaves no line behind to flicker past.

#include "core/progresssink.h"

#include <array>
#include <chrono>
#include <string>

namespace skarde::cli {

class TerminalProgress : public ProgressSink {
public:
    TerminalProgress();

    void show() override {}
    void hide() override;
    void setCaption(std::string_view caption) override;
    void setMinimum(Bar bar, int value) override { bars_[barIndex(bar)].minimum = value; }
    void setMaximum(Bar bar, int value) override { bars_[barIndex(bar)].maximum = value; }
    void setValue(Bar bar, int value) override;
    int value(Bar bar) const override { return bars_[barIndex(bar)].value; }

private:
    void draw();

    bool enabled_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
    std::string caption_;
    std::array<BarState, 2> bars_{};
};

} // namespace skarde::cli
