#pragma once
// A whole number typed into a box: plain digits within min..max, or nothing.
#include <optional>
#include <string>

namespace tabulizer {

inline std::optional<int> TypedNumber(const std::string& text, int min, int max) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < min || value > max) return std::nullopt;
    return value;
}

}  // namespace tabulizer
