#pragma once

namespace skarde::cli {

// Whether the standard input or error stream is a terminal, on POSIX systems and on Windows.
bool standardInputIsTerminal();
bool standardErrorIsTerminal();

} // namespace skarde::cli
