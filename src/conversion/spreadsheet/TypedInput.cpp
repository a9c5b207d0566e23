#include "conversion/spreadsheet/TypedInput.h"

#include <charconv>
#include <cmath>

namespace tabulizer::sheet {
namespace {

constexpr int kMaxSignificantDigits = 15;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// What the scan of a typed number found. `clean` is the number in the form
// std::from_chars reads: no grouping commas, no plus sign, no percent.
struct Scan {
    std::string clean;
    int significant = 0;    // digits from the first non-zero one to the last one written
    bool anyDigit = false;
    bool plainForm = true;  // nothing that FixedText would not write
    int decimals = 0;       // digits after the point
    bool blankGroups = false;  // groups joined by blanks
};

void TakeDigit(Scan& scan, char digit) {
    scan.clean += digit;
    scan.anyDigit = true;
    if (digit != '0' || scan.significant > 0) ++scan.significant;
}

// Integer part: plain digits, or groups of three after a first group of one to
// three, joined by commas ("1,234,567") or by single blanks ("1 234 567").
bool ScanInteger(std::string_view s, std::size_t& pos, Scan& scan) {
    std::size_t start = pos;
    while (pos < s.size() && IsDigit(s[pos])) TakeDigit(scan, s[pos++]);
    std::size_t firstGroup = pos - start;
    if (pos + 1 < s.size() && (s[pos] == ',' || (s[pos] == ' ' && IsDigit(s[pos + 1])))) {
        const char mark = s[pos];
        if (firstGroup == 0 || firstGroup > 3) return false;
        scan.plainForm = false;
        scan.blankGroups = mark == ' ';
        while (pos < s.size() && s[pos] == mark) {
            ++pos;
            for (int i = 0; i < 3; ++i, ++pos)
                if (pos >= s.size() || !IsDigit(s[pos])) return false;
                else TakeDigit(scan, s[pos]);
            if (pos < s.size() && IsDigit(s[pos])) return false;  // a group of four
        }
    } else if (pos < s.size() && s[pos] == ',') {
        return false;
    }
    std::size_t digits = pos - start;
    if (digits == 0 || (digits > 1 && s[start] == '0')) scan.plainForm = false;
    return true;
}

bool ScanFraction(std::string_view s, std::size_t& pos, Scan& scan) {
    if (pos >= s.size() || s[pos] != '.') return true;
    scan.clean += s[pos++];
    std::size_t start = pos;
    while (pos < s.size() && IsDigit(s[pos])) TakeDigit(scan, s[pos++]);
    scan.decimals = static_cast<int>(pos - start);
    if (pos == start) scan.plainForm = false;
    return true;
}

bool ScanExponent(std::string_view s, std::size_t& pos, Scan& scan) {
    if (pos >= s.size() || (s[pos] != 'e' && s[pos] != 'E')) return true;
    scan.plainForm = false;
    scan.clean += 'e';
    ++pos;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) scan.clean += s[pos++];
    std::size_t start = pos;
    while (pos < s.size() && IsDigit(s[pos])) scan.clean += s[pos++];
    return pos > start;
}

}  // namespace

bool SpreadsheetHolds(double value) {
    constexpr double kLargest = 9.99999999999999e307, kSmallest = 2.2251e-308;
    const double magnitude = std::fabs(value);
    return magnitude <= kLargest && (magnitude == 0 || magnitude >= kSmallest);
}

std::optional<TypedNumber> ParseTyped(std::string_view text) {
    std::string_view s = TrimBlanks(text);
    Scan scan;
    std::size_t pos = 0;
    bool negative = false;
    const bool sign = !s.empty() && (s[0] == '+' || s[0] == '-');
    if (sign) {
        negative = s[pos] == '-';
        if (!negative) scan.plainForm = false;
        ++pos;
    }
    if (negative) scan.clean += '-';
    if (!ScanInteger(s, pos, scan) || !ScanFraction(s, pos, scan) || !scan.anyDigit ||
        !ScanExponent(s, pos, scan))
        return std::nullopt;
    bool percent = pos < s.size() && s[pos] == '%';
    if (percent) {
        scan.plainForm = false;
        ++pos;
    }
    // A trailing minus, as accounting programs print a negative sum ("1,234.56-").
    if (!percent && !sign && scan.decimals > 0 && scan.clean.find('e') == std::string::npos && pos + 1 == s.size() &&
        s[pos] == '-') {
        negative = true;
        scan.plainForm = false;
        scan.clean.insert(0, 1, '-');
        ++pos;
    }
    if (pos != s.size() || scan.significant > kMaxSignificantDigits) return std::nullopt;
    // Blanks may part two numbers as well as group one: only a sum with its
    // fraction ("1 234 567.89") is read as one number.
    if (scan.blankGroups && scan.decimals == 0) return std::nullopt;

    double value = 0;
    const char* end = scan.clean.data() + scan.clean.size();
    auto [ptr, ec] = std::from_chars(scan.clean.data(), end, value);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    if (percent) value /= 100;
    if (!SpreadsheetHolds(value)) return std::nullopt;
    if (value == 0) {
        if (negative) scan.plainForm = false;  // "-0" reads as 0 and keeps its sign as text only
        value = 0;                             // no negative zero in the workbook
    }
    return TypedNumber{value, scan.plainForm ? scan.decimals : -1};
}

std::string FixedText(double value, int decimals) {
    char buffer[400];  // the fixed forms written here are far shorter
    auto [ptr, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return ec == std::errc() ? std::string(buffer, ptr) : std::string();
}

}  // namespace tabulizer::sheet
