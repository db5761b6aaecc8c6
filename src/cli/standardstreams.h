#pragma once

// The standard streams as a script relies on them: what cannot be written is an error, not a
// silent loss.

namespace skarde::cli {

// A reader that goes away (`| head`) ends the program quietly, as in any pipeline, even when the
// caller started it with that signal ignored.
void endQuietlyOnBrokenPipe();

// `status`, unless a write to standard output or error failed at any point of the run (the
// failure sticks to the stream) or their final flush fails: then 1, after a message on
// standard error when that still works.
int exitStatusAfterFlush(int status);

} // namespace skarde::cli
