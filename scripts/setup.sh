#!/usr/bin/env bash
# Installs every Debian package that the build and the tests need, skipping
# what is already there. Run as root (or with sudo) on a fresh machine.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libssl-dev libspng-dev
  clang libclang-rt-dev clang-format
  g++-mingw-w64-x86-64-posix
  wine wine64
  xvfb xdotool imagemagick fonts-ipafont-gothic
  python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  [[ $(id -u) -eq 0 ]] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "setup: every package is installed"
fi
