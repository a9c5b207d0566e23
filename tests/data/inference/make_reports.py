#!/usr/bin/python3
"""Writes the small reports that the inference tests describe, each beside the
project a user would write for it by hand (REPORT.txt, REPORT.hand.ini).

The reports cover what can break an inference: no table lines at all, double
lines, a cap of one line, pages of unequal length, one page, a report wider than
200 characters, CP1251 with ASCII "|" and "-" tables, and tabs. Run it again after
changing a report; the written files are committed.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def boxed(widths, cells, v="│"):
    """A table line: each cell padded to its column's width, between vertical lines."""
    parts = [v]
    for w, text in zip(widths, cells):
        if text.startswith(">"):
            text = text[1:].rjust(w)
        parts.append(text.ljust(w)[:w] + v)
    return "".join(parts)


def rule(widths, left, mid, right, h="─"):
    return left + mid.join(h * w for w in widths) + right


BOX_TO_1251 = {"─": "-", "│": "¦", "┌": "-", "┐": "¬", "└": "L", "┘": "-",
               "├": "+", "┤": "+", "┴": "+", "┼": "+", "┬": "T"}


def to_1251(text):
    return "".join(BOX_TO_1251.get(ch, ch) for ch in text)


def write(name, lines, code, project):
    with open(os.path.join(HERE, name + ".txt"), "wb") as f:
        for line in lines:
            f.write(line.encode(code) + b"\r\n")
    text = "\r\n".join(project.strip().splitlines()) + "\r\n"
    with open(os.path.join(HERE, name + ".hand.ini"), "wb") as f:
        f.write(text.encode("cp1251"))


def unequal_pages():
    w = [4, 20, 10]
    top, mid, bot = rule(w, "┌", "┬", "┐"), rule(w, "├", "┼", "┤"), rule(w, "└", "┴", "┘")
    rows = [("01", "Основные средства", "12500.00"), ("02", "Амортизация", "-3100.50"),
            ("10", "Материалы", "845.10"), ("19", "НДС", "120.00"), ("20", "Основное пр-во", "5300.00"),
            ("41", "Товары", "77.70"), ("50", "Касса", "1.05"), ("51", "Расчётный счёт", "99000.00"),
            ("60", "Поставщики", "-4500.00")]
    lines, at = [], 0
    for page, count in enumerate([3, 5, 1], 1):
        lines += ["          ОСТАТКИ ПО СЧЕТАМ", f"  на 01.04.1999                стр. {page}", top,
                  boxed(w, ["Счёт", " Наименование", "   Остаток"]), mid]
        lines += [boxed(w, [f" {a} ", " " + b, ">" + c]) for a, b, c in rows[at:at + count]]
        at += count
        lines.append(bot)
    write("unequal_pages", lines, "cp866", """
[Tabulizer]
Version=1.0
[General]
NameIn=unequal_pages.txt
NameOut=unequal_pages.xlsx
MaxLStr=38
Code=0
[Horizon]
EndTitle=2
EndCap=5
FormFeed=0
EtalStrN=1
EtalStr=#          ОСТАТКИ ПО СЧЕТАМ#
CountSepL=3
R0=#-----T--------------------T----------¬#
R1=#+----+--------------------+----------+#
R2=#L----+--------------------+-----------#
[Vertical]
EndPoz=6,27,38
PozDiv=1,6,27,38
FormatCells=2,1,2,4,0,3,3,1,2
""")


def double_lines():
    w = [16, 9, 9]
    top, mid, bot = rule(w, "╔", "╦", "╗", "═"), rule(w, "╠", "╬", "╣", "═"), rule(w, "╚", "╩", "╝", "═")
    data = [[("Москва", "120", "98"), ("Тверь", "45", "51"), ("Итого", "165", "149")],
            [("Казань", "77", "80"), ("Самара", "64", "60"), ("Итого", "141", "140")]]
    lines = []
    for page in data:
        lines += ["   ВЫПУСК ПРОДУКЦИИ ПО ФИЛИАЛАМ", "", top,
                  boxed(w, [" Филиал", "  План", "  Факт"], "║"), mid]
        lines += [boxed(w, [" " + a, ">" + b + " ", ">" + c + " "], "║") for a, b, c in page]
        lines.append(bot)
    write("double_lines", lines, "cp866", """
[Tabulizer]
Version=1.0
[General]
NameIn=double_lines.txt
NameOut=double_lines.xlsx
MaxLStr=38
Code=0
[Horizon]
EndTitle=2
EndCap=5
FormFeed=0
EtalStrN=1
EtalStr=#   ВЫПУСК ПРОДУКЦИИ ПО ФИЛИАЛАМ#
CountSepL=3
R0=#г================T=========T=========¬#
R1=#¦================+=========+=========¦#
R2=#L================¦=========¦=========-#
CountFixLines=1
FS0=1,1,Итого
[Vertical]
EndPoz=18,28,38
PozDiv=1,18,28,38
FormatCells=2,2,3,1,0,3,3,1,0
""")


def one_line_cap():
    # Pages by form feed; the per-page total spans the first two columns.
    w = [6, 14, 9]
    top, mid = rule(w, "┌", "┬", "┐"), rule(w, "├", "┼", "┤")
    foot = "├" + "─" * w[0] + "┴" + "─" * w[1] + "┼" + "─" * w[2] + "┤"
    bot = "└" + "─" * (w[0] + 1 + w[1]) + "┴" + "─" * w[2] + "┘"
    lines = []
    for page, rows in enumerate([[("1", "Гвозди", "12.5"), ("2", "Шурупы", "3.25")],
                                 [("3", "Клей", "0.75")]], 1):
        if page > 1:
            lines.append("\f")
        lines += [f"Расход материалов, лист {page}", top, boxed(w, ["  N", " Материал", "   Вес"]), mid]
        lines += [boxed(w, [">" + a + " ", " " + b, ">" + c]) for a, b, c in rows]
        total = sum(float(c) for _, _, c in rows)
        lines += [foot, "│" + " Итого за лист".ljust(w[0] + w[1] + 1) + "│" + f"{total:.2f}".rjust(w[2]) + "│", bot]
    write("one_line_cap", lines, "cp866", """
[Tabulizer]
Version=1.0
[General]
NameIn=one_line_cap.txt
NameOut=one_line_cap.xlsx
MaxLStr=33
Code=0
[Horizon]
EndTitle=1
EndCap=4
FormFeed=1
CountSepL=3
R0=#-------T--------------T---------¬#
R1=#+------+--------------+---------+#
R2=#L---------------------+----------#
CountFixLines=1
FS0=1,2,Итого за лист
[Vertical]
EndPoz=8,23,33
PozDiv=1,8,23,33
FormatCells=2,1,3,1,0,3,3,1,2
""")


def one_page():
    # CP1251 text drawn with the CP1251 broken bar; a merged cap over two lines
    # without a line under it, and a signature.
    w = [12, 8, 8]
    top = "-" + "-" * w[0] + "T" + "-" * (w[1] + 1 + w[2]) + "¬"
    capsep = "+" + "-" * w[0] + "+" + "-" * w[1] + "T" + "-" * w[2] + "+"
    bot = "L" + "-" * w[0] + "+" + "-" * w[1] + "+" + "-" * w[2] + "-"
    lines = ["Справка о платежах за 1999 год", "", top,
             "¦" + " Получатель".ljust(w[0]) + "¦" + "   Сумма, руб.".ljust(w[1] + 1 + w[2]) + "¦",
             "¦" + "".ljust(w[0]) + "¦" + "   всего и в т.ч.".ljust(w[1] + 1 + w[2]) + "¦",
             "¦" + "".ljust(w[0]) + "¦" + "  всего".ljust(w[1]) + "¦" + " налог".ljust(w[2]) + "¦",
             capsep]
    for who, total, tax in [("Иванов", "1,200.00", "156.00"), ("Петров", "980.50", "127.47"),
                            ("Сидоров", "15.00", "1.95")]:
        lines.append(boxed(w, [" " + who, ">" + total, ">" + tax], "¦"))
    lines += [bot, "", "Исполнитель  __________  Кузнецова"]
    write("one_page", lines, "cp1251", """
[Tabulizer]
Version=1.0
[General]
NameIn=one_page.txt
NameOut=one_page.xlsx
MaxLStr=34
Code=1
[Horizon]
EndTitle=2
EndCap=7
FormFeed=1
CountSepL=3
R0=#-------------T-----------------¬#
R1=#+------------+--------T--------+#
R2=#L------------+--------+---------#
PS=0,0,Исполнитель
NoSpace=1
MergeCl=1,4,2,3,2,0
[Vertical]
EndPoz=14,23,32
PozDiv=1,14,23,32
FormatCells=2,2,3,1,2,3,3,1,2
""")


def wide():
    # 220 characters: twelve columns of a yearly table, pages by the reference line.
    w = [22] + [15] * 12
    w = w[:13]
    top, mid, bot = rule(w, "┌", "┬", "┐"), rule(w, "├", "┼", "┤"), rule(w, "└", "┴", "┘")
    months = ["Январь", "Февраль", "Март", "Апрель", "Май", "Июнь", "Июль", "Август", "Сентябрь",
              "Октябрь", "Ноябрь", "Декабрь"]
    lines = []
    for page, shops in enumerate([["Цех 1", "Цех 2"], ["Цех 3"]], 1):
        lines += ["ВЫРАБОТКА ПО МЕСЯЦАМ (тонн)".center(len(top)).rstrip(), f"Участок {page}", top,
                  boxed(w, [" Подразделение"] + ["  " + m for m in months]), mid]
        for n, shop in enumerate(shops):
            lines.append(boxed(w, [" " + shop] + [">" + f"{(n + 1) * 1000 + k * 37.5:.1f}" for k in range(12)]))
        lines.append(bot)
    # The editor copies the reference and separator lines from the converted text.
    r = [to_1251(x) for x in (top, mid, bot)]
    write("wide", lines, "cp866", f"""
[Tabulizer]
Version=1.0
[General]
NameIn=wide.txt
NameOut=wide.xlsx
MaxLStr=216
Code=0
[Horizon]
EndTitle=2
EndCap=5
FormFeed=0
EtalStrN=1
EtalStr=#{lines[0]}#
CountSepL=3
R0=#{r[0]}#
R1=#{r[1]}#
R2=#{r[2]}#
[Vertical]
EndPoz=24,40,56,72,88,104,120,136,152,168,184,200,216
PozDiv=1,24,40,56,72,88,104,120,136,152,168,184,200,216
FormatCells=12,2,3,1,1,3,3,1,1,4,3,1,1,5,3,1,1,6,3,1,1,7,3,1,1,8,3,1,1,9,3,1,1,10,3,1,1,11,3,1,1,12,3,1,1,13,3,1,1
""")


def ascii_1251():
    # CP1251 with ASCII lines: "|" and "-" only, a rule of dashes between groups.
    w = [10, 12, 9]
    dash = "-" * (sum(w) + len(w) + 1)
    cap = "|" + "|".join("-" * x for x in w) + "|"
    lines = []
    for page, rows in enumerate([[("000123", "Абрамов", "17.5%"), ("000124", "Белов", "4.0%")],
                                 [("000125", "Волков", "101.2%"), ("000126", "Гусев", "0.5%")]], 1):
        lines += ["ПРОЦЕНТ ВЫПОЛНЕНИЯ НОРМЫ", "Бригада " + str(page), dash,
                  boxed(w, [" Таб. N", " Фамилия", " %"], "|"), cap]
        for i, (a, b, c) in enumerate(rows):
            if i:
                lines.append(dash)
            lines.append(boxed(w, [" " + a, " " + b, ">" + c], "|"))
        lines += [dash, "Мастер          Орлов"]
    write("ascii_1251", lines, "cp1251", """
[Tabulizer]
Version=1.0
[General]
NameIn=ascii_1251.txt
NameOut=ascii_1251.xlsx
MaxLStr=35
Code=1
[Horizon]
EndTitle=2
EndCap=5
FormFeed=0
EtalStrN=1
EtalStr=#ПРОЦЕНТ ВЫПОЛНЕНИЯ НОРМЫ#
CountSepL=2
R0=#-----------------------------------#
R1=#|----------|------------|---------|#
PS=0,0,Мастер
[Vertical]
EndPoz=12,25,35
PozDiv=1,12,25,35
FormatCells=2,1,2,4,0,3,3,3,1
""")


def tabs():
    # Tabs before the table and inside the title: positions count after expansion.
    w = [14, 10]
    top, mid, bot = rule(w, "+", "+", "+", "-"), rule(w, "+", "+", "+", "-"), rule(w, "+", "+", "+", "-")
    lines = []
    for page, rows in enumerate([[("Молоко", "12.30"), ("Хлеб", "3.10")], [("Соль", "0.80")]], 1):
        if page > 1:
            lines.append("\f")
        lines += ["\tЦЕНЫ НА ТОВАРЫ\tлист " + str(page), "\t" + top, "\t" + boxed(w, [" Товар", " Цена"], "|"),
                  "\t" + mid]
        lines += ["\t" + boxed(w, [" " + a, ">" + b], "|") for a, b in rows]
        lines.append("\t" + bot)
    write("tabs", lines, "cp1251", """
[Tabulizer]
Version=1.0
[General]
NameIn=tabs.txt
NameOut=tabs.xlsx
MaxLStr=35
Code=1
[Horizon]
EndTitle=1
EndCap=4
FormFeed=1
CountSepL=1
R0=#        +--------------+----------+#
[Vertical]
EndPoz=24,35
PozDiv=9,24,35
FormatCells=1,2,3,1,2
""")


def no_lines():
    # No table lines at all: columns by blank gutters, a total per page.
    lines = []
    for page, rows in enumerate([[("Иванов И.И.", "00120", "1512.43"), ("Петров П.П.", "00127", "906.23")],
                                 [("Сидорова А.В.", "00134", "1604.52")]], 1):
        lines += ["         ВЕДОМОСТЬ ВЫПЛАТ", "         за май 1998 г., лист " + str(page), "",
                  "Фамилия И.О.     Таб.N      Сумма"]
        for a, b, c in rows:
            lines.append(a.ljust(17) + b + c.rjust(11))
        total = sum(float(c) for _, _, c in rows)
        lines.append("Итого по листу".ljust(22) + f"{total:.2f}".rjust(11))
        lines.append("")
    write("no_lines", lines, "cp1251", """
[Tabulizer]
Version=1.0
[General]
NameIn=no_lines.txt
NameOut=no_lines.xlsx
MaxLStr=33
Code=1
[Horizon]
EndTitle=3
EndCap=4
FormFeed=0
EtalStrN=1
EtalStr=#         ВЕДОМОСТЬ ВЫПЛАТ#
CountFixLines=1
FS0=1,1,Итого по листу
NoSpace=1
[Vertical]
EndPoz=17,24,33
FormatCells=2,2,1,4,0,3,3,1,2
DivideCol=1
""")


if __name__ == "__main__":
    for make in (unequal_pages, double_lines, one_line_cap, one_page, wide, ascii_1251, tabs, no_lines):
        make()
