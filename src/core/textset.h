#pragma once

// Sets and maps of strings that are looked up by a view, so that a part of a longer text (a
// folder of a member's path, say) is found without copying it into a string first.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace skarde {

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        return std::hash<std::string_view>{}(text);
    }
};

using TextSet = std::unordered_set<std::string, TextHash, std::equal_to<>>;
template <typename Value>
using TextMap = std::unordered_map<std::string, Value, TextHash, std::equal_to<>>;

} // namespace skarde
