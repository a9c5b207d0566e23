// Pages, title, cap and separators inferred from small reports shaped like the real
// ones they failed on: each case is named after that fault.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/Cp1251.h"
#include "Cp1251Lines.h"
#include "conversion/inference/Elements.h"
#include "conversion/inference/Inference.h"

namespace tabulizer::inference {
namespace {

// `pages` copies of a page: `top` lines (with "#" for the page number), each page
// after the first starting with `feed`, then numbered data rows and the bottom rule.
std::vector<std::string> Paged(int pages, const std::vector<std::string>& top, int rows, const std::string& feed) {
    std::vector<std::string> lines;
    for (int p = 1; p <= pages; ++p) {
        for (std::size_t i = 0; i < top.size(); ++i) {
            std::string line = top[i];
            if (std::size_t at = line.find('#'); at != std::string::npos) line.replace(at, 1, std::to_string(p));
            lines.push_back((p > 1 && i == 0 ? feed : "") + line);
        }
        for (int r = 1; r <= rows; ++r) {
            std::string sum = std::to_string(10 * r) + ".25";
            lines.push_back("|" + std::to_string(100 * p + r) + " |" + std::string(7 - sum.size(), ' ') + sum + " |");
        }
        lines.push_back("+----+--------+");
    }
    return lines;
}

// Tables printed one after another in one file, each under its own heading.
std::vector<std::string> Tables(const std::vector<std::string>& headings) {
    std::vector<std::string> lines;
    for (std::size_t t = 0; t < headings.size(); ++t) {
        lines.push_back(headings[t]);
        for (const char* l : {"---------------------", ":  Счет  : Начислено :", "---------------------"})
            lines.push_back(l);
        for (const char* source : {": Бюджет :   23", ": Грант  :   50", ": Колледж:    1"})
            lines.push_back(source + std::to_string(t) + ".89  :");
        lines.push_back("---------------------");
    }
    return lines;
}

TEST(InferFrameTest, TitleCapAndPagesOfRealLayouts) {
    const std::string rule = "+----+--------+";
    struct Case {
        const char* fault;
        std::vector<std::string> lines;
        int endTitle, endCap;
        bool formFeed;
        std::vector<std::string> separators;  // those that must be listed
        std::vector<std::string> notSeparators;
    } cases[] = {
        {"cap_cut_before_lettered_column_numbers",
         {"Реестр накладных", "+----+----+--------+", "| N  |Дата| Сумма  |", "| п/п|    |        |",
          "+----+----+--------+", "| 1  | 1а |   2    |", "+----+----+--------+", "|101 |0103|  10.25 |",
          "|102 |0203|  20.25 |", "|103 |0303|  30.25 |", "+----+----+--------+"},
         1, 7, true, {"+----+----+--------+"}, {}},
        {"cap_cut_before_column_number_sums",
         {"Отчисления", "+----+----+--------+", "| Т/н|Нач.| Итого  |", "+----+----+--------+",
          "| 1  | 2  | 2+3+4  |", "+----+----+--------+", "| 17 |  18| 1894.04|", "| 23 |  21| 2189.37|",
          "+----+----+--------+"},
         1, 6, true, {}, {}},
        {"sheet_number_on_the_top_rule_taken_into_the_title",
         Paged(3, {"Ведомость за март", "+----T--------T   #", "|Таб.| Сумма  |", rule}, 4, "\f"), 1, 4, true,
         {rule}, {"+----T--------T   1"}},
        {"three_tables_under_their_own_headings_cut_as_pages",
         Tables({"Свод (исходный) за март", "Свод (после учета) за март", "Свод (скорректированный) за март"}), 1, 4,
         true, {"---------------------"}, {}},
        {"pages_whose_titles_differ_in_digits_only_are_still_pages",
         Paged(3, {"Ведомость на 0#.03.2010", rule, "|Таб.| Сумма  |", rule}, 4, ""), 1, 4, false, {rule}, {}},
        {"second_header_block_under_a_group_heading_left_out_of_the_cap",
         {"Сводная ведомость", "", "-------------------------------------",
          ":   Н А Ч И С Л Е Н И Я   : У Д Е Р Ж :", "-------------------------------------",
          ": Ш : ВИД  :   ИЗ  НИХ   : Ш :  ВИД   :", ": И :      :-------------: И :        :",
          ": Ф :      : ФЗП  : ФМП  : Ф :        :", "-------------------------------------",
          ":  1:Оклад : 18.45: 10.00:  3:Налог   :", ":  2:Стаж  : 21.10:  5.00:  4:Пенсия  :",
          ":  5:Премия: 96.00:  0.00:  6:Соцстрах:", ":  8:Отпуск: 30.55: 11.00:  7:Фонд    :",
          "-------------------------------------"},
         2, 9, true, {}, {}},
    };
    for (const Case& c : cases) {
        ReportInference result = InferLines(Cp1251(c.lines));
        ASSERT_TRUE(result.described) << c.fault << ": " << result.reason;
        const DocumentDescription& d = result.description;
        EXPECT_EQ(d.EndTitle, c.endTitle) << c.fault;
        EXPECT_EQ(d.EndCap, c.endCap) << c.fault;
        EXPECT_EQ(d.FormFeed, c.formFeed) << c.fault;
        std::vector<std::string> listed(d.SepStr.begin(), d.SepStr.begin() + d.CountSepL);
        for (const std::string& text : c.separators)
            EXPECT_NE(std::find(listed.begin(), listed.end(), Utf8ToCp1251(text)), listed.end()) << c.fault << ": " << text;
        for (const std::string& text : c.notSeparators)
            EXPECT_EQ(std::find(listed.begin(), listed.end(), Utf8ToCp1251(text)), listed.end()) << c.fault << ": " << text;
    }
}

TEST(InferFrameTest, HeaderCutByTheColumnEndsStaysInTheTitle) {
    struct Case {
        const char* fault;
        std::vector<std::string> lines;  // title line, then the cap
        std::vector<int> ends;
        bool kept;  // the cap went into the title
        std::vector<std::string> rows = {};
    } cases[] = {
        {"heading_words_over_the_gaps_between_fields_cut_into_cells",
         {"REPORT A/R", "Control#   Debit    REMARKS[1]"}, {}, true,
         {" 6096275   254.73  920741  Возврат", " 8072345   177.09  676513  Сторно", " 2434921    69.98  762830  Оплата"}},
        {"heading_words_over_their_fields_stay_a_cap",
         {"REPORT A/R", "Control#   Debit  Account Remark"}, {}, false,
         {" 6096275   254.73  920741  Возврат", " 8072345   177.09  676513  Сторно", " 2434921    69.98  762830  Оплата"}},
        {"words_over_unlined_columns_cut_into_cells",
         {"Отчисления", "                     Начислено   Получено"}, {23, 31, 41}, true},
        {"words_that_fit_their_columns_stay_a_cap",
         {"Отчисления", "                     Начислено   Получено"}, {20, 31, 41}, false},
        {"header_underlined_column_by_column_names_those_columns",
         {"Прайс-лист", "  Цена     Цена", "оптовая  розничн.", "======= ========"}, {5, 17}, false},
        {"heading_merged_over_columns_between_dividers",
         {"Форма", "|   в том числе   |", "| всего | из них  |", "+-------+---------+"}, {8, 18}, false},
    };
    for (const Case& c : cases) {
        Lines lines = Cp1251(c.lines);
        Page page;
        for (int i = 0; i < static_cast<int>(lines.size()); ++i) page.lines.push_back(i);
        Frame frame;
        frame.endTitle = frame.tableTop = 1;
        frame.endCap = static_cast<int>(lines.size());
        std::vector<int> rows;
        for (const std::string& row : Cp1251(c.rows)) {
            rows.push_back(static_cast<int>(lines.size()));
            lines.push_back(row);
        }
        KeepCutHeaderInTitle(lines, page, c.ends, rows, frame);
        EXPECT_EQ(frame.endTitle, c.kept ? frame.endCap : 1) << c.fault;
        EXPECT_EQ(frame.tableTop, 1) << c.fault;  // the rules above stay separators
        EXPECT_EQ(frame.finding.text.find("шапка оставлена в заголовке") != std::string::npos, c.kept) << c.fault;
    }
}

TEST(InferFrameTest, TheTableEndsAtItsOwnLastRule) {
    struct Case {
        const char* fault;
        std::vector<std::string> lines;  // title, cap of three lines, then the rest
        std::string firstAfter;          // the first line after the table; empty: none
    } cases[] = {
        {"count_boxes_under_the_form_taken_into_the_table",
         {"Форма 1ДФ", "+----+---------+", "| N  |  Сумма  |", "+----+---------+", "| 1  |  2928.80|",
          "| 2  |  1713.57|", "L----+----------", "", "  Рядків +--+  Осіб +--+", "         |30|       |28|",
          "         L---       L---", "  Керівник    Кравчук В.М."},
         "  Рядків +--+  Осіб +--+"},
        {"totals_in_cells_of_their_own_under_the_table_left_out_of_it",
         {"Касова книга", "----------------", "|Номер| Сума   |", "----------------", "|00419| 472.81 |",
          "|00398| 786.44 |", "----------------", "  Разом|1259.25 |", "       |--------|", " Залишок|3412.57|",
          "       |--------|", "", "Кассир ________"},
         "Кассир ________"},
    };
    for (const Case& c : cases) {
        Lines lines = Cp1251(c.lines);
        PageLayout layout;
        layout.pages.emplace_back();
        for (int i = 0; i < static_cast<int>(lines.size()); ++i) layout.pages[0].lines.push_back(i);
        Frame frame;
        frame.endTitle = frame.tableTop = 1;
        frame.endCap = 4;
        frame.ruled = true;
        Body body = FindBody(lines, layout, frame);
        std::vector<std::string> after;
        for (int i : body.afterTable)
            if (!lines[i].empty()) after.push_back(lines[i]);
        ASSERT_FALSE(after.empty()) << c.fault;
        EXPECT_EQ(after.front(), Utf8ToCp1251(c.firstAfter)) << c.fault;
    }
}

}  // namespace
}  // namespace tabulizer::inference
