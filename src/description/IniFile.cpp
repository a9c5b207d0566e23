#include "description/IniFile.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "common/Blanks.h"
#include "description/ProjectEncoding.h"
#include "description/ProjectLoader.h"

namespace tabulizer {
namespace {

unsigned char FoldByte(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 'a' + 'A');
    if (c >= 0xE0) return static_cast<unsigned char>(c - 0x20);  // CP1251 а..я -> А..Я
    if (c == 0xB8) return 0xA8;                                   // ё -> Ё
    return c;
}

// Trimmed, one pair of matching quotes removed, cut at 254 characters.
std::string CleanValue(std::string_view raw) {
    std::string_view value = TrimBlanks(raw);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    if (value.size() > IniFile::kMaxValueLength) value = value.substr(0, IniFile::kMaxValueLength);
    return std::string(value);
}

// Splits at CR LF, LF or a lone CR; calls `onLine` for every line.
template <typename OnLine>
void ForEachLine(std::string_view text, OnLine onLine) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        onLine(text.substr(start, end - start));
        start = end;
        if (start < text.size() && text[start] == '\r') ++start;
        if (start < text.size() && text[start] == '\n') ++start;
    }
}

}  // namespace

std::string FoldIniName(std::string_view name) {
    std::string folded(TrimBlanks(name));
    for (char& c : folded) c = static_cast<char>(FoldByte(static_cast<unsigned char>(c)));
    return folded;
}

IniFile IniFile::Parse(std::string_view text) {
    IniFile file;
    // Keys of a repeated section, and keys outside any section, are never read.
    Section* current = nullptr;
    ForEachLine(text, [&](std::string_view line) {
        std::string_view trimmed = TrimBlanks(line);
        std::size_t close = trimmed.rfind(']');
        if (!trimmed.empty() && trimmed.front() == '[' && close != std::string_view::npos) {
            std::string name = FoldIniName(trimmed.substr(1, close - 1));
            current = file.Find(name) ? nullptr : &file.sections_.emplace_back(Section{name, {}});
            return;
        }
        std::size_t equals = line.find('=');
        if (current == nullptr || equals == std::string_view::npos) return;
        current->values.try_emplace(FoldIniName(line.substr(0, equals)),
                                    CleanValue(line.substr(equals + 1)));
    });
    return file;
}

std::optional<std::string> IniFile::ReadBytes(const std::string& utf8Path) {
    // Directories, devices and pipes read as a missing file: reading them could
    // fail, block or never end.
    std::error_code error;
    if (!std::filesystem::is_regular_file(utf8Path, error)) return std::nullopt;
    std::ifstream in(utf8Path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return std::move(content).str();
}

IniFile IniFile::Load(const std::string& utf8Path) {
    std::optional<std::string> bytes = ReadBytes(utf8Path);
    if (!bytes) return {};
    // The wizard has refused a file in an encoding that cannot be read.
    DecodedProject decoded = DecodeProjectBytes(*bytes);
    return decoded.problem.empty() ? Parse(decoded.cp1251) : IniFile{};
}

const IniFile::Section* IniFile::Find(std::string_view foldedSection) const {
    for (const Section& section : sections_)
        if (section.foldedName == foldedSection) return &section;
    return nullptr;
}

std::string IniFile::Value(std::string_view section, std::string_view key) const {
    const Section* found = Find(FoldIniName(section));
    if (found == nullptr) return {};
    auto value = found->values.find(FoldIniName(key));
    return value == found->values.end() ? std::string() : value->second;
}

std::string ReadIniValue(const std::string& utf8Path, std::string_view section, std::string_view key) {
    return IniFile::Load(utf8Path).Value(section, key);
}

}  // namespace tabulizer
