#include "description/IniNumbers.h"

namespace tabulizer {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Above every 16-bit magnitude; accumulation stops growing there, so any number
// of digits is safe.
constexpr long kSaturated = 100000;

struct Scan {
    long magnitude = 0;  // rounded, saturated at kSaturated
    bool negative = false;
    bool anyDigit = false;
    std::size_t end = 0;  // first character not taken
};

// Rounds up when the fraction is above one half, or exactly one half after an odd
// integer part.
bool RoundsUp(std::string_view fraction, long integerPart) {
    if (fraction.empty() || fraction[0] < '5') return false;
    if (fraction[0] > '5') return true;
    for (char c : fraction.substr(1))
        if (c != '0') return true;
    return integerPart % 2 != 0;
}

Scan ScanNumber(std::string_view text, std::size_t pos) {
    Scan scan;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) scan.negative = text[pos++] == '-';
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        scan.anyDigit = true;
        if (scan.magnitude < kSaturated) scan.magnitude = scan.magnitude * 10 + (text[pos] - '0');
    }
    if (pos < text.size() && text[pos] == '.') {
        std::size_t first = ++pos;
        while (pos < text.size() && IsDigit(text[pos])) ++pos;
        scan.anyDigit = scan.anyDigit || pos > first;
        if (RoundsUp(text.substr(first, pos - first), scan.magnitude)) ++scan.magnitude;
    }
    scan.end = pos;
    return scan;
}

std::optional<i16> ToI16(const Scan& scan) {
    long value = scan.negative ? -scan.magnitude : scan.magnitude;
    if (value < INT16_MIN || value > INT16_MAX) return std::nullopt;
    return static_cast<i16>(value);
}

}  // namespace

std::optional<i16> ParseIniInteger(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    Scan scan = ScanNumber(text, pos);
    if (!scan.anyDigit) return i16{0};
    return ToI16(scan);
}

std::optional<i16> ParseIniNumberField(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    Scan scan = ScanNumber(text, 0);
    if (!scan.anyDigit || scan.end != text.size()) return std::nullopt;
    return ToI16(scan);
}

std::optional<i16> NextNumber(std::string_view text, std::size_t& pos, long low, long high) {
    if (pos >= text.size()) return std::nullopt;
    std::size_t comma = text.find(',', pos);
    if (comma == std::string_view::npos || comma == pos) return std::nullopt;
    std::optional<i16> number = ParseIniInteger(text.substr(pos, comma - pos));
    pos = comma + 1;
    if (!number || *number < low || *number > high) return std::nullopt;
    return number;
}

}  // namespace tabulizer
