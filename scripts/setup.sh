#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the windows need
# (libxlsxwriter only for the benchmark's floor, bench/floor.c; libxml2-utils for
# the schema check of written workbooks; dpkg-dev for the Debian package).
# Idempotent and quiet when everything is already there.
set -euo pipefail
packages=(g++ clang cmake ninja-build pkg-config libxlsxwriter-dev zlib1g-dev libdeflate-dev qt6-base-dev libgtest-dev
          xvfb xauth python3 python3-openpyxl qt6-translations-l10n
          libxml2-utils dpkg-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq >/dev/null || true
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
