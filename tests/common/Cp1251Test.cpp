#include "common/Cp1251.h"

#include <gtest/gtest.h>

#include "common/Int16.h"

namespace tabulizer {
namespace {

TEST(Cp1251, RoundTripsEveryByteThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
    EXPECT_EQ(Cp1251ToUtf8("\xC8\xF2\xEE\xE3\xEE \xA6"), "Итого ¦");
}

TEST(Cp1251, UnmappableAndMalformedUtf8BecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1251("a\xE2\x94\x80z"), "a?z");   // box drawing has no CP1251 form
    EXPECT_EQ(Utf8ToCp1251("a\xD0"), "a?");              // truncated sequence at the end
    EXPECT_EQ(Utf8ToCp1251("\x80x"), "?x");              // stray continuation byte
}

TEST(Int16, OverflowAndIndexFailuresCarryTheirCodes) {
    i16 row = 32767;
    try {
        Inc16(row);
        FAIL();
    } catch (const Failure& f) {
        EXPECT_EQ(f.code(), kOverflow);
    }
    std::array<int, 20> slots{};
    try {
        At(slots, 20);
        FAIL();
    } catch (const Failure& f) {
        EXPECT_EQ(f.code(), kIndexOutOfRange);
    }
}

}  // namespace
}  // namespace tabulizer
