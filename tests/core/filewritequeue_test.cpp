#include "core/filewritequeue.h"
#include "core/problem.h"

#include "fixtures/tempfolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace skarde {
namespace {

namespace fs = std::filesystem;

// The first file is slow to write, so helpers finish later files before it.
struct FirstWriteSlow : FileWriteSteps {
    mutable std::atomic<bool> slept{false};
    std::size_t write(int scratch, std::span<const std::uint8_t> bytes) const override {
        if (!slept.exchange(true))
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return FileWriteSteps::write(scratch, bytes);
    }
};

std::string nameOf(int file) {
    std::string name = "f";
    name += std::to_string(file);
    return name;
}

// Whatever the number of helpers and whichever file is written first, each file's outcome is
// heard in the order the files were added, and only that file's failure is heard.
TEST(FileWriteQueue, TellsEachFilesOutcomeInTheOrderTheFilesWereAdded) {
    for (const unsigned helpers : {0u, 1u, 3u}) {
        const test::TempFolder folder;
        const FirstWriteSlow steps;
        FileWriteQueue queue(steps, helpers);
        constexpr int kFiles = 40;
        constexpr int kFailing = 17; // its folder does not exist
        for (int file = 0; file < kFiles; ++file) {
            const fs::path where = file == kFailing ? folder / "missing" : folder.path();
            queue.add(where / nameOf(file), Bytes(static_cast<std::size_t>(file), 0x42),
                      Destination::Unknown);
        }
        EXPECT_EQ(queue.files(), static_cast<std::size_t>(kFiles));
        for (int file = 0; file < kFiles; ++file) {
            if (file == kFailing) {
                try {
                    queue.finishOldest();
                    ADD_FAILURE() << "no failure heard for the file in a missing folder";
                } catch (const Problem& problem) {
                    EXPECT_EQ(problem.subject(), displayPath(folder / "missing" / nameOf(file)));
                }
            } else {
                EXPECT_NO_THROW(queue.finishOldest()) << helpers << " helpers, file " << file;
                EXPECT_EQ(test::readFile(folder / nameOf(file)),
                          Bytes(static_cast<std::size_t>(file), 0x42));
            }
        }
        EXPECT_EQ(queue.files(), 0u);
        EXPECT_EQ(queue.bytes(), 0u);
        EXPECT_EQ(test::folderEntries(folder.path()).size(), static_cast<std::size_t>(kFiles - 1));
    }
}

// A file whose outcome nobody will hear (the run ended early) is not written at all.
TEST(FileWriteQueue, WritesNothingThatIsNeverFinished) {
    const test::TempFolder folder;
    const FileWriteSteps steps;
    {
        FileWriteQueue queue(steps, 0);
        queue.add(folder / "a", Bytes{1}, Destination::Unknown);
        queue.add(folder / "b", Bytes{2, 3}, Destination::Unknown);
        EXPECT_EQ(queue.bytes(), 3u);
        queue.finishOldest();
    }
    EXPECT_EQ(test::folderEntries(folder.path()), std::vector<std::string>{"a"});
}

} // namespace
} // namespace skarde
