#include "editor/PrintedLine.h"

#include <array>
#include <cstdint>

#include "common/Cp1251.h"
#include "conversion/ConvStr.h"

namespace tabulizer {
namespace {

// CP866 bytes 0x80..0xFF as Unicode.
constexpr std::array<char16_t, 128> kCp866High = {
    // А..П, Р..Я, а..п
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D,
    0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B,
    0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439,
    0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    // ░ ▒ ▓ │ ┤ ╡ ╢ ╖ ╕ ╣ ║ ╗ ╝ ╜ ╛ ┐
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C,
    0x255B, 0x2510,
    // └ ┴ ┬ ├ ─ ┼ ╞ ╟ ╚ ╔ ╩ ╦ ╠ ═ ╬ ╧
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567,
    // ╨ ╤ ╥ ╙ ╘ ╒ ╓ ╫ ╪ ┘ ┌ █ ▄ ▌ ▐ ▀
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C,
    0x2590, 0x2580,
    // р..я
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D,
    0x044E, 0x044F,
    // Ё ё Є є Ї ї Ў ў ° ∙ · √ № ¤ ■ nbsp
    0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4,
    0x25A0, 0x00A0,
};

void AppendUtf8(std::string& out, char16_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

void PrintedLine::Take(std::string_view read, bool windowsText) {
    read_.clear();
    if (windowsText) return;
    read_ = read;
    ConvStr(read_, true);  // tabs only: the same positions as the converted line
}

std::string PrintedLine::Utf8(std::string_view shown, std::size_t start, std::size_t count) const {
    if (start >= shown.size()) return {};
    const std::string_view part = shown.substr(start, count);
    if (read_.empty()) return Cp1251ToUtf8(part);
    std::string out;
    out.reserve(part.size() * 3);
    for (std::size_t i = 0; i < part.size(); ++i) {
        const std::size_t at = start + i;
        const auto byte = at < read_.size() ? static_cast<std::uint8_t>(read_[at]) : 0;
        if (byte >= 0x80 && part[i] == OemToAnsi(static_cast<char>(byte))) AppendUtf8(out, kCp866High[byte - 0x80]);
        else out += Cp1251ToUtf8(part.substr(i, 1));
    }
    return out;
}

}  // namespace tabulizer
