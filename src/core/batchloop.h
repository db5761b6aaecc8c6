#pragma once

// The loop every batch shares, over files or archive members: one step per marked row, in order,
// with the progress caption and the files bar.

#include "progresssink.h"
#include "userprompts.h"

#include <cstddef>
#include <functional>
#include <string>

namespace skarde {

// Who moves the files bar: the loop (from 0 to the number of marked rows, set after every row),
// the step itself (the bitmap array converter counts its images; the progress is shown and
// hidden around each row), or nobody (the palette extraction shows no progress).
enum class FileBar { CountedByLoop, CountedByStep, None };

struct BatchRun {
    std::size_t rowCount = 0;
    // Every row is marked when this is empty.
    std::function<bool(std::size_t row)> isMarked;
    // The row's name: the caption shows it ("Progress - " and the name) while the row runs, and
    // a failure that escapes the step is reported about it.
    std::function<std::string(std::size_t row)> rowName;
    // The step sets the caption itself (the extraction names a member once it has been read).
    bool stepSetsCaption = false;
    // Before the first row, once there is one: false fails every marked row (an archive that
    // cannot be opened). Optional.
    std::function<bool()> start;
    // True when the row came out whole. Whatever escapes it is reported about the row, which
    // then counts as failed, and the run goes on.
    std::function<bool(std::size_t row)> handleRow;
    FileBar fileBar = FileBar::CountedByLoop;
};

struct BatchSummary {
    int marked = 0;
    int succeeded = 0;
    int failed = 0;
};

BatchSummary runBatch(ProgressSink& progress, UserPrompts& prompts, const BatchRun& run);

} // namespace skarde
