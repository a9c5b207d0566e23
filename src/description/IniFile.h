#pragma once
// A project file parsed once, answering reads by section and key with the rules of
// the classic profile reader: names compared without regard to case and surrounding
// blanks, the first occurrence of a section and of a key in it wins, the value is
// the text after the first "=", trimmed, unquoted and cut at 254 characters.
// The file may be CP1251 or UTF-8 (see ProjectEncoding.h); its values are CP1251.
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tabulizer {

class IniFile {
public:
    // A missing, unreadable or non-regular file, or one in an encoding that
    // cannot be read, gives an empty IniFile.
    static IniFile Load(const std::string& utf8Path);
    // The bytes of a regular file; nullopt when it is missing, unreadable or not
    // a regular file.
    static std::optional<std::string> ReadBytes(const std::string& utf8Path);
    static IniFile Parse(std::string_view text);

    // "" when the section or the key is missing.
    std::string Value(std::string_view section, std::string_view key) const;

    static constexpr std::size_t kMaxValueLength = 254;

private:
    struct Section {
        std::string foldedName;
        std::unordered_map<std::string, std::string> values;  // folded key -> value
    };
    std::vector<Section> sections_;

    const Section* Find(std::string_view section) const;
};

// Case folding used for names: ASCII letters and the CP1251 Cyrillic letters.
std::string FoldIniName(std::string_view name);

}  // namespace tabulizer
