// Fixed lines and the postscript of small reports, each shaped after a real printout
// where an earlier reading lost or split text: which lines are kept out of the
// columns (over which columns, found by which text) and which text starts the block
// under the table. The title, cap and columns are given, as the elements before
// these would infer them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Cp1251Lines.h"
#include "common/Cp1251.h"
#include "conversion/inference/Elements.h"

namespace tabulizer::inference {
namespace {

// The fixed lines ("first-last text", 0-0 for the whole row) and the postscript ("PS text") of a report cut
// into pages of `pageLines` lines (0: one page); `dividers` are blanked out of its rows.
std::vector<std::string> Inferred(const std::vector<std::string>& report, int endTitle, int endCap,
                                  const std::vector<int>& ends, int pageLines, const std::vector<int>& dividers) {
    const Lines lines = Cp1251(report);
    const int count = static_cast<int>(lines.size());
    PageLayout layout;
    for (int first = 0; first < count; first += pageLines > 0 ? pageLines : count) {
        layout.pages.emplace_back();
        for (int i = first; i < std::min(count, pageLines > 0 ? first + pageLines : count); ++i)
            layout.pages.back().lines.push_back(i);
    }
    Frame frame;
    frame.endTitle = endTitle;
    frame.endCap = endCap;
    Postscript ps = InferPostscript(lines, layout, frame, ends);
    Body information;
    information.rows = ps.rows;
    std::vector<std::string> found;
    for (const FixLine& line : InferFixedLines(lines, information, ends, dividers).lines)
        found.push_back(std::to_string(line.BegCol) + "-" + std::to_string(line.EndCol) + " " + Cp1251ToUtf8(line.Str));
    found.push_back("PS " + Cp1251ToUtf8(ps.text));
    return found;
}

TEST(InferRowsTest, FixedLinesAndPostscriptOfRealLayouts) {
    struct Case {
        const char* fault;
        std::vector<std::string> report;
        int endTitle, endCap;
        std::vector<int> ends;
        int pageLines;
        std::vector<std::string> expected;
        std::vector<int> dividers = {};  // the cap's lines over rows printed without them
    } cases[] = {
        {"item headings alone in the first column were written cell by cell; one word names them all",
         {"ВЕДОМОСТЬ", "Наименование                        Цена      Кол.     Сумма", "Болт М16, Инв.номер 0281",
          "  Партия 12                         3.50     10.00     35.00",
          "  Партия 14                         3.60     20.00     72.00", "Гайка М8, Инв.номер 0533",
          "  Партия 7                          1.10      5.00      5.50", "Шайба 10, Инв.номер 0611",
          "  Партия 3                          0.20    100.00     20.00"},
         1, 2, {30, 40, 50, 60}, 0, {"0-0 Инв.номер", "PS "}},
        {"a total whose label fits its box was merged over the empty columns after it",
         {"РЕЕСТР", "+-----+----------+---------+", "| Nr  | Название | Сумма   |", "+-----+----------+---------+",
          "|  1  | Гвозди   |   12.50 |", "|  2  | Шурупы   |    3.00 |", "| Итого          |   15.50 |",
          "+-----+----------+---------+"},
         1, 4, {7, 18, 28}, 0, {"PS "}},
        {"a caption across a column end lost its first column; one whose colon stands on its column's line lost "
         "the colon to the blanked line; a label inside its own column is a row",
         {"КАССА", "------------------------------------------------",
          " Номер |       Кому        | Приход  | Расход  |", "------------------------------------------------",
          "      Остаток на начало дня:    100.00", " 00419    Мельник                12.50",
          " 00398    Ткаченко                          7.25", "                    Перенос:    112.50      7.25",
          " 00400    Шевчук                 10.00", "                   Сторно:     10.00",
          "------------------------------------------------", "Количество листов: 1"},
         1, 4, {8, 28, 38, 48}, 0, {"1-2 Остаток на начало дня:", "1-2 Перенос:", "PS Количество листов:"},
         {8, 28, 38, 48}},
        {"a label that the column ends cut inside its words was written cell by cell; a total within the first "
         "column lost its letters on the cap's lines (the left border and the column's end)",
         {"ПРИХОД", "+---+----------+------+------+----------+", "| N |   Дата   |Номер |Маш.  |   Сумма  |",
          "+---+----------+------+------+----------+", "   1 01.03.2005   2310  40517   20176.53",
          "   2 06.03.2005   2313  40539    1915.33", "Итого                           22091.86",
          "В т.ч. по операции        101   22091.86"},
         1, 4, {5, 16, 23, 30, 41}, 0, {"1-3 В т.ч. по операции", "1-2 Итого", "PS "}, {1, 5, 16, 23, 30, 41}},
        {"the number of a group written after its total's label was cut off into the next column",
         {"РЕЕСТР", "------------------------------------------", " Nr   Получатель  Дата              Сумма",
          "------------------------------------------", " 146  Атлант        14.11.2003     548 000",
          " 157  Гомель        20.11.2003      12 000", " Итого по группе 22                560 000",
          " Итого по группе 5                 560 000"},
         1, 4, {5, 16, 30, 42}, 0, {"1-3 Итого по группе", "PS "}},
        {"a balance and a continuation line under an unruled table started a postscript of empty rows",
         {"БАНК", "====================================================",
          " Nr            Дебет      Кредит  Примечание", "====================================================",
          "Счет 185011  Наименование: Расчеты с 1  НАЧАЛО: 1,842.92", " 6096         254.73              Возврат",
          " 8072                     177.09  Сторно", "          ----------  ----------",
          "              254.73      177.09", "", "КОНЕЧНЫЙ ОСТАТОК: 1,262.38", "", "Продолжение следует ...", "БАНК",
          "====================================================", " Nr            Дебет      Кредит  Примечание",
          "====================================================",
          "Счет 185012  Наименование: Расчеты с 2  НАЧАЛО: 1,842.92", " 6096         254.73              Возврат",
          " 8072                     177.09  Сторно", "          ----------  ----------",
          "              254.73      177.09", "", "КОНЕЧНЫЙ ОСТАТОК: 1,262.38", "", "Продолжение следует ..."},
         1, 4, {8, 20, 32, 52}, 13, {"0-0 Продолжение следует", "0-0 КОНЕЧНЫЙ ОСТАТОК:", "0-0 Счет", "PS "}},
        {"the text under an unruled table was taken for fixed lines; the total before it stays a row",
         {"НАКЛАДНАЯ", "--------------------------------------------", " N   Наименование           Кол.       Сумма",
          "--------------------------------------------", " 1   Олифа               232.537    13086.76",
          " 2   Труба                33.033     7009.51", "                        Итого  :    20096.27",
          "Всего отпущено наименований : 2", "на сумму: Двадцать тысяч руб.", "",
          " Отпуск разрешил ___________   Отпустил ________"},
         1, 4, {5, 20, 32, 44}, 0, {"PS Всего отпущено наименований"}},
        {"a total whose sums the columns would cut, under the closing rule, is the postscript",
         {"ОБОРОТЫ", "+-----+-------+-------+", "| Nr  |  Нач. |  Опл. |", "+-----+-------+-------+",
          "|   1 | 359,5 |   360 |", "|   2 |   207 | 248,4 |", "+-----+-------+-------+",
          "    Всього:   42 377,98 30 840,53"},
         1, 4, {7, 15, 23}, 0, {"PS Всього:"}},
        {"the total of each sheet, followed by the sum in words, was split into cells",
         {"СПИСОК", "+-----+----------+---------+", "| Nr  | Название | Сумма   |", "+-----+----------+---------+",
          "|  1  | Жукова   |   47.06 |", "|  2  | Осипов   |   34.50 |", "+-----+----------+---------+",
          " Итого по листу   1:          81.56", " Восемьдесят один рубль 56 копеек", "",
          "   Гл. бухгалтер    ________", "СПИСОК", "+-----+----------+---------+", "| Nr  | Название | Сумма   |",
          "+-----+----------+---------+", "|  1  | Жукова   |   47.06 |", "|  2  | Осипов   |   34.50 |",
          "+-----+----------+---------+", " Итого по листу   2:          81.56", " Восемьдесят один рубль 56 копеек",
          "", "   Гл. бухгалтер    ________"},
         1, 4, {7, 18, 28}, 11, {"PS Итого по листу"}},
        {"small boxes of counts under the table moved the postscript below them",
         {"ФОРМА", "+-----+----------+---------+", "| Nr  | Название | Сумма   |", "+-----+----------+---------+",
          "|  1  | Жукова   |   47.06 |", "|  2  | Осипов   |   34.50 |", "+-----+----------+---------+", "",
          "   Кiлькiсть рядкiв +----+  Аркушiв +----+", "                    |  30|          |   4|",
          "                    +----+          +----+", "   Керiвник ______________"},
         1, 4, {7, 18, 28}, 0, {"PS Кiлькiсть рядкiв"}},
        {"a box of totals hung under the table was taken for the postscript",
         {"КНИГА", "+-----+----------+---------+", "| Nr  | Название | Сумма   |", "+-----+----------+---------+",
          "|  1  | Жукова   |   47.06 |", "|  2  | Осипов   |   34.50 |", "+-----+----------+---------+",
          "    Разом за день|   81.56 |", "                 |---------|", "Количество листов:3", "",
          "    Кассир__________"},
         1, 4, {7, 18, 28}, 0, {"1-2 Разом за день", "PS Количество листов:"}},
        {"the postscript's first words also begin the group totals: its text grows until found nowhere above",
         {"РЕЕСТР", "---------------------------------------------", " Дата       Номер  Получатель           Сумма",
          "---------------------------------------------", " Приоритет исполнения : 3",
          " 14.11.2003 146    ЗАО Атлант         548 000", " 20.11.2003 746    Фонд соцзащиты     950 000",
          " Итого  по  приоритету 3            1 498 000", "---------------------------------------------",
          " Итого  по  реестру :  цифрами      1 498 000", "      прописью  Один миллион рублей"},
         1, 4, {12, 19, 35, 45}, 0, {"1-3 Итого  по  приоритету", "0-0 Приоритет исполнения", "PS Итого  по  реестру"}},
        {"rules of dashes stopping short of the closing colon did not close the table",
         {"СВОД", "--------------------------------------------", ": Ш :  ВИД         :   СУММА    :  ИЗ НИХ  :",
          "--------------------------------------------", ":  1:Оклад         :  1845230.45:   1230.45:",
          ":  2:Надбавка      :   212450.10:    450.10:", "-------------------------------------------",
          ": 99:ВСЕГО         :  2057680.55:   1680.55:", "-------------------------------------------", "",
          "Главный бухгалтер               Н.В. Сидоренко"},
         1, 4, {5, 20, 33, 44}, 0, {"PS Главный бухгалтер"}},
        {"a label beside its number was taken for a heading across the columns",
         {"СВОД", "                       Начислено  Получено", "Пенсионный фонд Украины",
          "             Начислено:14675.22  14675.22", "Обязательные удержания: 2650.35   2650.35",
          "                 Итого: 4989.58   4989.58", "Фонд инвалидов", "             Начислено:0.00          0.00"},
         1, 2, {23, 31, 41}, 0, {"0-0 Пенсионный фонд Украины", "0-0 Фонд инвалидов", "PS "}},
        {"the rest of a name wrapped in its column was merged over the row as a heading",
         {"ПРАЙС", "  Код    Наименование               Цена", "  ** Группа: 01 Мука",
          "  0101   Мука пшеничная            12.50", "         высший сорт", "  ** Группа: 02 Крупы",
          "  0201   Крупа манная               8.40", "         фасованная"},
         1, 2, {30, 40}, 0, {"0-0 ** Группа:", "PS "}},
        {"the count of documents in a total's label kept the next report's total out of the fixed line",
         {"БАНК", "----------------------------------------", " Nr  Дата      Счет              Сумма",
          "----------------------------------------", " 1   01.02.08  4070281        1,204.40",
          " 2   02.02.08  4070282          336.00", "ИТОГО: 2 докум.                  1,540.40"},
         1, 4, {5, 14, 24, 40}, 0, {"1-3 ИТОГО:", "PS "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        EXPECT_EQ(Inferred(c.report, c.endTitle, c.endCap, c.ends, c.pageLines, c.dividers), c.expected);
    }
}

}  // namespace
}  // namespace tabulizer::inference
