# Sourced by the scripts that run Windows programs: a Wine prefix of our own
# under the build folder, quiet, without the Mono and Gecko install prompts.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="$root/build/windows/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

tw_wine_init() {
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "wine: initialising $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  # Wine's own fonts (fonts-wine) in the prefix's font folder, where Wine finds them:
  # Marlett draws the caption buttons.
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -u /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
}
