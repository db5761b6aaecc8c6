#pragma once

// Ends the process with a report when the monkey's current event has not finished after a
// bound: the program stopped answering (an endless loop, a dialog waiting on nobody).

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace skarde::monkey {

class EventLog;

class HangWatchdog {
public:
    HangWatchdog(const EventLog& log, std::chrono::seconds bound);
    ~HangWatchdog();
    HangWatchdog(const HangWatchdog&) = delete;
    HangWatchdog& operator=(const HangWatchdog&) = delete;

private:
    void watch();

    const EventLog& log_;
    std::chrono::seconds bound_;
    std::mutex mutex_;
    std::condition_variable stopping_;
    bool stop_ = false;
    std::thread thread_;
};

} // namespace skarde::monkey
