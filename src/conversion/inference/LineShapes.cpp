#include "conversion/inference/LineShapes.h"

namespace tabulizer::inference {

bool IsVertical(char c) { return c == '|' || c == '\xA6'; }
bool IsHorizontal(char c) { return c == '-' || c == '='; }

bool IsJunction(char c) {
    switch (c) {
    case '+': case 'T': case 'L': case '\xAC': case '\xE3': case '|': case '\xA6': return true;
    default: return false;
    }
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

bool HasDigit(std::string_view text) {
    for (char c : text)
        if (c >= '0' && c <= '9') return true;
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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits, or digits grouped by commas in threes ("32,637"); false for anything else.
bool IntegerPart(std::string_view text) {
    if (text.empty()) return false;
    std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) {
        for (char c : text)
            if (!IsDigit(c)) return false;
        return true;
    }
    if (comma == 0 || comma > 3) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool groupMark = i >= comma && (i - comma) % 4 == 0;
        if (groupMark ? text[i] != ',' : !IsDigit(text[i])) return false;
    }
    return (text.size() - comma) % 4 == 0;
}

}  // namespace

NumberShape ShapeOf(std::string_view text) {
    NumberShape shape;
    bool digitsOnly = text.size() > 1;
    for (char c : text) digitsOnly = digitsOnly && IsDigit(c);
    if (!text.empty() && text.back() == '%') {
        shape.percent = true;
        text.remove_suffix(1);
    }
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    std::size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    for (char c : fraction)
        if (!IsDigit(c)) return {};
    if (whole.empty() ? fraction.empty() : !IntegerPart(whole)) return {};
    shape.number = true;
    shape.decimals = static_cast<int>(fraction.size());
    shape.leadingZero = digitsOnly && text.front() == '0';
    return shape;
}

}  // namespace tabulizer::inference
