#include "batchloop.h"

#include "guardedstep.h"

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

std::string nameOf(const BatchRun& run, std::size_t row) {
    return run.rowName ? run.rowName(row) : std::string();
}

bool runRow(ProgressSink& progress, UserPrompts& prompts, const BatchRun& run, std::size_t row) {
    if (run.fileBar == FileBar::CountedByStep)
        progress.show();
    if (run.fileBar != FileBar::None && !run.stepSetsCaption)
        progress.setCaption("Progress - " + nameOf(run, row));
    const bool whole = runGuarded(
        prompts, [&] { return nameOf(run, row); }, [&] { return run.handleRow(row); });
    if (run.fileBar == FileBar::CountedByStep)
        progress.hide();
    return whole;
}

} // namespace

BatchSummary runBatch(ProgressSink& progress, UserPrompts& prompts, const BatchRun& run) {
    const bool loopCounts = run.fileBar == FileBar::CountedByLoop;
    BatchSummary summary;
    summary.marked = countMarked(run);
    if (loopCounts) {
        progress.show();
        progress.setMinimum(Bar::Files, 0);
        progress.setMaximum(Bar::Files, summary.marked);
    }
    const bool started = summary.marked == 0 || !run.start || run.start();
    if (!started) {
        summary.failed = summary.marked;
    } else {
        int handled = 0;
        for (std::size_t row = 0; row < run.rowCount; ++row) {
            if (isMarked(run, row)) {
                ++handled;
                ++(runRow(progress, prompts, run, row) ? summary.succeeded : summary.failed);
            }
            if (loopCounts)
                progress.setValue(Bar::Files, handled);
        }
    }
    if (loopCounts) {
        progress.setCaption("Progress");
        progress.hide();
    }
    return summary;
}

} // namespace skarde
