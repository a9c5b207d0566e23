#!/usr/bin/env bash
# Benchmark of the flat table and of many reports at once:
#  1. a generated report of LINES lines (default 300000): the paged workbook, the
#     flat .xlsx and the CSV, each with wall time and peak RSS;
#  2. COPIES copies (default 200) of a SMALL-line report (default 5000) converted in
#     one run with --jobs 1 and with --jobs 2.
# Environment: BUILD_DIR (default build-release; built in Release when missing).
# The figures are printed and left in bench/out/many.txt.
set -euo pipefail
cd "$(dirname "$0")/.."

LINES=${LINES:-300000}
COPIES=${COPIES:-200}
SMALL=${SMALL:-5000}
BUILD_DIR=${BUILD_DIR:-build-release}
OUT=bench/out
PY=/usr/bin/python3
mkdir -p "$OUT"

if [[ ! -x $BUILD_DIR/tabulizer ]]; then
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTABULIZER_BUILD_TESTS=OFF >/dev/null
    cmake --build "$BUILD_DIR" --target tabulizer >/dev/null
fi
BIN=$(realpath "$BUILD_DIR/tabulizer")

name_of() { if (( $1 % 1000 == 0 )); then echo "report_$(( $1 / 1000 ))k"; else echo "report_$1"; fi; }
for size in "$LINES" "$SMALL"; do
    [[ -f $OUT/$(name_of "$size").txt ]] || $PY bench/generate.py --out "$OUT" "$size" >/dev/null
done
big=$OUT/$(name_of "$LINES")
small=$OUT/$(name_of "$SMALL")

# Wall seconds and peak RSS (MB) of one command.
measure() {
    /usr/bin/time -f "%e %M" -o "$OUT/time.txt" "$@" >/dev/null
    read -r wall rss <"$OUT/time.txt"
    printf '%8.2f s %8.1f MB' "$wall" "$(echo "$rss / 1024" | bc -l)"
}

{
    echo "== $LINES-line report ($(wc -c <"$big.txt") bytes)"
    printf '%-12s' "paged .xlsx"; measure "$BIN" --project "$big.ini" --output "$OUT/many-paged.xlsx"; echo
    printf '%-12s' "flat .xlsx";  measure "$BIN" --project "$big.ini" --flat --output "$OUT/many-flat.xlsx"; echo
    printf '%-12s' "flat CSV";    measure "$BIN" --project "$big.ini" --csv --output "$OUT/many-flat.csv"; echo

    copies=$OUT/copies
    rm -rf "$copies" && mkdir -p "$copies/in" "$copies/out"
    for i in $(seq 1 "$COPIES"); do cp "$small.txt" "$copies/in/r$i.txt"; done
    echo "== $COPIES copies of a $SMALL-line report, $(nproc) cores"
    for jobs in 1 2; do
        printf '%-12s' "--jobs $jobs"
        measure "$BIN" --project "$small.ini" --output-dir "$copies/out" --jobs "$jobs" "$copies"/in/*.txt
        echo
    done
} | tee "$OUT/many.txt"
