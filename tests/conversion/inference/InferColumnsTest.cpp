// Columns, vertical lines to blank, line length and merged cap cells inferred from
// small reports shaped like the real ones whose projects they got wrong.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Cp1251Lines.h"
#include "conversion/inference/Elements.h"
#include "conversion/inference/LineShapes.h"

namespace tabulizer::inference {
namespace {

struct ColumnsCase {
    const char* fault;
    int capFirst, capLast;           // 0-based lines of the cap; the table's rows follow it
    std::vector<std::string> lines;  // UTF-8
    std::vector<int> ends, dividers;
    int maxLength = 0;               // 0: not checked
    std::vector<MergeCell> merges = {};
};

// The elements of the columns as the inference runs them, on a one-page report whose
// cap is given: the table's rows run from the cap to its last rule.
struct Inferred {
    Columns columns;
    Merges merges;
};

Inferred InferTable(const Lines& lines, const ColumnsCase& c) {
    Body body;
    int last = static_cast<int>(lines.size()) - 1;
    while (last > c.capLast && !IsRule(lines[last])) --last;
    if (last == c.capLast) last = static_cast<int>(lines.size()) - 1;
    for (int i = c.capLast + 1; i <= last; ++i)
        if (!IsBlankLine(lines[i]) && !IsRule(lines[i])) body.rows.push_back(i);
    std::vector<int> capRows;
    Page page;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) page.lines.push_back(i);
    for (int i = c.capFirst; i <= c.capLast; ++i) capRows.push_back(i);
    Inferred result;
    result.columns = InferColumns(lines, body, {}, capRows, LongestLine(lines));
    FixedLines fixed = InferFixedLines(lines, body, result.columns.ends);
    SettleCapLines(lines, body, fixed, result.columns);
    Frame frame{.endTitle = c.capFirst, .endCap = c.capLast + 1, .ruled = true, .tableTop = c.capFirst, .finding = {}};
    result.merges = InferMerges(lines, page, frame, result.columns);
    AlignDividersWithMerges(lines, body, fixed, capRows, result.merges, result.columns);
    KeepTextUnblanked(lines, page, frame, body, fixed, result.merges, result.columns);
    return result;
}

TEST(InferColumnsTest, RealReportFaults) {
    const std::vector<std::string> boxCap = {"+----+----------+", "| Nr | Сумма    |", "+----+----------+"};
    const ColumnsCase cases[] = {
        {"a form feed that ends a page's last line counts in the line length",
         1, 3,
         {"ОТЧЁТ", boxCap[0], boxCap[1], boxCap[2], "| 1  |   12.50  |", "| 2  |    3.00  |", "+----+----------+\f"},
         {6, 17},
         {1, 6, 17},
         18},
        {"report form output: the cap's underline parts the columns, no merged cells",
         2, 4,
         {"ПРАЙС-ЛИСТ", "", "  Код Наименование      Цена Нац.", "      товара                  %",
          "===== ================= ====== ====", "  101 Гвозди              1.50 20.0",
          "   22 Шурупы длинные     12.00  5.5", "  303 Дюбели              0.75 12.5"},
         {6, 24, 31, 35},
         {}},
        {"unlined rows under the cap's lines: a total's currency begins on a line, a row's line is no text",
         1, 3,
         {"РЕЕСТР", "--------------------------------", " Nr |  Дата   |    Сумма |Банк |",
          "--------------------------------", "  1  01.11.03     548 000 АСБ", "  2  02.11.03   2 950 000 БПС",
          "Итого по дням  3 498 000 BYR", "    |         |          |     |"},
         {5, 15, 25, 32},
         {5, 15, 32}},
        {"colons drawn for the vertical lines",
         1, 3,
         {"Свод за март", "--------------------------", ":   Счет   :  Начислено :", "--------------------------",
          ":Бюджет    :   238353.89:", ":Спецфонд  :   404988.01:", ":Гранты    :    50235.98:",
          "--------------------------"},
         {12, 25},
         {1, 12, 25}},
        {"unlined rows: a heading crosses the gutters, a time's colons and a word of a remark part nothing",
         1, 3,
         {"РЕЕСТР ТРАНЗАКЦИЙ", "=================================================",
          "Control#     Debit  REMARKS              TIME", "=================================================",
          "Счет Г/К: 185010  Наименование: Расчеты  START: 1,842.92",
          " 6096275    254.73  Возврат суммы        17:27:46", " 8072345  1,177.09  Оплата по дог. N 14  12:46:52",
          " 2434921     69.98  Удержание            18:00:29", " 4134481    334.46  Оплата услуг         09:05:42",
          " 4295844    297.50  Аренда               12:38:49", " 7039428    216.38  Возврат              11:39:40",
          " 7508430  1,481.72  Сторно               18:07:28", " 6020907    161.07  Аванс                09:05:39",
          " 5866447    200.85  Оплата               18:19:52", " 1908940     33.19  Списание             13:59:32",
          "================================================="},
         {9, 20, 41, 56},  // the last column reaches the end of the heading
         {}},
        {"a letter-spaced name over colon-drawn columns is one merged cell, words apart within a column one name",
         1, 7,
         {"ВЕДОМОСТЬ", "---------------------------------", ":  Н  А  Ч  И  С  Л  Е  Н  О    :",
          "---------------------------------", ": N :   СУММА   : ИЗ  НИХ       :", ":   :           :---------------:",
          ":   :           : ФЗП   : ФМП   :", "---------------------------------",
          ":  1:   1845.45 :  10.00:  12.00:", ":  2:    212.10 :  11.00:  13.00:", "---------------------------------"},
         {5, 17, 25, 33},
         {1, 5, 17, 25, 33},
         0,
         {{3, 1, 4, 1, false}, {5, 3, 4, 2, true}}},
        {"rows broken over two lines draw the first lines once; a cap text runs over the rows' right edge",
         1, 5,
         {"РАСЧЁТ", "----------------------------------", " Т/н| Фамилия  |  П е н с и я    |",
          "    |          |-----------------|", "    |          |  32%   | 1+2+3+4|",
          "----------------------------------", "  17|Бондаренко|  606.09| 643.97|",
          "                        | 643.97|", "  23|Ковальчук |  700.60| 744.39|", "                        | 744.39|",
          "----------------------------------"},
         {5, 16, 25, 34},
         {1, 5, 16, 25, 33, 34},  // 1: the left line a merged cell's closing line is counted from
         0,
         {{3, 3, 4, 2, true}}},
        {"a cap word that ends on a column end in the letter standing for a box corner (\"послуг\") closes no merged cell",
         0, 4,
         {"+----+-----------------------+", "|  N | Опис послуг и работ   |", "|    +-----------+-----------+",
          "|    |   база    |    ПДВ    |", "+----+-----------+-----------+", "|  1 |    100.00 |     20.00 |",
          "|  2 |    200.00 |     40.00 |", "+----+-----------+-----------+"},
         {6, 18, 30},
         {1, 6, 18, 30},
         0,
         {{2, 2, 3, 2, true}}},
        {"rows without lines and no left line: after a merged name the run blanks the next name's "
         "cap-only line, under its last letter (\"КОНЕЦ\"); that line stays",
         0, 4,
         {"-------------------------------------", "         |   ПРИХОД    | КОНЕЦ       ",
          "Товар    |-----+-------|-----+-------", "         | к-во| сумма | к-во| сумма ",
          "-------------------------------------", "Болт        12  100.00      5   40.00",
          "Гайка        3   30.00      1   10.00", "-------------------------------------"},
         {10, 16, 24, 30, 37},
         {10, 16, 24},
         0,
         {{2, 2, 3, 2, true}, {2, 4, 5, 2, true}}},
        {"rows without lines whose group lines, merged from the first column, alone write at position 1: "
         "it is the left line, and every cap line is blanked with no letter lost",
         0, 4,
         {"-------------------------------------", "         |   ПРИХОД    | КОНЕЦ       ",
          " Товар   |-----+-------|-----+-------", "         | к-во| сумма | к-во| сумма ",
          "-------------------------------------", "СКЛАД N 2 (запчасти)",
          "  Болт      12  100.00      5   40.00", "  Гайка      3   30.00      1   10.00",
          "СКЛАД N 3 (инструмент)", "  Ключ       7   70.00      2   20.00", "-------------------------------------"},
         {10, 16, 24, 30, 37},
         {1, 10, 16, 24, 30},
         0,
         {{2, 2, 3, 2, true}, {2, 4, 5, 2, true}}},
        {"a colon line drawn in most rows stays blanked where a summary row of another shape writes a letter on it",
         0, 2,
         {"-------------------------", ": N :  Вид      :  Сумма :", "-------------------------",
          ":  1:Оклад      :  100.00:", ":  2:Премия     :   50.00:", ":  3:Отпускные  :   70.00:",
          ":  4:Больничные :   20.00:", "-------------------------", ":   :ИТОГО    :ДОЛГ  0.00:",
          "-------------------------"},
         {5, 17, 26},
         {1, 5, 17, 26}},
        {"rows without lines printed two positions left of the cap's boxes: the operation code runs over the "
         "cap's line at 16, so the column before ends ahead of it, and that line is not blanked",
         0, 2,
         {"+----+---------+---+", "| N  |  Сумма  |КОП|", "+----+---------+---+", "  1     12.50 101",
          "  2    310.00 108", "  3      7.25 101"},
         {6, 14, 20},
         {1, 6, 20}},
        {"rows without lines under a cap whose top rule carries the sheet number: its corner letters (\"T\") on "
         "the cap's lines are no text to keep",
         0, 2,
         {"-----T------T-------T------   1", "  N  |  Вид |  Сумма|  Код", "-----+------+-------+------",
          "  1    Оклад  100.00  11", "  2    Ссуда   50.00  12", "---------------------------"},
         {6, 13, 21, 31},
         {6, 13, 21}},
    };
    for (const ColumnsCase& c : cases) {
        const Lines lines = Cp1251(c.lines);
        Inferred got = InferTable(lines, c);
        EXPECT_EQ(got.columns.ends, c.ends) << c.fault;
        EXPECT_EQ(got.columns.dividers, c.dividers) << c.fault;
        if (c.maxLength > 0) {
            EXPECT_EQ(got.columns.maxLength, c.maxLength) << c.fault;
        }
        EXPECT_EQ(got.merges.cells, c.merges) << c.fault;
    }
}

}  // namespace
}  // namespace tabulizer::inference
