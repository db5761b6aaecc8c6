#pragma once

// The boundary around the work on one file: whatever escapes it (a fault in the code, memory
// running out, a file system error) becomes a message about that file, and the run goes on
// with the next one instead of ending the program.

#include "userprompts.h"

#include <exception>
#include <functional>
#include <string>
#include <string_view>

namespace skarde {

// What to tell the user about an exception that escaped the work on a file.
std::string escapedFailureText(const std::exception& error);

// The step's own answer, or false after reporting what escaped it about `subject`.
bool runGuarded(UserPrompts& prompts, std::string_view subject, const std::function<bool()>& step);
// The same with the subject worked out only when something escapes (a batch's rows).
bool runGuarded(UserPrompts& prompts, const std::function<std::string()>& subject,
                const std::function<bool()>& step);

} // namespace skarde
