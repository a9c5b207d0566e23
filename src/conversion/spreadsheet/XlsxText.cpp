#include "conversion/spreadsheet/XlsxText.h"

#include <cctype>

#include "common/Cp1251.h"

namespace tabulizer::sheet {
namespace {

// Text "_xHHHH_" in a cell reads back as an escaped character; escaping its
// underscore keeps it as written.
std::string EscapeUnderscores(std::string text) {
    auto isHex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    for (std::size_t at = text.find("_x"); at != std::string::npos; at = text.find("_x", at + 2)) {
        if (at + 7 > text.size() || text[at + 6] != '_') continue;
        if (isHex(text[at + 2]) && isHex(text[at + 3]) && isHex(text[at + 4]) && isHex(text[at + 5])) {
            text.insert(at + 1, "x005F_");  // "_x005F_" is an escaped underscore
            at += 6;                        // on to the "_xHHHH_" just escaped
        }
    }
    return text;
}

// libxlsxwriter takes C strings, so a NUL byte would cut the text short; it is
// written in the same escaped form that other control characters take.
std::string EscapeNuls(std::string text) {
    for (std::size_t at = text.find('\0'); at != std::string::npos; at = text.find('\0', at + 7))
        text.replace(at, 1, "_x0000_");
    return text;
}

}  // namespace

std::string XlsxText(std::string_view cp1251) { return EscapeNuls(EscapeUnderscores(Cp1251ToUtf8(cp1251))); }

}  // namespace tabulizer::sheet
