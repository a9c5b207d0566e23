#!/usr/bin/env python3
"""Reads an .xlsx workbook back and prints what it holds, one fact per line.

Usage: readback.py FILE.xlsx

The package's structure is checked first (packagecheck.py): a fault ends the read
with its reason on standard error and a non-zero status.

For every sheet, in workbook order:
  sheet NAME [active]
  CELL KIND VALUE PROPERTIES...   every cell holding a value or a style, row by row
  merge A1:E1                     merged areas, sorted by top row, then left column
  width B 22.71                   columns with a width of their own (the width stored)
KIND is n (number), s (text), e (empty) or the reader's own type letter. Numbers
print without ".0" when whole; texts print between double quotes with " and \\
escaped by \\. PROPERTIES name only what differs from the default:
font="NAME" (other than Calibri) size=N (other than 11) bold italic
align=left|center|right|... order=ltr|rtl bottom=STYLE left=STYLE right=STYLE
(border styles as the file names them: hair, thin, thick, dashDot, mediumDashDot,
...) format="TEXT" (other than General).
"""
import sys

import openpyxl

import packagecheck
from openpyxl.utils import get_column_letter, range_boundaries


def number_text(value):
    if float(value).is_integer() and abs(value) < 1e15:
        return str(int(value))
    return repr(float(value))


def quoted(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def value_text(cell):
    if cell.value is None:
        return "e"
    if isinstance(cell.value, (int, float)) and not isinstance(cell.value, bool):
        return "n " + number_text(cell.value)
    if isinstance(cell.value, str):
        return "s " + quoted(cell.value)
    return cell.data_type + " " + quoted(str(cell.value))


def properties(cell):
    out = []
    font = cell.font
    if font.name and font.name != "Calibri":
        out.append("font=" + quoted(font.name))
    if font.sz is not None and float(font.sz) != 11:
        out.append("size=" + number_text(font.sz))
    if font.b:
        out.append("bold")
    if font.i:
        out.append("italic")
    if cell.alignment.horizontal and cell.alignment.horizontal != "general":
        out.append("align=" + cell.alignment.horizontal)
    order = int(cell.alignment.readingOrder or 0)
    if order:
        out.append("order=" + {1: "ltr", 2: "rtl"}.get(order, str(order)))
    for edge in ("bottom", "left", "right"):
        style = getattr(cell.border, edge).style
        if style:
            out.append(edge + "=" + style)
    if cell.number_format != "General":
        out.append("format=" + quoted(cell.number_format))
    return out


def print_sheet(sheet, cell_sheet, active):
    print("sheet " + sheet.title + (" active" if active else ""))
    for row in cell_sheet.iter_rows():
        for cell in row:
            if not getattr(cell, "coordinate", None):
                continue  # no cell in the file here
            if cell.value is None and not cell.has_style:
                continue
            print(" ".join([cell.coordinate, value_text(cell)] + properties(cell)))
    areas = sorted(sheet.merged_cells.ranges, key=lambda r: range_boundaries(str(r))[1::-1])
    for area in areas:
        print("merge " + str(area))
    widths = {}
    for dimension in sheet.column_dimensions.values():
        if dimension.customWidth and dimension.min:
            for column in range(dimension.min, dimension.max + 1):
                widths[column] = dimension.width
    for column in sorted(widths):
        print("width " + get_column_letter(column) + " " + number_text(round(widths[column], 2)))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: readback.py FILE.xlsx")
    try:
        packagecheck.check(sys.argv[1])
    except packagecheck.Fault as fault:
        sys.exit(f"{sys.argv[1]}: {fault}")
    # Cells come from a read-only load: a full load replaces the cells inside merged
    # areas by placeholders and loses their own formats. Merges and widths need it.
    book = openpyxl.load_workbook(sys.argv[1])
    cell_book = openpyxl.load_workbook(sys.argv[1], read_only=True)
    for sheet, cell_sheet in zip(book.worksheets, cell_book.worksheets):
        print_sheet(sheet, cell_sheet, sheet is book.active)


if __name__ == "__main__":
    main()
