#!/usr/bin/env bash
# Installs every Debian 12 package the build, the tests and the run command need.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends \
  build-essential cmake ninja-build ccache pkg-config git \
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-svg-dev qt6-charts-dev libqt6opengl6-dev qt6-image-formats-plugins \
  libgl-dev libxkbcommon-dev \
  libcpp-httplib-dev libsqlite3-dev sqlite3 libcsv-dev libgif-dev \
  fonts-liberation2 fonts-urw-base35 fontconfig \
  xvfb xauth x11-utils imagemagick poppler-utils \
  cups printer-driver-cups-pdf \
  tinyproxy vsftpd python3 python3-pyftpdlib ncompress locales \
  scdoc dpkg-dev fakeroot file lintian appstream desktop-file-utils systemd man-db groff-base \
  haproxy postgresql-15 libpq-dev

# The tests check that numbers ignore a locale whose decimal point is ",".
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  $SUDO sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen
fi
