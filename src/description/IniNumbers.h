#pragma once
// The number syntaxes of project values. Results outside the 16-bit signed range
// are refused (nullopt): the description has no room for them.
#include <cstddef>
#include <optional>
#include <string_view>

#include "common/Int16.h"

namespace tabulizer {

// Integer syntax: leading blanks skipped, optional sign, digits and an optional
// fraction up to the first character that cannot continue the number; the fraction
// is rounded half to even; no digits at all give 0.
std::optional<i16> ParseIniInteger(std::string_view text);

// A whole field that must be a number: blanks around it, optional sign, digits,
// optional fraction (rounded half to even), nothing else. "" and "12pt" are refused.
std::optional<i16> ParseIniNumberField(std::string_view text);

// Next-number rule of number group lists and fixed-line values: the number runs
// from `pos` (0-based) to the next ",", which must exist and must not stand at
// `pos`; `pos` moves past that comma. Fails when there is no such number or it
// lies outside low..high.
std::optional<i16> NextNumber(std::string_view text, std::size_t& pos, long low, long high);

}  // namespace tabulizer
