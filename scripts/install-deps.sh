#!/usr/bin/env bash
# Installs the Debian packages Motoreckon needs, when any is missing. Safe to run again: with
# everything present it only checks.
#
#   scripts/install-deps.sh run    what building the program and its package, and running it, need
#   scripts/install-deps.sh test   all that, and what the tests, fuzzing and benchmarks need
set -euo pipefail

run_packages=(
  g++ cmake make pkgconf
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools libgl-dev libxcb1-dev
  dpkg-dev file
  assistant-qt6 libqt6sql6-sqlite libqt6svg6 fonts-liberation2
)

test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
  xvfb xauth openbox
  clang-14 libclang-rt-14-dev locales
  at-spi2-core python3-pyatspi python3-xlib dbus-daemon
  appstream desktop-file-utils lintian
)

case "${1:-}" in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac

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
