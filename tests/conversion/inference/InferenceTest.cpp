// The element functions of the inference on small reports written in the test: the
// shapes they rely on and the cases where evidence is thin or misleading.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Cp1251.h"
#include "conversion/inference/Elements.h"
#include "conversion/inference/LineShapes.h"

namespace tabulizer::inference {
namespace {

std::vector<std::string> Cp1251(const std::vector<std::string>& utf8) {
    std::vector<std::string> lines;
    for (const auto& line : utf8) lines.push_back(Utf8ToCp1251(line));
    return lines;
}

TEST(InferenceShapesTest, RulesAndNumbers) {
    struct {
        const char* line;
        bool rule;
    } rules[] = {
        {"+-----+-----+", true},       {"¦=====+=====¦", true},  {"  ----------  ", true},
        {"-----   ------", true},      {"|  -  |  -  |", false}, {"| ----- | ----- |", false},
        {"¦ Итого ¦ 12 ¦", false},     {"--", false},           {"", false},
        {"LT+-", false},  // corners and tees without a line between them
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

    PageLayout single = InferPages(Cp1251({"ОТЧЁТ", "+---+", "| 1 |", "+---+"}));
    EXPECT_TRUE(single.formFeed);
    EXPECT_FALSE(single.finding.decided);
    ASSERT_EQ(single.pages.size(), 1u);

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
    // "Итого" alone would start the postscript at the total: the whole line is its text.
    EXPECT_EQ(d.FixStr[0].Str, Utf8ToCp1251("Итого  ______  Петров"));
    EXPECT_EQ(d.FormatCells[0], (FormatCell{1, 1, 4, 0}));
    EXPECT_EQ(d.FormatCells[2], (FormatCell{3, 3, 1, 2}));
    EXPECT_EQ(d.FormatCells[1], (FormatCell{2, 3, 1, 1}));
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
