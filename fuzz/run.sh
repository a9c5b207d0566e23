#!/usr/bin/env bash
# Builds the fuzz targets with clang (ASan + UBSan) and runs each for N seconds
# (default 60): fuzz/run.sh [seconds] [loader|run|infer ...].
# Working corpora grow in $build/corpus/<target>/, crashing inputs land in
# $build/findings/<target>/; the regression inputs of tests/data/fuzz/<target>/
# and the examples are read as seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=${*:-loader run infer}
build=${FUZZ_BUILD_DIR:-build-fuzz}

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DTABULIZER_FUZZ=ON \
  -DTABULIZER_BUILD_QT=OFF -DTABULIZER_BUILD_TESTS=OFF >/dev/null
cmake --build "$build"

# Seeds: the example projects for the loader; for the run, each example report
# behind a few fixed headers (header length byte, then the header).
seeds="$build/seeds"
mkdir -p "$seeds/loader" "$seeds/run" "$seeds/infer"
cp examples/*.ini tests/data/projects/*.ini "$seeds/loader/"
# The same projects as a UTF-8 editor saves them, and one written on Windows.
for project in examples/*.ini; do
  iconv -f CP1251 -t UTF-8 "$project" >"$seeds/loader/utf8-$(basename "$project")"
done
sed 's/^NameIn=/NameIn=C:\\REP\\/; s/^NameOut=/NameOut=..\\out\\/' examples/ved.ini >"$seeds/loader/windows-ved.ini"
for report in examples/*.txt; do
  name=$(basename "$report" .txt)
  for header in '\x00' '\x08\x00\x01\x02\x03\x04\x05\x06\x07' '\x10\x21\xff\x02\x05\x03\x01\x02\x07\x01\x00\x02\x01\x03\x01\x01\x01'; do
    printf "$header" | cat - "$report" >"$seeds/run/$name-$(printf "$header" | od -An -tx1 | tr -d ' \n' | cut -c1-12)"
  done
done

# The inference reads reports as they are.
cp examples/*.txt tests/data/inference/*.txt "$seeds/infer/"
for report in tests/data/real/*/report.txt; do
  cp "$report" "$seeds/infer/real-$(basename "$(dirname "$report")").txt"
done

status=0
for target in $targets; do
  mkdir -p "$build/corpus/$target" "$build/findings/$target" "tests/data/fuzz/$target"
  extra=()
  [[ $target == loader ]] && extra+=(-dict=fuzz/loader.dict)
  "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=4096 -timeout=30 \
    -print_final_stats=1 -artifact_prefix="$build/findings/$target/" "${extra[@]}" \
    "$build/corpus/$target" "$seeds/$target" "tests/data/fuzz/$target" || status=$?
done
exit $status
