#!/usr/bin/env bash
# End-to-end tests of Tilewright.exe under Wine: a virtual X display (Xvfb), a
# Wine virtual desktop with a Japanese font, the program in a scratch folder,
# driven from outside by twprobe.exe and xdotool. Screenshots are kept in
# build/windows/gui-test/shots. Prints "gui: N passed, M failed".
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
source scripts/wine_env.sh
build=build/windows
app="$root/$build/gui/Tilewright.exe"
probe="$root/$build/gui/twprobe.exe"
cli="$root/build/linux/bin/tilewright"
out="$root/$build/gui-test"
work="$out/work"
shots="$out/shots"
title="Tilewright v2.00 r2"
passed=0
failed=0

ok() { passed=$((passed + 1)); echo "  ok   $*"; }
bad() { failed=$((failed + 1)); echo "  FAIL $*"; }
check() { local what="$1"; shift; if "$@"; then ok "$what"; else bad "$what"; fi; }
equal() { local what="$1" got="$2" want="$3"; if [[ "$got" == "$want" ]]; then ok "$what"; else bad "$what: got [$got] want [$want]"; fi; }
P() { wine "$probe" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }
winpath() { winepath -w "$1" 2>/dev/null; }
shot() { import -display "$DISPLAY" -window root "$shots/$1.png" 2>/dev/null; }
shot_window() {
  local geometry
  geometry="$(P rect "$2")" && convert "$shots/screen.png" -crop "$geometry" +repage "$shots/$1.png" 2>/dev/null
}
screen() { import -display "$DISPLAY" -window root "$shots/screen.png" 2>/dev/null; }

# --- set-up -----------------------------------------------------------------
for tool in Xvfb xdotool import convert wine; do
  command -v "$tool" >/dev/null || { echo "gui: $tool is not installed"; echo "gui: 0 passed, 1 failed"; exit 1; }
done
[[ -x "$cli" ]] || { echo "gui: build the linux preset first"; echo "gui: 0 passed, 1 failed"; exit 1; }
rm -rf "$out"
mkdir -p "$work" "$shots"
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display"
sleep 1
tw_wine_init
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
for font in "ＭＳ ゴシック" "MS Gothic" "MS Shell Dlg" "MS Shell Dlg 2" "MS UI Gothic" "Tahoma"; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" /d IPAGothic /f >/dev/null 2>&1
done
cleanup() {
  wineserver -k 2>/dev/null
  kill "$xvfb" 2>/dev/null
}
trap cleanup EXIT

# Test images and files.
python3 - "$work" "$root/scripts" <<'PY'
import os, sys
sys.path.insert(0, sys.argv[2])
from make_examples import bmp  # the same BMP writer as the bundled examples
d = sys.argv[1]
pal = [(i * 16, 255 - i * 16, (i * 80) % 256) for i in range(16)]
bmp(os.path.join(d, "sprites.bmp"), 64, 32, 4, pal, lambda x, y: (x // 8 + y // 8 * 3 + x % 3) % 16)
bmp(os.path.join(d, "tiles.bmp"), 32, 16, 4, pal, lambda x, y: (x + y) % 16)
bmp(os.path.join(d, "mono.bmp"), 16, 16, 1, [(0, 0, 0), (255, 255, 255)], lambda x, y: (x + y) % 2)
open(os.path.join(d, "broken.bmp"), "wb").write(b"BM this is not a picture")
open(os.path.join(d, "notes.dat"), "wb").write(bytes(range(256)) * 4)
bmp(os.path.join(d, "odd.bmp"), 100, 64, 8, pal * 16, lambda x, y: x % 256)
open(os.path.join(d, "prog.txt"), "wb").write(b'CLS\r\nPRINT "PACKAGE"\r\nEND\r\n')
PY

start_app() {
  (cd "$work" && wine "$app" >/dev/null 2>&1; echo $? >"$out/exit_code") &
  P find "$title" >/dev/null
}
wait_exit() {  # the program's exit code, after it ended
  for _ in $(seq 1 100); do [[ -s "$out/exit_code" ]] && break; sleep 0.2; done
  cat "$out/exit_code" 2>/dev/null
}
# The summary box's text, then OK.
summary() {
  P texts "変換終了" | tr '\n' '|'
  P click "変換終了" 1 >/dev/null
  P gone "変換終了" >/dev/null
}
choose_files() {  # choose_files TEXT: the file dialog of the menu command, answered with TEXT
  P command "$title" 1 >/dev/null
  P file "変換するファイルを選択" "$1" >/dev/null
}
type_marks() {  # the check marks of the 種類 menu and of its sprite submenu
  P open-menu "$title" t >/dev/null
  local top sub
  top="$(P menu-marks 4)"
  xdotool key Down; sleep 0.2; xdotool key Right
  sub="$(P menu-marks 7)"
  xdotool key Escape; sleep 0.1; xdotool key Escape; sleep 0.1; xdotool key Escape
  echo "$top $sub"
}

echo "gui: start-up"
rm -f "$out/exit_code"
start_app
check "the main window opens" P find "$title"
equal "one window" "$(P count "$title")" "1"
equal "client area 280 x 160" "$(P client "$title")" "280 160"
equal "BG / フォント checked" "$(type_marks)" "1000 0000000"
screen; shot_window main-window "$title"
P open-menu "$title" t >/dev/null; sleep 0.3; xdotool key Down; sleep 0.1; xdotool key Right; sleep 0.5
shot menus; xdotool key Escape; sleep 0.1; xdotool key Escape; sleep 0.1; xdotool key Escape
(cd "$work" && timeout 60 wine "$app" >/dev/null 2>&1; echo $? >"$out/second_exit")
equal "a second start exits 0" "$(cat "$out/second_exit")" "0"
equal "and adds no window" "$(P count "$title")" "1"

echo "gui: conversions"
P command "$title" 259 >/dev/null
equal "32x16 checks only that item" "$(type_marks)" "0000 0100000"
mkdir -p "$work/cli"
cp "$work/sprites.bmp" "$work/cli/"
choose_files "$(winpath "$work/sprites.bmp")"
equal "summary of one file" "$(summary)" "1個のファイルを変換しました|変換成功：1個|変換失敗：0個|"
(cd "$work/cli" && "$cli" -t 32x16 sprites.bmp >/dev/null)
check "CHR laid out in 32 x 16 units, as the command line makes it" cmp -s "$work/sprites_CHR.ptc" "$work/cli/sprites_CHR.ptc"
check "COL as the command line makes it" cmp -s "$work/sprites_COL.ptc" "$work/cli/sprites_COL.ptc"
check "DATA text as the command line makes it" cmp -s "$work/sprites_CHR_DATA.txt" "$work/cli/sprites_CHR_DATA.txt"

choose_files "$(winpath "$work")\\"
P file "変換するファイルを選択" '"tiles.bmp" "broken.bmp" "notes.dat"' >/dev/null
equal "three files, one failure" "$(summary)" "3個のファイルを変換しました|変換成功：2個|変換失敗：1個|"
check "the others converted" test -s "$work/tiles_CHR.ptc" -a -s "$work/notes_BIN.ptc"

echo "gui: the 2-colour question"
P command "$title" 257 >/dev/null
for answer in yes no; do
  choose_files "$(winpath "$work/mono.bmp")"
  question="$(P texts "パレット変換の確認" | tr '\n' '|')"
  [[ $answer == yes ]] && shot question
  # The image's full path, then the question word for word.
  case "$question" in
    *"mono.bmp|この画像は2色1bitタイプの画像です。|画像では現在パレット1が使用されています。|文字色であるパレット15を使用して変換を行いますか？"*)
      ok "the question is asked, word for word ($answer)" ;;
    *) bad "the question is asked, word for word ($answer): [$question]" ;;
  esac
  P click "パレット変換の確認" "$([[ $answer == yes ]] && echo 6 || echo 7)" >/dev/null
  summary >/dev/null
  mkdir -p "$work/cli-$answer"
  cp "$work/mono.bmp" "$work/cli-$answer/"
  (cd "$work/cli-$answer" && "$cli" --palette-fix "$answer" mono.bmp >/dev/null)
  check "answer $answer gives the command line's CHR" cmp -s "$work/mono_CHR.ptc" "$work/cli-$answer/mono_CHR.ptc"
  check "answer $answer gives the command line's COL" cmp -s "$work/mono_COL.ptc" "$work/cli-$answer/mono_COL.ptc"
done

echo "gui: options"
P command "$title" 512 >/dev/null
check "the options dialog opens" P find "オプション設定"
screen; shot_window options "オプション設定"
P click "オプション設定" 1 >/dev/null
P gone "オプション設定" >/dev/null
ini="$work/Brickyard.ini"
keys_ok=1
for key in User Select Create TextOut Data_Type AutoTrim PAL_Fix_1bit WideMode Make_Wide PRG_Limit PRG_To_SCR \
           PRG_To_MEM PRG_MultiByte PRG_ESCAPE; do
  grep -q "^$key=" "$ini" 2>/dev/null || keys_ok=0
done
check "confirming without changes writes every key" test "$keys_ok" = 1
grep -q '^PAL_Fix_1bit=-1' "$ini"; check "PAL_Fix_1bit stays -1" test $? = 0

P command "$title" 512 >/dev/null
P click "オプション設定" 1280 >/dev/null
sleep 0.3
equal "unchecking TextOut disables the DATA choices" "$(P enabled "オプション設定" 1281)" "0"
P click "オプション設定" 1 >/dev/null
P gone "オプション設定" >/dev/null
grep -q '^TextOut=0' "$ini"; check "TextOut=0 saved" test $? = 0
rm -f "$work/tiles_CHR_DATA.txt"
choose_files "$(winpath "$work/tiles.bmp")"
summary >/dev/null
check "the change is in force for the next conversion" test ! -e "$work/tiles_CHR_DATA.txt"

before="$(md5sum <"$ini")"
P command "$title" 512 >/dev/null
P click "オプション設定" 1280 >/dev/null
P click "オプション設定" 770 >/dev/null
P click "オプション設定" 2 >/dev/null
P gone "オプション設定" >/dev/null
equal "キャンセル writes nothing" "$(md5sum <"$ini")" "$before"

echo "gui: the package dialog"
pk="PTCパッケージの作成"
P command "$title" 2 >/dev/null
check "the package dialog opens" P find "$pk"
choose_slot() {  # choose_slot BASE CHOOSER_TITLE FILE: check the slot and choose its file
  P click "$pk" "$1" >/dev/null
  P click "$pk" $(($1 + 2)) >/dev/null
  P file "$2" "$(winpath "$work/$3")" >/dev/null
  P gone "$2" >/dev/null
}
choose_slot 7936 "変換するテキストを選択" prog.txt
choose_slot 4352 "変換するビットマップ画像を選択" sprites.bmp
P combo "$pk" 4356 3 >/dev/null
choose_slot 7168 "変換するビットマップ画像を選択" tiles.bmp
P set-text "$pk" 7951 "gamepack" >/dev/null
sleep 0.5
equal "PRG checked" "$(P checked "$pk" 7936)" "1"
equal "SPU0 checked, one bank" "$(P checked "$pk" 4352) $(P get-text "$pk" 4355)" "1 1枚目"
screen; shot_window package-dialog "$pk"
P click "$pk" 1 >/dev/null
P file "ファイルの保存場所を選択" "$(winpath "$work/gui_package.ptc")" >/dev/null
equal "the package is written" "$(P texts "変換終了" | tr '\n' '|')" "PTCパッケージを作成しました|"
P click "変換終了" 1 >/dev/null
check "and the dialog ends" P gone "$pk"
(cd "$work" && "$cli" package -o cli_package.ptc --name GAMEPACK PRG=prog.txt SPU0=sprites.bmp:32x32 \
   COL0=tiles.bmp >/dev/null)
check "byte-identical to what tilewright package writes" cmp -s "$work/gui_package.ptc" "$work/cli_package.ptc"

P command "$title" 2 >/dev/null
P find "$pk" >/dev/null
choose_slot 4096 "変換するビットマップ画像を選択" odd.bmp
equal "an image that does not suit is refused" "$(P texts "Error" | tr '\n' '|')" "この画像はこのリソースタイプに指定できません|"
P click "Error" 1 >/dev/null
P gone "Error" >/dev/null
equal "and its slot is cleared" "$(P checked "$pk" 4096)$(P get-text "$pk" 4097)" "0"
choose_slot 7952 "変換するテキストを選択" prog.txt
P click "$pk" 1 >/dev/null
equal "a failed slot gives the failure list" "$(P texts "Error" | tr '\n' '|')" "以下のファイルの変換に失敗しました| MEM|"
P click "Error" 1 >/dev/null
P gone "Error" >/dev/null
check "the dialog stays open" P find "$pk"
P click "$pk" 2 >/dev/null
check "キャンセル ends it" P gone "$pk"
check "no package was written" test ! -e "$work/PACKAGE.ptc"

echo "gui: ending"
P command "$title" 0 >/dev/null
equal "終了 ends with exit code 0" "$(wait_exit)" "0"
rm -f "$out/exit_code"
start_app
P command "$title" 512 >/dev/null
equal "the saved setting is in force after a restart" "$(P checked "オプション設定" 1280)" "0"
P click "オプション設定" 2 >/dev/null
P gone "オプション設定" >/dev/null
P close-button "$title" >/dev/null
equal "the close button ends with exit code 0" "$(wait_exit)" "0"
equal "no window is left" "$(P count "$title")" "0"

echo "gui: $passed passed, $failed failed"
((failed == 0))
