// Every XML part of the example workbooks, paged and flat, validated against the
// Office Open XML schemas (tests/data/ooxml-schemas) with xmllint, through
// schemacheck.py; the content types come first in the archive.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "../support/Command.h"
#include "../support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using tabulizer::test::Capture;

class SchemaTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"ved.ini", "ved.txt", "svod.ini", "svod.txt"})
            fs::copy_file(fs::path(TABULIZER_EXAMPLES) / name, dir / name);
    }

    void Convert(const std::string& arguments) {
        std::string command = "cd '" + dir.string() + "' && '" TABULIZER_BINARY "' " + arguments + " 2>/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << arguments;
    }

    std::string Check(const std::string& book) {
        int status = -1;
        std::string out = Capture("'" TABULIZER_PYTHON "' '" TABULIZER_SCHEMACHECK "' '" TABULIZER_TEST_DATA
                                  "/ooxml-schemas' '" + (dir / book).string() + "' 2>&1",
                                  status);
        EXPECT_EQ(status, 0) << out;
        return out;
    }

    // The parts of a valid workbook of `sheets` sheets, in archive order.
    static std::string Valid(int sheets) {
        std::string out = "[Content_Types].xml ok\n";
        for (int i = 1; i <= sheets; ++i) out += "xl/worksheets/sheet" + std::to_string(i) + ".xml ok\n";
        return out + "xl/workbook.xml ok\nxl/_rels/workbook.xml.rels ok\nxl/styles.xml ok\ndocProps/app.xml ok\n"
                     "docProps/core.xml ok\n_rels/.rels ok\n";
    }

    tabulizer::test::TempDir temp{"tabulizer-schema"};
    const fs::path& dir = temp.path();
};

TEST_F(SchemaTest, ExampleWorkbooksHoldOnlyValidParts) {
    struct Case {
        const char* arguments;
        const char* book;
        int sheets;
    } cases[] = {
        {"ved.ini", "ved.xlsx", 3},
        {"svod.ini", "svod.xlsx", 4},
        {"--project ved.ini --flat --output ved-flat.xlsx", "ved-flat.xlsx", 1},
        {"--project svod.ini --flat --output svod-flat.xlsx", "svod-flat.xlsx", 1},
    };
    for (const Case& c : cases) {
        Convert(c.arguments);
        EXPECT_EQ(Check(c.book), Valid(c.sheets)) << c.book;
    }
}

// The check itself finds a part out of order: the sheet's extent moved behind its rows.
TEST_F(SchemaTest, APartOutOfOrderIsReported) {
    Convert("--project ved.ini --flat --output ved-flat.xlsx");
    int status = -1;
    Capture("'" TABULIZER_PYTHON "' -c 'import re, sys, zipfile\n"
            "src = zipfile.ZipFile(sys.argv[1]); out = zipfile.ZipFile(sys.argv[2], \"w\")\n"
            "for n in src.namelist():\n"
            "    x = src.read(n).decode()\n"
            "    if n.endswith(\"sheet1.xml\"):\n"
            "        d = re.search(\"<dimension[^>]*>\", x).group(0); x = x.replace(d, \"\").replace(\"</sheetData>\", \"</sheetData>\" + d)\n"
            "    out.writestr(n, x)\n"
            "out.close()' '" + (dir / "ved-flat.xlsx").string() + "' '" + (dir / "broken.xlsx").string() + "'",
            status);
    ASSERT_EQ(status, 0);
    const std::string out = Check("broken.xlsx");
    EXPECT_NE(out.find("xl/worksheets/sheet1.xml: "), std::string::npos) << out;
    EXPECT_NE(out.find("dimension"), std::string::npos) << out;
    EXPECT_NE(out.find("xl/styles.xml ok\n"), std::string::npos) << out;
}

}  // namespace
