#include "conversion/spreadsheet/XlsxText.h"

#include <array>
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

// A NUL byte cannot stand in XML, nor in the C strings of other writers; it is
// written in the same escaped form that other control characters take.
std::string EscapeNuls(std::string text) {
    for (std::size_t at = text.find('\0'); at != std::string::npos; at = text.find('\0', at + 7))
        text.replace(at, 1, "_x0000_");
    return text;
}

// UTF-8 of each CP1251 byte of the upper half.
const std::array<std::string, 128>& HighHalf() {
    static const auto table = [] {
        std::array<std::string, 128> utf8;
        for (int i = 0; i < 128; ++i) utf8[i] = Cp1251ToUtf8(std::string(1, static_cast<char>(0x80 + i)));
        return utf8;
    }();
    return table;
}

void AppendControl(std::string& out, unsigned char c) {
    static const char hex[] = "0123456789ABCDEF";
    out += "_x00";
    out += hex[c >> 4];
    out += hex[c & 15];
    out += '_';
}

// XML and control-character escapes of text already in UTF-8.
void AppendEscapedUtf8(std::string& out, std::string_view utf8) {
    for (char ch : utf8) {
        auto c = static_cast<unsigned char>(ch);
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c < 0x20 && c != '\t' && c != '\n') AppendControl(out, c);
        else out += ch;
    }
}

}  // namespace

std::size_t AppendXlsxCellText(std::string& out, std::string_view cp1251) {
    // Texts without "_" or NUL (nearly all) need no XlsxText escapes: converted here
    // byte by byte, without a string of their own.
    if (cp1251.find('_') != std::string_view::npos || cp1251.find('\0') != std::string_view::npos) {
        AppendEscapedUtf8(out, XlsxText(cp1251));
        return cp1251.size();
    }
    // Runs of characters that stand for themselves go in whole.
    auto plain = [](unsigned char c) {
        return c < 0x80 && c != '&' && c != '<' && c != '>' && (c >= 0x20 || c == '\t' || c == '\n');
    };
    const auto& high = HighHalf();
    for (std::size_t at = 0; at < cp1251.size();) {
        std::size_t run = at;
        while (run < cp1251.size() && plain(static_cast<unsigned char>(cp1251[run]))) ++run;
        out.append(cp1251.data() + at, run - at);
        if (run == cp1251.size()) break;
        auto c = static_cast<unsigned char>(cp1251[run]);
        if (c >= 0x80) out += high[c - 0x80];
        else AppendEscapedUtf8(out, cp1251.substr(run, 1));
        at = run + 1;
    }
    return cp1251.size();
}

std::string XlsxText(std::string_view cp1251) { return EscapeNuls(EscapeUnderscores(Cp1251ToUtf8(cp1251))); }

}  // namespace tabulizer::sheet
