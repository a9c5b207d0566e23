#pragma once
// Bringing a raw input line into the program's text: CP866 -> CP1251 as Windows'
// OEM-to-ANSI conversion does it, then tab expansion.
#include <string>

namespace tabulizer {

// CP866 byte -> CP1251 byte, for all 256 bytes.
char OemToAnsi(char oem);
// Converts the line in place: from CP866 when `windowsText` is false, then tabs to
// blanks up to the next position 9, 17, 25, ...
void ConvStr(std::string& line, bool windowsText);

}  // namespace tabulizer
