#!/usr/bin/env python3
"""Reads `perf record --call-graph dwarf` data of one batch conversion and prints where
the CPU time went: the share of each thread (the converting thread is the first), the
converting thread's time by stage of the conversion, and the functions costliest in
themselves on the converting thread and on the deflate workers.

Usage: perf_threads.py PERF.DATA [TOP]
"""
import collections
import subprocess
import sys

# Stages of the converting thread, by a function on the stack; the first that matches
# counts. Typed values are looked up before the cells they are read for.
STAGES = [
    ("typed values", ["tabulizer::sheet::ParseTyped"]),
    ("reading lines (read, CP866, classification)", ["tabulizer::LineReader::GetStr"]),
    ("cutting and storing cells", ["tabulizer::PutStr", "tabulizer::PutSep"]),
    ("page formatting", ["tabulizer::ConversionRun::PageEnd", "tabulizer::FormatStr", "tabulizer::SetFont"]),
    ("zip output: deflated parts copied, waiting for blocks", [
        "tabulizer::sheet::ZipWriter::Drain", "tabulizer::sheet::ZipWriter::End", "tabulizer::sheet::ZipWriter::Finish",
        "tabulizer::sheet::ZipWriter::Copy", "tabulizer::sheet::ZipWriter::Flush"]),
    ("sheet XML (as sheets are put aside; the active one at the save)", ["tabulizer::sheet::WriteHeldSheet"]),
    ("putting sheets aside (their records)", ["tabulizer::sheet::SheetSpill::Store"]),
    ("reading sheets back", ["tabulizer::sheet::SheetSpill::Load"]),
    ("start-up (dynamic loading)", ["_dl_start", "_dl_init"]),
]


def samples(path):
    text = subprocess.run(["perf", "script", "-i", path, "-F", "tid,ip,sym,dso"],
                          capture_output=True, text=True, check=True).stdout
    current = None
    for line in text.splitlines():
        if not line.strip():
            if current:
                yield current
            current = None
        elif not line.startswith("\t"):
            current = (int(line.split()[0]), [])
        elif current is not None:
            rest = line.strip().split(None, 1)[-1]
            symbol = rest[:rest.rfind("(")].strip() if rest.endswith(")") else rest
            if "+0x" in symbol:
                symbol = symbol[:symbol.rfind("+0x")]
            if symbol in ("", "[unknown]"):
                symbol = "[" + rest[rest.rfind("(") + 1:-1].split("/")[-1] + "]"
            current[1].append(symbol)
    if current:
        yield current


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit("usage: perf_threads.py PERF.DATA [TOP]")
    top = int(sys.argv[2]) if len(sys.argv) == 3 else 15
    stacks = list(samples(sys.argv[1]))
    threads = collections.Counter(tid for tid, _ in stacks)
    converting = min(threads)
    print(f"{len(stacks)} samples")
    for tid, count in sorted(threads.items()):
        role = "converting thread" if tid == converting else "deflate worker"
        print(f"  {100 * count / len(stacks):5.1f}%  {role} {tid}")
    mine = [frames for tid, frames in stacks if tid == converting]
    stages = collections.Counter()
    for frames in mine:
        stages[next((name for name, keys in STAGES if any(k in frames for k in keys)), "other")] += 1
    print("\nconverting thread, by stage")
    for name, _ in STAGES + [("other", [])]:
        print(f"  {100 * stages[name] / len(mine):5.1f}%  {name}")
    for label, group in (("converting thread", mine),
                         ("deflate workers", [f for tid, f in stacks if tid != converting])):
        if not group:
            continue
        own = collections.Counter(frames[0] if frames else "?" for frames in group)
        print(f"\n{label}, costliest in themselves")
        for symbol, count in own.most_common(top):
            print(f"  {100 * count / len(group):5.1f}%  {symbol[:100]}")


if __name__ == "__main__":
    main()
