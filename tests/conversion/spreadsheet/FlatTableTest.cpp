// The flat table's files as written: the two CSV dialects byte for byte, and the
// streamed .xlsx sheet, whose extent is filled in once its rows are written, read
// with an independent zip reader (Python's).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "../../support/Command.h"
#include "../../support/Files.h"
#include "../../support/TempDir.h"
#include "common/Cp1251.h"
#include "conversion/spreadsheet/FlatTable.h"

namespace tabulizer::sheet {
namespace {

using ::testing::HasSubstr;

CellValue Number(double value) { return {CellValue::kNumber, value, {}}; }
CellValue Text(const char* utf8) { return {CellValue::kText, 0, Utf8ToCp1251(utf8)}; }
CellValue Empty() { return {}; }

void Fill(FlatTable& table, const std::vector<std::string>& header, const std::vector<std::vector<CellValue>>& rows) {
    std::vector<std::string> texts;
    for (const std::string& text : header) texts.push_back(Utf8ToCp1251(text));
    table.Header(texts);
    for (const auto& row : rows) table.Row(row);
    table.Close();
}

class FlatTableFiles : public ::testing::Test {
protected:
    // One part of the package, after the archive's checksums were verified; the
    // names of its entries in archive order first, one a line, then "--".
    std::string Entries(const std::string& part) {
        int status = -1;
        std::string out = test::Capture(
            "'" TABULIZER_PYTHON "' -c 'import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); "
            "assert z.testzip() is None; print(\"\\n\".join(z.namelist())); print(\"--\"); "
            "sys.stdout.flush(); sys.stdout.buffer.write(z.read(sys.argv[2]))' '" + path("t.xlsx") + "' '" + part + "'",
            status);
        EXPECT_EQ(status, 0);
        return out;
    }
    std::string path(const char* name) const { return (temp.path() / name).string(); }

    test::TempDir temp{"tabulizer-flat-table"};
};

TEST_F(FlatTableFiles, CsvDialectsQuoteSeparateAndWriteNumbersTheirWay) {
    const std::vector<std::vector<CellValue>> rows = {
        {Text("00120"), Number(1512.43), Number(-0.05)},
        {Text("a;b"), Text("c,d"), Text("say \"hi\"")},
        {Text(" padded"), Empty(), Number(1e300)},
        {Text("two\nlines"), Number(1234567), Empty()},
    };
    struct Case {
        CsvDialect dialect;
        const char* bytes;
    } cases[] = {
        {CsvDialect::kPrograms,
         "Таб. N,Сумма,\"Итого, руб.\"\r\n"
         "00120,1512.43,-0.05\r\n"
         "a;b,\"c,d\",\"say \"\"hi\"\"\"\r\n"
         "\" padded\",,1e+300\r\n"
         "\"two\nlines\",1234567,\r\n"},
        {CsvDialect::kSpreadsheet,
         "\xEF\xBB\xBFТаб. N;Сумма;Итого, руб.\r\n"
         "00120;1512,43;-0,05\r\n"
         "\"a;b\";c,d;\"say \"\"hi\"\"\"\r\n"
         "\" padded\";;1e+300\r\n"
         "\"two\nlines\";1234567;\r\n"},
    };
    for (const Case& c : cases) {
        Fill(*CreateFlatCsv(path("t.csv"), c.dialect), {"Таб. N", "Сумма", "Итого, руб."}, rows);
        EXPECT_EQ(test::ReadFile(path("t.csv")), c.bytes);
    }
    // Without a header row the mark still begins the file, once.
    auto table = CreateFlatCsv(path("t.csv"), CsvDialect::kSpreadsheet);
    table->Row({Number(0.5)});
    table->Close();
    EXPECT_EQ(test::ReadFile(path("t.csv")), "\xEF\xBB\xBF" "0,5\r\n");
}

// The sheet's extent is known only after its last row; the room kept for it at the
// start of the part is filled then, blanks making up the rest.
TEST_F(FlatTableFiles, StreamedSheetGetsItsExtentAndComesAfterTheContentTypes) {
    struct Case {
        const char* name;
        std::vector<std::string> header;
        std::vector<std::vector<CellValue>> rows;
        const char* dimension;
    } cases[] = {
        {"rows", {"A", "B", "C"}, {{Number(1), Empty(), Text("x")}, {Empty(), Number(2), Empty()}}, "A1:C3"},
        {"header only", {"A", "B"}, {}, "A1:B1"},
        {"nothing", {"", ""}, {}, "A1"},
        {"blank header, one cell", {"", ""}, {{Empty(), Number(7)}}, "B2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fill(*CreateFlatXlsx(path("t.xlsx"), std::vector<FlatColumn>(c.header.size())), c.header, c.rows);
        const std::string out = Entries("xl/worksheets/sheet1.xml");
        EXPECT_EQ(out.substr(0, out.find('\n')), "[Content_Types].xml");
        std::string element = "<dimension ref=\"" + std::string(c.dimension) + "\"/>";
        element.resize(std::string("<dimension ref=\"A1:XFD1048576\"/>").size(), ' ');
        EXPECT_THAT(out, HasSubstr("relationships\">" + element + "<sheetViews>"));
    }
}

// A number a spreadsheet cannot hold makes it refuse the whole file: such a number
// goes in as text.
TEST_F(FlatTableFiles, NumbersBeyondASpreadsheetGoInAsText) {
    struct Case {
        double number;
        const char* cell;
    } cases[] = {
        {9.99999999999999e307, "<c r=\"A2\"><v>9.99999999999999e+307</v></c>"},
        {1e308, "<c r=\"A2\" t=\"inlineStr\"><is><t>1e+308</t></is></c>"},
        {-1.7976931348623157e308, "<c r=\"A2\" t=\"inlineStr\"><is><t>-1.7976931348623157e+308</t></is></c>"},
        {2.2251e-308, "<c r=\"A2\"><v>2.2251e-308</v></c>"},
        {-5e-324, "<c r=\"A2\" t=\"inlineStr\"><is><t>-5e-324</t></is></c>"},
        {2.225e-308, "<c r=\"A2\" t=\"inlineStr\"><is><t>2.225e-308</t></is></c>"},
        {0, "<c r=\"A2\"><v>0</v></c>"},
    };
    for (const Case& c : cases) {
        Fill(*CreateFlatXlsx(path("t.xlsx"), {{}}), {"N"}, {{Number(c.number)}});
        EXPECT_THAT(Entries("xl/worksheets/sheet1.xml"), HasSubstr(c.cell)) << c.number;
    }
}

}  // namespace
}  // namespace tabulizer::sheet
