#pragma once
// How a text typed into a cell becomes a number: blanks around it are ignored;
// an optional sign; digits, plain or grouped by commas in threes ("1,234,567");
// an optional "." with digits (".5" and "5." both count); an optional exponent;
// an optional trailing "%" that divides by 100. At least one digit and at most
// 15 significant digits (leading zeros do not count), so that account numbers
// and other long digit strings are never rounded; the result is always finite.
// Anything else stays text.
#include <optional>
#include <string>
#include <string_view>

namespace tabulizer::sheet {

struct TypedNumber {
    double value = 0;
    // The trimmed text is exactly CanonicalText(value), so it need not be kept
    // to give the text back later (when the cell is turned into text).
    bool canonical = false;
};

// Spaces and tabs around the text removed.
std::string_view TrimBlanks(std::string_view text);

// The number a text stands for, or nothing when it stays text.
std::optional<TypedNumber> ParseTyped(std::string_view text);

// The shortest plain decimal that reads back as `value` ("1512.43", "120").
std::string CanonicalText(double value);

}  // namespace tabulizer::sheet
