#!/usr/bin/env bash
# Installs the Debian packages that the work needs, skipping what is already
# there, so it is quick to run again. `setup.sh demo` installs what building the
# command line takes (the compiler, CMake and the library headers); `setup.sh`
# alone installs everything the tests need too. As root, or with sudo.
set -euo pipefail

demo_packages=(g++ cmake make pkg-config libssl-dev libspng-dev libpugixml-dev nlohmann-json3-dev zlib1g-dev libzstd-dev)
packages=(
  g++ cmake make pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libssl-dev libspng-dev libpugixml-dev nlohmann-json3-dev zlib1g-dev libzstd-dev
  libz-mingw-w64-dev
  clang libclang-rt-dev clang-format
  g++-mingw-w64-x86-64-posix
  wine wine64
  xvfb xdotool imagemagick fonts-ipafont-gothic fonts-wine
  python3 python3-xlib python3-pil unzip locales
  tiled
)

# QR sets: zxing, zbar and qrcode are the tests' independent readers and writer
# of QR codes; stb_image decodes JPEG and GIF.
demo_packages+=(libstb-dev)
packages+=(libstb-dev zbar-tools python3-zxing-cpp python3-qrcode imagemagick)

[[ "${1:-all}" == demo ]] && packages=("${demo_packages[@]}")

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

# The desktop program is tested as its users run it: under a Japanese locale,
# where Wine gives it code page 932.
if [[ "${1:-all}" != demo ]] && ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: making the ja_JP.UTF-8 locale"
  SUDO=""
  [[ $(id -u) -eq 0 ]] || SUDO=sudo
  $SUDO sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi

# quirc (ISC), the QR decoder of both platforms: its C source comes with the npm
# package node-quirc (deps/quirc). Fetched into the build tree, never committed.
quirc_dir="$(cd "$(dirname "$0")/.." && pwd)/build/deps/quirc"
quirc_package=node-quirc-2.3.0.tgz
quirc_sha256=45199ce3fe12b4308b6386e1806525cc16bdfab5fbc50c52bf1379a8a50dc603
if [[ ! -f "$quirc_dir/quirc.h" ]]; then
  echo "setup: fetching quirc from npm ($quirc_package)"
  if ! command -v npm >/dev/null; then
    SUDO=""
    [[ $(id -u) -eq 0 ]] || SUDO=sudo
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends npm
  fi
  work=$(mktemp -d)
  (cd "$work" && npm pack --silent node-quirc@2.3.0 >/dev/null)
  echo "$quirc_sha256  $work/$quirc_package" | sha256sum -c --quiet
  tar xzf "$work/$quirc_package" -C "$work" package/deps/quirc
  mkdir -p "$quirc_dir"
  cp "$work"/package/deps/quirc/*.[ch] "$quirc_dir"/
  rm -rf "$work"
fi
