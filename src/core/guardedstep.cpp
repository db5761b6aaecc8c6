#include "guardedstep.h"

#include "problem.h"

#include <new>

namespace skarde {

std::string escapedFailureText(const std::exception& error) {
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr)
        return "There is not enough memory to handle this file.";
    return "This file could not be handled: " + std::string(error.what()) + ".";
}

ConversionResult runConversion(UserPrompts& prompts,
                               const std::function<ConversionResult()>& conversion) {
    try {
        return conversion();
    } catch (const Problem& problem) {
        return {tellUserAbout(prompts, problem), 0};
    }
}

bool runGuarded(UserPrompts& prompts, std::string_view subject, const std::function<bool()>& step) {
    return runGuarded(
        prompts, [subject] { return std::string(subject); }, step);
}

bool runGuarded(UserPrompts& prompts, const std::function<std::string()>& subject,
                const std::function<bool()>& step) {
    try {
        return step();
    } catch (const Problem& problem) {
        tellUserAbout(prompts, problem);
    } catch (const std::exception& error) {
        tellUserAbout(prompts, Problem(subject(), escapedFailureText(error)));
    } catch (...) {
        tellUserAbout(prompts, Problem(subject(), "This file could not be handled."));
    }
    return false;
}

} // namespace skarde
