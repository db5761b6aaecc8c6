#pragma once

// Whole-file writes handed to helper threads and finished in the order they were added: the
// caller prepares the next files while earlier ones are written, yet hears of each failure in
// its turn. While it waits, the caller's own thread writes queued files too, so the queue works
// (in order, one file at a time) with no helper at all.

#include "bytes.h"
#include "fileio.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

namespace skarde {

class FileWriteQueue {
public:
    // One helper per core besides the caller's, at most three: file systems serialise much of
    // the work, and more threads only contend.
    static unsigned helpersForThisMachine();

    explicit FileWriteQueue(const FileWriteSteps& steps,
                            unsigned helpers = helpersForThisMachine());
    // Files not yet being written are dropped unwritten; files being written are waited for.
    ~FileWriteQueue();
    FileWriteQueue(const FileWriteQueue&) = delete;
    FileWriteQueue& operator=(const FileWriteQueue&) = delete;

    // The file is written whole or not at all, as writeFileWhole does.
    void add(std::filesystem::path path, Bytes bytes, Destination destination);
    // Waits for the oldest file not yet finished and throws what its write threw: a Problem
    // naming the file, as writeFileWhole's.
    void finishOldest();

    // Files added and not yet finished, and their bytes.
    std::size_t files() const;
    std::size_t bytes() const;

private:
    enum class JobState { Queued, Writing, Written };
    struct Job {
        std::filesystem::path path;
        Bytes bytes;
        Destination destination = Destination::Unknown;
        std::size_t size = 0;
        JobState state = JobState::Queued;
        std::exception_ptr failure;
    };

    void serveUntilStopped();
    // Writes the first queued job with the lock released around the write.
    void writeFirstQueued(std::unique_lock<std::mutex>& lock);

    const FileWriteSteps& steps_;
    mutable std::mutex mutex_;
    std::condition_variable workQueued_; // helpers wait on it
    std::condition_variable jobWritten_; // the caller waits on it
    std::deque<Job> jobs_;        // oldest first; deque keeps a job in place while it is written
    std::size_t firstQueued_ = 0; // index in jobs_ of the first job nobody writes yet
    std::size_t bytes_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> helpers_;
};

} // namespace skarde
