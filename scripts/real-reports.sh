#!/usr/bin/env bash
# Compares, for every report of tests/data/real, the workbook of the project that
# `tabulizer --describe` infers with the workbook of the hand-written project, and
# prints one line per report and the share of identical ones. Builds the program and
# the test binary first (into build/, or $BUILD_DIR).
#   scripts/real-reports.sh                    all reports
#   scripts/real-reports.sh CASE [CASE...]     only these
#   KEEP=DIR scripts/real-reports.sh           also keep each inferred project and
#                                              what --describe said, in DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir" --target tabulizer tabulizer_tests >/dev/null
if [ $# -gt 0 ]; then export TABULIZER_REAL_CASES=$(IFS=,; echo "$*"); fi
if [ -n "${KEEP:-}" ]; then export TABULIZER_REAL_KEEP=$(realpath -m "$KEEP"); fi
"$build_dir/tests/tabulizer_tests" --gtest_filter='RealReports.*' | grep -v '^\[\|^$\|^Running main\|^Note: ' || true
