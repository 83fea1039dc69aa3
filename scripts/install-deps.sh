#!/usr/bin/env bash
# Installs the Debian packages Motoreckon needs to build, test and run, when any is missing.
# Safe to run again: with everything present it only checks.
set -euo pipefail

packages=(
  g++ cmake make pkgconf
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools assistant-qt6 libqt6svg6 libgl-dev libxcb1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth openbox
  clang-14 libclang-rt-14-dev locales
  at-spi2-core python3-pyatspi python3-xlib dbus-daemon
  appstream desktop-file-utils dpkg-dev file
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
