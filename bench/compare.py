#!/usr/bin/python3
"""Checks that the converter's workbook and the floor's hold the same cells, so the
timings compare the same work. The converter stands the pages in reverse order (the
last page is the first sheet); the floor writes them in page order. Texts are compared
trimmed: the converter keeps the blanks of information cells, the floor trims them.

Usage: compare.py CONVERTER.xlsx FLOOR.xlsx     (exit 1 on the first difference)
"""
import sys

import openpyxl


def sheets(path):
    book = openpyxl.load_workbook(path, read_only=True)
    for sheet in book.worksheets:
        cells = {}
        for row in sheet.iter_rows():
            for cell in row:
                value = cell.value
                if isinstance(value, str):
                    value = value.strip(" \u00a6")  # the total keeps its left rule
                if value not in (None, ""):
                    cells[(cell.row, cell.column)] = value
        yield cells


def main():
    converter, floor = sys.argv[1:3]
    ours = list(sheets(converter))[::-1]
    theirs = list(sheets(floor))
    if len(ours) != len(theirs):
        sys.exit(f"{len(ours)} sheets against {len(theirs)}")
    total = 0
    for page, (a, b) in enumerate(zip(ours, theirs), start=1):
        if a != b:
            diff = sorted(set(a.items()) ^ set(b.items()))[:5]
            sys.exit(f"page {page} differs: {diff}")
        total += len(a)
    print(f"same cells: {len(ours)} sheets, {total} cells")


if __name__ == "__main__":
    main()
