#!/usr/bin/env bash
# Profiles the batch conversion of the 10k-line report under callgrind, with an
# optimised build that keeps debug information, and prints the costliest functions
# (inclusive and exclusive). Output: bench/out/callgrind.out and callgrind.txt.
#
# Environment: LINES_TO_PROFILE (default 10000), BUILD_DIR (default build-prof).
set -euo pipefail
cd "$(dirname "$0")/.."

LINES_TO_PROFILE=${LINES_TO_PROFILE:-10000}
BUILD_DIR=${BUILD_DIR:-build-prof}
OUT=bench/out
mkdir -p "$OUT"

command -v valgrind >/dev/null || { echo "profile.sh: valgrind is not installed" >&2; exit 1; }

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTABULIZER_BUILD_TESTS=OFF -DTABULIZER_BUILD_QT=OFF >/dev/null
cmake --build "$BUILD_DIR" --target tabulizer >/dev/null

if (( LINES_TO_PROFILE % 1000 == 0 )); then stem=report_$(( LINES_TO_PROFILE / 1000 ))k
else stem=report_$LINES_TO_PROFILE; fi
[[ -f $OUT/$stem.ini ]] || /usr/bin/python3 bench/generate.py --out "$OUT" "$LINES_TO_PROFILE" >/dev/null

valgrind --tool=callgrind --callgrind-out-file="$OUT/callgrind.out" \
    "$BUILD_DIR/tabulizer" "$OUT/$stem.ini" 2>"$OUT/callgrind.log"
{
    echo "== inclusive"
    callgrind_annotate --inclusive=yes "$OUT/callgrind.out" | head -60
    echo
    echo "== exclusive"
    callgrind_annotate "$OUT/callgrind.out" | head -60
} >"$OUT/callgrind.txt"
cat "$OUT/callgrind.txt"
