// Reading a report for its description: a report longer than what the inference
// holds in memory is described as its short twin, with what only its later lines
// show (the widest line, the postscript on the last page, a reference line that
// stops repeating, a form feed far down, a line too long).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "../../support/TempDir.h"
#include "common/Cp1251.h"
#include "conversion/InputFile.h"
#include "conversion/inference/Inference.h"

namespace tabulizer::inference {
namespace {

namespace fs = std::filesystem;

constexpr int kLongReportPages = 4000;  // 40,000 lines: beyond what the inference reads at once

// Page `p` of a ruled CP1251 report: a reference title, a numbered subtitle, the
// cap, three rows of codes found on no other page, and the page total.
std::string Page(int p) {
    std::string page = "ОТЧЁТ О ПРОДАЖАХ\r\nЛист " + std::to_string(p) +
                       "\r\n+------+--------+\r\n| Код  | Сумма  |\r\n+------+--------+\r\n";
    for (int row = 0; row < 3; ++row)
        page += "|" + std::to_string(100000 + p * 3 + row) + "| " + std::to_string(100 + row) + ".5  |\r\n";
    return page + "| Итого| 304.5  |\r\n+------+--------+\r\n";
}

const std::string kPostscript = "\r\nГлавный бухгалтер   Орлов\r\n";

std::string Report(int pages, const std::function<std::string(int)>& page = Page,
                   const std::string& end = kPostscript) {
    std::string text;
    for (int p = 1; p <= pages; ++p) text += page(p);
    return Utf8ToCp1251(text + end);
}

std::string FindingOf(const ReportInference& result, const std::string& element, bool& decided) {
    for (const Finding& f : result.findings)
        if (f.element == element) {
            decided = f.decided;
            return f.text;
        }
    decided = false;
    return "";
}

TEST(ReportReadingTest, LongReportIsDescribedAsItsShortTwin) {
    test::TempDir temp("tabulizer-report-reading");
    auto infer = [&temp](const std::string& bytes) {
        fs::path path = temp.path() / "report.txt";
        std::ofstream(path, std::ios::binary) << bytes;
        return InferReport(path.string());
    };
    const ReportInference twin = infer(Report(3));
    ASSERT_TRUE(twin.described) << twin.reason;
    const DocumentDescription& expected = twin.description;

    struct Case {
        const char* name;
        std::string report;
        const char* reason;     // nullptr: described
        int maxLength;          // the MaxLStr expected
        bool decided;           // the size finding
        const char* sizeText;   // part of the size finding
    } cases[] = {
        {"long", Report(kLongReportPages), nullptr, expected.MaxLStr, true,
         "строк: 40002, страниц: 4000, самая длинная строка 25 символов; остальное выведено по первым 29990 строкам "
         "и последней странице"},
        {"widest line far down", Report(kLongReportPages, [](int p) {
             std::string page = Page(p);
             if (p == 3500) page.insert(page.find(" 3500"), std::string(291, '.'));
             return page;
         }),
         nullptr, 300, true, "самая длинная строка 300 символов"},
        {"reference line stops", Report(kLongReportPages, [](int p) {
             return p <= kLongReportPages / 2 ? Page(p) : Page(p).substr(Page(p).find("Лист"));
         }),
         nullptr, expected.MaxLStr, false, "эталонная строка не встречается: всё это станет одной страницей"},
        {"form feed far down", Report(kLongReportPages, [](int p) { return p == 3500 ? "\f" + Page(p) : Page(p); }),
         nullptr, expected.MaxLStr, false, "перевод страницы впервые встречается в строке 34991"},
        {"line too long at the end", Report(kLongReportPages, Page, kPostscript + std::string(40000, 'x')),
         "строки длиннее 32767 символов", 0, true, ""},
    };
    for (const Case& c : cases) {
        ReportInference result = infer(c.report);
        if (c.reason) {
            EXPECT_FALSE(result.described) << c.name;
            EXPECT_EQ(result.reason, c.reason) << c.name;
            continue;
        }
        ASSERT_TRUE(result.described) << c.name << ": " << result.reason;
        const DocumentDescription& d = result.description;
        EXPECT_EQ(d.MaxLStr, c.maxLength) << c.name;
        // Pages, title, cap, columns, totals and the postscript of the last page.
        EXPECT_EQ(d.EtalStrN, expected.EtalStrN) << c.name;
        EXPECT_EQ(d.EtalStr, expected.EtalStr) << c.name;
        EXPECT_EQ(d.EndTitle, expected.EndTitle) << c.name;
        EXPECT_EQ(d.EndCap, expected.EndCap) << c.name;
        EXPECT_EQ(d.EndPoz, expected.EndPoz) << c.name;
        EXPECT_EQ(d.CountFixLines, expected.CountFixLines) << c.name;
        EXPECT_EQ(d.FixStr[0].Str, expected.FixStr[0].Str) << c.name;
        bool decided = true;
        std::string size = FindingOf(result, "Объём отчёта", decided);
        EXPECT_NE(size.find(c.sizeText), std::string::npos) << c.name << ": " << size;
        EXPECT_EQ(decided, c.decided) << c.name << ": " << size;
    }
    EXPECT_FALSE(expected.FixStr[0].Str.empty());
}

// A project value ends at a NUL byte: a total is kept up to it, a reference line
// holding one cannot be stored and the report is taken as one page.
TEST(ReportReadingTest, TextsAProjectCannotHoldAreLeftOut) {
    auto lines = [](const std::string& from, const std::string& to) {
        std::string text = Report(3);
        // The page total written across both columns: a fixed line, whose text is stored.
        const std::string row = Utf8ToCp1251("| Итого| 304.5  |"), across = Utf8ToCp1251("|  Итого  304.5  |");
        for (std::size_t at = text.find(row); at != std::string::npos; at = text.find(row, at)) text.replace(at, row.size(), across);
        std::size_t at = from.empty() ? std::string::npos : text.find(from);
        for (; at != std::string::npos; at = text.find(from, at + to.size())) text.replace(at, from.size(), to);
        std::vector<std::string> result;
        for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            result.push_back(text.substr(start, end - start));
        return result;
    };
    const std::string title = Utf8ToCp1251("ОТЧЁТ О ПРОДАЖАХ"), total = Utf8ToCp1251("Итого");
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        bool formFeed;
        std::string etalon, firstTotal;
    } cases[] = {
        {"as they are", lines("", ""), false, title, total},
        {"NUL in a total", lines(total, total + std::string(1, '\0') + "x"), false, title, total},
        {"NUL in the reference line", lines(title, title + std::string(1, '\0')), true, "", total},
    };
    for (const Case& c : cases) {
        ReportInference result = InferLines(c.lines);
        ASSERT_TRUE(result.described) << c.name << ": " << result.reason;
        EXPECT_EQ(result.description.FormFeed, c.formFeed) << c.name;
        EXPECT_EQ(result.description.EtalStr, c.etalon) << c.name;
        EXPECT_EQ(result.description.FixStr[1].Str, c.firstTotal) << c.name;
    }
}

// Of a line longer than asked only its beginning is kept; the next line is intact.
TEST(ReportReadingTest, OverlongLineIsReadInBoundedPieces) {
    test::TempDir temp("tabulizer-report-reading");
    fs::path path = temp.path() / "long.txt";
    std::ofstream(path, std::ios::binary) << std::string(200000, 'a') << "\r\nnext\rlast";
    InputFile input(path.string());
    std::string line;
    for (const char* expected : {"aaaa", "next", "last"}) {
        input.ReadLine(line, 4);
        EXPECT_EQ(line, expected);
    }
    EXPECT_TRUE(input.AtEnd());
}

}  // namespace
}  // namespace tabulizer::inference
