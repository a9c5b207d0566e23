#include "conversion/ConvStr.h"

#include <gtest/gtest.h>

namespace tabulizer {
namespace {

std::string Dos(std::string line) {
    ConvStr(line, false);
    return line;
}

std::string Range(int from, int to) {
    std::string s;
    for (int b = from; b <= to; ++b) s += static_cast<char>(b);
    return s;
}

TEST(ConvStr, BoxDrawingBytesTakeTheBestFitSubstitutes) {
    EXPECT_EQ(Dos(Range(0xB0, 0xBF)), "---\xA6+\xA6\xA6\xAC\xAC\xA6\xA6\xAC---\xAC");
    EXPECT_EQ(Dos(Range(0xC0, 0xCF)), "L+T+-+\xA6\xA6L\xE3\xA6T\xA6=+\xA6");
    EXPECT_EQ(Dos(Range(0xD0, 0xDF)), "\xA6TTLL-\xE3++----\xA6\xA6-");
}

TEST(ConvStr, CyrillicLettersAndTheHighRowMapToCp1251) {
    EXPECT_EQ(Dos(Range(0x80, 0xAF)), Range(0xC0, 0xEF));
    EXPECT_EQ(Dos(Range(0xE0, 0xEF)), Range(0xF0, 0xFF));
    EXPECT_EQ(Dos(Range(0xF0, 0xFF)), "\xA8\xB8\xAA\xBA\xAF\xBF\xA1\xA2\xB0\x95\xB7v\xB9\xA4\xA6\xA0");
    const std::string low = Range(0x00, 0x08) + Range(0x0A, 0x7F);  // controls stay, tab aside
    EXPECT_EQ(Dos(low), low);
}

// Lines are converted eight bytes at a time where all eight are below 0x80: a high
// byte at either end of such a group, or in the short rest, is converted all the same.
TEST(ConvStr, HighBytesAreConvertedWhereverTheyStandInALine) {
    const std::string high = Range(0x80, 0xFF);
    for (std::size_t length : {1u, 7u, 8u, 9u, 16u, 17u, 130u}) {
        for (std::size_t at : {std::size_t{0}, length / 2, length - 1, std::size_t{7}, std::size_t{8}}) {
            if (at >= length) continue;
            for (char c : {high[0], high[0x33], high[0x7F]}) {
                std::string line(length, 'a');
                line[at] = c;
                std::string expected = line;
                expected[at] = OemToAnsi(c);
                EXPECT_EQ(Dos(line), expected) << "length " << length << ", byte at " << at;
            }
        }
    }
}

TEST(ConvStr, TabsReachTheNextStopAfterConversion) {
    EXPECT_EQ(Dos("\tx"), "        x");            // position 1: eight blanks
    EXPECT_EQ(Dos("1234567\tx"), "1234567 x");     // position 8: one blank
    EXPECT_EQ(Dos("12345678\tx"), "12345678        x");
    EXPECT_EQ(Dos("\xB3\t\xB3"), "\xA6       \xA6");
    std::string windows = "\xB3\t";
    ConvStr(windows, true);
    EXPECT_EQ(windows, "\xB3       ");
    EXPECT_EQ(Dos(""), "");
}

}  // namespace
}  // namespace tabulizer
