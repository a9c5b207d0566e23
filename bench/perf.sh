#!/usr/bin/env bash
# Profiles the batch conversion of a generated report with perf (call graphs unwound
# from DWARF, a Release build that keeps debug information) and prints where the CPU
# time went, per thread and by stage (perf_threads.py). Output:
# bench/out/perf_<report>.data and perf_<report>.txt.
#
# Environment: LINES_TO_PROFILE (default 100000), BUILD_DIR (default build-perf),
# FREQUENCY (samples per second, default 1500).
set -euo pipefail
cd "$(dirname "$0")/.."

LINES_TO_PROFILE=${LINES_TO_PROFILE:-100000}
BUILD_DIR=${BUILD_DIR:-build-perf}
FREQUENCY=${FREQUENCY:-1500}
OUT=bench/out
mkdir -p "$OUT"

command -v perf >/dev/null || { echo "perf.sh: perf is not installed" >&2; exit 1; }

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS="-g" \
    -DTABULIZER_BUILD_TESTS=OFF >/dev/null
cmake --build "$BUILD_DIR" --target tabulizer >/dev/null

if (( LINES_TO_PROFILE % 1000 == 0 )); then stem=report_$(( LINES_TO_PROFILE / 1000 ))k
else stem=report_$LINES_TO_PROFILE; fi
[[ -f $OUT/$stem.ini ]] || /usr/bin/python3 bench/generate.py --out "$OUT" "$LINES_TO_PROFILE" >/dev/null

# The project writes its workbook beside the report: a copy writes it into a scratch folder.
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
LC_ALL=C sed -e "s|^NameIn=.*\r\$|NameIn=$PWD/$OUT/$stem.txt\r|" \
             -e "s|^NameOut=.*\r\$|NameOut=$WORK/$stem.xlsx\r|" "$OUT/$stem.ini" >"$WORK/$stem.ini"

perf record -q -e cpu-clock -F "$FREQUENCY" --call-graph dwarf,16384 -o "$OUT/perf_$stem.data" \
    "$BUILD_DIR/tabulizer" "$WORK/$stem.ini"
/usr/bin/python3 bench/perf_threads.py "$OUT/perf_$stem.data" | tee "$OUT/perf_$stem.txt"
