#!/usr/bin/env bash
# Sets up, builds and runs every test; then builds the tests again with
# AddressSanitizer and UndefinedBehaviorSanitizer (without the Qt front end) and
# runs them there too. TABULIZER_SKIP_SANITIZERS=1 leaves the second pass out.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
ctest --test-dir build --output-on-failure -j"$(nproc)"
if [ "${TABULIZER_SKIP_SANITIZERS:-0}" != 1 ]; then
  BUILD_DIR=build-asan scripts/build.sh -DTABULIZER_SANITIZE=ON -DTABULIZER_BUILD_QT=OFF
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
fi
