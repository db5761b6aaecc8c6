#pragma once

// The progress window as the converters see it: a caption and two bars. ProgressBar1 counts the
// files of a run, ProgressBar2 the rows of the current image.

#include <string_view>

namespace skarde {

enum class Bar { ProgressBar1, ProgressBar2 };

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
