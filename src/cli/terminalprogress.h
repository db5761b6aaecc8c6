#pragma once

// Progress on stderr, shown only when stderr is a terminal so that scripts get clean output.

#include "converters/progresssink.h"

#include <array>
#include <string>

namespace skarde::cli {

class TerminalProgress : public ProgressSink {
public:
    TerminalProgress();

    void show() override {}
    void hide() override;
    void setCaption(std::string_view caption) override;
    void setMinimum(Bar bar, int value) override { bars_[index(bar)].minimum = value; }
    void setMaximum(Bar bar, int value) override { bars_[index(bar)].maximum = value; }
    void setValue(Bar bar, int value) override;
    int value(Bar bar) const override { return bars_[index(bar)].value; }

private:
    struct BarState {
        int minimum = 0;
        int maximum = 100;
        int value = 0;
    };
    static std::size_t index(Bar bar) { return bar == Bar::ProgressBar1 ? 0 : 1; }
    void draw();

    bool enabled_;
    std::string caption_;
    std::array<BarState, 2> bars_{};
};

} // namespace skarde::cli
