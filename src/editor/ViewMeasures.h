#pragma once
// Sizes of the document view in twips. A document character counts 167 twips, and
// a header of a document column of w characters w x 167 + 172. The old system
// kept these in 16-bit integers, so a column header shows at most 195 characters
// and the one-column header of the title step at most 196.
#include <algorithm>

namespace tabulizer::view {

inline constexpr int kTwipsPerChar = 167;
inline constexpr int kHeaderMargin = 172;
inline constexpr int kPlainCharHeader = 250;   // picture "Bir"
inline constexpr int kMarkedCharHeader = 350;  // picture "Arrow"
inline constexpr int kWidestColumn = 195;      // characters
inline constexpr int kWidestLineColumn = 196;  // characters, the title step
inline constexpr int kHiddenColumn = 1;        // a first column of 1 twip is hidden
inline constexpr int kCharNumberColumn = 1400;  // line numbers beside character headers

// Limits of the 16-bit line numbers and positions: what lies beyond is not shown.
inline constexpr int kMaxLines = 32767;
inline constexpr int kMaxLineLength = 32767;

inline int ColumnHeaderWidth(int chars) {
    return std::clamp(chars, 0, kWidestColumn) * kTwipsPerChar + kHeaderMargin;
}

inline int LineHeaderWidth(int chars) { return std::clamp(chars, 0, kWidestLineColumn) * kTwipsPerChar; }

// Half of `n` to the nearest whole number, halves to the even neighbour (5 -> 2, 7 -> 4).
inline int HalfToEven(int n) {
    int half = n / 2;
    if (n % 2 != 0 && half % 2 != 0) ++half;
    return half;
}

// Twips back to characters, to the nearest whole number, halves to the even neighbour.
inline int CharsOfWidth(int twips) {
    int chars = twips / kTwipsPerChar;
    const int rest = twips % kTwipsPerChar;
    if (2 * rest > kTwipsPerChar || (2 * rest == kTwipsPerChar && chars % 2 != 0)) ++chars;
    return chars;
}

}  // namespace tabulizer::view
