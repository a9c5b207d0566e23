#!/usr/bin/env bash
# Sets up, builds and converts the bundled example report in batch mode.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
project=${1:-examples/ved.ini}
build/tabulizer "$project"
echo "Converted $project -> $(dirname "$project")/$(sed -n 's/^NameOut=//p' "$project" | tr -d '\r')"
