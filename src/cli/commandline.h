#pragma once

// Parsing of one subcommand's arguments: options with or without a value, then operands.

#include <map>
#include <optional>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace skarde::cli {

// A mistake in the command line; its text is the one-line reason shown to the user.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct OptionTable {
    std::set<std::string> withValue; // e.g. "-o", "--pals"
    std::set<std::string> flags;     // e.g. "--convert"
};

struct ParsedArguments {
    std::map<std::string, std::string> values;
    std::set<std::string> flags;
    std::vector<std::string> operands;

    std::optional<std::string> value(const std::string& option) const;
    bool has(const std::string& flag) const { return flags.count(flag) != 0; }
};

// Accepts "--opt value", "--opt=value" and "--" before operands that start with "-".
ParsedArguments parseArguments(std::span<const std::string> arguments, const OptionTable& options);

} // namespace skarde::cli
