#pragma once
#include <string_view>

namespace tabulizer {

// The text without the blanks (spaces and tabs) around it. Every cell of a report
// passes through here: a plain scan, not find_first_not_of, which looks each
// character up in the set of blanks by a library call.
inline std::string_view TrimBlanks(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t first = 0, end = text.size();
    while (first < end && blank(text[first])) ++first;
    while (end > first && blank(text[end - 1])) --end;
    return text.substr(first, end - first);
}

}  // namespace tabulizer
