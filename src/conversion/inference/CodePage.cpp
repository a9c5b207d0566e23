// Code page: the bytes above 127 read as Russian letters and box characters in one
// of the two code pages and as stray symbols in the other.
#include <cstdint>

#include "conversion/inference/Elements.h"

namespace tabulizer::inference {
namespace {

// +1 for a byte that is a letter or a box character in CP866, -1 for a symbol that
// Russian text and tables do not use.
int Cp866Weight(std::uint8_t b) {
    if (b < 0x80) return 0;
    if (b <= 0xAF || (b >= 0xE0 && b <= 0xF1)) return 1;  // letters, Ё ё
    if (b >= 0xB0 && b <= 0xDF) return 1;                 // box characters and shades
    if (b == 0xFC || b == 0xFF) return 0;                 // № and the fixed blank
    return -1;
}

int Cp1251Weight(std::uint8_t b) {
    if (b < 0x80) return 0;
    if (b >= 0xC0 || b == 0xA8 || b == 0xB8) return 1;    // letters, Ё ё
    switch (b) {
    case 0x85: case 0x93: case 0x94: case 0x96: case 0x97: case 0xA0: case 0xA6:
    case 0xAB: case 0xAC: case 0xB9: case 0xBB:
        return 0;  // punctuation, quotes, dashes, №, the table lines of a converted report
    default: return -1;
    }
}

bool IsLetterByte(char c) {
    auto b = static_cast<std::uint8_t>(c);
    return b >= 0x80 || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
}

// '¦' and '¬' of a converted report are the CP866 letters "ж" and "м": standing
// alone between blanks and rule characters they are table lines of CP1251 text.
bool IsStandaloneTableLine(const std::string& line, std::size_t i) {
    auto b = static_cast<std::uint8_t>(line[i]);
    if (b != 0xA6 && b != 0xAC) return false;
    bool before = i > 0 && IsLetterByte(line[i - 1]);
    bool after = i + 1 < line.size() && IsLetterByte(line[i + 1]);
    return !before && !after;
}

bool IsCp866Box(std::uint8_t b) { return b >= 0xB0 && b <= 0xDF; }

// The byte stands in a run of at least three of its own.
bool InRun(const std::string& line, std::size_t i) {
    std::size_t first = i, last = i;
    while (first > 0 && line[first - 1] == line[i]) --first;
    while (last + 1 < line.size() && line[last + 1] == line[i]) ++last;
    return last - first >= 2;
}

}  // namespace

CodePage InferCodePage(const Lines& rawLines) {
    long dos = 0, windows = 0, high = 0, dosFits = 0, windowsFits = 0;
    for (const std::string& line : rawLines)
        for (std::size_t i = 0; i < line.size(); ++i) {
            auto b = static_cast<std::uint8_t>(line[i]);
            if (b < 0x80) continue;
            ++high;
            int dosWeight = Cp866Weight(b), windowsWeight = Cp1251Weight(b);
            if (IsStandaloneTableLine(line, i)) dosWeight = 0, windowsWeight = 1;
            if (InRun(line, i)) {
                // A run of one byte is a drawn line: "———" of CP1251 dashes reads "ЧЧЧ"
                // in CP866, a word no Russian text holds.
                if (dosWeight > 0 && !IsCp866Box(b)) dosWeight = 0;
                if (b == 0x96 || b == 0x97) windowsWeight = 1;
            }
            dos += dosWeight;
            windows += windowsWeight;
            dosFits += dosWeight > 0 ? 1 : 0;
            windowsFits += windowsWeight > 0 ? 1 : 0;
        }
    CodePage result;
    result.finding.element = "Кодировка";
    result.finding.kind = Element::CodePage;
    if (high == 0 || dos == windows) {
        result.windows = true;
        result.finding.decided = false;
        result.finding.text = high == 0 ? "в тексте нет русских букв и псевдографики; принята Windows (CP1251)"
                                        : "оба прочтения равноценны; принята Windows (CP1251)";
        return result;
    }
    result.windows = windows > dos;
    // What the user can check: how many of the bytes above 127 read as letters and
    // table lines in each code page.
    result.finding.text = std::string(result.windows ? "Windows (CP1251)" : "MS DOS (CP866)") + ": из " +
                          std::to_string(high) + " символов вне ASCII буквами и псевдографикой читаются " +
                          std::to_string(result.windows ? windowsFits : dosFits) + ", в " +
                          (result.windows ? "MS DOS (CP866) — " : "Windows (CP1251) — ") +
                          std::to_string(result.windows ? dosFits : windowsFits);
    return result;
}

}  // namespace tabulizer::inference
