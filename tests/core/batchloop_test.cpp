#include "core/batchloop.h"
#include "core/problem.h"
#include "fixtures/recordingui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace skarde {
namespace {

struct RunRecord {
    std::vector<std::size_t> rows;
    std::vector<std::string> captions; // the caption while each row ran
    std::vector<bool> shown;           // whether the window showed then
};

BatchRun runOver(std::vector<bool> marks, test::RecordingProgress& progress, RunRecord& record,
                 std::vector<std::size_t> failing = {}) {
    BatchRun run;
    run.rowCount = marks.size();
    run.isMarked = [marks](std::size_t row) { return marks[row]; };
    run.rowName = [](std::size_t row) { return "f" + std::to_string(row); };
    run.handleRow = [&progress, &record, failing](std::size_t row) {
        record.rows.push_back(row);
        record.captions.push_back(progress.caption);
        record.shown.push_back(progress.visible);
        return std::find(failing.begin(), failing.end(), row) == failing.end();
    };
    return run;
}

TEST(BatchLoop, HandlesTheMarkedRowsInOrderAndMovesTheBarAfterEveryRow) {
    test::RecordingProgress progress;
    test::RecordingPrompts prompts;
    RunRecord record;
    const BatchSummary summary =
        runBatch(progress, prompts, runOver({true, false, true, true}, progress, record, {2}));
    EXPECT_EQ(record.rows, (std::vector<std::size_t>{0, 2, 3}));
    EXPECT_EQ(record.captions,
              (std::vector<std::string>{"Progress - f0", "Progress - f2", "Progress - f3"}));
    EXPECT_EQ(record.shown, (std::vector<bool>{true, true, true}));
    EXPECT_EQ(progress.maximum(Bar::Files), 3);
    EXPECT_EQ(progress.positions(Bar::Files), (std::vector<int>{1, 1, 2, 3}));
    EXPECT_EQ(summary.marked, 3);
    EXPECT_EQ(summary.succeeded, 2);
    EXPECT_EQ(summary.failed, 1);
    EXPECT_EQ(progress.caption, "Progress");
    EXPECT_FALSE(progress.visible);
}

TEST(BatchLoop, FailsEveryMarkedRowWhenTheRunCannotStartAndStartsNothingWhenNoneIsMarked) {
    test::RecordingProgress progress;
    test::RecordingPrompts prompts;
    RunRecord record;
    int starts = 0;
    BatchRun run = runOver({true, true, false}, progress, record);
    run.start = [&] { return ++starts, false; };
    const BatchSummary refused = runBatch(progress, prompts, run);
    EXPECT_EQ(refused.failed, 2);
    EXPECT_TRUE(record.rows.empty());
    EXPECT_FALSE(progress.visible);

    BatchRun empty = runOver({false, false}, progress, record);
    empty.start = run.start;
    EXPECT_EQ(runBatch(progress, prompts, empty).marked, 0);
    EXPECT_EQ(starts, 1);
}

TEST(BatchLoop, LeavesTheFileBarToAStepThatCountsItself) {
    test::RecordingProgress progress;
    test::RecordingPrompts prompts;
    RunRecord record;
    BatchRun run = runOver({true, true}, progress, record);
    run.fileBar = FileBar::CountedByStep;
    runBatch(progress, prompts, run);
    EXPECT_EQ(record.shown, (std::vector<bool>{true, true}));
    EXPECT_TRUE(progress.positions(Bar::Files).empty());
    EXPECT_FALSE(progress.visible);

    RunRecord silent;
    BatchRun quiet = runOver({true}, progress, silent);
    quiet.fileBar = FileBar::None;
    progress.calls.clear();
    runBatch(progress, prompts, quiet);
    EXPECT_TRUE(progress.calls.empty());
}

TEST(BatchLoop, ReportsWhatEscapesAStepAboutItsRowAndGoesOn) {
    test::RecordingProgress progress;
    test::RecordingPrompts prompts;
    BatchRun run;
    run.rowCount = 4;
    run.rowName = [](std::size_t row) { return "f" + std::to_string(row); };
    run.handleRow = [](std::size_t row) -> bool {
        if (row == 0)
            throw std::out_of_range("read past the end");
        if (row == 1)
            throw std::bad_alloc();
        if (row == 2)
            throw Problem("f2.bmp", "The file cannot be read.");
        return true;
    };
    const BatchSummary summary = runBatch(progress, prompts, run);
    EXPECT_EQ(summary.failed, 3);
    EXPECT_EQ(summary.succeeded, 1);
    EXPECT_EQ(prompts.problems,
              (std::vector<std::string>{"f0: This file could not be handled: read past the end.",
                                        "f1: There is not enough memory to handle this file.",
                                        "f2.bmp: The file cannot be read."}));
    EXPECT_FALSE(progress.visible);
}

} // namespace
} // namespace skarde
