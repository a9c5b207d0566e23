// The bundled examples converted by the program in batch mode and read back from
// the written workbooks by an independent reader. The expected cells follow from
// the examples' projects by hand: page lines, column cuts, merges, borders, fonts,
// formats and widths.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "../support/TempDir.h"
#include "../support/Command.h"
#include "../support/DumpText.h"

namespace tabulizer::test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

class ExamplesTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"ved.ini", "ved.txt", "svod.ini", "svod.txt"})
            fs::copy_file(fs::path(TABULIZER_EXAMPLES) / name, dir / name);
    }

    // Converts the example and returns the read-back workbook.
    std::string ConvertAndReadBack(const std::string& project, const std::string& workbook) {
        int status = -1;
        std::string errors = Capture("'" TABULIZER_BINARY "' '" + (dir / project).string() + "' 2>&1", status);
        EXPECT_EQ(status, 0) << errors;
        EXPECT_EQ(errors, "");
        return ReadBack((dir / workbook).string());
    }

    TempDir temp{"tabulizer-examples"};
    const std::filesystem::path& dir = temp.path();
};

TEST_F(ExamplesTest, PayrollStatementPagesByReferenceLine) {
    std::string book = ConvertAndReadBack("ved.ini", "ved.xlsx");
    ASSERT_EQ(SheetLines(book), (std::vector<std::string>{"sheet Лист3 active", "sheet Лист2", "sheet Лист1"}));
    std::string page1 = SheetBlock(book, "Лист1");

    // Title: two merged, centred rows; the top table line is a separator under row 2.
    EXPECT_EQ(Cell(book, "Лист1", "A1"), "s \"            ВЕДОМОСТЬ НАЧИСЛЕНИЯ ЗАРАБОТНОЙ ПЛАТЫ            \" "
                                         "font=\"Arial\" size=12 bold align=center");
    EXPECT_THAT(Cell(book, "Лист1", "A2"), StartsWith("s \"                 за март 1998 г.                   Лист 1    \""));
    EXPECT_THAT(Cell(book, "Лист1", "E2"), HasSubstr("bottom=thick"));
    EXPECT_TRUE(Has(page1, "merge A1:E1"));
    EXPECT_TRUE(Has(page1, "merge A2:E2"));

    // Cap: page lines 4 to 6 in rows 3 to 5; "Начислено" merged over two lines with the
    // line below its block, whose own last-line text is blanked.
    EXPECT_EQ(Cell(book, "Лист1", "A3"), "s \"Таб.\" font=\"Arial\" size=10 bold align=center left=thick right=dashDot");
    EXPECT_THAT(Cell(book, "Лист1", "B3"), StartsWith("s \"Фамилия И.О.\""));
    EXPECT_THAT(Cell(book, "Лист1", "C3"), StartsWith("s \"Начислено\""));
    EXPECT_EQ(Cell(book, "Лист1", "E3"), "s \"К выдаче\" font=\"Arial\" size=10 bold align=center right=thick");
    EXPECT_THAT(Cell(book, "Лист1", "A4"), StartsWith("s \"N\""));
    EXPECT_EQ(Cell(book, "Лист1", "C4"), "e font=\"Arial\" size=10 bold align=center bottom=thick right=dashDot");
    EXPECT_THAT(Cell(book, "Лист1", "B4"), Not(HasSubstr("bottom")));
    EXPECT_THAT(Cell(book, "Лист1", "C5"), StartsWith("s \"Оклад\""));
    EXPECT_THAT(Cell(book, "Лист1", "D5"), StartsWith("s \"Премия\""));
    EXPECT_THAT(Cell(book, "Лист1", "A5"), HasSubstr("bottom=thick"));
    EXPECT_TRUE(Has(page1, "merge C3:D3"));
    EXPECT_TRUE(Has(page1, "merge C4:D4"));

    // Information rows 6 to 13: personnel numbers stay text, zeros are left out.
    EXPECT_EQ(Cell(book, "Лист1", "A6"),
              "s \"00120\" font=\"Courier New\" size=10 align=center left=thick right=dashDot format=\"@\"");
    EXPECT_EQ(Cell(book, "Лист1", "B6"), "s \"Иванов И.И.          \" font=\"Courier New\" size=10 right=dashDot");
    EXPECT_EQ(Cell(book, "Лист1", "C6"),
              "n 1512.43 font=\"Courier New\" size=10 align=right right=dashDot format=\"0.00\"");
    EXPECT_THAT(Cell(book, "Лист1", "E6"), StartsWith("n 1645.4 "));
    EXPECT_THAT(Cell(book, "Лист1", "E6"), HasSubstr("right=thick"));
    EXPECT_THAT(Cell(book, "Лист1", "D7"), StartsWith("e "));
    EXPECT_THAT(Cell(book, "Лист1", "A13"), StartsWith("s \"00169\""));
    EXPECT_THAT(Cell(book, "Лист1", "A13"), HasSubstr("bottom=thick"));

    // The fixed line: merged over columns 1..2 in the cap font, then unmerged by the
    // first column's alignment; its text keeps the left table line, trimmed as text.
    EXPECT_EQ(Cell(book, "Лист1", "A14"),
              "s \"¦ Итого по листу\" font=\"Arial\" size=10 bold align=center bottom=thick left=thick "
              "right=dashDot format=\"@\"");
    EXPECT_EQ(Cell(book, "Лист1", "B14"), "e font=\"Arial\" size=10 bold bottom=thick right=dashDot");
    EXPECT_THAT(Cell(book, "Лист1", "C14"), StartsWith("n 11436.25 font=\"Courier New\""));
    EXPECT_THAT(page1, Not(HasSubstr("merge A14")));
    // The row after the last line gets the information font and the column formats.
    EXPECT_EQ(Cell(book, "Лист1", "A15"), "e font=\"Courier New\" size=10 align=center format=\"@\"");

    for (const char* width : {"width A 8.71", "width B 22.71", "width C 12.71", "width D 12.71", "width E 12.71"})
        EXPECT_TRUE(Has(page1, width)) << width;

    // The last page carries the postscript, merged over the row.
    EXPECT_THAT(Cell(book, "Лист3", "A10"), StartsWith("s \"Главный бухгалтер  ______________  /Сидорова А.В./\""));
    EXPECT_TRUE(Has(SheetBlock(book, "Лист3"), "merge A10:E10"));
    EXPECT_THAT(Cell(book, "Лист2", "A13"), StartsWith("s \"¦ Итого по листу\""));
}

TEST_F(ExamplesTest, ProductionSummaryPagesByFormFeed) {
    std::string book = ConvertAndReadBack("svod.ini", "svod.xlsx");
    ASSERT_EQ(SheetLines(book),
              (std::vector<std::string>{"sheet Лист4 active", "sheet Лист3", "sheet Лист2", "sheet Лист1"}));
    std::string page1 = SheetBlock(book, "Лист1");

    // Tabs expand to the next stop of 8: the title text starts at 9, "стр." at 57.
    EXPECT_EQ(Cell(book, "Лист1", "A1"),
              "s \"        СВОДКА ПРОИЗВОДСТВА ПО ФЕДЕРАЛЬНЫМ ОКРУГАМ      стр. 1\" "
              "font=\"Times New Roman\" size=14 bold align=center");
    EXPECT_THAT(Cell(book, "Лист1", "A2"), StartsWith("s \"        Показатель: Зерно, тыс.т" + std::string(30, ' ') + "\""));
    EXPECT_THAT(Cell(book, "Лист1", "A2"), HasSubstr("bottom=thick"));
    EXPECT_TRUE(Has(page1, "merge A1:D1"));

    // Cap in the default cap font, closed by a separator.
    EXPECT_EQ(Cell(book, "Лист1", "A3"),
              "s \"Федеральный округ\" font=\"Courier New\" size=9 bold italic align=center bottom=thick left=thick "
              "right=dashDot");
    // This cap line is one character short, so its last table line is not at a
    // divider position and stays in the text.
    EXPECT_THAT(Cell(book, "Лист1", "D3"), StartsWith("s \"%    |\""));
    EXPECT_THAT(Cell(book, "Лист1", "D3"), HasSubstr("right=thick"));

    // Information rows with thousands separators and percentages, each with a hairline.
    EXPECT_EQ(Cell(book, "Лист1", "A4"),
              "s \" Центральный          \" font=\"Courier New\" size=9 italic bottom=hair left=thick right=dashDot");
    EXPECT_EQ(Cell(book, "Лист1", "B4"),
              "n 4126.2 font=\"Courier New\" size=9 italic align=right bottom=hair right=dashDot format=\"0.0\"");
    EXPECT_THAT(Cell(book, "Лист1", "D4"), StartsWith("n 1.024 "));
    EXPECT_THAT(Cell(book, "Лист1", "D4"), HasSubstr("format=\"0.0%\""));
    EXPECT_THAT(Cell(book, "Лист1", "B8"), StartsWith("s \"           - \""));
    EXPECT_THAT(Cell(book, "Лист1", "D8"), StartsWith("e "));
    EXPECT_THAT(Cell(book, "Лист1", "A12"), HasSubstr("bottom=thick"));

    // The fixed line "ВСЕГО" in column 1 alone, in the cap font.
    EXPECT_EQ(Cell(book, "Лист1", "A13"),
              "s \" ВСЕГО                \" font=\"Courier New\" size=9 bold italic bottom=thick left=thick "
              "right=dashDot");
    EXPECT_THAT(Cell(book, "Лист1", "B13"), StartsWith("n 32637.3 "));
    EXPECT_THAT(Cell(book, "Лист1", "D13"), StartsWith("n 0.991 "));
    EXPECT_THAT(page1, Not(HasSubstr("merge A13")));

    for (const char* width : {"width A 22.71", "width B 13.71", "width C 13.71", "width D 9.71"})
        EXPECT_TRUE(Has(page1, width)) << width;
    EXPECT_THAT(Cell(book, "Лист4", "A1"), HasSubstr("стр. 4"));
    EXPECT_THAT(Cell(book, "Лист4", "B13"), StartsWith("n 43092.6 "));
}

}  // namespace
}  // namespace tabulizer::test
