#include "editor/PrintedLine.h"

#include <gtest/gtest.h>

#include "conversion/ConvStr.h"

namespace tabulizer::test {
namespace {

// A CP866 line goes through ConvStr as the view reads it; what the view makes of
// its characters must be what was printed, at the converted line's positions.
TEST(PrintedLine, ShowsTheCharactersAsPrintedAtTheConvertedPositions) {
    struct Case {
        const char* name;
        std::string read;  // bytes as in the file
        bool windows;
        std::size_t start, count;
        const char* blanked;  // positions (0-based) blanked after conversion, as vertical separators are
        std::string shown;    // UTF-8
    };
    const Case cases[] = {
        {"single frame", "\xDA\xC4\xC2\xC4\xBF", false, 0, std::string::npos, "", "┌─┬─┐"},
        {"double frame and crossings", "\xC9\xCD\xCE\xB3\xC5\xBA\xBC", false, 0, std::string::npos, "", "╔═╬│┼║╝"},
        {"shades, blocks and the square", "\xB0\xB1\xB2\xDB\xDC\xFE", false, 0, std::string::npos, "", "░▒▓█▄■"},
        {"letters and digits unchanged", "\x8F\xE0\xA8 1,5 \xF0", false, 0, std::string::npos, "", "При 1,5 Ё"},
        {"one cell in the middle", "\xB3" "ab" "\xB3" "cd", false, 3, 3, "", "│cd"},
        {"a blanked separator stays blank", "\xB3" "ab" "\xB3" "cd", false, 0, 6, "\x03", "│ab cd"},
        {"tabs keep the positions", "a\t\xB3x", false, 8, 2, "", "│x"},
        {"past the end of the line", "\xB3", false, 0, 3, "", "│"},
        {"a windows report shows its own bytes", "\xA6-+L", true, 0, std::string::npos, "", "¦-+L"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrintedLine printed;
        printed.Take(c.read, c.windows);
        std::string converted = c.read;
        ConvStr(converted, c.windows);
        for (const char* p = c.blanked; *p != '\0'; ++p) converted[static_cast<unsigned char>(*p)] = ' ';
        EXPECT_EQ(printed.Utf8(converted, c.start, c.count), c.shown);
    }
}

}  // namespace
}  // namespace tabulizer::test
