// The conversion of small documents, checked on the in-memory workbook.
#include "RunFixture.h"

namespace tabulizer::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

class PageTest : public RunTest {
protected:
    void SetUp() override {
        RunTest::SetUp();
        d.EtalStr = Utf8ToCp1251("ВЕДОМОСТЬ");
    }
};

TEST_F(PageTest, PagesBecomeSheetsInReverseOrderWithMergedCentredTitles) {
    Input({"ВЕДОМОСТЬ", Cols("a", "b", "c"), "ВЕДОМОСТЬ", "d", "ВЕДОМОСТЬ", "e"});
    std::string dump = Convert();
    EXPECT_EQ(SheetLines(dump), (std::vector<std::string>{"sheet Лист3 active", "sheet Лист2", "sheet Лист1"}));
    EXPECT_THAT(Cell(dump, "Лист1", "A1"),
                StartsWith("s \"ВЕДОМОСТЬ           \" font=\"Courier New\" size=9 bold align=center"));
    EXPECT_TRUE(Has(SheetBlock(dump, "Лист1"), "merge A1:C1"));
    EXPECT_THAT(Cell(dump, "Лист1", "A2"), StartsWith("s \"a    \" font=\"Courier New\" size=9 italic"));
    EXPECT_THAT(Cell(dump, "Лист1", "B2"), StartsWith("s \"b      \""));
    EXPECT_THAT(Cell(dump, "Лист1", "C2"), StartsWith("s \"c       \""));
    EXPECT_THAT(Cell(dump, "Лист3", "A2"), StartsWith("s \"e    \""));
    EXPECT_TRUE(Has(SheetBlock(dump, "Лист1"), "width A 5"));
    EXPECT_TRUE(Has(SheetBlock(dump, "Лист1"), "width B 7"));
    EXPECT_TRUE(Has(SheetBlock(dump, "Лист1"), "width C 8"));
}

TEST_F(PageTest, InputEndingInsideTheTitleLeavesThatPageUnformatted) {
    d.EndTitle = d.EndCap = 2;
    Input({"ВЕДОМОСТЬ", "x", "ВЕДОМОСТЬ"});
    std::string dump = Convert();
    std::string last = SheetBlock(dump, "Лист2");
    EXPECT_EQ(Cell(dump, "Лист2", "A1"), "s \"ВЕДОМОСТЬ           \" align=center");
    EXPECT_THAT(last, Not(HasSubstr("width")));
    EXPECT_THAT(last, Not(HasSubstr("font=")));
    EXPECT_THAT(SheetBlock(dump, "Лист1"), HasSubstr("width A 5"));
}

TEST_F(PageTest, ASheetThatReceivedNothingIsDeletedButAWorkbookKeepsOne) {
    d.FormFeed = true;
    Input({"T1", "r1", "\f"});
    EXPECT_EQ(SheetLines(Convert()), (std::vector<std::string>{"sheet Лист1 active"}));

    Input({});
    EXPECT_EQ(SheetLines(Convert()), (std::vector<std::string>{"sheet Лист1 active"}));
    EXPECT_EQ(result, ConversionRun::Result::Saved);
    EXPECT_TRUE(std::filesystem::exists(d.NameOut));
}

class InformationTest : public PageTest {};

TEST_F(InformationTest, EmptyLinesTakeARowUnlessNoSpaceAndBlankLinesAlwaysDo) {
    Input({"ВЕДОМОСТЬ", "a", "", "   ", "b"});
    std::string dump = Convert();
    EXPECT_THAT(Cell(dump, "Лист1", "A5"), StartsWith("s \"b    \""));
    EXPECT_THAT(Cell(dump, "Лист1", "A3"), StartsWith("e "));
    EXPECT_THAT(Cell(dump, "Лист1", "A4"), StartsWith("e "));

    d.NoSpace = true;
    dump = Convert();
    EXPECT_THAT(Cell(dump, "Лист1", "A3"), StartsWith("e "));  // the line of blanks
    EXPECT_THAT(Cell(dump, "Лист1", "A4"), StartsWith("s \"b    \""));
}

TEST_F(InformationTest, UnderStrDrawsAHairlineUnderEveryRowEmptyOnesIncluded) {
    d.UnderStr = true;
    Input({"ВЕДОМОСТЬ", "a", "", "b"});
    std::string dump = Convert();
    for (const char* address : {"A2", "C2", "A3", "C3", "A4"})
        EXPECT_THAT(Cell(dump, "Лист1", address), HasSubstr("bottom=continuous/hairline")) << address;
    EXPECT_THAT(Cell(dump, "Лист1", "A1"), HasSubstr("bottom=continuous/thick"));  // no separators: under the title
}

TEST_F(InformationTest, LeadingEqualsSignIsBlankedAndDelNullEmptiesZeros) {
    Input({"ВЕДОМОСТЬ", Cols("=SUM", "0", "0 руб."), Cols("x=y", "0.00", "-0")});
    std::string dump = Convert();
    EXPECT_THAT(Cell(dump, "Лист1", "A2"), StartsWith("s \" SUM \""));
    EXPECT_THAT(Cell(dump, "Лист1", "A3"), StartsWith("s \"x=y  \""));
    EXPECT_THAT(Cell(dump, "Лист1", "B2"), StartsWith("n 0 "));
    EXPECT_THAT(Cell(dump, "Лист1", "B3"), StartsWith("n 0 "));

    d.DelNull = true;
    dump = Convert();
    EXPECT_THAT(Cell(dump, "Лист1", "B2"), StartsWith("e "));
    EXPECT_THAT(Cell(dump, "Лист1", "B3"), StartsWith("e "));
    EXPECT_THAT(Cell(dump, "Лист1", "C3"), StartsWith("e "));
    EXPECT_THAT(Cell(dump, "Лист1", "C2"), StartsWith("s \"0 руб.  \""));
}

class CapTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        d.EndCap = 3;
        Separators({"#####"});  // present, so no thick line closes title and cap
        d.CountMerge = 1;
        d.MergeCl[0] = {2, 2, 3, 2, false};
    }
};

TEST_F(CapTest, AHeaderBlockOverTwoLinesIsMergedOnEachWithALineUnderItsLast) {
    Input({"ВЕДОМОСТЬ", Cols("Таб", "  Начислено"), Cols("N", "Оклад  Премия"), Cols("1", "2", "3")});
    std::string dump = Convert();
    EXPECT_TRUE(Has(dump, "merge B2:C2"));
    EXPECT_TRUE(Has(dump, "merge B3:C3"));
    EXPECT_THAT(Cell(dump, "Лист1", "A2"), StartsWith("s \"Таб\" font=\"Courier New\" size=9 bold italic align=center"));
    EXPECT_THAT(Cell(dump, "Лист1", "B2"), StartsWith("s \"Начислено\""));
    EXPECT_THAT(Cell(dump, "Лист1", "B2"), Not(HasSubstr("bottom=")));
    EXPECT_THAT(Cell(dump, "Лист1", "B3"), StartsWith("s \"Оклад  Премия\""));
    EXPECT_THAT(Cell(dump, "Лист1", "B3"), HasSubstr("bottom=continuous/thick"));
    EXPECT_THAT(Cell(dump, "Лист1", "C3"), HasSubstr("bottom=continuous/thick"));
    EXPECT_THAT(Cell(dump, "Лист1", "A3"), Not(HasSubstr("bottom=")));
    EXPECT_THAT(Cell(dump, "Лист1", "A4"), StartsWith("n 1 "));
}

TEST_F(CapTest, BottomLineKeepsTheBlockTextOffItsLastLine) {
    d.MergeCl[0].BottomLine = true;
    Input({"ВЕДОМОСТЬ", Cols("Таб", "  Начислено"), Cols("N", "-------T-------"), Cols("1", "2", "3")});
    std::string dump = Convert();
    EXPECT_THAT(Cell(dump, "Лист1", "B3"), StartsWith("e "));
    EXPECT_THAT(Cell(dump, "Лист1", "B3"), HasSubstr("bottom=continuous/thick"));
    EXPECT_THAT(Cell(dump, "Лист1", "A3"), StartsWith("s \"N\""));
}

TEST_F(CapTest, ASeparatorOnTheFirstRowKeepsThePageLinesOfTheHeaderBlocks) {
    d.FormFeed = true;
    d.EndTitle = 1;
    Input({"T1", Cols("Таб", "  Начислено"), Cols("N", "Оклад"), "1", "\f",
           "#####", Cols("Таб", "  Начислено"), Cols("N", "Оклад"), "2"});
    std::string second = SheetBlock(Convert(), "Лист2");
    EXPECT_THAT(second, HasSubstr("A1 e font=\"Courier New\" size=9 bold bottom=continuous/thick\n"));
    EXPECT_TRUE(Has(second, "merge B2:C2"));
    EXPECT_TRUE(Has(second, "merge B3:C3"));
    EXPECT_THAT(second, HasSubstr("B2 s \"Начислено\""));
}

class FixedLineTest : public PageTest {};

TEST_F(FixedLineTest, AFixedLineWithoutColumnsSpansTheRowInTheCapFont) {
    d.CountFixLines = 1;
    d.FixStr[1].Str = Utf8ToCp1251("Итого");
    Input({"ВЕДОМОСТЬ", Cols("a", "b", "c"), Cols("Итого", "12.5", "7"), "d"});
    std::string dump = Convert();
    EXPECT_TRUE(Has(dump, "merge A3:C3"));
    EXPECT_THAT(Cell(dump, "Лист1", "A3"),
                StartsWith("s \"Итого12.5   7       \" font=\"Courier New\" size=9 bold italic"));
    EXPECT_THAT(Cell(dump, "Лист1", "A2"), HasSubstr("size=9 italic"));
    EXPECT_THAT(Cell(dump, "Лист1", "A2"), Not(HasSubstr("bold")));
    EXPECT_THAT(Cell(dump, "Лист1", "A4"), StartsWith("s \"d    \" font=\"Courier New\" size=9 italic"));
    EXPECT_EQ(d.FixStr[1].BegCol, 1);
    EXPECT_EQ(d.FixStr[1].EndCol, 3);
}

TEST_F(FixedLineTest, FixedAndPostscriptTextsInTheTitleAreOrdinaryTitleLines) {
    d.EndTitle = d.EndCap = 2;
    d.CountFixLines = 1;
    d.FixStr[1].Str = Utf8ToCp1251("Итого");
    d.FixStr[0].Str = Utf8ToCp1251("Подпись");
    Input({"ВЕДОМОСТЬ", "Итого Подпись", "a", "Итого"});
    std::string dump = Convert();
    EXPECT_THAT(Cell(dump, "Лист1", "A2"), StartsWith("s \"Итого Подпись       \""));
    EXPECT_THAT(Cell(dump, "Лист1", "A3"), StartsWith("s \"a    \""));
    EXPECT_TRUE(Has(dump, "merge A4:C4"));
}

class PageBreakTest : public PageTest {};

TEST_F(PageBreakTest, ASeparatorOpeningAPageBelongsToTheNewSheet) {
    d.EtalStrN = 2;
    d.EndTitle = d.EndCap = 2;
    Separators({"-----"});
    Input({"-----", "ВЕДОМОСТЬ", "a", "b", "-----", "ВЕДОМОСТЬ", "c"});
    std::string dump = Convert();
    EXPECT_EQ(SheetLines(dump).size(), 2u);
    EXPECT_THAT(Cell(dump, "Лист1", "A4"), Not(HasSubstr("bottom=")));
    EXPECT_THAT(Cell(dump, "Лист2", "A1"), StartsWith("e "));
    EXPECT_THAT(Cell(dump, "Лист2", "A1"), HasSubstr("bottom=continuous/thick"));
    EXPECT_THAT(Cell(dump, "Лист2", "A2"), StartsWith("s \"ВЕДОМОСТЬ"));
    EXPECT_THAT(Cell(dump, "Лист2", "A3"), StartsWith("s \"c    \""));
}

TEST_F(PageBreakTest, TheFormFeedLineEndingAPostscriptIsNeverWritten) {
    d.FormFeed = true;
    d.FixStr[0].Str = Utf8ToCp1251("Подпись");
    Input({"T1", "a", "Подпись", "\f", "T2", "b"});
    std::string dump = Convert();
    EXPECT_THAT(Cell(dump, "Лист1", "A3"), StartsWith("s \"Подпись"));
    EXPECT_TRUE(Has(SheetBlock(dump, "Лист1"), "merge A3:C3"));
    EXPECT_THAT(Cell(dump, "Лист2", "A1"), StartsWith("s \"T2"));
    EXPECT_THAT(Cell(dump, "Лист2", "A2"), StartsWith("s \"b    \""));
}

// Printers put the form feed at the end of a page's last line or in front of the
// next page's first line: neither line is lost, and page 2's title and cap stand
// where page 1's do.
TEST_F(PageBreakTest, AFormFeedInsideALineSplitsItBetweenTheTwoPages) {
    d.FormFeed = true;
    d.EndTitle = 2;
    d.EndCap = 3;
    struct Case { std::vector<std::string> input; std::string lastOfPage1; };
    const Case cases[] = {
        {{"T", "U", "CAP", "a", "b\f", "T", "U", "CAP", "c"}, "b"},
        {{"T", "U", "CAP", "a", "b", "\fT", "U", "CAP", "c"}, "b"},
        {{"T", "U", "CAP", "a", " -1-\f", "T", "U", "CAP", "c"}, " -1-"},
    };
    for (const Case& c : cases) {
        Input(c.input);
        std::string dump = Convert();
        ASSERT_EQ(SheetLines(dump).size(), 2u) << c.lastOfPage1;
        EXPECT_THAT(Cell(dump, "Лист1", "A5"), StartsWith("s \"" + c.lastOfPage1)) << c.lastOfPage1;
        EXPECT_THAT(Cell(dump, "Лист1", "A5"), HasSubstr("italic"));  // an information line
        EXPECT_THAT(Cell(dump, "Лист1", "A6"), Not(StartsWith("s ")));
        for (const char* cell : {"A1", "A2", "A3"})
            EXPECT_EQ(Cell(dump, "Лист2", cell), Cell(dump, "Лист1", cell)) << cell << " " << c.lastOfPage1;
        EXPECT_THAT(Cell(dump, "Лист2", "A4"), StartsWith("s \"c    \""));
    }
}

TEST_F(PageBreakTest, ThePageLineCountOfTheReferenceLineWindowFindsEveryPage) {
    d.EtalStrN = 3;
    d.EndTitle = d.EndCap = 3;
    Input({"t1", "t2", "ВЕДОМОСТЬ", "a", "u1", "u2", "ВЕДОМОСТЬ", "b"});
    std::string dump = Convert();
    EXPECT_EQ(SheetLines(dump).size(), 2u);
    EXPECT_THAT(Cell(dump, "Лист2", "A1"), StartsWith("s \"u1"));
    EXPECT_THAT(Cell(dump, "Лист2", "A4"), StartsWith("s \"b    \""));
    EXPECT_THAT(Cell(dump, "Лист1", "A4"), StartsWith("s \"a    \""));
}

}  // namespace
}  // namespace tabulizer::test
