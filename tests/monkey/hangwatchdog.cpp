#include "hangwatchdog.h"

#include "eventlog.h"

#include <unistd.h>

namespace skarde::monkey {

HangWatchdog::HangWatchdog(const EventLog& log, std::chrono::seconds bound)
    : log_(log), bound_(bound), thread_([this] { watch(); }) {}

HangWatchdog::~HangWatchdog() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    stopping_.notify_one();
    thread_.join();
}

void HangWatchdog::watch() {
    std::unique_lock lock(mutex_);
    long seen = log_.current();
    auto since = std::chrono::steady_clock::now();
    while (!stopping_.wait_for(lock, std::chrono::seconds(1), [this] { return stop_; })) {
        const long now = log_.current();
        if (now != seen) {
            seen = now;
            since = std::chrono::steady_clock::now();
        } else if (std::chrono::steady_clock::now() - since > bound_) {
            log_.printFailure("the program stopped responding (an event did not finish)");
            ::_exit(3);
        }
    }
}

} // namespace skarde::monkey
