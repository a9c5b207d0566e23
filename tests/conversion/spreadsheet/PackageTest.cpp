// The .xlsx package as written, read with an independent zip reader (Python's), and
// the sheets put aside while a workbook grows.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "../../support/Command.h"
#include "../../support/Files.h"
#include "../../support/TempDir.h"
#include "common/Cp1251.h"
#include "common/Failure.h"
#include "conversion/spreadsheet/DeflatePool.h"
#include "conversion/spreadsheet/Spreadsheet.h"
#include "conversion/spreadsheet/XlsxText.h"

namespace tabulizer::sheet {
namespace {

using ::testing::HasSubstr;

class Package : public ::testing::Test {
protected:
    Package() { app.AddWorkbook(); }

    // Saves the workbook and gives one part of it, after the package's checksums, local
    // headers, content types, relationships and defined names were verified.
    std::string SavedPart(const std::string& name) { return SavedPart(app, name); }
    std::string SavedPart(Application& book, const std::string& name) {
        const std::string path = (temp.path() / "book.xlsx").string();
        book.SaveActiveWorkbookAs(path);
        int status = -1;
        std::string out = test::Capture(
            "'" TABULIZER_PYTHON "' '" TABULIZER_PACKAGECHECK "' '" + path + "' '" + name + "' 2>&1", status);
        EXPECT_EQ(status, 0) << name << ": " << out;
        return out;
    }

    test::TempDir temp{"tabulizer-package"};
    Application app;
};

TEST_F(Package, CellsTakeTheirXmlForm) {
    struct Case {
        const char* typed;  // UTF-8, typed into A1
        const char* format; // number format set first, or nullptr
        const char* cell;   // the cell element as written
    } cases[] = {
        {"1512.43", nullptr, "<c r=\"A1\"><v>1512.43</v></c>"},
        {"1e21", nullptr, "<c r=\"A1\"><v>1e+21</v></c>"},
        {"Итого", nullptr, "<c r=\"A1\" t=\"inlineStr\"><is><t>Итого</t></is></c>"},
        {"  Иванов", nullptr, "<is><t xml:space=\"preserve\">  Иванов</t></is>"},
        {"a<b & c>d", nullptr, "<t>a&lt;b &amp; c&gt;d</t>"},
        {"tab\tend\x01", nullptr, "<t>tab\tend_x0001_</t>"},
        {"_x0041_ stays", nullptr, "<t>_x005F_x0041_ stays</t>"},
        {" 00225 ", "@", "s=\"1\" t=\"inlineStr\"><is><t>00225</t></is></c>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        app.SelectRange("A1");
        app.SetNumberFormat(c.format ? c.format : "General");
        app.SetCellValue(1, 1, Utf8ToCp1251(c.typed));
        EXPECT_THAT(SavedPart("xl/worksheets/sheet1.xml"), HasSubstr(c.cell));
    }
}

// Texts go in as runs of characters that stand for themselves, broken by the ones
// that are escaped or converted: at either end, side by side, or alone.
TEST(CellText, RunsAndEscapesMakeTheXmlOfTheText) {
    const struct {
        std::string_view cp1251, xml;
    } cases[] = {
        {"", ""},
        {"plain text 12,50", "plain text 12,50"},
        {"<a&b>", "&lt;a&amp;b&gt;"},
        {"&&", "&amp;&amp;"},
        {"\x01x\x1F", "_x0001_x_x001F_"},
        {"tab\tline\nend\r", "tab\tline\nend_x000D_"},
        {"\xC8\xF2\xEE\xE3\xEE: 5", "Итого: 5"},
        {"1 < \xA6 2\x7F", "1 &lt; ¦ 2\x7F"},
        {"_x0041_ & \xC6", "_x005F_x0041_ &amp; Ж"},
    };
    for (const auto& c : cases) {
        std::string out = "<t>";
        EXPECT_EQ(AppendXlsxCellText(out, c.cp1251), c.cp1251.size());
        EXPECT_EQ(out, "<t>" + std::string(c.xml)) << '"' << c.cp1251 << '"';
    }
}

// A cell holds 32,767 characters as a reader reads them back: the escapes that keep
// "_xHHHH_" and NUL as written do not count (such a title used to be refused).
TEST_F(Package, EscapedTextsOfTheLongestCellAreSaved) {
    std::string escapes;
    for (int i = 0; i < 4681; ++i) escapes += "_x0041_";
    struct Case {
        std::string text;  // CP1251, 32,767 characters
        std::string written;
        std::size_t times;
    } cases[] = {
        {escapes, "_x005F_x0041_", 4681},
        {std::string(32767, '\0'), "_x0000_", 32767},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        ASSERT_EQ(c.text.size(), 32767u);
        std::string out;
        EXPECT_EQ(AppendXlsxCellText(out, c.text), 32767u);
        app.SetCellValue(1, 1, c.text);
        const std::string sheet = SavedPart("xl/worksheets/sheet1.xml");
        std::size_t found = 0;
        for (std::size_t at = sheet.find(c.written); at != std::string::npos; at = sheet.find(c.written, at + 1)) ++found;
        EXPECT_EQ(found, c.times);
    }
}

TEST_F(Package, SheetLayoutAndWorkbookOrder) {
    app.SetCellValue(2, 2, "1");
    app.SelectRange("C4:D5");
    app.SetMergeCells(true);  // beyond the cells: the sheet's extent reaches it
    app.SetColumnWidth("B:B", 22);
    app.SetColumnWidth("C:C", 0.5);
    app.SetColumnWidth("D:D", 8.43);  // the default width is not marked as chosen
    app.SelectRange("A12");
    app.AddSheet();   // Лист2 comes first and is active
    app.SetCellValue(1, 1, "x");
    app.SelectRange("A1:C3");
    app.SetFontBold(true);
    app.SetBorderLineStyle(kEdgeBottom, kDashDot);
    app.SetBorderWeight(kEdgeBottom, kThick);
    app.SetHorizontalAlignment(kAlignRight);
    app.SetReadingOrder(kOrderRtl);
    app.SetNumberFormat("0.00");
    app.AddSheet();   // Лист3 first, empty
    app.DeleteActiveSheet();  // Лист2 active again

    const std::string first = SavedPart("xl/worksheets/sheet2.xml");
    for (const char* part : {"<dimension ref=\"B2:D5\"/>", "<selection activeCell=\"A12\" sqref=\"A12\"/>",
                             "<col min=\"2\" max=\"2\" width=\"22.7109375\" customWidth=\"1\"/>",
                             "<col min=\"3\" max=\"3\" width=\"0.85546875\" customWidth=\"1\"/>",
                             "<col min=\"4\" max=\"4\" width=\"9.140625\"/>",
                             "<mergeCells count=\"1\"><mergeCell ref=\"C4:D5\"/></mergeCells>"})
        EXPECT_THAT(first, HasSubstr(part));
    EXPECT_THAT(first, ::testing::Not(HasSubstr("tabSelected")));
    const std::string active = SavedPart("xl/worksheets/sheet1.xml");
    EXPECT_THAT(active, HasSubstr("<sheetView tabSelected=\"1\" workbookViewId=\"0\"><selection activeCell=\"A1\" sqref=\"A1:C3\"/>"));
    // Every cell names itself, also one right after another: Gnumeric places a cell
    // without its reference nowhere.
    EXPECT_THAT(active, HasSubstr("<c r=\"B2\" s=\"1\"/><c r=\"C2\" s=\"1\"/></row><row r=\"3\"><c r=\"A3\" s=\"2\"/>"));
    EXPECT_THAT(SavedPart("xl/workbook.xml"),
                HasSubstr("<sheets><sheet name=\"Лист2\" sheetId=\"1\" r:id=\"rId1\"/><sheet name=\"Лист1\" sheetId=\"2\" "
                          "r:id=\"rId2\"/></sheets>"));
    const std::string styles = SavedPart("xl/styles.xml");
    for (const char* part : {"<numFmt numFmtId=\"164\" formatCode=\"0.00\"/>",
                             "<font><b/><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>",
                             "<bottom style=\"mediumDashDot\"><color auto=\"1\"/></bottom>",
                             "<alignment horizontal=\"right\" readingOrder=\"2\"/>"})
        EXPECT_THAT(styles, HasSubstr(part));
}

// A sheet left for a new one goes to disk and comes back whole, also to be written
// to again when it is the active one once more.
TEST_F(Package, SheetsPutAsideReadBackAsTheyWere) {
    app.SetCellValue(1, 1, std::string("nul\0and more", 12));
    app.SetCellValue(1, 2, "1512.430");  // typed text kept beside the number
    app.SetCellValue(3, 1, "0001");
    app.SelectRange("A1:B1");
    app.SetMergeCells(true);
    app.SetFontName("Arial");
    app.SetColumnWidth("B:B", 12);
    app.SelectRange("B3");
    const std::string before = app.Dump();
    app.AddSheet();
    EXPECT_EQ(app.Dump(), "sheet Лист2 active\n" + before.substr(before.find('\n') + 1).insert(0, "sheet Лист1\n"));
    app.DeleteActiveSheet();
    EXPECT_EQ(app.Dump(), before);
    app.SetCellValue(4, 4, "after");
    int row = 0, column = 0;
    EXPECT_EQ(app.ShownText(1, 2, row, column), std::string("nul\0and more", 12));
    std::string after = before;
    EXPECT_EQ(app.Dump(), after.insert(after.find("merge"), "D4 s \"after\"\n"));
}

// Without a temporary folder a finished sheet cannot be put aside: the failure
// names it, and the workbook stays as it was.
TEST_F(Package, ASheetThatCannotBePutAsideFailsWithItsReason) {
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    setenv("TMPDIR", (temp.path() / "missing").c_str(), 1);
    app.SetCellValue(1, 1, "1");
    try {
        app.AddSheet();
        ADD_FAILURE() << "put aside";
    } catch (const Failure& f) {
        EXPECT_EQ(f.code(), kDeviceIoError);
        EXPECT_EQ(f.detail(), "Не удалось создать временный файл готовых листов: Нет такого файла или каталога");
    }
    old ? setenv("TMPDIR", saved.c_str(), 1) : unsetenv("TMPDIR");
    EXPECT_EQ(app.Dump(), "sheet Лист1 active\nA1 n 1\n");
}

// Twelve pages, two of them of many deflate blocks, each with a font of its own:
// its cells' format is numbered when the page is first written.
void WritePages(Application& book) {
    for (int sheet = 0; sheet < 12; ++sheet) {
        book.AddSheet();
        const int rows = sheet % 6 == 0 ? 9000 : 40;
        for (int row = 1; row <= rows; ++row) book.SetCellValue(row, 1 + sheet % 3, std::to_string(row * 31 + sheet) + " руб.");
        book.SelectRange("A1:C2");
        book.SetFontSize(8 + sheet);
    }
}

// With the time of writing fixed, the file is the same byte for byte on one thread
// or many, whichever sheets were deflated when put aside and which at the save; a
// sheet read back and changed is written as it is now, the one shown first as such.
TEST_F(Package, TheSameWorkbookIsTheSameFileOnAnyNumberOfThreads) {
    struct Case {
        const char* name;
        void (*edit)(Application& book, const std::string& scratch);  // after the pages
        const char* part;
        const char* holds;
    } cases[] = {
        // The first page stands last but one: new sheets go before the active one.
        {"pages", [](Application&, const std::string&) {}, "xl/worksheets/sheet12.xml", "<c r=\"A9000\""},
        {"the last sheet deleted: the page before is shown first",
         [](Application& book, const std::string&) { book.DeleteActiveSheet(); }, "xl/worksheets/sheet1.xml",
         "<sheetView tabSelected=\"1\""},
        {"a page read back, changed and left for a new sheet",
         [](Application& book, const std::string&) {
             book.DeleteActiveSheet();
             book.SetCellValue(2, 5, "changed");
             book.SetFontItalic(true);
             book.AddSheet();
         },
         "xl/worksheets/sheet2.xml", "<t>changed</t>"},
        {"a page read back and changed, shown first",
         [](Application& book, const std::string&) {
             book.DeleteActiveSheet();
             book.SetCellValue(40, 1, "changed");
         },
         "xl/worksheets/sheet1.xml", "<c r=\"A40\" t=\"inlineStr\"><is><t>changed</t>"},
        {"saved once before, then grown",
         [](Application& book, const std::string& scratch) {
             book.SaveActiveWorkbookAs(scratch);
             book.AddSheet();
             book.SetCellValue(1, 1, "later");
             book.SetFontBold(true);
         },
         "xl/worksheets/sheet1.xml", "<t>later</t>"},
    };
    setenv("SOURCE_DATE_EPOCH", "86400", 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string first;
        for (const char* threads : {"1", "2", "5"}) {
            setenv(kThreadsVariable, threads, 1);
            Application book;
            book.AddWorkbook();
            WritePages(book);
            c.edit(book, (temp.path() / "before.xlsx").string());
            EXPECT_THAT(SavedPart(book, c.part), HasSubstr(c.holds)) << threads << " threads";
            const std::string file = test::ReadFile(temp.path() / "book.xlsx");
            if (first.empty()) first = file;
            EXPECT_TRUE(file == first) << threads << " threads";
        }
    }
    unsetenv(kThreadsVariable);
    unsetenv("SOURCE_DATE_EPOCH");
}

// Parts longer than one piece of the sheet writer cross many deflate calls.
TEST_F(Package, ALargeSheetKeepsItsChecksums) {
    for (int row = 1; row <= 3000; ++row)
        for (int column = 1; column <= 12; ++column) app.SetCellValue(row, column, std::to_string(row * column) + ".5");
    const std::string sheet = SavedPart("xl/worksheets/sheet1.xml");
    EXPECT_THAT(sheet, HasSubstr("<c r=\"L3000\"><v>36000.5</v></c></row></sheetData>"));
}

}  // namespace
}  // namespace tabulizer::sheet
