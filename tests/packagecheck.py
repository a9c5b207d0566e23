#!/usr/bin/env python3
"""Checks the structure of an .xlsx package the way a strict reader meets it.

Usage: packagecheck.py FILE.xlsx [PART]   (prints PART's bytes when the package holds)

Lenient readers (openpyxl, Python's zipfile) trust the central directory alone and look
up parts by name; a spreadsheet program may stream the archive from its local headers,
and it resolves names and relationships strictly. So, besides the checksums:
  - every local header agrees with its central directory entry (method, flags, CRC,
    sizes, name), and the entries lie one after another up to the central directory;
  - every part has a content type, and every override names a part that exists;
  - every internal relationship points at a part that exists;
  - every sheet-local defined name belongs to a sheet that exists, and an autofilter's
    name refers to its own sheet.
A fault is printed on standard error and the exit status is 3.
"""
import posixpath
import struct
import sys
import zipfile
import xml.etree.ElementTree as ET

MAIN = "{http://schemas.openxmlformats.org/spreadsheetml/2006/main}"
TYPES = "{http://schemas.openxmlformats.org/package/2006/content-types}"
RELS = "{http://schemas.openxmlformats.org/package/2006/relationships}"


class Fault(Exception):
    pass


def check_headers(path, archive):
    with open(path, "rb") as f:
        data = f.read()
    entries = sorted(archive.infolist(), key=lambda i: i.header_offset)
    at = 0
    for info in entries:
        if info.header_offset != at:
            raise Fault(f"{info.filename}: local header at {info.header_offset}, expected at {at}")
        fixed = data[at:at + 30]
        (sig, _version, flags, method, _time, _date, crc, csize, usize, nlen, elen) = struct.unpack("<IHHHHHIIIHH", fixed)
        name = data[at + 30:at + 30 + nlen].decode("utf-8" if flags & 0x800 else "cp437")
        if sig != 0x04034B50:
            raise Fault(f"{info.filename}: no local header signature")
        got = (name, flags, method, crc, csize, usize)
        want = (info.filename, info.flag_bits, info.compress_type, info.CRC, info.compress_size, info.file_size)
        if flags & 0x8:  # sizes in a data descriptor: the header's may be zero
            got, want = got[:3], want[:3]
        if got != want:
            raise Fault(f"{info.filename}: local header {got} differs from the central directory {want}")
        at += 30 + nlen + elen + info.compress_size + (16 if flags & 0x8 else 0)
    directory = data.rfind(b"PK\x05\x06")
    start = struct.unpack("<I", data[directory + 16:directory + 20])[0]
    if start != at:
        raise Fault(f"the central directory starts at {start}, the last entry ends at {at}")


def check_parts(archive):
    names = set(archive.namelist())
    types = ET.fromstring(archive.read("[Content_Types].xml"))
    defaults = {d.get("Extension").lower() for d in types.iter(TYPES + "Default")}
    overrides = {o.get("PartName").lstrip("/") for o in types.iter(TYPES + "Override")}
    for part in overrides - names:
        raise Fault(f"content type for a part that does not exist: {part}")
    for part in names - {"[Content_Types].xml"}:
        if part not in overrides and part.rsplit(".", 1)[-1].lower() not in defaults:
            raise Fault(f"no content type for {part}")
    for rels in (n for n in names if n.endswith(".rels")):
        folder = posixpath.dirname(posixpath.dirname(rels))
        for rel in ET.fromstring(archive.read(rels)).iter(RELS + "Relationship"):
            if rel.get("TargetMode") == "External":
                continue
            target = rel.get("Target")
            part = target.lstrip("/") if target.startswith("/") else posixpath.normpath(posixpath.join(folder, target))
            if part not in names:
                raise Fault(f"{rels}: {rel.get('Id')} points at {target}, which is not in the package")


def check_defined_names(archive):
    workbook = ET.fromstring(archive.read("xl/workbook.xml"))
    sheets = [s.get("name") for s in workbook.iter(MAIN + "sheet")]
    for name in workbook.iter(MAIN + "definedName"):
        local = name.get("localSheetId")
        if local is None:
            continue
        if not 0 <= int(local) < len(sheets):
            raise Fault(f"{name.get('name')}: localSheetId {local} of {len(sheets)} sheets")
        if name.get("name") == "_xlnm._FilterDatabase":
            sheet = (name.text or "").rsplit("!", 1)[0].strip("'").replace("''", "'")
            if sheet != sheets[int(local)]:
                raise Fault(f"_xlnm._FilterDatabase of sheet {sheets[int(local)]} refers to {sheet}")


def check(path):
    """Raises Fault when the package at `path` is not sound; returns the open archive."""
    archive = zipfile.ZipFile(path)
    bad = archive.testzip()
    if bad is not None:
        raise Fault(f"{bad}: wrong checksum")
    check_headers(path, archive)
    check_parts(archive)
    check_defined_names(archive)
    return archive


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit("usage: packagecheck.py FILE.xlsx [PART]")
    try:
        archive = check(sys.argv[1])
    except Fault as fault:
        print(f"{sys.argv[1]}: {fault}", file=sys.stderr)
        sys.exit(3)
    if len(sys.argv) == 3:
        sys.stdout.buffer.write(archive.read(sys.argv[2]))


if __name__ == "__main__":
    main()
