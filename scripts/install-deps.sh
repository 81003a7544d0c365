#!/usr/bin/env bash
# Installs every Debian package Mnemex needs to build, test and run.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev clang-format
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libqt6svg6 qt6-qpa-plugins libgl-dev
  libxlsxwriter-dev zlib1g-dev
  libgtest-dev libgmock-dev ccache
  libeigen3-dev
  python3 python3-openpyxl python3-numpy python3-dev python3-pytest pybind11-dev
  xvfb xauth x11-apps imagemagick fonts-liberation fonts-dejavu-core
  xdg-utils locales poppler-utils
  lintian help2man
  libfast-float-dev libfmt-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -gt 0 ]; then
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A locale with a decimal comma, so the tests can show that numbers never follow it.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  "${sudo_cmd[@]}" sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
