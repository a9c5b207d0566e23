#!/usr/bin/env bash
# Memory against the number of pages: converts a report made of PAGES pages of the
# example examples/ved.txt (its first page repeated, then its closing lines) and
# prints wall time and peak memory. The workbook must hold one sheet per page, so
# this is where memory that grows with the report would show.
#
# Environment: PAGES (default 32767, the most sheets a conversion makes), BUILD_DIR
# (default build-release, built as bench/run.sh builds it).
set -euo pipefail
cd "$(dirname "$0")/.."

PAGES=${PAGES:-32767}
BUILD_DIR=${BUILD_DIR:-build-release}
[[ -x /usr/bin/time ]] || apt-get install -y time >/dev/null

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTABULIZER_BUILD_TESTS=OFF >/dev/null
cmake --build "$BUILD_DIR" --target tabulizer >/dev/null

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
head -n 18 examples/ved.txt >"$WORK/page.txt"
for (( i = 0; i < PAGES; i++ )); do echo "$WORK/page.txt"; done | xargs cat >"$WORK/ved.txt"
tail -n 2 examples/ved.txt >>"$WORK/ved.txt"
cp examples/ved.ini "$WORK/ved.ini"

/usr/bin/time -f "%e %M" -o "$WORK/time" "$BUILD_DIR/tabulizer" "$WORK/ved.ini"
read -r wall kb <"$WORK/time"
sheets=$(unzip -l "$WORK/ved.xlsx" | grep -c 'xl/worksheets/sheet')
printf '%d pages (%d lines): %d sheets, wall %.2f s, peak %d MB\n' "$PAGES" \
    "$(wc -l <"$WORK/ved.txt")" "$sheets" "$wall" $(( kb / 1024 ))
