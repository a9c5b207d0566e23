#pragma once
// The characters of a report line as the printer drew them, for the eye only. The
// program works on the converted line (CP1251), in which a CP866 report's box
// characters have become stand-ins (│ is '¦', ┌ is '-', ╬ is '+'); which box
// character a stand-in stood for is known from the byte read, so the line as read
// is kept beside it. Positions are the converted line's: the line as read has its
// tabs expanded the same way, and CP866 has one byte per character as CP1251 has.
#include <cstddef>
#include <string>
#include <string_view>

namespace tabulizer {

class PrintedLine {
public:
    // `read` is the line as it came from the file, before ConvStr; `windowsText`
    // as for ConvStr (a CP1251 report shows its own bytes).
    void Take(std::string_view read, bool windowsText);

    // UTF-8 of characters [start, start + count) of `shown`, a converted line that
    // may be padded or have positions blanked: each character still equal to what
    // the line as read converts to shows the character as printed.
    std::string Utf8(std::string_view shown, std::size_t start = 0, std::size_t count = std::string_view::npos) const;

private:
    std::string read_;  // empty for a CP1251 report
};

}  // namespace tabulizer
