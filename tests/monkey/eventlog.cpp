#include "eventlog.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace skarde::monkey {

namespace {

void writeText(const char* text) {
    const std::size_t length = std::strlen(text);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t written = ::write(STDERR_FILENO, text + done, length - done);
        if (written <= 0)
            return;
        done += static_cast<std::size_t>(written);
    }
}

} // namespace

EventLog::EventLog(std::uint64_t seed, int reported)
    : seed_(seed), reported_(std::clamp(reported, 1, kKept)) {}

void EventLog::begin(long number, const std::string& description) {
    current_ = number;
    append("#" + std::to_string(number) + " " + description);
}

void EventLog::note(const std::string& text) {
    append("     " + text);
}

void EventLog::append(const std::string& line) {
    const std::lock_guard lock(mutex_);
    Line& slot = lines_[static_cast<std::size_t>(written_.load() % kKept)];
    const std::size_t length = std::min(line.size(), slot.size() - 1);
    std::memcpy(slot.data(), line.data(), length);
    slot[length] = '\0';
    ++written_;
}

// No locking and no allocation: the caller may be a signal handler that interrupted append().
void EventLog::printFailure(const char* what) const {
    char header[512];
    const long event = current_.load();
    std::snprintf(header, sizeof header,
                  "\nskardetools-monkey: FAILED: %s\n  seed %llu, event %ld\n"
                  "  replay: scripts/monkey.sh %llu %ld\n  last events:\n",
                  what, static_cast<unsigned long long>(seed_), event,
                  static_cast<unsigned long long>(seed_), event);
    writeText(header);
    const long written = written_.load();
    for (long i = std::max(0L, written - reported_); i < written; ++i) {
        writeText("    ");
        writeText(lines_[static_cast<std::size_t>(i % kKept)].data());
        writeText("\n");
    }
}

} // namespace skarde::monkey
