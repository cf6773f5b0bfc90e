#!/usr/bin/env bash
# Installs the Debian 12 packages Statdesk needs. With --run only what the run command needs (the
# build of the program, the service and their data, and the servers it starts); without, also what
# the tests, the packaging and the cluster need. Does nothing when every package is there already.
set -euo pipefail
RUN_PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config git scdoc
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-svg-dev qt6-charts-dev libqt6opengl6-dev qt6-image-formats-plugins
  libgl-dev libxkbcommon-dev
  libcpp-httplib-dev libsqlite3-dev libcsv-dev libgif-dev libpq-dev
  fonts-liberation2 fonts-urw-base35 fontconfig
  xvfb xauth python3 python3-pyftpdlib
)
TEST_PACKAGES=(
  sqlite3 x11-utils imagemagick poppler-utils
  cups printer-driver-cups-pdf
  tinyproxy vsftpd ncompress locales
  dpkg-dev fakeroot file lintian appstream desktop-file-utils systemd man-db groff-base
  haproxy postgresql-15
)
packages=("${RUN_PACKAGES[@]}")
if [ "${1:-}" != "--run" ]; then packages+=("${TEST_PACKAGES[@]}"); fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
installed() { [ "$(dpkg-query -W -f='${db:Status-Status}\n' "$@" 2>/dev/null | grep -cx installed)" -eq $# ]; }
if ! installed "${packages[@]}"; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${packages[@]}"
fi

# The tests check that numbers ignore a locale whose decimal point is ",".
if [ "${1:-}" != "--run" ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  $SUDO sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen
fi
