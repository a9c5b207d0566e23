// `tabulizer --describe`: the project inferred from a report converts it into the
// same sheets, cell values and merges as the project a user wrote by hand. The
// workbooks are read back by the independent reader; fonts, borders, alignment,
// number formats and widths are not compared, since an inferred project keeps the
// default fonts and may pick other alignments.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "../support/Files.h"
#include "../support/TempDir.h"
#include "../support/WorkbookValues.h"

namespace tabulizer::test {
namespace {

namespace fs = std::filesystem;

struct Report {
    const char* folder;  // TABULIZER_EXAMPLES, TABULIZER_TEST_DATA "/inference" or the generator's folder
    const char* name;    // REPORT.txt beside its hand-written project
    const char* project; // the hand-written project's file name
    const char* differs; // what the hand-written project sets otherwise, for the reader of a failure
};

class DescribeTest : public ::testing::TestWithParam<Report> {
protected:
    int Run(const std::string& arguments, std::string& errors) { return RunProgram(dir, arguments, errors); }

    // Converts with `project` (in the test folder) and returns the values and merges.
    std::string Convert(const std::string& project, const std::string& workbook, bool dropZeros) {
        int status = -1;
        std::string errors;
        std::string values = ConvertedValues(dir, project, workbook, dropZeros, status, errors);
        EXPECT_EQ(status, 0) << errors;
        return values;
    }

    TempDir temp{"tabulizer-describe"};
    const fs::path& dir = temp.path();
};

TEST_P(DescribeTest, InferredProjectConvertsLikeTheHandWrittenOne) {
    const Report& report = GetParam();
    std::string folder = report.folder;
    if (folder == "bench") {
        int status = -1;
        Capture("'" TABULIZER_PYTHON "' '" TABULIZER_BENCH "/generate.py' --out '" + dir.string() + "' 300", status);
        ASSERT_EQ(status, 0);
    } else {
        fs::copy_file(fs::path(folder) / (std::string(report.name) + ".txt"), dir / (std::string(report.name) + ".txt"));
        fs::copy_file(fs::path(folder) / report.project, dir / report.project);
    }
    const std::string name = report.name;
    // Zeros the hand-written project leaves out are written by the inferred one.
    bool handDropsZeros = ReadFile(dir / report.project).find("DelNull=1") != std::string::npos;
    std::string expected = Convert(report.project, name + ".xlsx", false);

    std::string errors;
    ASSERT_EQ(Run("--describe '" + name + ".txt' --project inferred.ini", errors), 0) << errors;
    EXPECT_NE(errors.find("Проект записан: inferred.ini\n"), std::string::npos) << errors;
    std::string inferred = Convert("inferred.ini", name + ".xlsx", handDropsZeros);

    EXPECT_NE(expected.find(" s \""), std::string::npos) << expected;
    EXPECT_NE(expected.find(" n "), std::string::npos) << expected;
    EXPECT_EQ(inferred, expected) << name << ": the hand-written project differs in " << report.differs << "\n"
                                  << errors;
}

INSTANTIATE_TEST_SUITE_P(
    Reports, DescribeTest,
    ::testing::Values(
        Report{TABULIZER_EXAMPLES, "ved", "ved.ini", "fonts, widths, the code column centred, zeros left out"},
        Report{TABULIZER_EXAMPLES, "svod", "svod.ini", "fonts, a hairline under every row, column separators"},
        Report{"bench", "report_300", "report_300.ini",
               "fonts, widths, alignments of text columns, the number column centred, zeros left out"},
        Report{TABULIZER_TEST_DATA "/inference", "unequal_pages", "unequal_pages.hand.ini", "the code column centred"},
        Report{TABULIZER_TEST_DATA "/inference", "double_lines", "double_lines.hand.ini", "nothing but fonts"},
        Report{TABULIZER_TEST_DATA "/inference", "one_line_cap", "one_line_cap.hand.ini", "nothing but fonts"},
        Report{TABULIZER_TEST_DATA "/inference", "one_page", "one_page.hand.ini", "nothing but fonts"},
        Report{TABULIZER_TEST_DATA "/inference", "wide", "wide.hand.ini", "nothing but fonts"},
        Report{TABULIZER_TEST_DATA "/inference", "ascii_1251", "ascii_1251.hand.ini", "the code column centred"},
        Report{TABULIZER_TEST_DATA "/inference", "tabs", "tabs.hand.ini", "nothing but fonts"},
        Report{TABULIZER_TEST_DATA "/inference", "no_lines", "no_lines.hand.ini",
               "the end of the code column (widths), set in the middle of its gutter"}),
    [](const auto& info) { return std::string(info.param.name); });

// The command line: what is refused, and with which words and status.
class DescribeCallTest : public DescribeTest {};

TEST_F(DescribeCallTest, RefusalsAndWrongCalls) {
    fs::copy_file(fs::path(TABULIZER_EXAMPLES) / "ved.txt", dir / "ved.txt");
    std::ofstream(dir / "prose.txt") << "Just a line of prose.\r\nAnd another one.\r\n";
    std::ofstream(dir / "ved.ini") << "keep";
    fs::create_directory(dir / "folder.ini");
    const std::string tooLong = std::string(300, 'x') + ".ini";
    const std::string usage = "Использование: tabulizer --describe ОТЧЁТ [--project ПРОЕКТ.ini] [--force]\n";
    struct Case {
        std::string arguments;
        int status;
        std::string tail;  // the end of what the command printed
    } cases[] = {
        {"--describe", 2, "tabulizer --describe: не указан файл отчёта\n" + usage},
        {"--describe ved.txt --project", 2, "tabulizer --describe: после --project нужен путь файла проекта\n" + usage},
        {"--describe ved.txt --quiet", 2, "tabulizer --describe: неизвестный параметр «--quiet»\n" + usage},
        {"--describe ved.txt svod.txt", 2, "tabulizer --describe: указано больше одного отчёта\n" + usage},
        {"--describe ved.txt --project ved.prj", 2,
         "tabulizer --describe: файл проекта должен иметь расширение .ini: ved.prj\n" + usage},
        {"--describe ved.txt", 1, "Файл проекта уже существует: ved.ini\nЧтобы заменить его, добавьте --force.\n"},
        {"--describe нет.txt --project new.ini", 1, "Не удалось прочитать файл «нет.txt»: Нет такого файла или каталога\n"},
        {"--describe prose.txt", 1,
         "В отчёте нет таблицы, которую можно описать: не найдена шапка таблицы. Проект не записан.\n"},
        {"--describe ved.txt --project " + tooLong, 1,
         "Не удалось записать файл проекта: " + tooLong + "\nНе удалось записать файл «" + tooLong +
             "»: Слишком длинное имя файла\n"},
        {"--describe ved.txt --project нет/ved.ini", 1,
         "Не удалось записать файл проекта: нет/ved.ini\nНе удалось записать файл «нет/ved.ini»: Нет такого каталога\n"},
        {"--describe ved.txt --project ved.txt/ved.ini", 1,
         "Не удалось записать файл проекта: ved.txt/ved.ini\nНе удалось записать файл «ved.txt/ved.ini»: "
         "Часть пути не является каталогом\n"},
        {"--describe ved.txt --project folder.ini", 1, "Не удалось записать файл «folder.ini»: это каталог\n"},
        {"--describe ved.txt --project folder.ini --force", 1, "Не удалось записать файл «folder.ini»: это каталог\n"},
        {"--describe ved.txt --force", 0, "Проект записан: ved.ini\n"},
    };
    for (const Case& c : cases) {
        std::string errors;
        EXPECT_EQ(Run(c.arguments, errors), c.status) << c.arguments << "\n" << errors;
        EXPECT_TRUE(errors.ends_with(c.tail)) << c.arguments << "\n" << errors;
    }
    EXPECT_FALSE(fs::exists(dir / "prose.ini"));
    EXPECT_TRUE(fs::is_empty(dir / "folder.ini"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 4);  // two reports, a project, a folder: nothing temporary
    EXPECT_NE(ReadFile(dir / "ved.ini").find("NameIn=ved.txt\r\nNameOut=ved.xlsx\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tabulizer::test
