#!/usr/bin/env bash
# Installs the Debian packages that the work needs, skipping what is already
# there, so it is quick to run again. `setup.sh demo` installs what building the
# command line takes (the compiler, CMake and the library headers); `setup.sh`
# alone installs everything the tests need too. As root, or with sudo.
set -euo pipefail

cd "$(dirname "$0")/.."
root="$(pwd)"

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
# The QR page is tested in headless Chromium, driven over the DevTools protocol,
# and printed to PDF, which pdftoppm rasterises.
packages+=(chromium python3-websocket poppler-utils)

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
quirc_dir="$root/build/third_party/quirc"
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

# Nayuki's QR Code generator (MIT) is built from its upstream source on both
# platforms: Debian has no mingw build, and its header carries patches of its
# own. The source comes as Debian's orig tarball of qr-code-generator, fetched
# through apt settings of our own under the build tree (one deb-src line for
# this machine's Debian mirror and suite), so the system's lists stay as they
# are. Without --tar-only apt also wants the Debian patch file, missing here.
qr_version=1.8.0
qr_tarball=qr-code-generator_${qr_version}.orig.tar.gz
qr_sha256=2ec0a4d33d6f521c942eeaf473d42d5fe139abcfa57d2beffe10c5cf7d34ae60
third_party="$root/build/third_party"
if [[ ! -f "$third_party/QR-Code-generator-$qr_version/cpp/qrcodegen.cpp" ]]; then
  echo "setup: fetching the source of qr-code-generator $qr_version"
  apt_dir="$third_party/apt"
  mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" \
    "$apt_dir/download"
  # shellcheck disable=SC1091
  suite="$(. /etc/os-release && echo "$VERSION_CODENAME")"
  mirror="$(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' |
    awk -v s="$suite" '$2 == s { print $1; exit }')"
  [[ -n "$mirror" ]] || { echo "setup: no Debian mirror for $suite in the apt sources" >&2; exit 1; }
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $suite main" \
    >"$apt_dir/sources.list"
  apt_options=(
    -o "Dir::Etc::SourceList=$apt_dir/sources.list"
    -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
    -o "Dir::State::Lists=$apt_dir/lists"
    -o "Dir::Cache=$apt_dir/cache"
    -o "APT::Sandbox::User=root"
  )
  apt-get "${apt_options[@]}" update -qq
  (cd "$apt_dir/download" && rm -f "$qr_tarball" &&
    apt-get "${apt_options[@]}" source --tar-only --download-only -qq qr-code-generator)
  echo "$qr_sha256  $apt_dir/download/$qr_tarball" | sha256sum --check --quiet ||
    { echo "setup: $qr_tarball does not have the expected SHA-256" >&2; exit 1; }
  tar -xzf "$apt_dir/download/$qr_tarball" -C "$third_party" \
    "QR-Code-generator-$qr_version/cpp" "QR-Code-generator-$qr_version/Readme.markdown"
fi
