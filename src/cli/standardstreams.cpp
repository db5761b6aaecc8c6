#include "standardstreams.h"

#include "clicommand.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace skarde::cli {

void endQuietlyOnBrokenPipe() {
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_DFL);
#endif
}

namespace {

// A failed write whose reason is lost: an earlier write failed, and the flush had nothing left.
constexpr int kReasonUnknown = -1;

// Flushes the stream; its error number when this or any write before failed, else 0.
int flushError(std::ostream& stream, std::FILE* file) {
    errno = 0;
    stream.flush();
    const bool failed = std::fflush(file) != 0 || std::ferror(file) != 0 || !stream;
    if (!failed)
        return 0;
    return errno != 0 ? errno : kReasonUnknown;
}

} // namespace

int exitStatusAfterFlush(int status) {
    const int outputError = flushError(std::cout, stdout);
    const int errorError = flushError(std::cerr, stderr);
    if (outputError == 0 && errorError == 0)
        return status;
    // Windows has no signal for a reader that went away; there the write fails with EPIPE.
    if (outputError == EPIPE && errorError == 0)
        return status == kExitSuccess ? kExitSomeFailed : status;
    if (outputError != 0 && errorError == 0) {
        std::cerr << "skardetools-cli: cannot write to standard output";
        if (outputError != kReasonUnknown)
            std::cerr << ": " << std::strerror(outputError);
        std::cerr << '\n' << std::flush;
    }
    return status == kExitSuccess ? kExitSomeFailed : status;
}

} // namespace skarde::cli
