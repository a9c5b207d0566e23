#pragma once
// An item of the document view reads: a blank, the line number and, for a line
// with a role, its label (which begins with a blank).
#include <algorithm>
#include <string>

namespace tabulizer {

inline int ItemLineNumber(const std::string& text) {
    int number = 0;
    for (std::size_t i = 1; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        number = std::min(number * 10 + (text[i] - '0'), 32767);
    return number;
}

inline bool ItemHasLabel(const std::string& text) { return text.find(' ', 1) != std::string::npos; }

}  // namespace tabulizer
