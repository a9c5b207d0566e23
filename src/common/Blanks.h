#pragma once
#include <string_view>

namespace tabulizer {

// The text without the blanks (spaces and tabs) around it.
inline std::string_view TrimBlanks(std::string_view text) {
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace tabulizer
