#pragma once

// Where a run's progress goes: a caption and two bars, one counting the files of a run, the other
// the rows of the current image.

#include <cstddef>
#include <string_view>

namespace skarde {

enum class Bar { Files, Rows };

// What a sink keeps for each bar, and where: the files bar at index 0, the rows bar at 1.
struct BarState {
    int minimum = 0;
    int maximum = 100;
    int value = 0;
};

constexpr std::size_t barIndex(Bar bar) {
    return bar == Bar::Files ? 0 : 1;
}

class ProgressSink {
public:
    virtual ~ProgressSink() = default;

    virtual void show() = 0;
    virtual void hide() = 0;
    virtual void setCaption(std::string_view caption) = 0;
    virtual void setMinimum(Bar bar, int value) = 0;
    // Must accept a bound equal to the minimum and one below the current position.
    virtual void setMaximum(Bar bar, int value) = 0;
    virtual void setValue(Bar bar, int value) = 0;
    virtual int value(Bar bar) const = 0;
};

} // namespace skarde
