#include "monkeyoptions.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace skarde::monkey {

namespace {

bool readNumber(const char* text, auto& value) {
    char* end = nullptr;
    const double number = std::strtod(text, &end);
    if (end == text || *end != '\0' || number < 0)
        return false;
    value = static_cast<std::remove_reference_t<decltype(value)>>(number);
    return true;
}

bool readSeed(const char* text, std::uint64_t& seed) {
    char* end = nullptr;
    seed = std::strtoull(text, &end, 10);
    return end != text && *end == '\0';
}

bool readOption(std::string_view name, const char* value, MonkeyOptions& options) {
    if (name == "--seed")
        return readSeed(value, options.seed);
    if (name == "--events")
        return readNumber(value, options.events);
    if (name == "--seconds")
        return readNumber(value, options.seconds);
    if (name == "--memory-mb")
        return readNumber(value, options.memoryLimitMb);
    if (name == "--hang-seconds")
        return readNumber(value, options.hangSeconds);
    if (name == "--plant") {
        options.plantedFault = value;
        return true;
    }
    return false;
}

} // namespace

std::optional<MonkeyOptions> parseMonkeyOptions(int argc, char** argv) {
    MonkeyOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = argv[i];
        if (name == "--verbose") {
            options.verbose = true;
            continue;
        }
        if (i + 1 >= argc || !readOption(name, argv[i + 1], options)) {
            std::fprintf(stderr, "skardetools-monkey: bad argument %s\n", argv[i]);
            return std::nullopt;
        }
        ++i;
    }
    return options;
}

} // namespace skarde::monkey
