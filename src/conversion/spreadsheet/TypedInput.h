#pragma once
// How a text typed into a cell becomes a number: blanks around it are ignored;
// an optional sign; digits, plain or grouped in threes by commas ("1,234,567")
// or, when a fraction follows, by single blanks ("1 234 567.89"); an optional "."
// with digits (".5" and "5." both count); an optional exponent; an optional
// trailing "%" that divides by 100, or a trailing "-" after a fraction that makes
// it negative ("1,234.56-"). At least one digit and at most 15 significant digits
// (leading zeros do not count), so that account numbers and other long digit
// strings are never rounded; the result is one a spreadsheet holds
// (SpreadsheetHolds). Anything else stays text.
#include <optional>
#include <string>
#include <string_view>

#include "common/Blanks.h"

namespace tabulizer::sheet {

struct TypedNumber {
    double value = 0;
    // When not negative, the trimmed text is exactly FixedText(value, decimals),
    // so it need not be kept to give the text back later (when the cell is turned
    // into text). -1 when it was written in another form ("1,234", "5.", "007").
    int decimals = -1;
};

// Whether a spreadsheet holds `value` as a number: finite, at most
// 9.99999999999999E+307 in magnitude and, unless zero, at least 2.2251E-308 (which
// leaves out the subnormal numbers). A spreadsheet refuses a file with others.
bool SpreadsheetHolds(double value);

// The number a text stands for, or nothing when it stays text.
std::optional<TypedNumber> ParseTyped(std::string_view text);

// `value` as a plain decimal with `decimals` digits after the point ("1512.40").
std::string FixedText(double value, int decimals);

}  // namespace tabulizer::sheet
