#include "crashreporter.h"

#include "eventlog.h"

#include <csignal>

// The header is there whenever the compiler is, the runtime only in a sanitizer build.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_UNDEFINED__)
#include <sanitizer/common_interface_defs.h>
#define SKARDE_HAS_SANITIZER_CALLBACK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/common_interface_defs.h>
#define SKARDE_HAS_SANITIZER_CALLBACK 1
#endif
#endif

namespace skarde::monkey {

namespace {

// A signal handler reaches nothing but globals; this is the one, set while a reporter lives.
const EventLog* reportedLog = nullptr;

void reportDeath() {
    if (reportedLog)
        reportedLog->printFailure("the program died (crash or sanitizer report above)");
}

void onFatalSignal(int signal) {
    reportDeath();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

constexpr int kFatalSignals[] = {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL};

} // namespace

CrashReporter::CrashReporter(const EventLog& log) {
    reportedLog = &log;
#ifdef SKARDE_HAS_SANITIZER_CALLBACK
    // Under the sanitizers their handlers own SIGSEGV and friends and end with this callback.
    __sanitizer_set_death_callback(reportDeath);
#endif
    for (const int signal : kFatalSignals)
        std::signal(signal, onFatalSignal);
}

CrashReporter::~CrashReporter() {
    for (const int signal : kFatalSignals)
        std::signal(signal, SIG_DFL);
#ifdef SKARDE_HAS_SANITIZER_CALLBACK
    __sanitizer_set_death_callback(nullptr);
#endif
    reportedLog = nullptr;
}

} // namespace skarde::monkey
