#pragma once

// A file the converters cannot handle, or an I/O failure. Thrown inside a converter and turned
// into one message for the user at the converter's boundary; it never escapes the core.

#include <stdexcept>
#include <string>

namespace skarde {

class Problem : public std::runtime_error {
public:
    Problem(std::string subject, const std::string& description)
        : std::runtime_error(description), subject_(std::move(subject)) {}

    // What the message is about: a file path or an archive member's name.
    const std::string& subject() const { return subject_; }

private:
    std::string subject_;
};

} // namespace skarde
