#include <gtest/gtest.h>

#include <functional>

#include "common/Cp1251.h"
#include "common/Failure.h"
#include "conversion/spreadsheet/Merges.h"
#include "conversion/spreadsheet/Spreadsheet.h"

namespace tabulizer::sheet {
namespace {

std::string Areas(const MergeSet& merges) {
    std::string out;
    for (const CellRange& area : merges.All()) out += RangeName(area) + " ";
    return out;
}

TEST(MergeSet, MergingOverAreasCoversTheirUnionUntilNothingIsTouched) {
    MergeSet merges;
    merges.Merge(ParseRange("A1:B1"));
    merges.Merge(ParseRange("D2:E2"));
    merges.Merge(ParseRange("A5:A6"));
    merges.Merge(ParseRange("C3"));  // a single cell touching nothing stays unmerged
    EXPECT_EQ(Areas(merges), "A1:B1 D2:E2 A5:A6 ");
    // B1:D1 touches A1:B1; the union A1:D1 does not reach D2:E2.
    merges.Merge(ParseRange("B1:D1"));
    EXPECT_EQ(Areas(merges), "A1:D1 D2:E2 A5:A6 ");
    // C1:C3 touches A1:D1; the union A1:D3 then touches D2:E2: one area A1:E3.
    merges.Merge(ParseRange("C1:C3"));
    EXPECT_EQ(Areas(merges), "A1:E3 A5:A6 ");
    merges.Merge(ParseRange("A6"));  // inside an area: nothing changes
    EXPECT_EQ(Areas(merges), "A1:E3 A5:A6 ");
}

TEST(MergeSet, UnmergeSplitsEveryIntersectingArea) {
    MergeSet merges;
    for (const char* area : {"A1:E1", "A2:B2", "D2:E2", "A3:A9", "C10:D10"})
        merges.Merge(ParseRange(area));
    merges.Unmerge(ParseRange("B2:B3"));  // a column crossing two areas
    EXPECT_EQ(Areas(merges), "A1:E1 D2:E2 A3:A9 C10:D10 ");
    merges.Unmerge(ParseRange("A8"));  // a tall area met below its top row
    merges.Unmerge(ParseRange("E10"));
    EXPECT_EQ(Areas(merges), "A1:E1 D2:E2 C10:D10 ");
}

class Book : public ::testing::Test {
protected:
    Book() { app.AddWorkbook(); }
    Application app;
};

TEST_F(Book, BordersGoOnTheEdgeOfTheSelection) {
    app.SelectRange("C3:A1");
    app.SetBorderLineStyle(kEdgeBottom, kContinuous);
    app.SetBorderWeight(kEdgeBottom, kThick);
    app.SetBorderLineStyle(kEdgeRight, kDashDot);
    app.SetBorderWeight(kEdgeRight, kHairline);
    app.SelectRange("A2:A3");
    app.SetBorderWeight(kEdgeLeft, kThick);  // a weight alone draws a continuous line
    EXPECT_EQ(app.Dump(),
              "sheet Лист1 active\n"
              "C1 e right=dashdot/hairline\n"
              "A2 e left=continuous/thick\n"
              "C2 e right=dashdot/hairline\n"
              "A3 e bottom=continuous/thick left=continuous/thick\n"
              "B3 e bottom=continuous/thick\n"
              "C3 e bottom=continuous/thick right=dashdot/hairline\n");
}

TEST_F(Book, FormattingTheSameCellsTwiceKeepsOneStylePerCombination) {
    app.SetCellValue(1, 1, Utf8ToCp1251("Иванов"));
    app.SetCellValue(1, 2, "1512.43");
    app.SelectRange("A1:B1");
    app.SetFontName("Courier New");
    app.SetFontSize(9);
    app.SetFontBold(true);
    app.SetFontItalic(true);
    app.SetFontItalic(false);
    app.SetHorizontalAlignment(kAlignRight);
    app.SetReadingOrder(kOrderRtl);
    app.SelectRange("B1");
    app.SetNumberFormat("0.00");
    app.SetMergeCells(true);  // one cell: nothing to merge
    app.SelectRange("A1:E1");
    app.SetMergeCells(true);
    app.SetColumnWidth("B:B", 22);
    EXPECT_EQ(app.Dump(),
              "sheet Лист1 active\n"
              "A1 s \"Иванов\" font=\"Courier New\" size=9 bold align=right order=rtl\n"
              "B1 n 1512.43 font=\"Courier New\" size=9 bold align=right order=rtl format=\"0.00\"\n"
              "merge A1:E1\n"
              "width B 22\n");
}

TEST_F(Book, SheetsAreAddedBeforeTheActiveOneAndNamedInCreationOrder) {
    app.AddSheet();
    app.AddSheet();
    EXPECT_EQ(app.SheetCount(), 3);
    EXPECT_EQ(app.ActiveSheetIndex(), 0);
    app.SetCellValue(1, 1, "3");
    EXPECT_EQ(app.Dump(), "sheet Лист3 active\nA1 n 3\nsheet Лист2\nsheet Лист1\n");
    app.DeleteActiveSheet();  // the next sheet becomes active
    EXPECT_EQ(app.Dump(), "sheet Лист2 active\nsheet Лист1\n");
    app.AddSheet();
    app.DeleteActiveSheet();
    app.DeleteActiveSheet();
    app.DeleteActiveSheet();  // the last sheet stays
    EXPECT_EQ(app.Dump(), "sheet Лист1 active\n");
}

TEST_F(Book, TheLastSheetHandsOverToThePreviousOne) {
    app.AddSheet();   // Лист2 Лист1, Лист2 active
    app.SelectRange("A1");
    app.DeleteActiveSheet();
    app.AddSheet();   // Лист3 Лист1
    app.SetCellValue(1, 1, "x");
    EXPECT_EQ(app.Dump(), "sheet Лист3 active\nA1 s \"x\"\nsheet Лист1\n");
    app.DeleteActiveSheet();  // cells go on to the sheet that takes over
    app.SetCellValue(2, 1, "y");
    EXPECT_EQ(app.Dump(), "sheet Лист1 active\nA2 s \"y\"\n");
}

// Zeros are found as GetCellValue tells them, whatever a cell holds.
TEST_F(Book, ZerosAreTheCellsHoldingTheNumberZero) {
    const struct {
        const char* typed;
        const char* format;  // set on the cell first, or nullptr
        bool zero;
    } cases[] = {
        {"0", nullptr, true},     {"0.00", nullptr, true}, {" -0 ", nullptr, true},
        {"0", "@", false},        {"1", nullptr, false},   {"0a", nullptr, false},
        {"", nullptr, false},     {"  ", nullptr, false},
    };
    int row = 0;
    for (const auto& c : cases) {
        ++row;
        app.SelectRange("A" + std::to_string(row));
        if (c.format) app.SetNumberFormat(c.format);
        app.SetCellValue(row, 1, c.typed);
        EXPECT_EQ(app.IsZero(row, 1), c.zero) << '"' << c.typed << '"';
        EXPECT_EQ(app.IsZero(row, 1), app.GetCellValue(row, 1).IsZero()) << '"' << c.typed << '"';
    }
    EXPECT_FALSE(app.IsZero(row + 1, 1));  // a cell never written
    EXPECT_FALSE(app.IsZero(1, 2));
}

void ExpectRefused(const std::function<void()>& call, const std::string& message,
                   int code = kCannotWrite) {
    try {
        call();
        ADD_FAILURE() << "no failure for " << message;
    } catch (const Failure& f) {
        EXPECT_EQ(f.code(), code);
        EXPECT_EQ(f.what(), message);
    }
}

TEST_F(Book, MalformedAddressesAndValuesAreRefusedWith1004) {
    for (const char* text : {"", "A", "1", "A0", "2:C2", "A1:", "A1:B", "AA", "A1B", "XFE1", "AAAA1",
                             "A1048577", "A 1", "A1:B2:C3"})
        ExpectRefused([&] { app.SelectRange(text); },
                      std::string("bad cell address: \"") + text + "\"");
    app.SelectRange("xfd1048576:a1");  // the whole sheet, corners reversed, lower case
    ExpectRefused([&] { app.SetColumnWidth("B2", 10); }, "bad cell address: \"B2\"");
    ExpectRefused([&] { app.SetColumnWidth("B:B", 256); }, "unable to set the column width to 256.000000");
    ExpectRefused([&] { app.SetCellValue(1, 16385, "x"); }, "no such cell: row 1, column 16385");
    ExpectRefused([&] { app.SetHorizontalAlignment(0); }, "unable to set the horizontal alignment to 0");
    ExpectRefused([&] { app.SetBorderWeight(8, kThick); }, "unable to set the border index to 8");
    ExpectRefused([&] { app.SetFontSize(0); }, "unable to set the font size to 0");
    ExpectRefused([&] { app.SetFontBold(true); }, "range too large to format: A1:XFD1048576",
                  kOutOfMemory);
    app.CloseActiveWorkbook();
    ExpectRefused([&] { app.AddSheet(); }, "no workbook is open");
    app.Quit();
    ExpectRefused([&] { app.AddWorkbook(); }, "the application has quit");
}

}  // namespace
}  // namespace tabulizer::sheet
