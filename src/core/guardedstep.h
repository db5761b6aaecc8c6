#pragma once

// The boundaries around the work on one file. A converter's own boundary turns the problem that
// ended its work into the user's message and the input's outcome; the boundary of a run's row
// also catches whatever else escapes (a fault in the code, memory running out), so that the run
// goes on with the next file instead of ending the program.

#include "conversionresult.h"
#include "userprompts.h"

#include <exception>
#include <functional>
#include <string>
#include <string_view>

namespace skarde {

// What to tell the user about an exception that escaped the work on a file.
std::string escapedFailureText(const std::exception& error);

// The conversion's result, or, when a Problem ends it, the user told (tellUserAbout) and the
// problem's outcome with no file counted. Anything else passes on to the row's boundary.
ConversionResult runConversion(UserPrompts& prompts,
                               const std::function<ConversionResult()>& conversion);

// The step's own answer, or false after telling the user what escaped it: a Problem as it is,
// anything else about `subject`.
bool runGuarded(UserPrompts& prompts, std::string_view subject, const std::function<bool()>& step);
// The same with the subject worked out only when something escapes (a batch's rows).
bool runGuarded(UserPrompts& prompts, const std::function<std::string()>& subject,
                const std::function<bool()>& step);

} // namespace skarde
