#pragma once

// The last events the monkey sent, kept in fixed buffers so that a crash handler or the hang
// watchdog can print them without allocating, and the replay command of the run.

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

namespace skarde::monkey {

class EventLog {
public:
    static constexpr int kKept = 64;

    EventLog(std::uint64_t seed, int reported);

    // The event about to be sent, numbered from 1.
    void begin(long number, const std::string& description);
    // A note on the current event (an answered dialog, a folder brought back).
    void note(const std::string& text);
    long current() const { return current_.load(); }

    // Writes "seed, event, replay command, last events" to stderr; safe in a crash handler.
    void printFailure(const char* what) const;

private:
    void append(const std::string& line);

    using Line = std::array<char, 200>;
    std::uint64_t seed_;
    int reported_;
    mutable std::mutex mutex_;
    std::array<Line, kKept> lines_{};
    std::atomic<long> written_{0};
    std::atomic<long> current_{0};
};

} // namespace skarde::monkey
