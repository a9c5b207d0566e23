#include "description/ProjectText.h"

#include "common/Failure.h"
#include "description/IniFile.h"

namespace tabulizer {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool ReaderWouldChange(std::string_view value) {
    if (value.empty()) return false;
    if (IsBlank(value.front()) || IsBlank(value.back())) return true;
    return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
           value.back() == value.front();
}

}  // namespace

void ProjectText::Section(std::string_view name) {
    text_.append("[").append(name).append("]\r\n");
}

void ProjectText::Key(std::string_view key, std::string_view value) {
    const std::string name(key);
    if (value.find_first_of("\r\n") != std::string_view::npos)
        throw Failure(kCannotWrite, "project key " + name + ": a line break cannot be stored");
    // The reader keeps 254 characters of what stands inside the quotes.
    if (value.size() > IniFile::kMaxValueLength)
        throw Failure(kCannotWrite, "project key " + name + ": value longer than 254 characters");
    std::string written = ReaderWouldChange(value) ? "\"" + std::string(value) + "\"" : std::string(value);
    text_.append(key).append("=").append(written).append("\r\n");
}

}  // namespace tabulizer
