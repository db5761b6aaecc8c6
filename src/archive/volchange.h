#pragma once

// One change to an archive's members, as the command line and the window ask for it: replace a
// member's bytes, add a member, or remove one. Names are UTF-8 as a user types them, with "\" or
// "/" between folders; they match stored names without regard to letter case.

#include "membercontent.h"

#include <memory>
#include <string>
#include <utility>

namespace skarde {

struct VolChange {
    enum class Kind { Replace, Add, Remove };
    Kind kind = Kind::Replace;
    std::string memberName;
    std::shared_ptr<MemberContent> content; // for Replace and Add
};

inline VolChange replaceMember(std::string memberName, std::shared_ptr<MemberContent> content) {
    return {VolChange::Kind::Replace, std::move(memberName), std::move(content)};
}

inline VolChange addMember(std::string memberName, std::shared_ptr<MemberContent> content) {
    return {VolChange::Kind::Add, std::move(memberName), std::move(content)};
}

inline VolChange removeMember(std::string memberName) {
    return {VolChange::Kind::Remove, std::move(memberName), nullptr};
}

} // namespace skarde
