#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test the station.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config clang-format
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libsqlite3-dev qt6-tools-dev qt6-tools-dev-tools
    qt6-multimedia-dev libgl-dev
    libcups2-dev cups cups-client cups-ipp-utils printer-driver-dymo libsane-dev sane-utils
    googletest libgtest-dev libgmock-dev
    fonts-liberation2 fonts-lato locales
    xvfb xauth imagemagick poppler-utils sqlite3
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The tests run in a US English locale. Qt reads its own locale data, so a system without the
# generated C library locale still works; generating it only quiets the C library.
if ! locale -a 2>/dev/null | grep -qiE '^en_US\.utf-?8$' && [ -f /etc/locale.gen ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo sed -i 's/^# *\(en_US.UTF-8 UTF-8\)/\1/' /etc/locale.gen || true
    $sudo locale-gen >/dev/null || echo "install-deps: could not generate en_US.UTF-8" >&2
fi
