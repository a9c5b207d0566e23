#pragma once
// Builds the lines of a project file and guards every value against what the
// reader would change: surrounding blanks are trimmed and a pair of outer quotes is
// removed on reading, so such a value is written inside one pair of double quotes.
#include <string>
#include <string_view>

namespace tabulizer {

class ProjectText {
public:
    void Section(std::string_view name);
    // `value` is CP1251. Throws Failure(kCannotWrite) when it cannot be read back.
    void Key(std::string_view key, std::string_view value);
    void Key(std::string_view key, long number) { Key(key, std::to_string(number)); }
    void Flag(std::string_view key, bool flag) { Key(key, flag ? "1" : "0"); }

    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

}  // namespace tabulizer
