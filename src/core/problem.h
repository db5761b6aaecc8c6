#pragma once

// Why the work on an input stopped: a file that cannot be read or written, an input that is
// damaged, or one that is not of the expected kind at all. Thrown inside that work and turned
// into the user's message and the input's outcome by tellUserAbout at the work's boundary; it
// never escapes the core.

#include "conversionresult.h"
#include "userprompts.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace skarde {

class Problem : public std::runtime_error {
public:
    // A file about `subject` (a file path or an archive member's name) could not be read or
    // written: the input counts as failed.
    Problem(std::string subject, const std::string& description)
        : Problem(std::move(subject), description, Kind::Failure) {}

    // The input about `subject` is damaged: it counts as refused.
    static Problem refusal(std::string subject, const std::string& description) {
        return Problem(std::move(subject), description, Kind::Refusal);
    }
    // The input is not of the expected kind, said in one of the program's fixed words ("This is
    // not a valid ... file"), about no subject: it counts as refused.
    static Problem fixedRefusal(std::string_view message) {
        return Problem(std::string(), std::string(message), Kind::FixedRefusal);
    }

    // A problem of the same kind told about another subject, in other words.
    Problem retoldAbout(std::string subject, const std::string& description) const {
        return Problem(std::move(subject), description, kind_);
    }

    // What the message is about; empty for a fixed refusal.
    const std::string& subject() const { return subject_; }
    bool isFixedRefusal() const { return kind_ == Kind::FixedRefusal; }
    Outcome outcome() const { return kind_ == Kind::Failure ? Outcome::Failed : Outcome::Refused; }

private:
    enum class Kind { Failure, Refusal, FixedRefusal };

    Problem(std::string subject, const std::string& description, Kind kind)
        : std::runtime_error(description), subject_(std::move(subject)), kind_(kind) {}

    std::string subject_;
    Kind kind_;
};

// The one way a problem reaches the user: a fixed refusal as a plain message, any other about
// its subject. Gives the outcome the input counts with.
Outcome tellUserAbout(UserPrompts& prompts, const Problem& problem);

} // namespace skarde
