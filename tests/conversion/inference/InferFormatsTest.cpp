// Column formats inferred from small reports shaped as the real ones were: the text
// format "@" only where a spreadsheet would take a cell for a number it is not
// (identifiers, dates, long digit strings, ranges, lone signs), numbers on
// quantities and on the rows' own numbers, and no format on words.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Cp1251.h"
#include "conversion/inference/Elements.h"
#include "conversion/inference/Inference.h"

namespace tabulizer::inference {
namespace {

constexpr int kGeneral = 0, kNumber = 1, kText = 4;

struct FormatCase {
    const char* fault;
    std::vector<const char*> lines;
    std::vector<int> forms;  // per column; kGeneral: no record of its own
};

const FormatCase kCases[] = {
    {"stock card: a date column, a document number flush left, the row number under a "
     "header broken by a hyphen",
     {"КАРТОЧКА", "+--------+------+-------+-------+", "|  Дата  |Номер |Номер  |Кол-во |",
      "| записи |докум.|по по- |       |", "|        |      |рядку  |  шт.  |", "+--------+------+-------+-------+",
      "|01/03/04|3719  |      1|   7.00|", "|02/03/04|131   |      2|  15.00|", "|05/03/04|9455  |      3|  11.00|",
      "+--------+------+-------+-------+"},
     {kText, kText, kNumber, kNumber}},
    {"inventory act: a header word broken by a hyphen at a tee of the rule under a merged header",
     {"ВЕДОМОСТЬ", "+-----+-----------+", "|     |  Остаток  |", "|доку-+-----+-----|", "|мента|кол. |сумма|",
      "+-----+-----+-----+", "|  344|    7| 7.50|", "|   12|   15|15.00|", "| 9455|    3| 3.25|", "+-----+-----+-----+"},
     {kText, kNumber, kNumber}},
    {"cash order register: the desk number flush left under a plain word, lone signs, "
     "form numbers with letters under \"Номер\", names",
     {"РЕЕСТР", "------------------------------------------", "Касса|+/-|Номер бланка|Фамилия",
      "------------------------------------------", "1     -   АБ 796995    Мельник Г.И.",
      "1     +   ВГ 659267    Ткаченко М.В.", "1     +   АА 038948    Лысенко В.Д.",
      "1     -                Гуменюк Т.Р.", "------------------------------------------"},
     {kText, kText, kText, kGeneral}},
    {"bank statement: account numbers longer than a number keeps, under a header that names nothing",
     {"ВЫПИСКА", "+----------------------+------------+------------+", "|        Корр.         |   Дебет    |Содержание  |",
      "+----------------------+------------+------------+", "| 40702810400000012345 | 341,683.30 |Оплата      |",
      "| 30232810800000000231 |   4,534.57 |Возврат     |", "+----------------------+------------+------------+"},
     {kText, kNumber, kGeneral}},
    {"housing turnover: personal accounts flush right under \"О/Рах.\", flat numbers with a letter",
     {"ОБОРОТЫ", "+-----+------+--------+-----------+", "|№ п/п|О/Рах.|№ кварт.|Нараховано |",
      "+-----+------+--------+-----------+", "|    1|  1003|     60а|     359.50|", "|    2|  1006|      61|     207.00|",
      "|    3|  1009|      62|     547.50|", "+-----+------+--------+-----------+"},
     {kNumber, kText, kText, kNumber}},
    {"payroll accounts: the second table's cap among the rows leaves codes and accounts text",
     {"НАЧИСЛЕНИЯ", "----------------------------------", " Код|Наименование     |Счёт |   Сумма",
      "----------------------------------", "   1 Оклад               661  184520.45",
      "   2 Надбавка            661   21245.10", "   5 Премия              661   30125.55",
      "   7 Отпускные           471   14802.31", "  11 Больничные          652    3641.08",
      " Код|Наименование     |Счёт |   Сумма", "  14 Материальная помощь 661     500.00",
      "----------------------------------"},
     {kText, kGeneral, kText, kNumber}},
    {"wage ranges of a statistics form: numbers joined by \"=>\" are text, day counts are numbers",
     {"ФОРМА 1-ПВ", "--------------------------", "  Размер зарплаты   |Дней |", "--------------------------",
      "    0.00 =>  1073.00|   16|", " 1073.00 =>  1500.00|   11|", " 1500.00 =>  2000.00|   14|",
      " 2000.00 =>  2500.00|    9|", "10000.00 =>         |    3|", "--------------------------"},
     {kText, kNumber}},
    {"inventory act: an empty column takes the text format from its header \"Код\", not from \"Срок\"",
     {"АКТ", "+------------------+------+------+-----------+", "|   Наименование   | Код  | Срок |   Сумма   |",
      "+------------------+------+------+-----------+", "|Лицензия на ПО    |      |      |  47,424.42|",
      "|Страхование       |      |      |  56,482.20|", "+------------------+------+------+-----------+"},
     {kGeneral, kText, kGeneral, kNumber}},
    {"tax form: line numbers and income marks centred under \"Номер рядка\" and \"Ознака\"",
     {"ФОРМА", "+------+--------+--------+", "|Номер |Ознака  |Кількі- |", "|рядка |доходу  |сть     |",
      "+------+--------+--------+", "|  1   |  101   |      12|", "|  2   |  126   |       3|",
      "|  3   |  101   |     140|", "+------+--------+--------+"},
     {kText, kText, kNumber}},
    {"VAT register: short codes under \"вид документа\" are text, a currency under \"Вал\" stays general",
     {"РЕЄСТР", "+------+----+------------+", "|Вид   |Вал |    Сума    |", "|доку- |    |            |",
      "|мента |    |            |", "+------+----+------------+", "| ПНП  |KZT |    19909.46|",
      "| РКП  |KZT |    -1769.56|", "| ПНП  |KZT |     7643.52|", "| ПНП  |KZT |    12300.78|",
      "+------+----+------------+"},
     {kText, kGeneral, kNumber}},
    {"abbreviated headers of personnel, machine and payment codes: \"Т/н\", \"Маш.ном\", \"КНП\"",
     {"СПИСОК", "+----+--------+----+----------+", "|Т/н |Маш.ном |КНП |   Сумма  |", "+----+--------+----+----------+",
      "|  17| 8618731| 311|   1894.04|", "|  23| 6062000| 119|   2189.37|", "|  31| 7964626| 911|   3191.58|",
      "+----+--------+----+----------+"},
     {kText, kText, kText, kNumber}},
    {"transaction report without a cap: ids of letters and digits differ row by row (text), the "
     "operator's login repeats (no format)",
     {"ТРАНЗАКЦИИ", "+-------+-------+-----------+", "|T85389 |OPER12 |  254076.73|", "|T64672 |SAULE  |  177478.09|",
      "|T65301 |OPER12 |   69950.98|", "|T27018 |SAULE  |   33855.19|", "+-------+-------+-----------+"},
     {kText, kGeneral, kNumber}},
    {"fund totals: rates \"32%\" among the labels stay as printed, not fractions",
     {"ФОНДЫ", "+-----------+---------+", "|  C суммы  | 14675.22|", "|       32% |  4696.07|",
      "|      2.9% |   425.59|", "| К выдаче  | 12024.87|", "|  Налог    |  2122.03|", "+-----------+---------+"},
     {kText, kNumber}},
    {"tables one after another: their repeated cap \"Нач(0.5%)\" among the sums leaves them numbers",
     {"СВОД", "----------------------", ":  Счет  : Нач(0.5%) :", "----------------------",
      ":Бюджет  :   56087.78:", ":НИС     :  210595.12:", ":Гранты  :   26679.96:", ":Коллегж :  201728.34:",
      "----------------------", "СВОД 2", "----------------------", ":  Счет  : Нач(0.5%) :",
      "----------------------", ":Бюджет  :  123916.76:", ":НИС     :   13679.86:", ":Гранты  :  240621.70:",
      ":Коллегж :  117133.90:", "----------------------"},
     {kGeneral, kNumber}},
    {"row numbers printed flush left under \"N з/п\" stay numbers",
     {"ЖУРНАЛ", "+-----+-------------+", "|N з/п|    Сума     |", "+-----+-------------+", "|64   |      2117.04|",
      "|65   |      2559.24|", "|66   |      8646.34|", "+-----+-------------+"},
     {kNumber, kNumber}},
};

TEST(InferFormatsTest, TextFormatWhereASpreadsheetWouldMisreadTheCell) {
    for (const FormatCase& c : kCases) {
        SCOPED_TRACE(c.fault);
        std::vector<std::string> lines;
        for (const char* line : c.lines) lines.push_back(Utf8ToCp1251(line));
        ReportInference result = InferLines(lines);
        ASSERT_TRUE(result.described) << result.reason;
        const DocumentDescription& d = result.description;
        ASSERT_EQ(d.EndPoz[0], static_cast<int>(c.forms.size()));
        for (std::size_t col = 0; col < c.forms.size(); ++col) {
            const FormatCell& f = d.FormatCells[col];
            EXPECT_EQ(f.Col == 0 ? kGeneral : f.Form, c.forms[col]) << "column " << col + 1;
        }
    }
}

// Columns parted by ":" (their positions come from the columns element): the colons
// are table lines, and a narrow header written a letter a line reads as its word.
TEST(InferFormatsTest, ColonDividersAndHeadersWrittenDownwards) {
    Lines lines;
    for (const char* line : {":   : N :            :", ": Ш :МЕ-:   СУММА    :", ": И :СЯ-:            :",
                             ": Ф :ЦА :            :", ": Р :   :            :", ":  1: 10:  1845230.45:",
                             ":  2: 10:   212450.10:", ": 11: 11:    36410.08:"})
        lines.push_back(Utf8ToCp1251(line));
    Body body;
    body.rows = {5, 6, 7};
    Columns columns;
    columns.ends = {5, 9, 22};
    columns.dividers = {1, 5, 9, 22};
    Formats formats = InferFormats(lines, body, FixedLines{}, columns, {0, 1, 2, 3, 4});
    ASSERT_EQ(formats.cells.size(), 3u);
    EXPECT_EQ(formats.cells[0], (FormatCell{1, 1, kText, 0}));  // "ШИФР": codes of pay kinds
    EXPECT_EQ(formats.cells[1], (FormatCell{2, 1, kText, 0}));  // "N МЕСЯЦА": a month's number
    EXPECT_EQ(formats.cells[2], (FormatCell{3, 3, kNumber, 2}));
}

// A cap read as its column numbers alone says nothing of whole numbers under it: the
// guess is written and the element is named as undecided, with the columns.
TEST(InferFormatsTest, WholeNumbersUnderNoHeaderWordAreAGuess) {
    Lines lines = {"|  1  |   2    |   3   |", "|    1|  101   |  12.50|", "|    2|  126   |   3.00|"};
    Body body;
    body.rows = {1, 2};
    Columns columns;
    columns.ends = {7, 16, 24};
    columns.dividers = {1, 7, 16, 24};
    Formats formats = InferFormats(lines, body, FixedLines{}, columns, {0});
    EXPECT_FALSE(formats.finding.decided);
    EXPECT_EQ(formats.finding.text,
              "графа 1 — числа, знаков после точки: 0; графа 2 — числа, знаков после точки: 0; графа 3 — числа, знаков "
              "после точки: 2; целые числа в графах 1, 2 взяты за количества: в шапке над ними нет слов, по которым "
              "видно, не номера ли это");
}

// Thirty columns of sums would take 263 characters in the project, which holds 254:
// the last number columns give up their records (they only show the value), the
// codes keep theirs, and the element says which were left out.
TEST(InferFormatsTest, RecordsStayWithinWhatAProjectValueHolds) {
    std::string cap = "|", row = "|";
    Columns columns;
    for (int c = 1; c <= 30; ++c) {
        cap += c == 30 ? "Код  |" : "Сумма|";
        row += c == 30 ? "00123|" : " 1.50|";
        columns.ends.push_back(6 * c + 1);
        columns.dividers.push_back(6 * c + 1);
    }
    columns.dividers.insert(columns.dividers.begin(), 1);
    Lines lines = {Utf8ToCp1251(cap), row, row};
    Body body;
    body.rows = {1, 2};
    Formats formats = InferFormats(lines, body, FixedLines{}, columns, {0});
    ASSERT_EQ(formats.cells.size(), 30u);
    EXPECT_EQ(formats.cells[27], (FormatCell{28, 3, kNumber, 2}));
    EXPECT_EQ(formats.cells[28], FormatCell{});
    EXPECT_EQ(formats.cells[29], (FormatCell{30, 1, kText, 0}));
    EXPECT_FALSE(formats.finding.decided);
    EXPECT_TRUE(formats.finding.text.ends_with("; форматы граф 29 не вошли в проект (значение ключа — до 254 символов)"))
        << formats.finding.text;
}

}  // namespace
}  // namespace tabulizer::inference
