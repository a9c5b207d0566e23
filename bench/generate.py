#!/usr/bin/python3
"""Generates large, realistic printed reports for the benchmark.

Each report is a warehouse stock sheet as an MS DOS accounting program printed it:
CP866 text with CR LF line ends, a table of 10 columns drawn with box characters,
pages of 60 lines that start with the same title line (the etalon line), a cap with
two merged header blocks, 50 information lines per full page, a per-page total
("Итого по листу") and, at the very end, the chief accountant's signature line.

Beside each report it writes
  * its project file (CP1251, CR LF) for the converter, and
  * a layout file (UTF-8) for the floor program, which knows nothing of projects.

Everything is drawn from a fixed-seed xorshift generator, so the same size always
gives the same bytes, whatever the Python version.

Usage: generate.py [--out DIR] [LINES ...]     (default: 10000 100000 300000)
"""

import argparse
import os
import sys

PAGE_LINES = 60
TITLE_LINES = 2
CAP_END = 7             # title lines 1-2, cap lines 3-7 (two of them separators)
FOOT_LINES = 3          # separator, per-page total, bottom line
TAIL_LINES = 2          # blank line and signature after the last page
WIDTHS = [7, 8, 26, 6, 10, 8, 14, 8, 14, 14]
MERGES = [(6, 7), (8, 9)]   # header blocks "Остаток на начало", "Поступило за месяц"
TOTAL_SPAN = (1, 4)         # the per-page total is written across columns 1..4

TITLE = "ВЕДОМОСТЬ УЧЕТА ДВИЖЕНИЯ МАТЕРИАЛОВ НА СКЛАДЕ"
TOTAL_TEXT = "Итого по листу"
SIGNATURE = "Главный бухгалтер"

NAMES = [
    "Болт М12х40", "Болт М16х60", "Гайка М12", "Гайка М16", "Шайба 12",
    "Кабель ВВГ 3х2.5", "Кабель АВВГ 4х16", "Провод ПВ-1 1.5",
    "Краска ПФ-115 белая", "Краска МА-15 серая", "Олифа натуральная",
    "Лист стальной 2 мм", "Лист оцинкованный 0.5", "Труба 57х3.5",
    "Труба 108х4", "Уголок 50х50х5", "Швеллер 12П", "Арматура А3 12 мм",
    "Электроды МР-3 4 мм", "Цемент М400", "Песок строительный",
    "Доска обрезная 40 мм", "Брус 100х100", "Фанера ФК 10 мм",
    "Стекло оконное 4 мм", "Рубероид РКП-350", "Гвозди строит. 100",
    "Лампа ЛБ-40", "Выключатель 1-кл.", "Розетка двойная",
    "Рукавицы брезентовые", "Спецодежда летняя", "Бумага писчая А4",
    "Папка-скоросшиватель", "Масло И-20А", "Бензин А-76", "Солидол Ж",
    "Подшипник 6205", "Ремень клиновой Б-1250", "Ветошь обтирочная",
]
UNITS = ["шт", "кг", "м", "т", "л", "компл", "м2", "м3", "уп", "пар"]
NOTES = ["в пути", "списано", "недостача", "излишек", "по акту 12",
         "на ремонт", "возврат пост.", "резерв цеха 3"]

# How an MS DOS box character reads once the report is brought into CP1251.
BOX_TO_1251 = {"─": "-", "│": "¦", "┌": "-", "┐": "¬", "└": "L", "┘": "-",
               "├": "+", "┤": "+", "┴": "+", "┼": "+", "┬": "T"}


class XorShift:
    """xorshift64*: small, fast and identical on every Python."""

    MASK = (1 << 64) - 1

    def __init__(self, seed):
        self.state = (seed * 0x9E3779B97F4A7C15 + 1) & self.MASK or 1

    def next(self):
        x = self.state
        x ^= x >> 12
        x ^= (x << 25) & self.MASK
        x ^= x >> 27
        self.state = x
        return (x * 0x2545F4914F6CDD1D) & self.MASK

    def below(self, n):
        return (self.next() >> 11) % n

    def pick(self, items):
        return items[self.below(len(items))]

    def chance(self, percent):
        return self.below(100) < percent


def column_ends():
    """1-based position of each column's right-hand line; a column owns its right line."""
    ends, pos = [], 1
    for w in WIDTHS:
        pos += w + 1
        ends.append(pos)
    return ends


ENDS = column_ends()
LINE_WIDTH = ENDS[-1]


def separator(left, right, joints):
    """A horizontal line; joints[i] is the character on the line after column i+1."""
    parts = [left]
    for w, joint in zip(WIDTHS, joints + [right]):
        parts.append("─" * w + joint)
    return "".join(parts)


def table_row(cells):
    """cells: list of (column span, text, alignment) filling the 10 columns in order."""
    parts, col = ["│"], 0
    for span, text, align in cells:
        width = sum(WIDTHS[col:col + span]) + span - 1
        if align == ">":
            text = text.rjust(width - 1) + " "
        elif align == "^":
            text = text.center(width)
        else:
            text = (" " + text).ljust(width)
        assert len(text) == width, (text, width)
        parts.append(text + "│")
        col += span
    return "".join(parts)


def number(value, decimals):
    return f"{value:.{decimals}f}" if decimals else str(value)


SEP_TOP = separator("┌", "┐", ["┬"] * 5 + ["─", "┬", "─", "┬"])
SEP_CAP = separator("├", "┤", ["┼"] * 9)
SEP_FOOT = separator("├", "┤", ["┴"] * 3 + ["┼"] * 6)
SEP_BOTTOM = separator("└", "┘", ["─"] * 3 + ["┴"] * 6)


def cap_lines():
    blank = (1, "", "<")
    first = table_row([(1, "N", "^"), (1, "Шифр", "^"), (1, "Наименование", "^"),
                       (1, "Ед.", "^"), (1, "Цена,", "^"), (2, "Остаток на начало", "^"),
                       (2, "Поступило за месяц", "^"), (1, "Примечание", "^")])
    # The merged blocks are underlined inside the cap: a partial line across columns 6..9.
    second = table_row([(1, "п/п", "^"), blank, (1, "материала", "^"), (1, "изм.", "^"),
                        (1, "руб.", "^"), blank, blank, blank, blank, blank])
    inner = "├" + "─" * WIDTHS[5] + "┬" + "─" * WIDTHS[6] + "┼" + "─" * WIDTHS[7] + "┬" \
        + "─" * WIDTHS[8] + "┤"
    second = second[:ENDS[4] - 1] + inner + second[ENDS[8]:]
    third = table_row([blank] * 5 + [(1, "кол-во", "^"), (1, "сумма", "^"),
                                     (1, "кол-во", "^"), (1, "сумма", "^"), blank])
    return [SEP_TOP, first, second, third, SEP_CAP]


CAP = cap_lines()


def etalon_line():
    return " " * ((LINE_WIDTH - len(TITLE)) // 2) + TITLE


def page_heading(page):
    middle = "за март 1998 г."
    left = "  Склад N 3"
    right = f"Лист {page}"
    start = (LINE_WIDTH - len(middle)) // 2
    line = left.ljust(start) + middle
    return line.ljust(LINE_WIDTH - len(right)) + right


def data_line(rng, serial):
    price = rng.below(300_000) / 100 + 0.5
    unit = rng.pick(UNITS)
    start = rng.below(1000) if rng.chance(85) else 0
    came = rng.below(500) if rng.chance(40) else 0
    note = rng.pick(NOTES) if rng.chance(12) else ""
    code = f"{rng.below(90) + 10}-{rng.below(10000):04d}"
    cells = [(1, str(serial), ">"), (1, code, "<"), (1, rng.pick(NAMES), "<"),
             (1, unit, "<"), (1, number(price, 2), ">"),
             (1, str(start), ">"), (1, number(start * price, 2), ">"),
             (1, str(came), ">"), (1, number(came * price, 2), ">"), (1, note, "<")]
    return table_row(cells), start * price, came * price


def page_lines(rng, page, data_count, serial):
    lines = [etalon_line(), page_heading(page)] + CAP
    sum_start = sum_came = 0.0
    for i in range(data_count):
        line, s, c = data_line(rng, serial + i)
        lines.append(line)
        sum_start += s
        sum_came += c
    blank = (1, "", "<")
    total = table_row([(4, TOTAL_TEXT, "<"), blank, blank, (1, number(sum_start, 2), ">"),
                       blank, (1, number(sum_came, 2), ">"), blank])
    lines += [SEP_FOOT, total, SEP_BOTTOM]
    return lines


def report_lines(total_lines, seed):
    """Exactly total_lines lines: full pages, a shorter last page and the signature."""
    fixed = CAP_END + FOOT_LINES
    pages = -(-total_lines // PAGE_LINES)
    last = total_lines - PAGE_LINES * (pages - 1) - fixed - TAIL_LINES
    if last < 1:
        sys.exit(f"generate.py: {total_lines} lines do not make a report")
    rng = XorShift(seed)
    serial = 1
    for page in range(1, pages + 1):
        count = PAGE_LINES - fixed if page < pages else last
        yield from page_lines(rng, page, count, serial)
        serial += count
    yield ""
    yield "   " + SIGNATURE + "  ______________  /Сидорова А.В./"


def to_1251(text):
    return "".join(BOX_TO_1251.get(ch, ch) for ch in text)


def project_text(name):
    """The project file, as the converter reads it (CP1251 after encoding)."""
    ends = ",".join(map(str, ENDS))
    dividers = ",".join(map(str, [1] + ENDS))
    # count, then column, alignment, format, decimals: numbers right with decimals,
    # the code as text, names and notes left.
    formats = [(1, 2, 1, 0), (2, 1, 4, 0), (3, 1, 0, 0), (4, 2, 0, 0), (5, 3, 1, 2),
               (6, 3, 1, 0), (7, 3, 1, 2), (8, 3, 1, 0), (9, 3, 1, 2), (10, 1, 0, 0)]
    format_cells = ",".join([str(len(formats))] + [str(v) for g in formats for v in g])
    merges = ",".join([str(len(MERGES))] + [f"4,{b},{e},2,1" for b, e in MERGES])
    lines = [
        "[Tabulizer]", "Version=1.0",
        "[General]", f"NameIn={name}.txt", f"NameOut={name}.xlsx", "OpenExcel=0",
        f"MaxLStr={LINE_WIDTH}", "Code=0",
        "[Horizon]", f"EndTitle={TITLE_LINES}", f"EndCap={CAP_END}", "FormFeed=0",
        "EtalStrN=1", f"EtalStr=#{etalon_line()}#",
        "CountSepL=3",
        f"R0=#{to_1251(SEP_TOP)}#", f"R1=#{to_1251(SEP_CAP)}#", f"R2=#{to_1251(SEP_BOTTOM)}#",
        "CountFixLines=1", f"FS0={TOTAL_SPAN[0]},{TOTAL_SPAN[1]},{TOTAL_TEXT}",
        f"PS=0,0,{SIGNATURE}",
        "NoSpace=1", "DelNull=1", f"MergeCl={merges}",
        "FontTitle=Arial,12,1", "FontCap=Arial,9,1", "FontInf=Courier New,9,0",
        "[Vertical]", f"EndPoz={ends}", f"PozDiv={dividers}", f"FormatCells={format_cells}",
        "WidthGraf=" + ",".join(str(w + 1) for w in WIDTHS),
    ]
    assert to_1251(SEP_FOOT) == to_1251(SEP_CAP)  # one pattern serves both lines
    return "\r\n".join(lines) + "\r\n"


def layout_text():
    """What the floor program needs to cut the report as the converter does."""
    merges = " ".join(f"4,{b},{e},2,1" for b, e in MERGES)
    return "\n".join([
        f"page_lines={PAGE_LINES}", f"title_lines={TITLE_LINES}", f"cap_end={CAP_END}",
        "ends=" + ",".join(map(str, ENDS)),
        "dividers=" + ",".join(map(str, [1] + ENDS)),
        f"merges={merges}",
        f"fixed={TOTAL_SPAN[0]},{TOTAL_SPAN[1]},{TOTAL_TEXT}",
        f"postscript={SIGNATURE}",
        "delete_zero=1",
    ]) + "\n"


def size_name(lines):
    return f"report_{lines // 1000}k" if lines % 1000 == 0 else f"report_{lines}"


def write_report(out_dir, lines):
    name = size_name(lines)
    with open(os.path.join(out_dir, name + ".txt"), "wb") as f:
        for line in report_lines(lines, seed=lines):
            f.write(line.encode("cp866") + b"\r\n")
    with open(os.path.join(out_dir, name + ".ini"), "wb") as f:
        f.write(project_text(name).encode("cp1251"))
    with open(os.path.join(out_dir, name + ".layout"), "w", encoding="utf-8") as f:
        f.write(layout_text())
    return name


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description="Generate benchmark reports.")
    parser.add_argument("--out", default=os.path.join(here, "out"))
    parser.add_argument("lines", nargs="*", type=int, default=[10_000, 100_000, 300_000])
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for lines in args.lines:
        print(os.path.join(args.out, write_report(args.out, lines) + ".ini"))


if __name__ == "__main__":
    main()
