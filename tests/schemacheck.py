#!/usr/bin/env python3
"""Validates every XML part of .xlsx packages against the Office Open XML schemas.

Usage: schemacheck.py SCHEMAS_DIR BOOK.xlsx...

Prints, for each book, one line per zip entry in the order of the archive:
  PART ok
  PART: MESSAGE                 (each schema error, or "no schema for this part")
Exits 1 when xmllint is missing.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile

SML = "ISO-IEC29500-4_2016/sml.xmlspace.xsd"
SCHEMAS = [
    (r"\[Content_Types\]\.xml", "ecma/fouth-edition/opc-contentTypes.xsd"),
    (r"(.*/)?_rels/[^/]*\.rels", "ecma/fouth-edition/opc-relationships.xsd"),
    (r"docProps/core\.xml", "ecma/fouth-edition/opc-coreProperties.local.xsd"),
    (r"docProps/app\.xml", "ISO-IEC29500-4_2016/shared-documentPropertiesExtended.xsd"),
    (r"xl/(workbook|styles|worksheets/sheet\d+)\.xml", SML),
]


def schema_for(part):
    for pattern, schema in SCHEMAS:
        if re.fullmatch(pattern, part):
            return schema
    return None


def check(schemas, book, work):
    names = zipfile.ZipFile(book).namelist()
    groups = {}
    with zipfile.ZipFile(book) as z:
        for i, part in enumerate(names):
            path = os.path.join(work, "%05d.xml" % i)
            with open(path, "wb") as f:
                f.write(z.read(part))
            groups.setdefault(schema_for(part), []).append((part, path))
    errors = {part: ["no schema for this part"] for part, _ in groups.pop(None, [])}
    for schema, parts in groups.items():
        run = subprocess.run(["xmllint", "--noout", "--schema", os.path.join(schemas, schema)] +
                             [path for _, path in parts], capture_output=True, text=True)
        for part, path in parts:
            if path + " validates" in run.stderr.splitlines():
                continue
            lines = [l[len(path) + 1:].strip() for l in run.stderr.splitlines() if l.startswith(path + ":")]
            errors[part] = lines or [run.stderr.strip() or "xmllint failed"]
    for part in names:
        for line in errors.get(part, []):
            print(f"{part}: {line}")
        if part not in errors:
            print(part, "ok")


def main():
    if not shutil.which("xmllint"):
        print("xmllint is missing (libxml2-utils)", file=sys.stderr)
        sys.exit(1)
    with tempfile.TemporaryDirectory() as work:
        for book in sys.argv[2:]:
            check(sys.argv[1], book, work)


if __name__ == "__main__":
    main()
