#pragma once

// Prints the seed, the event and the last events when the process dies: a fatal signal, or a
// sanitizer report (the sanitizer prints its own report first, then calls back).

namespace skarde::monkey {

class EventLog;

class CrashReporter {
public:
    // One per process; `log` must outlive it.
    explicit CrashReporter(const EventLog& log);
    ~CrashReporter();
    CrashReporter(const CrashReporter&) = delete;
    CrashReporter& operator=(const CrashReporter&) = delete;
};

} // namespace skarde::monkey
