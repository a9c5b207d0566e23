#pragma once
// Text inside the program is CP1251 bytes (one byte, one character); UTF-8 is
// used only at the edges: workbook strings, paths, the terminal, the windows.
#include <optional>
#include <string>
#include <string_view>

namespace tabulizer {

std::string Cp1251ToUtf8(std::string_view cp1251);
// Appends the UTF-8 form of one Unicode character.
void AppendUtf8(std::string& out, char32_t codePoint);
// Characters without a CP1251 form become '?'.
std::string Utf8ToCp1251(std::string_view utf8);
// The CP1251 byte of one Unicode character; nullopt when CP1251 has none.
std::optional<char> UnicodeToCp1251(char32_t codePoint);

}  // namespace tabulizer
