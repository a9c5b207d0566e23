// The command line of many reports (--project ... REPORT...) and the flat table,
// run as a script would run them; outputs read back with openpyxl and csv.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../support/Files.h"
#include "../support/Command.h"
#include "../support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using tabulizer::test::ReadFile;
using tabulizer::test::Capture;
using tabulizer::test::ReadBack;
using tabulizer::test::TempDir;

struct Outcome {
    int status = -1;
    std::string out, err;
};

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

class ManyReportsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"ved.ini", "ved.txt", "svod.ini", "svod.txt"})
            fs::copy_file(fs::path(TABULIZER_EXAMPLES) / name, dir / name);
    }

    // `limits`: shell commands run before the program, such as "ulimit -f 1; ".
    Outcome Run(const std::string& arguments, const std::string& limits = "") {
        std::string command = "cd " + Quoted(dir) + " && " + limits + "'" TABULIZER_BINARY "' " + arguments + " >" +
                              Quoted(dir / "out") + " 2>" + Quoted(dir / "err");
        int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(dir / "out"), ReadFile(dir / "err")};
    }

    std::string FlatCheck(const std::string& xlsx, const std::string& csv = "", const char* dialect = "") {
        int status = -1;
        std::string out = Capture("'" TABULIZER_PYTHON "' '" TABULIZER_FLATCHECK "' " + Quoted(dir / xlsx) +
                                      (csv.empty() ? "" : " " + Quoted(dir / csv) + " " + dialect),
                                  status);
        EXPECT_EQ(status, 0);
        return out;
    }

    // ved.txt's title and cap, then `rows` copies of its first information line: one
    // page longer than a sheet of the paged workbook may be.
    void WriteLongPage(const fs::path& path, int rows) {
        std::ifstream in(dir / "ved.txt", std::ios::binary);
        std::ofstream out(path, std::ios::binary);
        std::string line;
        for (int i = 0; i < 7 && std::getline(in, line); ++i) out << line << '\n';
        std::getline(in, line);
        for (int i = 0; i < rows; ++i) out << line << '\n';
    }

    TempDir temp{"tabulizer-many"};
    const fs::path& dir = temp.path();
};

TEST_F(ManyReportsTest, FolderOfReportsGoesOnPastTheBrokenOneAndNamesIt) {
    fs::create_directories(dir / "архив");
    fs::create_directories(dir / "книги");
    for (const char* name : {"январь.txt", "февраль.txt", "март.txt"}) fs::copy_file(dir / "ved.txt", dir / "архив" / name);
    WriteLongPage(dir / "архив" / "page-over-32767-rows.txt", 32800);
    Outcome outcome = Run("--project ved.ini --output-dir книги --jobs 2 архив/*.txt");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err.find("архив/page-over-32767-rows.txt: Ошибка при выполнении программы Tabulizer ! \n"
                               "          Код ошибки  Visual Basic: 6\n"
                               "Не удалось преобразовать отчёт «архив/page-over-32767-rows.txt» на строке 32769: "
                               "превышен предел 32767 (строк листа, листов или другого счётчика)\n"),
              std::string::npos)
        << outcome.err;
    const std::string summary = "Преобразовано 3 из 4\nНе преобразованы:\n  архив/page-over-32767-rows.txt\n";
    ASSERT_GE(outcome.err.size(), summary.size());
    EXPECT_EQ(outcome.err.substr(outcome.err.size() - summary.size()), summary);
    EXPECT_FALSE(fs::exists(dir / "книги" / "page-over-32767-rows.xlsx"));
    ASSERT_EQ(Run("ved.ini").status, 0);
    std::string paged = ReadBack((dir / "ved.xlsx").string());
    for (const char* name : {"январь.xlsx", "февраль.xlsx", "март.xlsx"})
        EXPECT_EQ(ReadBack((dir / "книги" / name).string()), paged) << name;
}

TEST_F(ManyReportsTest, FlatTableAndCsvOfTheExamples) {
    struct Case {
        const char* project;
        const char* header;
        int rows;     // the header row and one per information line
        int numbers;  // number cells below the header
        const char* cells;  // lines of readback.py the table must hold
    } cases[] = {
        {"ved", "Таб. N|Фамилия И.О.|Начислено Оклад|Начислено Премия|К выдаче (bold)", 19, 40,
         "A2 s \"00120\" format=\"@\"\nB2 s \"Иванов И.И.\"\nC2 n 1512.43 format=\"0.00\"\n"
         "E19 n 2515.63 format=\"0.00\"\n"},
        {"svod", "Федеральный округ|1997 г.|1998 г.|% (bold)", 37, 96,
         "A2 s \"Центральный\"\nB2 n 4126.2 format=\"0.0\"\n"},
    };
    for (const Case& c : cases) {
        std::string p = c.project;
        ASSERT_EQ(Run("--project " + p + ".ini --flat --output " + p + "-flat.xlsx").status, 0) << p;
        Outcome csv = Run("--project " + p + ".ini --csv");
        ASSERT_EQ(csv.status, 0) << csv.err;
        EXPECT_EQ(csv.err, "");
        std::string expected = "sheets 1\nfreeze A2\nfilter A1:" + std::string(p == "ved" ? "E" : "D") +
                               std::to_string(c.rows) + "\nrows " + std::to_string(c.rows) + "\nheader " + c.header +
                               "\nnumbers " + std::to_string(c.numbers) + "\ncsv equal\n";
        EXPECT_EQ(FlatCheck(p + "-flat.xlsx", p + ".csv"), expected) << p;
        std::string cells = ReadBack((dir / (p + "-flat.xlsx")).string());
        std::istringstream wanted(c.cells);
        for (std::string line; std::getline(wanted, line);)
            EXPECT_NE(("\n" + cells).find("\n" + line + "\n"), std::string::npos) << p << ": " << line;
    }
}

// The paged workbook cannot hold a page of more than 32767 rows; the flat table can.
TEST_F(ManyReportsTest, FlatTableHasNoPageRowLimit) {
    WriteLongPage(dir / "page-over-32767-rows.txt", 32800);
    Outcome outcome = Run("--project ved.ini --flat --jobs 1 page-over-32767-rows.txt");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(FlatCheck("page-over-32767-rows.xlsx").find("\nrows 32801\n"), std::string::npos);
}

TEST_F(ManyReportsTest, OutputToStandardOutputAndFlatFromTheProject) {
    Outcome csv = Run("--project ved.ini --csv --output - ved.txt");
    EXPECT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(csv.out.substr(0, csv.out.find("\r\n")), "Таб. N,Фамилия И.О.,Начислено Оклад,Начислено Премия,К выдаче");
    EXPECT_FALSE(fs::exists(dir / "ved.csv"));
    Outcome xlsx = Run("--project ved.ini --flat --output - ved.txt");
    EXPECT_EQ(xlsx.out.substr(0, 2), "PK");
}

// CSV for a spreadsheet of a Russian locale, from the project's own report and from
// the children of many reports alike, holds the values of the flat sheet.
TEST_F(ManyReportsTest, CsvForASpreadsheetHasItsMarkSemicolonsAndDecimalCommas) {
    fs::create_directories(dir / "архив");
    for (const char* name : {"a.txt", "b.txt"}) fs::copy_file(dir / "ved.txt", dir / "архив" / name);
    ASSERT_EQ(Run("--project ved.ini --flat --output flat.xlsx").status, 0);
    Outcome own = Run("--project ved.ini --csv-excel");
    ASSERT_EQ(own.status, 0) << own.err;
    Outcome many = Run("--project ved.ini --csv-excel --jobs 2 архив/a.txt архив/b.txt");
    ASSERT_EQ(many.status, 0) << many.err;
    for (const char* csv : {"ved.csv", "архив/a.csv", "архив/b.csv"}) {
        const std::string bytes = ReadFile(dir / csv);
        EXPECT_EQ(bytes.substr(0, bytes.find("\r\n", bytes.find("\r\n") + 2)),
                  "\xEF\xBB\xBFТаб. N;Фамилия И.О.;Начислено Оклад;Начислено Премия;К выдаче\r\n"
                  "00120;Иванов И.И.;1512,43;132,97;1645,4")
            << csv;
        EXPECT_EQ(FlatCheck("flat.xlsx", csv, "excel"),
                  "sheets 1\nfreeze A2\nfilter A1:E19\nrows 19\nheader Таб. N|Фамилия И.О.|Начислено Оклад|"
                  "Начислено Премия|К выдаче (bold)\nnumbers 40\ncsv equal\n")
            << csv;
    }
}

TEST_F(ManyReportsTest, WrongCallsGetTheirMessageAndStatusTwo) {
    const std::string usage =
        "Использование: tabulizer --project ПРОЕКТ.ini [--output-dir ПАПКА | --output ФАЙЛ] [--jobs N]\n"
        "                         [--flat] [--csv | --csv-excel] [ОТЧЁТ...]\n";
    struct Case {
        const char* arguments;
        const char* message;
    } cases[] = {
        {"--flat ved.txt", "не указан файл проекта (--project ПРОЕКТ.ini)"},
        {"--project ved.ini --jobs 0 ved.txt", "--jobs ждёт число от 1 до 256, а не «0»"},
        {"--project ved.ini --jobs два", "--jobs ждёт число от 1 до 256, а не «два»"},
        {"--project ved.ini --output a.xlsx ved.txt svod.txt",
         "--output называет выходной файл одного отчёта; для нескольких укажите --output-dir"},
        {"--project ved.ini --output a.xlsx --output-dir .", "--output и --output-dir вместе не указываются"},
        {"--project ved.ini --csv-excel --csv", "--csv и --csv-excel вместе не указываются"},
        {"--project ved.ini --pages", "неизвестный параметр «--pages»"},
        {"--project", "после --project нужно значение"},
    };
    for (const Case& c : cases) {
        Outcome outcome = Run(c.arguments);
        EXPECT_EQ(outcome.status, 2) << c.arguments;
        EXPECT_EQ(outcome.err, "tabulizer: " + std::string(c.message) + "\n" + usage) << c.arguments;
    }
    Outcome help = Run("--project ved.ini --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--output-dir ПАПКА"), std::string::npos);
}

TEST_F(ManyReportsTest, GroupProjectWithoutReportsKeepsItsMessage) {
    std::string project = ReadFile(dir / "ved.ini");
    project.replace(project.find("NameIn=ved.txt"), 14, "NameIn=");
    std::ofstream(dir / "group.ini", std::ios::binary) << project;
    Outcome alone = Run("--project group.ini --flat");
    EXPECT_EQ(alone.status, 1);
    EXPECT_EQ(alone.err, "В проекте нет имени файла входного документа !\n");
    Outcome named = Run("--project group.ini --flat ved.txt");
    EXPECT_EQ(named.status, 0) << named.err;
    EXPECT_NE(FlatCheck("ved.xlsx").find("\nrows 19\n"), std::string::npos);
}

// What a run through child processes hands each child and what it makes of how each
// child ended: the output kind the options and the project ask for, a firm's name in
// quotes written as CSV quotes it, and a child killed by a signal counted as failed.
TEST_F(ManyReportsTest, EveryReportOfARunGetsTheRunsOutputKind) {
    std::string text = ReadFile(dir / "ved.txt");
    fs::copy_file(dir / "ved.txt", dir / "a.txt");
    const std::string name = "\x88\xa2\xa0\xad\xae\xa2 \x88.\x88.";  // "Иванов И.И." in CP866
    text.replace(text.find(name), name.size(), "\x88\xa2\xa0\xad\xae\xa2 \"\x88\"\x88");  // Иванов "И"И
    std::ofstream(dir / "b.txt", std::ios::binary) << text;
    std::string flat = ReadFile(dir / "ved.ini");
    flat.insert(flat.find("[Horizon]"), "Flat=1\r\n");
    std::ofstream(dir / "flat.ini", std::ios::binary) << flat;
    const std::string both = "Преобразовано 2 из 2\n";
    struct Case {
        const char* limits;
        const char* arguments;
        int status;
        std::string summary;  // the end of standard error
        const char* kind;     // what a.* and b.* are: "paged", "flat", "csv", "none"
    } cases[] = {
        {"", "--project ved.ini --jobs 2 a.txt b.txt", 0, both, "paged"},
        {"", "--project ved.ini --jobs 2 --csv a.txt b.txt", 0, both, "csv"},
        {"", "--project ved.ini --jobs 2 --flat a.txt b.txt", 0, both, "flat"},
        {"", "--project flat.ini --jobs 2 a.txt b.txt", 0, both, "flat"},
        {"", "--project flat.ini --output b.xlsx b.txt", 0, "", "flat"},
        {"ulimit -f 1; ", "--project ved.ini --jobs 2 a.txt b.txt", 1,
         "Преобразовано 0 из 2\nНе преобразованы:\n  a.txt\n  b.txt\n", "none"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.limits) + c.arguments);
        for (const char* old : {"a.xlsx", "b.xlsx", "a.csv", "b.csv"}) fs::remove(dir / old);
        Outcome outcome = Run(c.arguments, c.limits);
        EXPECT_EQ(outcome.status, c.status) << outcome.err;
        EXPECT_TRUE(outcome.err.ends_with(c.summary)) << outcome.err;
        const std::string kind = c.kind;
        if (kind == "none") {
            for (const char* report : {"a.txt", "b.txt"})
                EXPECT_NE(outcome.err.find(std::string(report) + ": преобразование прервано сигналом 25\n"),
                          std::string::npos) << outcome.err;
            for (const char* out : {"a.xlsx", "b.xlsx"}) EXPECT_FALSE(fs::exists(dir / out)) << out;
        } else if (kind == "csv") {
            EXPECT_FALSE(fs::exists(dir / "a.xlsx"));
            EXPECT_EQ(ReadFile(dir / "a.csv").substr(0, 10), "Таб. N,");
            EXPECT_NE(ReadFile(dir / "b.csv").find(",\"Иванов \"\"И\"\"И\","), std::string::npos);
        } else {
            const std::string book = ReadBack((dir / "b.xlsx").string());
            EXPECT_NE(book.find(kind == "flat" ? "\nB2 s \"Иванов \\\"И\\\"И\"" : "\nB6 s \"Иванов \\\"И\\\"И "),
                      std::string::npos) << book;
            EXPECT_EQ(book.starts_with("sheet Лист1 active\nA1 s \"Таб. N\""), kind == "flat") << book;
        }
    }
}

}  // namespace
