#include "terminal.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace skarde::cli {

namespace {

bool isTerminal(std::FILE* stream) {
#ifdef _WIN32
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}

} // namespace

bool standardInputIsTerminal() {
    return isTerminal(stdin);
}

bool standardErrorIsTerminal() {
    return isTerminal(stderr);
}

} // namespace skarde::cli
