#!/usr/bin/env bash
# Builds the three Debian packages (statdesk, statdesk-service, statdesk-data) into ./packages:
# configures the build for the prefix /usr, builds everything, then runs CPack's DEB generator.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
BUILD_DIR="${STATDESK_BUILD:-build}"
OUT="${STATDESK_PACKAGES:-$PWD/packages}"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr
cmake --build "$BUILD_DIR" --parallel "$(nproc)"
mkdir -p "$OUT"
(cd "$BUILD_DIR" && cpack -G DEB -B "$OUT")
rm -rf "$OUT/_CPack_Packages"
ls -l "$OUT"/*.deb
