#include "guardedstep.h"

#include "problem.h"

#include <new>

namespace skarde {

std::string escapedFailureText(const std::exception& error) {
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr)
        return "There is not enough memory to handle this file.";
    return "This file could not be handled: " + std::string(error.what()) + ".";
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
        prompts.reportProblem(problem.subject(), problem.what());
    } catch (const std::exception& error) {
        prompts.reportProblem(subject(), escapedFailureText(error));
    } catch (...) {
        prompts.reportProblem(subject(), "This file could not be handled.");
    }
    return false;
}

} // namespace skarde
