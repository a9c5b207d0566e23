#!/usr/bin/env python3
"""Checks a flat table read back with openpyxl, and its CSV form with the csv module.

Usage: flatcheck.py FILE.xlsx [FILE.csv [excel]]

"excel": the CSV is the spreadsheet dialect (a byte order mark, ';' between
fields, a decimal comma in numbers), read with the csv module as such.

Prints, one fact per line:
  sheets N
  freeze CELL | filter RANGE | rows N       the sheet's frozen pane, autofilter, rows
  header TEXT|TEXT|...                      the first row, "(bold)" when every cell is bold
  numbers N                                 cells holding numbers below the header
  csv equal | csv differs ROW: XLSX != CSV  the CSV's values against the sheet's
  csv has no byte order mark               (excel only)
"""
import csv
import sys

import openpyxl

import packagecheck


def number(text, excel):
    """The number a CSV field holds: a decimal comma in the excel dialect, a point otherwise."""
    if text == "" or (excel and "." in text) or (not excel and "," in text):
        return None
    return float(text.replace(",", ".") if excel else text)


def main():
    try:
        packagecheck.check(sys.argv[1])
    except packagecheck.Fault as fault:
        sys.exit(f"{sys.argv[1]}: {fault}")
    book = openpyxl.load_workbook(sys.argv[1])
    sheet = book.active
    print("sheets", len(book.sheetnames))
    print("freeze", sheet.freeze_panes)
    print("filter", sheet.auto_filter.ref)
    print("rows", sheet.max_row)
    header = [c for c in sheet[1]]
    bold = all(c.font.b for c in header if c.value is not None)
    print("header", "|".join("" if c.value is None else str(c.value) for c in header), "(bold)" if bold else "")
    rows = [[c.value for c in row] for row in sheet.iter_rows(min_row=1, max_col=sheet.max_column)]
    numbers = sum(1 for row in rows[1:] for v in row if isinstance(v, (int, float)))
    print("numbers", numbers)
    if len(sys.argv) < 3:
        return
    excel = sys.argv[3:] == ["excel"]
    with open(sys.argv[2], newline="", encoding="utf-8") as f:
        raw = f.read()
    if excel and not raw.startswith("\ufeff"):
        print("csv has no byte order mark")
    raw = raw.removeprefix("\ufeff") if excel else raw
    if raw.count("\r\n") != raw.count("\n"):
        print("csv line ends are not CR LF")
    table = list(csv.reader(raw.splitlines(keepends=True), delimiter=";" if excel else ","))
    if len(table) != len(rows):
        print("csv differs in rows:", len(rows), "!=", len(table))
        return
    for r, (xrow, crow) in enumerate(zip(rows, table), start=1):
        for x, c in zip(xrow, crow + [""] * (len(xrow) - len(crow))):
            same = (x is None and c == "") or (isinstance(x, (int, float)) and number(c, excel) == x) \
                or (isinstance(x, str) and x == c)
            if not same:
                print("csv differs", r, ":", repr(x), "!=", repr(c))
                return
    print("csv equal")


if __name__ == "__main__":
    main()
