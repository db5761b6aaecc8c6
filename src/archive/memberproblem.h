#pragma once

// How problems met while handling an archive member reach the user, in the extraction and the
// preview alike: always about the member, which is what the user picked.

#include "core/problem.h"
#include "core/userprompts.h"

#include <functional>
#include <string>
#include <string_view>

namespace skarde {

// What messages about a member call it: its decoded name, or a stand-in for an empty one.
std::string memberSubject(std::string_view memberName);

// The problem told about the member: one about the member's own data as it is, one about a file
// or folder written for it with that path added in parentheses. A fixed refusal stays as it is.
Problem aboutMember(const Problem& problem, std::string_view memberName);

// runGuarded for the work on one member (named by its decoded name): whatever escapes it is
// told about the member, and the answer is false.
bool runGuardedOnMember(UserPrompts& prompts, std::string_view memberName,
                        const std::function<bool()>& step);

} // namespace skarde
