#include "commandline.h"

namespace skarde::cli {

std::optional<std::string> ParsedArguments::value(const std::string& option) const {
    const auto found = values.find(option);
    if (found == values.end())
        return std::nullopt;
    return found->second;
}

ParsedArguments parseArguments(std::span<const std::string> arguments, const OptionTable& options) {
    ParsedArguments parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            parsed.operands.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = argument;
        std::optional<std::string> inlineValue;
        if (const auto equals = argument.find('='); equals != std::string::npos) {
            name = argument.substr(0, equals);
            inlineValue = argument.substr(equals + 1);
        }
        if (options.flags.count(name) && !inlineValue) {
            parsed.flags.insert(name);
        } else if (options.withValue.count(name)) {
            if (!inlineValue && i + 1 >= arguments.size())
                throw UsageError("option " + name + " needs a value");
            if (parsed.values.count(name))
                throw UsageError("option " + name + " is given twice");
            parsed.values[name] = inlineValue ? *inlineValue : arguments[++i];
        } else {
            throw UsageError("unknown option " + argument);
        }
    }
    return parsed;
}

} // namespace skarde::cli
