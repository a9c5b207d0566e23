#pragma once
// Character classes and line shapes of printed tables, on lines already brought
// into CP1251: box characters of MS DOS reports arrive as their CP1251 substitutes
// ('-', '=', '+', 'T', 'L', '¬', '¦', and 'г' for the double corner).
#include <string>
#include <string_view>
#include <vector>

namespace tabulizer::inference {

bool IsVertical(char c);    // a vertical table line: '|' or '¦'
bool IsHorizontal(char c);  // '-', '=', or a CP1251 dash drawn in a rule
bool IsJunction(char c);    // a corner, tee or crossing, or a vertical line
// A junction at position p (1-based) of a line: the letters that stand for box
// corners ("T", "L", "г") are letters where they touch one ("послуг", "ТОВ").
bool JunctionAt(std::string_view line, int p);
bool IsBlankLine(std::string_view line);  // nothing but blanks (or nothing)
// A horizontal rule: mostly horizontals, otherwise only junctions; blanks inside
// only when the line has no vertical line characters (dashes under columns). A
// line of twenty dots or more is a rule too.
bool IsRule(std::string_view line);
// Only horizontals and junctions, at least one horizontal: a rule, or the part of
// one that underlines a merged header cell.
bool IsRuleSegment(std::string_view text);

// A text that begins a subtotal or total: "Итого", "Всего", "И т о г о", the
// Ukrainian "Разом", "Всього", "Усього"; with `balance`, a closing "Сальдо" too.
bool BeginsTotal(std::string_view text, bool balance = true);

// 1-based character of a line; a blank beyond its end.
char CharAt(std::string_view line, int position);
// Characters first..last (1-based, inclusive), clipped to the line.
std::string_view Slice(std::string_view line, int first, int last);
std::string_view Trim(std::string_view text);
bool IsDigit(char c);
bool HasDigit(std::string_view text);
// A Latin or CP1251 Cyrillic letter, Ukrainian ones included; the table lines of a
// converted report ('¦', '¬') are not.
bool IsLetter(char c);
bool HasLetter(std::string_view text);
// CP1251 lower case of Russian and Latin letters.
std::string Lower(std::string_view text);
std::vector<std::string_view> Words(std::string_view text);
// Positions for a finding: "12,40,51".
std::string JoinPositions(const std::vector<int>& positions);

// The shape of a cell text that the conversion's typed input reads as a number.
struct NumberShape {
    bool number = false;
    bool percent = false;
    int decimals = 0;
    bool leadingZero = false;  // digits only, more than one, the first a zero: a code
};
NumberShape ShapeOf(std::string_view trimmed);

}  // namespace tabulizer::inference
