#!/usr/bin/env bash
# Describes examples/ved.txt through assistive technology alone and compares the
# workbook with that of examples/ved.ini (see ved_by_assistive_technology.py).
# Needs xvfb, openbox, at-spi2-core, python3-pyatspi and python3-openpyxl; not part
# of the test suite. BUILD_DIR=build by default.
set -euo pipefail
cd "$(dirname "$0")/../.."
BIN=$(realpath "${BUILD_DIR:-build}/tabulizer")
WORK=$(mktemp -d /tmp/tabulizer-at.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
xvfb-run -a -s "-screen 0 1600x1000x24" dbus-run-session -- bash -c "
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  sleep 1
  openbox >/dev/null 2>&1 &
  sleep 1
  /usr/bin/python3 tests/accessibility/ved_by_assistive_technology.py '$BIN' examples '$WORK'
"
