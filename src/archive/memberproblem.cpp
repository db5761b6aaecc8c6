#include "memberproblem.h"

#include "core/guardedstep.h"

namespace skarde {

std::string memberSubject(std::string_view memberName) {
    return memberName.empty() ? "(a member without a name)" : std::string(memberName);
}

Problem aboutMember(const Problem& problem, std::string_view memberName) {
    if (problem.isFixedRefusal())
        return problem;
    std::string description = problem.what();
    if (problem.subject() != memberName)
        description += " (" + problem.subject() + ")";
    return problem.retoldAbout(memberSubject(memberName), description);
}

bool runGuardedOnMember(UserPrompts& prompts, std::string_view memberName,
                        const std::function<bool()>& step) {
    return runGuarded(prompts, memberSubject(memberName), [&] {
        try {
            return step();
        } catch (const Problem& problem) {
            throw aboutMember(problem, memberName);
        }
    });
}

} // namespace skarde
