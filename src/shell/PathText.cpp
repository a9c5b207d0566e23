#include "shell/PathText.h"

#include "common/Cp1251.h"

namespace tabulizer {
namespace {

// Lower case of a CP1251 byte: Latin and Cyrillic letters.
char LowerCp1251(char c) {
    auto b = static_cast<unsigned char>(c);
    if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 32);
    if (b >= 0xC0 && b <= 0xDF) return static_cast<char>(b + 32);
    if (b == 0xA8) return static_cast<char>(0xB8);  // Ё
    return c;
}

std::string LowerCp1251(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = LowerCp1251(c);
    return lower;
}

bool EndsWithIgnoringCase(const std::string& lowerText, std::string_view ext) {
    std::string lowerExt = LowerCp1251(ext);
    return lowerText.size() >= lowerExt.size() &&
           lowerText.compare(lowerText.size() - lowerExt.size(), lowerExt.size(), lowerExt) == 0;
}

}  // namespace

bool ShowsPrompt(std::string_view text) {
    // In CP1251 one character is one byte, so "the first seven characters" is a cut.
    static const std::string prompt = LowerCp1251(Utf8ToCp1251("Маршрут"));
    return LowerCp1251(Utf8ToCp1251(text).substr(0, 7)) == prompt;
}

std::string RemoveLineBreaks(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n') result += c;
    return result;
}

ExtVerdict ClassifyExtension(std::string_view text, std::string_view primary,
                             std::initializer_list<std::string_view> accepted) {
    if (text.empty()) return ExtVerdict::Empty;
    const std::string chars = LowerCp1251(Utf8ToCp1251(text));
    for (std::string_view ext : accepted)
        if (EndsWithIgnoringCase(chars, ext)) return ExtVerdict::Accepted;
    // A dot 4 characters from the end marks a three-letter extension; a longer
    // primary extension also refuses foreign ones of its own length.
    for (std::size_t back = 4; back <= primary.size(); ++back) {
        if (chars.size() <= back) break;
        std::size_t dot = chars.size() - back;
        if (chars[dot] == '.' && chars.find('/', dot) == std::string::npos) return ExtVerdict::Foreign;
    }
    return ExtVerdict::Append;
}

}  // namespace tabulizer
