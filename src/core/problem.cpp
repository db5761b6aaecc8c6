#include "problem.h"

namespace skarde {

Outcome tellUserAbout(UserPrompts& prompts, const Problem& problem) {
    if (problem.isFixedRefusal())
        prompts.showMessage(problem.what(), MessageKind::Refusal);
    else
        prompts.reportProblem(problem.subject(), problem.what());
    return problem.outcome();
}

} // namespace skarde
