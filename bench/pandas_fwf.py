#!/usr/bin/python3
"""What a user with pandas would do instead: read the report as fixed-width columns
and write the frame to one sheet. Nothing is cleaned: rules and titles come along.

Usage: pandas_fwf.py LAYOUT INPUT OUTPUT
"""
import sys

import pandas


def column_specs(layout_path):
    with open(layout_path, encoding="utf-8") as f:
        settings = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
    ends = [int(v) for v in settings["ends"].split(",")]
    return list(zip([0] + ends[:-1], ends))


def main():
    layout, source, target = sys.argv[1:4]
    frame = pandas.read_fwf(source, colspecs=column_specs(layout), header=None,
                            encoding="cp866")
    frame.dropna(how="all").to_excel(target, header=False, index=False)


if __name__ == "__main__":
    main()
