#!/usr/bin/env bash
# The editor's view with the real widgets: `bench/editor/run.sh` times a header
# click and a page change on a 250-character, 32,000-line report (offscreen);
# `bench/editor/run.sh shots DIR [WIDTHxHEIGHT]` saves screenshots of the editor at
# every step on examples/ved.txt, of its help window at steps 1, 12 and 15 and of
# its options window, under Xvfb with a window manager (1600x1000 unless given).
set -euo pipefail
cd "$(dirname "$0")/../.."
BUILD_DIR=${BUILD_DIR:-build}
ninja -C "$BUILD_DIR" tabulizer_editor_bench >/dev/null
BIN="$BUILD_DIR/tabulizer_editor_bench"
if [[ "${1:-}" != shots ]]; then
    QT_QPA_PLATFORM=offscreen "$BIN"
    exit
fi
DIR=$(realpath -m "${2:?folder for the screenshots}")
xvfb-run -a -s "-screen 0 ${3:-1600x1000}x24" bash -c "openbox & sleep 1; QT_QPA_PLATFORM=xcb '$BIN' --shots '$DIR'"
