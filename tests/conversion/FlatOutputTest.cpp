// The pieces of the flat table that decide what a cell holds: header texts without
// the table's lines, typed values, the CSV number form, the columns.
#include "conversion/FlatOutput.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/Cp1251.h"

namespace tabulizer {
namespace {

TEST(FlatOutput, HeaderTextsLoseTheTableLinesOnly) {
    const std::pair<const char*, const char*> cases[] = {
        {"  Таб.  N ", "Таб. N"},
        {"¦Фамилия¦", "Фамилия"},
        {"+----------+", ""},
        {"======", ""},
        {"К-во  +---+  шт.", "К-во шт."},  // a hyphen inside a word is text
        {"- 1 -", "1"},
        {"¬", ""},
    };
    for (auto [in, out] : cases)
        EXPECT_EQ(Cp1251ToUtf8(WithoutLineCharacters(Utf8ToCp1251(in))), out) << in;
}

TEST(FlatOutput, ValuesAreTypedAsOnThePages) {
    using K = sheet::CellValue::Kind;
    struct Case {
        const char* text;
        bool textFormat, delNull;
        K kind;
        double number;
        const char* textValue;
    } cases[] = {
        {"   1512.43", false, false, K::kNumber, 1512.43, ""},
        {" 4,126.2 ", false, false, K::kNumber, 4126.2, ""},
        {"  102.4%", false, false, K::kNumber, 1.024, ""},
        {"00120", true, false, K::kText, 0, "00120"},
        {"00120", false, false, K::kNumber, 120, ""},
        {"  0.00", false, true, K::kEmpty, 0, ""},
        {"  0.00", true, true, K::kEmpty, 0, ""},  // zero dropped before the text format applies
        {"  0.00", false, false, K::kNumber, 0, ""},
        {" 0 шт.", false, true, K::kText, 0, "0 шт."},
        {"  Иванов И.И.  ", false, false, K::kText, 0, "Иванов И.И."},
        {"     ", false, false, K::kEmpty, 0, ""},
        {"1234567890123456", false, false, K::kText, 0, "1234567890123456"},
    };
    for (const Case& c : cases) {
        sheet::CellValue v = FlatValue(c.text, c.textFormat, c.delNull);
        EXPECT_EQ(v.kind, c.kind) << c.text;
        EXPECT_DOUBLE_EQ(v.number, c.number) << c.text;
        EXPECT_EQ(v.text, c.textValue) << c.text;
    }
}

TEST(FlatOutput, CsvNumbersReadBackExactly) {
    const std::pair<double, const char*> cases[] = {
        {1512.4, "1512.4"}, {-0.05, "-0.05"}, {1234567.0, "1234567"}, {0.0, "0"},
        {1e300, "1e+300"},  {1.5e-20, "0.000000000000000000015"}, {123456789012345.0, "123456789012345"},
    };
    for (auto [value, text] : cases) {
        EXPECT_EQ(sheet::PlainNumber(value), text);
        EXPECT_EQ(std::stod(sheet::PlainNumber(value)), value);
    }
}

TEST(FlatOutput, ColumnsTakeThePagesWidthsAndFormats) {
    DocumentDescription d;
    d.EndPoz = {3, 7, 28, 39};
    d.CountFormat = 2;
    d.FormatCells[0] = {1, 2, 4, 0};
    d.FormatCells[2] = {3, 3, 2, 2};
    auto columns = FlatColumns(d);
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0].width, 7);
    EXPECT_EQ(columns[1].width, 21);
    EXPECT_EQ(columns[0].numberFormat, "@");
    EXPECT_EQ(columns[1].numberFormat, "");
    EXPECT_EQ(columns[2].numberFormat, "#,##0.00$");
    d.WidthGraf = {2, 8, 22};  // widths of their own; a column beyond them keeps the default
    columns = FlatColumns(d);
    EXPECT_EQ(columns[1].width, 22);
    EXPECT_EQ(columns[2].width, 0);
}

}  // namespace
}  // namespace tabulizer
