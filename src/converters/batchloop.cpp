#include "batchloop.h"

namespace skarde {

namespace {

bool isMarked(const BatchRun& run, std::size_t row) {
    return !run.isMarked || run.isMarked(row);
}

int countMarked(const BatchRun& run) {
    int marked = 0;
    for (std::size_t row = 0; row < run.rowCount; ++row)
        marked += isMarked(run, row) ? 1 : 0;
    return marked;
}

void showCaptionFor(ProgressSink& progress, const BatchRun& run, std::size_t row) {
    if (run.fileBar == FileBar::None || !run.rowName)
        return;
    const std::string name = run.rowName(row);
    if (!name.empty())
        progress.setCaption("Progress - " + name);
}

bool runRow(ProgressSink& progress, const BatchRun& run, std::size_t row) {
    if (run.fileBar == FileBar::CountedByStep)
        progress.show();
    showCaptionFor(progress, run, row);
    const bool whole = run.handleRow(row);
    if (run.fileBar == FileBar::CountedByStep)
        progress.hide();
    return whole;
}

} // namespace

BatchSummary RunBatch(ProgressSink& progress, const BatchRun& run) {
    const bool loopCounts = run.fileBar == FileBar::CountedByLoop;
    BatchSummary summary;
    summary.marked = countMarked(run);
    if (loopCounts) {
        progress.show();
        progress.setMinimum(Bar::ProgressBar1, 0);
        progress.setMaximum(Bar::ProgressBar1, summary.marked);
    }
    const bool started = summary.marked == 0 || !run.start || run.start();
    if (!started) {
        summary.failed = summary.marked;
    } else {
        int handled = 0;
        for (std::size_t row = 0; row < run.rowCount; ++row) {
            if (isMarked(run, row)) {
                ++handled;
                ++(runRow(progress, run, row) ? summary.succeeded : summary.failed);
            }
            if (loopCounts)
                progress.setValue(Bar::ProgressBar1, handled);
        }
    }
    if (loopCounts) {
        progress.setCaption("Progress");
        progress.hide();
    }
    return summary;
}

} // namespace skarde
