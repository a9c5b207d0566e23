// The element functions of the inference on small reports written in the test: the
// shapes they rely on and the cases where evidence is thin or misleading.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/Cp1251.h"
#include "Cp1251Lines.h"
#include "conversion/inference/Elements.h"
#include "conversion/inference/LineShapes.h"

namespace tabulizer::inference {
namespace {

TEST(InferenceShapesTest, RulesAndNumbers) {
    struct {
        const char* line;
        bool rule;
    } rules[] = {
        {"+-----+-----+", true},       {"¦=====+=====¦", true},  {"  ----------  ", true},
        {"-----   ------", true},      {"|  -  |  -  |", false}, {"| ----- | ----- |", false},
        {"¦ Итого ¦ 12 ¦", false},     {"--", false},           {"", false},
        {"LT+-", false},  // corners and tees without a line between them
        {"  ........................  ", true}, {"Итого........", false}, {"..........", false},
    };
    for (const auto& c : rules) EXPECT_EQ(IsRule(Utf8ToCp1251(c.line)), c.rule) << c.line;

    struct {
        const char* text;
        bool number, percent;
        int decimals;
        bool leadingZero;
    } numbers[] = {
        {"1512.43", true, false, 2, false}, {"32,637.3", true, false, 1, false}, {"102.4%", true, true, 1, false},
        {"-3100.50", true, false, 2, false}, {"00120", true, false, 0, true},   {"0", true, false, 0, false},
        {"0.75", true, false, 2, false},     {"1,20.5", false, false, 0, false}, {"12-0345", false, false, 0, false},
        {".", false, false, 0, false},       {"", false, false, 0, false},
    };
    for (const auto& c : numbers) {
        NumberShape shape = ShapeOf(c.text);
        EXPECT_EQ(shape.number, c.number) << c.text;
        if (!c.number) continue;
        EXPECT_EQ(shape.percent, c.percent) << c.text;
        EXPECT_EQ(shape.decimals, c.decimals) << c.text;
        EXPECT_EQ(shape.leadingZero, c.leadingZero) << c.text;
    }
}

TEST(InferenceCodePageTest, BytesReadAsRussianTextInOneCodePage) {
    // "Итого │ 12" in CP866 and "Итого | 12" in CP1251; ASCII alone decides nothing.
    CodePage dos = InferCodePage({"\x88\xe2\xae\xa3\xae \xb3 12"});
    CodePage windows = InferCodePage(Cp1251({"Итого по листу | 12", "Всего"}));
    CodePage ascii = InferCodePage({"+---+", "| 1 |"});
    // Rules of CP1251 em dashes read as the letter "Ч" repeated in CP866.
    CodePage dashes = InferCodePage({std::string(12, '\x97'), "\xC8\xF2\xEE\xE3\xEE 12", std::string(12, '\x97')});
    EXPECT_TRUE(dashes.windows);
    EXPECT_TRUE(dashes.finding.decided);
    EXPECT_FALSE(dos.windows);
    EXPECT_TRUE(dos.finding.decided);
    EXPECT_TRUE(windows.windows);
    EXPECT_TRUE(ascii.windows);
    EXPECT_FALSE(ascii.finding.decided);
}

TEST(InferencePagesTest, ReferenceLineRepeatsWholePagesNotRules) {
    // A page number on line 1 disqualifies it; the rules repeat twice a page and
    // would cut pages of two lines; line 2 is the reference line.
    Lines lines;
    for (int page = 1; page <= 3; ++page) {
        lines.push_back("Лист " + std::to_string(page));
        for (const char* l : {"ОТЧЁТ", "+---+---+", "| А | Б |", "+---+---+", "| 1 | 2 |"}) lines.push_back(l);
        for (int row = 0; row < page; ++row) lines.push_back("| " + std::to_string(row) + " | 0 |");
        lines.push_back("+---+---+");
    }
    PageLayout layout = InferPages(Cp1251(lines));
    EXPECT_FALSE(layout.formFeed);
    EXPECT_EQ(layout.etalonLine, 2);
    EXPECT_EQ(layout.etalon, Utf8ToCp1251("ОТЧЁТ"));
    ASSERT_EQ(layout.pages.size(), 3u);
    EXPECT_EQ(layout.pages[0].size(), 8);  // pages of unequal length
    EXPECT_EQ(layout.pages[2].size(), 10);

    // No repeating line: one page, certain only when no longer than a printed page.
    for (int rows : {1, 69, 70}) {
        Lines text = {"ОТЧЁТ", "+---+"};
        text.insert(text.end(), rows, "| 1 |");
        text.push_back("+---+");
        PageLayout single = InferPages(Cp1251(text));
        EXPECT_TRUE(single.formFeed);
        EXPECT_EQ(single.finding.decided, text.size() <= 72) << text.size();
        ASSERT_EQ(single.pages.size(), 1u);
    }

    // A form feed at a line's end or before its text cuts the line as the conversion does.
    Lines split = SplitFormFeedLines({"A\f", "\fB", "C", "\f"});
    EXPECT_EQ(split, (Lines{"A", "\f", "\f", "B", "C", "\f"}));
    PageLayout feeds = InferPages(split);
    EXPECT_TRUE(feeds.formFeed);
    ASSERT_EQ(feeds.pages.size(), 2u);
    EXPECT_EQ(feeds.pages[1].lines, (std::vector<int>{3, 4}));
    EXPECT_TRUE(feeds.finding.decided);
}

TEST(InferenceReportTest, CapMergesTotalsAndPostscript) {
    ReportInference result = InferLines(Cp1251({
        "ОТЧЁТ",
        "-----T-----------¬",
        "¦ N  ¦  Сумма    ¦",
        "¦    +-----T-----+",
        "¦    ¦ план¦ факт¦",
        "+----+-----+-----+",
        "¦ 01 ¦ 1.5 ¦  2.0¦",
        "¦ 02 ¦ 2.5 ¦ 3.25¦",
        "¦ Итого по цеху 5¦",
        "L----+-----+------",
        "Итого  ______  Петров",
    }));
    ASSERT_TRUE(result.described) << result.reason;
    const DocumentDescription& d = result.description;
    EXPECT_EQ(d.EndTitle, 1);
    EXPECT_EQ(d.EndCap, 6);
    EXPECT_EQ(d.CountMerge, 1);
    EXPECT_EQ(d.MergeCl[0], (MergeCell{3, 2, 3, 2, true}));
    EXPECT_EQ(d.EndPoz[0], 3);
    EXPECT_EQ(d.EndPoz[3], 18);
    // The number after the label is dropped; the total reaches the next vertical line.
    EXPECT_EQ(d.CountFixLines, 1);
    EXPECT_EQ(d.FixStr[1], (FixLine{0, 1, 3, Utf8ToCp1251("Итого по цеху")}));
    // "Итого" alone would start the postscript at the total: the line's shortest
    // beginning found nowhere above is its text.
    EXPECT_EQ(d.FixStr[0].Str, Utf8ToCp1251("Итого  ______"));
    EXPECT_EQ(d.FormatCells[0], (FormatCell{1, 1, 4, 0}));
    EXPECT_EQ(d.FormatCells[2], (FormatCell{3, 3, 1, 2}));
    EXPECT_EQ(d.FormatCells[1], (FormatCell{2, 3, 1, 1}));
}

// A column is a percent column only when every number in it is one; of two totals
// where one label begins the other, the longer is matched first, or the shorter
// takes its lines and cuts the longer label.
TEST(InferenceReportTest, PercentColumnsAndTotalsOfTwoLengths) {
    ReportInference result = InferLines(Cp1251({
        "ОТЧЁТ",
        "-----T-----T-----¬",
        "¦ N  ¦ доля¦ факт¦",
        "+----+-----+-----+",
        "¦ 01 ¦ 12.5¦  2.0¦",
        "¦ 02 ¦  40%¦ 3.25¦",
        "¦ 03 ¦  7.5¦ 1.00¦",
        "¦ Итого     ¦ 6.25¦",
        "¦ 04 ¦  3.5¦ 1.00¦",
        "¦ Итого по цеху 5¦",
        "L----+-----+------",
    }));
    ASSERT_TRUE(result.described) << result.reason;
    const DocumentDescription& d = result.description;
    EXPECT_EQ(d.FormatCells[1].Col, 2);
    EXPECT_EQ(d.FormatCells[1].Form, 1);  // a number column, not percent
    ASSERT_EQ(d.CountFixLines, 2);
    EXPECT_EQ(d.FixStr[1], (FixLine{0, 1, 3, Utf8ToCp1251("Итого по цеху")}));
    EXPECT_EQ(d.FixStr[2], (FixLine{0, 1, 2, Utf8ToCp1251("Итого")}));
}

TEST(InferenceReportTest, LimitsOfTheProjectFormat) {
    // A table 300 characters wide: its rules do not fit a project value; 60 columns
    // are cut to 50.
    std::string rule = "+" , row = "|";
    for (int c = 0; c < 60; ++c) rule += "----+", row += " 1  |";
    ReportInference wide = InferLines({"T", rule, row, rule, row, row, rule});
    ASSERT_TRUE(wide.described) << wide.reason;
    EXPECT_EQ(wide.description.CountSepL, 0);
    EXPECT_EQ(wide.description.EndPoz[0], 50);
    EXPECT_EQ(wide.description.PozDiv[0], 50);
    int undecided = 0;
    for (const Finding& f : wide.findings) undecided += f.decided ? 0 : 1;
    EXPECT_GE(undecided, 2);

    EXPECT_FALSE(InferLines({}).described);
    EXPECT_FALSE(InferLines({"text", "more text"}).described);
}

}  // namespace
}  // namespace tabulizer::inference

namespace tabulizer::inference {
namespace {

// Layouts seen in printouts of real programs, each reduced to the few lines that
// show its trait, with what the description must say about them.
struct RealLayout {
    const char* trait;
    std::vector<std::string> lines;  // UTF-8; CP1251 table characters '|', '-', '+'
    std::function<void(const ReportInference&)> check;
};

std::vector<std::string> Pages(int count, const std::vector<std::string>& top, const std::vector<std::string>& rows,
                               const std::vector<std::string>& bottom = {}) {
    std::vector<std::string> lines;
    for (int p = 1; p <= count; ++p) {
        lines.insert(lines.end(), top.begin(), top.end());
        for (std::string row : rows) {
            std::size_t mark = row.find('#');
            lines.push_back(mark == std::string::npos ? row : row.replace(mark, 1, std::to_string(p)));
        }
        lines.insert(lines.end(), bottom.begin(), bottom.end());
    }
    return lines;
}

const std::vector<std::string> kCap = {"+----+----------+", "| Nr | Сумма    |", "+----+----------+"};

TEST(InferenceRealLayoutsTest, TraitsOfRealReports) {
    std::vector<std::string> leadBlank = Pages(3, {"ОТЧЁТ", kCap[0], kCap[1], kCap[2]}, {"| #  |   12.50  |", "+----+----------+"});
    leadBlank.insert(leadBlank.begin(), "");
    std::vector<std::string> once = Pages(3, {"ОТЧЁТ", kCap[0], kCap[1], kCap[2]}, {"| #  |   12.50  |", "+----+----------+"});
    once.insert(once.begin(), {"Организация: ООО \"Вектор\"", "Адрес: г. Тула"});
    std::vector<std::string> signed3 = Pages(3, {"ОТЧЁТ", kCap[0], kCap[1], kCap[2]}, {"| #  |   12.50  |"},
                                             {"+----+----------+", "Кассир  ____"});
    std::vector<std::string> feeds = Pages(2, {"ОТЧЁТ стр.", kCap[0], kCap[1], kCap[2]}, {"| #  |   12.50  |"},
                                           {"+----+----------+\f"});
    feeds.insert(feeds.begin(), {"Организация: ООО \"Вектор\"", "Адрес: г. Тула"});

    RealLayout cases[] = {
        {"an empty first line makes the first page one line longer", leadBlank,
         [](const ReportInference& r) {
             EXPECT_EQ(r.description.EtalStrN, 1);
             EXPECT_EQ(r.description.EndTitle, 1);
             EXPECT_EQ(r.description.EndCap, 4);
         }},
        {"a block printed once above the first page", once,
         [](const ReportInference& r) {
             EXPECT_EQ(r.description.EtalStrN, 1);
             EXPECT_EQ(r.description.EtalStr, Utf8ToCp1251("ОТЧЁТ"));
             EXPECT_EQ(r.description.EndCap, 4);
         }},
        {"a signature under every page ends the page, it does not start the next", signed3,
         [](const ReportInference& r) {
             EXPECT_EQ(r.description.EtalStrN, 1);
             EXPECT_EQ(r.description.FixStr[0].Str, Utf8ToCp1251("Кассир"));
         }},
        {"form feeds at line ends and a block printed once before the first page", feeds,
         [](const ReportInference& r) {
             EXPECT_TRUE(r.description.FormFeed);
             EXPECT_EQ(r.description.EndTitle, 1);
             EXPECT_EQ(r.description.EndCap, 4);
         }},
        {"a data line that recurs is no reference line",
         {"ВЕДОМОСТЬ", kCap[0], kCap[1], kCap[2], "|    |          |", "| 1  |    5.00  |", "|    |          |",
          "| 2  |    7.00  |", "|    |          |", "+----+----------+"},
         [](const ReportInference& r) {
             EXPECT_TRUE(r.description.FormFeed);
             EXPECT_EQ(r.description.EndCap, 4);
         }},
        {"a code box in the title is not the table",
         {"                 +-------+", "ФОРМА N 5        | 0401  |", "                 +-------+", "",
          "+----+----------+----+", "| Nr | Название | Кол|", "+----+----------+----+", "| 1  | Гвозди   |  12|",
          "| 2  | Шурупы   |   3|", "+----+----------+----+"},
         [](const ReportInference& r) {
             EXPECT_EQ(r.description.EndTitle, 4);
             EXPECT_EQ(r.description.EndCap, 7);
             EXPECT_EQ(r.description.CountSepL, 1);  // the box's rules stay title text
         }},
        {"a line of column numbers under the names belongs to the cap",
         {"ОТЧЁТ", "+----+-----+-----+", "|Мес.|Сумма|Кол. |", "+----+-----+-----+", "| А  |  1  |  2  |",
          "+----+-----+-----+", "|янв.|12.50|   1 |", "|фев.| 3.00|   2 |", "+----+-----+-----+"},
         [](const ReportInference& r) {
             EXPECT_EQ(r.description.EndCap, 6);
             EXPECT_EQ(r.description.FormatCells[1], (FormatCell{2, 3, 1, 2}));
         }},
        {"names apart under a merged name are cells of their own",
         {"ОТЧЁТ", "+----+-----------------+", "|Дата|     Обороты     |", "|    | Дебет   Кредит  |",
          "+----+--------+--------+", "| 1  |   1.00 |        |", "| 2  |        |   2.00 |", "+----+--------+--------+"},
         [](const ReportInference& r) {
             ASSERT_EQ(r.description.CountMerge, 1);
             EXPECT_EQ(r.description.MergeCl[0], (MergeCell{3, 2, 3, 1, false}));
         }},
        {"letter-spaced and Ukrainian totals, a label across the columns",
         {"ОТЧЁТ", "+------+--------+----+", "| Nr   | Сумма  | Кол|", "+------+--------+----+",
          "| 1    |  12.50 |   1|", "| И т о г о:    |   1|", "|Разом |  12.50 |   1|", "+------+--------+----+"},
         [](const ReportInference& r) {
             // "Разом" fits its column: nothing to merge, no fixed line.
             ASSERT_EQ(r.description.CountFixLines, 1);
             EXPECT_EQ(r.description.FixStr[1], (FixLine{0, 1, 2, Utf8ToCp1251("И т о г о:")}));
         }},
        {"a total with its sum under the last rule is a table row, the signature the postscript",
         {"ОТЧЁТ", kCap[0], kCap[1], kCap[2], "| 1  |   12.50  |", kCap[2], "Итого:     12.50",
          "Главный бухгалтер  ____"},
         [](const ReportInference& r) {
             EXPECT_EQ(r.description.FixStr[0].Str, Utf8ToCp1251("Главный бухгалтер"));
             EXPECT_EQ(r.description.CountFixLines, 0);  // "Итого:" fits its column
         }},
        {"a closing balance under the last rule opens the postscript",
         {"ВЫПИСКА", kCap[0], kCap[1], kCap[2], "| 1  |   12.50  |", kCap[2], "Сальдо на конец дня:  12.50"},
         [](const ReportInference& r) {
             EXPECT_EQ(r.description.FixStr[0].Str, Utf8ToCp1251("Сальдо на конец дня:"));
             EXPECT_EQ(r.description.CountFixLines, 0);
         }},
        {"data printed without the cap's lines, one of them over a digit",
         {"ЖУРНАЛ", "-----------------------", " Nr |  Сумма   | Прим.|", "-----------------------",
          "  1        12.50 авт.", "  2       112.50 руч.", "  3         1.50"},
         [](const ReportInference& r) {
             const DocumentDescription& d = r.description;
             ASSERT_EQ(d.EndPoz[0], 3);
             EXPECT_EQ(d.EndPoz[1], 5);
             EXPECT_EQ(d.EndPoz[2], 16);
             EXPECT_EQ(d.EndPoz[3], 23);
             ASSERT_EQ(d.PozDiv[0], 2);  // position 16 holds the last digits
             EXPECT_EQ(d.PozDiv[1], 5);
             EXPECT_EQ(d.PozDiv[2], 23);
         }},
        {"a table without lines: headings across the columns, colons closing labels",
         {"СВОД", "", "            Сумма   Получено", "", "Пенсионный фонд Украины", "  Начислено:100.00   100.00",
          "   Удержано:  1.50     1.50", "  Перечисл.: 98.50    98.50", "Фонд инвалидов", "  Начислено: 20.00    20.00",
          "   Удержано:  0.30     0.30", "  Перечисл.: 19.70    19.70"},
         [](const ReportInference& r) {
             const DocumentDescription& d = r.description;
             ASSERT_EQ(d.EndPoz[0], 3);
             EXPECT_EQ(d.EndPoz[1], 12);
             EXPECT_EQ(d.EndPoz[2], 19);  // the right-aligned numbers take the gutter's blanks
             ASSERT_EQ(d.CountFixLines, 2);
             // A heading over the whole row leaves its columns to the run.
             EXPECT_EQ(d.FixStr[1], (FixLine{0, 0, 0, Utf8ToCp1251("Пенсионный фонд Украины")}));
         }},
        {"whole numbers under a header naming numbers stay text; sums as printed are numbers",
         {"РЕЕСТР", "+------+--------------+----+", "|Номер |    Сумма     |Пп. |", "|докум.|              |    |",
          "+------+--------------+----+", "| 6521 | 1 234 567.89 | 1. |", "| 8569 |    1,234.56- | 2. |",
          "+------+--------------+----+"},
         [](const ReportInference& r) {
             EXPECT_EQ(r.description.FormatCells[0], (FormatCell{1, 1, 4, 0}));
             EXPECT_EQ(r.description.FormatCells[1], (FormatCell{2, 3, 1, 2}));
             EXPECT_EQ(r.description.FormatCells[2], (FormatCell{3, 1, 4, 0}));  // item numbers "1."
         }},
    };
    for (const RealLayout& c : cases) {
        SCOPED_TRACE(c.trait);
        ReportInference result = InferLines(Cp1251(c.lines));
        ASSERT_TRUE(result.described) << result.reason;
        c.check(result);
    }
}

}  // namespace
}  // namespace tabulizer::inference
