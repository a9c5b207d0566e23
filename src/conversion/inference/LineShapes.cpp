#include "conversion/inference/LineShapes.h"

#include "common/Cp1251.h"
#include "conversion/spreadsheet/TypedInput.h"

namespace tabulizer::inference {

bool IsVertical(char c) { return c == '|' || c == '\xA6'; }
bool IsHorizontal(char c) { return c == '-' || c == '=' || c == '\x96' || c == '\x97'; }

bool IsJunction(char c) {
    switch (c) {
    case '+': case 'T': case 'L': case '\xAC': case '\xE3': case '|': case '\xA6': return true;
    default: return false;
    }
}

bool JunctionAt(std::string_view line, int p) {
    char c = CharAt(line, p);
    return IsJunction(c) && !(IsLetter(c) && (IsLetter(CharAt(line, p - 1)) || IsLetter(CharAt(line, p + 1))));
}

static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\f'; }

bool IsBlankLine(std::string_view line) {
    for (char c : line)
        if (!IsBlank(c)) return false;
    return true;
}

std::string_view Trim(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size() && IsBlank(text[first])) ++first;
    std::size_t last = text.size();
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

bool IsRuleSegment(std::string_view text) {
    bool horizontal = false;
    for (char c : text) {
        if (IsHorizontal(c)) horizontal = true;
        else if (!IsJunction(c)) return false;
    }
    return horizontal;
}

bool IsRule(std::string_view line) {
    std::string_view body = Trim(line);
    // A dotted line between the rows of a report printed without box characters.
    if (body.size() >= 20 && body.find_first_not_of('.') == std::string_view::npos) return true;
    int horizontals = 0, others = 0, blanks = 0;
    bool vertical = false;
    for (char c : body) {
        if (IsHorizontal(c)) ++horizontals;
        else if (IsBlank(c)) ++blanks;
        else if (IsJunction(c)) {
            ++others;
            vertical = vertical || IsVertical(c);
        } else return false;
    }
    if (horizontals < 3 || horizontals < others) return false;
    return blanks == 0 || !vertical;
}

char CharAt(std::string_view line, int position) {
    return position >= 1 && position <= static_cast<int>(line.size()) ? line[position - 1] : ' ';
}

std::string_view Slice(std::string_view line, int first, int last) {
    if (first < 1) first = 1;
    if (last > static_cast<int>(line.size())) last = static_cast<int>(line.size());
    if (first > last) return {};
    return line.substr(first - 1, last - first + 1);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsLetter(char c) {
    auto b = static_cast<unsigned char>(c);
    switch (b) {
    case 0xA5: case 0xA8: case 0xAA: case 0xAF: case 0xB2: case 0xB3: case 0xB4: case 0xB8: case 0xBA: case 0xBF:
        return true;
    default: return b >= 0xC0 || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
    }
}

bool HasLetter(std::string_view text) {
    for (char c : text)
        if (IsLetter(c)) return true;
    return false;
}

bool HasDigit(std::string_view text) {
    for (char c : text)
        if (IsDigit(c)) return true;
    return false;
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        auto u = static_cast<unsigned char>(c);
        if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDF)) c = static_cast<char>(u + 0x20);
        else if (u == 0xA8) c = '\xB8';  // Ё
    }
    return out;
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i])) ++i;
        std::size_t start = i;
        while (i < text.size() && !IsBlank(text[i])) ++i;
        if (i > start) words.push_back(text.substr(start, i - start));
    }
    return words;
}

namespace {

// Words that begin a subtotal or total line, in UTF-8 lower case: Russian and
// Ukrainian totals, and (last) the closing balance of a statement.
const char* const kTotalWords[] = {"итого", "всего", "разом", "всього", "усього", "сальдо"};

}  // namespace

// Blanks and a leading table line left out, so that a letter-spaced "И т о г о"
// reads as the word.
bool BeginsTotal(std::string_view text, bool balance) {
    static const std::vector<std::string> words = [] {
        std::vector<std::string> cp1251;
        for (const char* word : kTotalWords) cp1251.push_back(Utf8ToCp1251(word));
        return cp1251;
    }();
    std::string lower;
    for (char c : Lower(text))
        if (c != ' ' && !(lower.empty() && IsVertical(c))) lower += c;
    for (std::size_t w = 0; w < words.size(); ++w)
        if ((balance || w + 1 < words.size()) && lower.starts_with(words[w])) return true;
    return false;
}

NumberShape ShapeOf(std::string_view text) {
    NumberShape shape;
    if (!sheet::ParseTyped(text)) return shape;
    shape.number = true;
    shape.percent = !text.empty() && text.back() == '%';
    std::size_t point = text.find('.');
    if (point != std::string_view::npos)
        while (point + 1 + shape.decimals < text.size() && text[point + 1 + shape.decimals] >= '0' &&
               text[point + 1 + shape.decimals] <= '9')
            ++shape.decimals;
    bool digitsOnly = text.size() > 1 && text.find_first_not_of("0123456789") == std::string_view::npos;
    shape.leadingZero = digitsOnly && text.front() == '0';
    return shape;
}

std::string JoinPositions(const std::vector<int>& positions) {
    std::string text;
    for (int p : positions) {
        if (!text.empty()) text += ',';
        text += std::to_string(p);
    }
    return text;
}

}  // namespace tabulizer::inference
