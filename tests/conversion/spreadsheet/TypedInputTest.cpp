#include "conversion/spreadsheet/TypedInput.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/Cp1251.h"
#include "common/Failure.h"
#include "conversion/spreadsheet/Spreadsheet.h"

namespace tabulizer::sheet {
namespace {

double NumberOf(std::string_view text) {
    auto number = ParseTyped(text);
    EXPECT_TRUE(number) << text;
    return number ? number->value : -1;
}

TEST(TypedInput, NumericFormsBecomeNumbers) {
    EXPECT_EQ(NumberOf("1,234.5"), 1234.5);
    EXPECT_EQ(NumberOf("1,234,567.5"), 1234567.5);
    EXPECT_EQ(NumberOf("00120"), 120);
    EXPECT_EQ(NumberOf("12%"), 0.12);
    EXPECT_EQ(NumberOf(" 0.00 "), 0);
    EXPECT_EQ(NumberOf(".5"), 0.5);
    EXPECT_EQ(NumberOf("-5."), -5);
    EXPECT_EQ(NumberOf("+1.5E-3"), 0.0015);
    EXPECT_EQ(NumberOf("\t-1,512.43 "), -1512.43);
    EXPECT_EQ(NumberOf("123456789012345"), 123456789012345.0);   // 15 digits
    EXPECT_EQ(NumberOf("000000123456789012345"), 123456789012345.0);
    EXPECT_EQ(NumberOf("0.000000000000001"), 1e-15);
    // Sums as accounting programs print them: blank-grouped thousands, a trailing minus.
    EXPECT_EQ(NumberOf("1 234 567.89"), 1234567.89);
    EXPECT_EQ(NumberOf(" 297 641.34 "), 297641.34);
    EXPECT_EQ(NumberOf("1,234.56-"), -1234.56);
    EXPECT_EQ(NumberOf("0.50-"), -0.5);
    EXPECT_EQ(NumberOf("1 234.50-"), -1234.5);
    auto minusZero = ParseTyped("-0");
    ASSERT_TRUE(minusZero);
    EXPECT_FALSE(std::signbit(minusZero->value));
}

TEST(TypedInput, EverythingElseStaysText) {
    for (std::string_view text :
         {"1,23", "1234,567", "1,2345", ",123", "1,,234", "1234567890123456", "1.000000000000000", "1000000000000000",
          "1e400", "1e", "1e+", "--1", "+", ".", "-", "", "   ", "0 руб.", "12 %", "1.2.3", "%",
          "1,234.5,6", "0x10", "inf", "nan", "1 234", "12-",
          // Blanks may part two numbers: only groups of three with a fraction join.
          "1 234 567", "12 34.5", "1 2345.6", "1  234.5", "1234 567.8", "1 234,567.89", "1,234 567.89",
          // A trailing minus only after a fraction, and never with another sign.
          "-1.5-", "+1.5-", "1.5e3-", "12%-", "1.5--", "1.5 -"})
        EXPECT_FALSE(ParseTyped(text)) << text;
}

// A spreadsheet refuses a file with a number beyond its range: such a text stays text.
TEST(TypedInput, NumbersASpreadsheetCannotHoldStayText) {
    const std::pair<const char*, bool> cases[] = {
        {"9.99999999999999e307", true},  {"-9.99999999999999E+307", true}, {"1e308", false},
        {"-1.5e308", false},             {"2.2251e-308", true},             {"-2.2251e-308", true},
        {"2.2250e-308", false},          {"1e-310", false},                 {"-4.9e-324", false},
        {"1e-306%", false},              {"0e-400", true},                  {"1e-400", false},
    };
    for (auto [text, number] : cases) EXPECT_EQ(ParseTyped(text).has_value(), number) << text;
}

TEST(TypedInput, PlainFormsAreRederivedFromTheirDecimals) {
    for (std::string_view text : {"0", "120", "-1512.43", "1512.40", "0.00", "0.5",
                                  "123456789012345", "0.000001", "99999999999999.9"}) {
        auto number = ParseTyped(text);
        ASSERT_TRUE(number) << text;
        ASSERT_GE(number->decimals, 0) << text;
        EXPECT_EQ(FixedText(number->value, number->decimals), text);
    }
    for (std::string_view text : {"1e3", "00120", "+1", "-0", "-0.00", "5.", ".5", "1,234", "12%", "1 234.5", "1.5-"})
        EXPECT_EQ(ParseTyped(text)->decimals, -1) << text;
}

class TypedCells : public ::testing::Test {
protected:
    TypedCells() { app.AddWorkbook(); }
    Application app;
};

TEST_F(TypedCells, TextFormatKeepsTheTrimmedTextWhetherSetBeforeOrAfter) {
    app.SelectRange("A1:A4");
    app.SetNumberFormat("@");
    app.SetCellValue(1, 1, " 00120 ");
    app.SetCellValue(2, 1, "   ");
    app.SetCellValue(3, 2, " 00120 ");
    app.SetCellValue(4, 2, "1,234.50");
    app.SetCellValue(5, 2, " text ");
    app.SetCellValue(6, 2, "15");
    app.SelectRange("B3:B6");
    app.SetNumberFormat("@");
    EXPECT_EQ(app.GetCellValue(1, 1).text, "00120");
    EXPECT_EQ(app.GetCellValue(2, 1).kind, CellValue::kEmpty);
    EXPECT_EQ(app.GetCellValue(3, 2).text, "00120");
    EXPECT_EQ(app.GetCellValue(4, 2).text, "1,234.50");
    EXPECT_EQ(app.GetCellValue(5, 2).text, "text");
    EXPECT_EQ(app.GetCellValue(6, 2).text, "15");
    EXPECT_EQ(app.GetCellValue(6, 2).kind, CellValue::kText);
}

TEST_F(TypedCells, ValuesReadBackAsTyped) {
    app.SetCellValue(1, 1, " 0.00 ");
    app.SetCellValue(1, 2, Utf8ToCp1251("0 руб."));
    app.SetCellValue(1, 3, Utf8ToCp1251("  Итого  "));
    EXPECT_TRUE(app.GetCellValue(1, 1).IsZero());
    EXPECT_FALSE(app.GetCellValue(1, 2).IsZero());
    EXPECT_EQ(app.GetCellValue(1, 3).text, Utf8ToCp1251("  Итого  "));  // text stays as written
    app.SetCellValue(1, 1, "");
    EXPECT_EQ(app.GetCellValue(1, 1).kind, CellValue::kEmpty);
    EXPECT_EQ(app.GetCellValue(9, 9).kind, CellValue::kEmpty);
    try {
        app.SetCellValue(1, 1, std::string(32768, 'x'));
        FAIL();
    } catch (const Failure& f) {
        EXPECT_EQ(f.code(), kCannotWrite);
        EXPECT_STREQ(f.what(), "a cell holds at most 32767 characters");
    }
}

}  // namespace
}  // namespace tabulizer::sheet
