#include "description/ProjectEncoding.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "common/Cp1251.h"
#include "description/IniFile.h"

namespace tabulizer {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string WideProblem(std::string_view encoding) {
    return "Файл проекта записан в кодировке " + std::string(encoding) +
           " !\nСохраните его в кодировке Windows-1251 или UTF-8 !";
}

// "UTF-16" or "UTF-32" when the bytes are evidently one of them, else "".
std::string_view WideEncoding(std::string_view bytes) {
    if (bytes.starts_with(std::string_view("\xFF\xFE\0\0", 4)) ||
        bytes.starts_with(std::string_view("\0\0\xFE\xFF", 4)))
        return "UTF-32";
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return "UTF-16";
    // Without a mark: the ASCII text of an INI file leaves a NUL in every other
    // byte (UTF-16) or in three bytes of four (UTF-32).
    const std::size_t sample = std::min<std::size_t>(bytes.size(), 1024);
    std::size_t nuls[2] = {0, 0};
    for (std::size_t i = 0; i < sample; ++i) nuls[i % 2] += bytes[i] == '\0';
    const std::size_t half = sample / 2;
    const bool even = nuls[0] * 4 >= half && nuls[0] > 0, odd = nuls[1] * 4 >= half && nuls[1] > 0;
    if (even && odd) return "UTF-32";
    return even || odd ? "UTF-16" : "";
}

struct Utf8Char {
    char32_t codePoint;
    std::size_t length;
};

// One strictly valid UTF-8 character (no overlong form, surrogate or code point
// above U+10FFFF) at the start of `text`, or nullopt.
std::optional<Utf8Char> NextUtf8(std::string_view text) {
    const auto lead = static_cast<std::uint8_t>(text[0]);
    if (lead < 0x80) return Utf8Char{lead, 1};
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || text.size() < length) return std::nullopt;
    char32_t cp = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<std::uint8_t>(text[k]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        cp = (cp << 6) | (next & 0x3F);
    }
    static constexpr char32_t kLowest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kLowest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
    return Utf8Char{cp, length};
}

bool IsUtf8WithNonAscii(std::string_view text) {
    bool nonAscii = false;
    for (std::size_t i = 0; i < text.size();) {
        std::optional<Utf8Char> c = NextUtf8(text.substr(i));
        if (!c) return false;
        nonAscii = nonAscii || c->length > 1;
        i += c->length;
    }
    return nonAscii;
}

DecodedProject FromUtf8(std::string_view text) {
    DecodedProject decoded;
    decoded.cp1251.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Char c = *NextUtf8(text.substr(i));
        std::optional<char> byte = UnicodeToCp1251(c.codePoint);
        if (!byte) {
            const auto line = 1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(i), '\n');
            return {{},
                    "Символ \"" + std::string(text.substr(i, c.length)) + "\" в строке " + std::to_string(line) +
                        " файла проекта не входит в кодировку Windows-1251 !"};
        }
        decoded.cp1251 += *byte;
        i += c.length;
    }
    return decoded;
}

}  // namespace

DecodedProject DecodeProjectBytes(std::string_view bytes) {
    if (std::string_view wide = WideEncoding(bytes); !wide.empty()) return {{}, WideProblem(wide)};
    std::string_view text = bytes.starts_with(kUtf8Bom) ? bytes.substr(kUtf8Bom.size()) : bytes;
    if (IsUtf8WithNonAscii(text)) return FromUtf8(text);
    return {std::string(text), {}};
}

std::string ProjectEncodingProblem(const std::string& utf8Path) {
    std::optional<std::string> bytes = IniFile::ReadBytes(utf8Path);
    return bytes ? DecodeProjectBytes(*bytes).problem : std::string();
}

}  // namespace tabulizer
