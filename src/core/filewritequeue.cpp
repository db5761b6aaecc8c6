#include "filewritequeue.h"

#include <algorithm>

namespace skarde {

unsigned FileWriteQueue::helpersForThisMachine() {
    const unsigned cores = std::thread::hardware_concurrency();
    return std::clamp(cores, 1u, 4u) - 1;
}

FileWriteQueue::FileWriteQueue(const FileWriteSteps& steps, unsigned helpers) : steps_(steps) {
    helpers_.reserve(helpers);
    for (unsigned i = 0; i < helpers; ++i)
        helpers_.emplace_back([this] { serveUntilStopped(); });
}

FileWriteQueue::~FileWriteQueue() {
    {
        std::unique_lock lock(mutex_);
        stopping_ = true;
        // Only the caller hears of a file's outcome; one it will never ask about is not written.
        jobs_.erase(jobs_.begin() + static_cast<std::ptrdiff_t>(firstQueued_), jobs_.end());
    }
    workQueued_.notify_all();
    for (std::thread& helper : helpers_)
        helper.join();
}

void FileWriteQueue::add(std::filesystem::path path, Bytes bytes, Destination destination) {
    {
        std::unique_lock lock(mutex_);
        const std::size_t size = bytes.size();
        jobs_.push_back(
            {std::move(path), std::move(bytes), destination, size, JobState::Queued, {}});
        bytes_ += size;
    }
    workQueued_.notify_one();
}

void FileWriteQueue::finishOldest() {
    std::unique_lock lock(mutex_);
    Job& oldest = jobs_.front();
    while (oldest.state != JobState::Written) {
        if (firstQueued_ < jobs_.size())
            writeFirstQueued(lock);
        else
            jobWritten_.wait(lock);
    }
    const std::exception_ptr failure = oldest.failure;
    bytes_ -= oldest.size;
    jobs_.pop_front();
    --firstQueued_;
    lock.unlock();
    if (failure)
        std::rethrow_exception(failure);
}

std::size_t FileWriteQueue::files() const {
    std::unique_lock lock(mutex_);
    return jobs_.size();
}

std::size_t FileWriteQueue::bytes() const {
    std::unique_lock lock(mutex_);
    return bytes_;
}

void FileWriteQueue::serveUntilStopped() {
    std::unique_lock lock(mutex_);
    while (true) {
        workQueued_.wait(lock, [this] { return stopping_ || firstQueued_ < jobs_.size(); });
        if (stopping_)
            return;
        writeFirstQueued(lock);
    }
}

void FileWriteQueue::writeFirstQueued(std::unique_lock<std::mutex>& lock) {
    Job& job = jobs_[firstQueued_++];
    job.state = JobState::Writing;
    lock.unlock();
    std::exception_ptr failure;
    try {
        writeFileWhole(job.path, job.bytes, steps_, job.destination);
    } catch (...) {
        failure = std::current_exception();
    }
    {
        const Bytes done = std::move(job.bytes); // freed here, outside the lock
    }
    lock.lock();
    job.failure = failure;
    job.state = JobState::Written;
    jobWritten_.notify_one(); // only the caller waits for this
}

} // namespace skarde
