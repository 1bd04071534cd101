#!/usr/bin/env bash
# End-to-end tests of Tilewright.exe under Wine, as a Japanese user runs it: a
# virtual X display (Xvfb), a Wine virtual desktop with a Japanese font, the
# ja_JP.UTF-8 locale (code page 932), the program in a scratch folder, driven
# from outside by twprobe.exe, xdotool and an XDND drag source. Screenshots are
# kept in build/windows/gui-test/shots. Prints "gui: N passed, M failed".
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
source scripts/wine_env.sh
export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8
build=build/windows
app="$root/$build/gui/Tilewright.exe"
probe="$root/$build/gui/twprobe.exe"
cli="$root/build/linux/bin/tilewright"
out="$root/$build/gui-test"
work="$out/work"
shots="$out/shots"
title="Tilewright v2.00 r2"
opt="オプション設定"
pk="PTCパッケージの作成"
passed=0
failed=0

ok() { passed=$((passed + 1)); echo "  ok   $*"; }
bad() { failed=$((failed + 1)); echo "  FAIL $*"; }
check() { local what="$1"; shift; if "$@"; then ok "$what"; else bad "$what"; fi; }
equal() { local what="$1" got="$2" want="$3"; if [[ "$got" == "$want" ]]; then ok "$what"; else bad "$what: got [$got] want [$want]"; fi; }
# The probe; every call that fails is kept and fails the run at the end.
P() {
  wine "$probe" "$@" 2>/dev/null | tr -d '\r'
  local status=${PIPESTATUS[0]}
  ((status == 0)) || echo "twprobe $* (exit $status, lines ${BASH_LINENO[*]})" >>"$out/probe-failures"
  return "$status"
}
Q() { P "$@" >/dev/null; }
winpath() { winepath -w "$1" 2>/dev/null; }
shot() { import -display "$DISPLAY" -window root "$shots/$1.png" 2>/dev/null; }
shot_window() {
  local geometry
  geometry="$(P rect "$2")" && convert "$shots/screen.png" -crop "$geometry" +repage "$shots/$1.png" 2>/dev/null
}
screen() { import -display "$DISPLAY" -window root "$shots/screen.png" 2>/dev/null; }
# The files of a folder with their sizes and times: equal before and after means nothing was written.
listing() { ls -l --full-time "$1" | md5sum; }

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
bmp(os.path.join(d, "page.bmp"), 256, 384, 8, pal * 16, lambda x, y: (x ^ y) % 256)
open(os.path.join(d, "prog.txt"), "wb").write(b'CLS\r\nPRINT "PACKAGE"\r\nEND\r\n')
PY
# ソ is 0x83 0x5C in code page 932: its second byte is the path separator's.
for folder in drop-one drop-three chosen; do mkdir -p "$work/$folder"; done
cp "$work/tiles.bmp" "$work/drop-one/ソ.bmp"
cp "$work/tiles.bmp" "$work/chosen/ソ.bmp"
cp "$work/tiles.bmp" "$work/broken.bmp" "$work/notes.dat" "$work/drop-three/"
mkdir -p "$work/picked"

start_app() {
  (cd "$work" && wine "$app" >/dev/null 2>&1; echo $? >"$out/exit_code") &
  Q find "$title"
}
wait_exit() {  # the program's exit code, after it ended
  for _ in $(seq 1 100); do [[ -s "$out/exit_code" ]] && break; sleep 0.2; done
  cat "$out/exit_code" 2>/dev/null
}
# The summary box's text, then OK.
summary() {
  P texts "変換終了" | tr '\n' '|'
  Q click "変換終了" 1
  Q gone "変換終了"
}
choose_files() {  # choose_files TEXT: the file dialog of the menu command, answered with TEXT
  Q command "$title" 1
  Q file "変換するファイルを選択" "$1"
}
# The check marks of the 種類 menu: BG / フォント, the seven sprite sizes, グラフィック, バイナリデータ.
marks() { P menu-checked "$title" 257 258 259 260 261 262 263 264 265 266; }
drop() {  # drop FILE...: dragged onto the middle of the main window
  local geometry w h x y
  sleep 0.5  # the last message box's window is gone from the X server
  geometry="$(P rect "$title")"
  IFS='x+' read -r w h x y <<<"$geometry"
  timeout 30 /usr/bin/python3 "$root/tests/gui/xdnd_drop.py" $((x + w / 2)) $((y + h / 2)) "$@"
}
files_of() { (cd "$1" && ls | tr '\n' ' '); }

echo "gui: start-up"
rm -f "$out/exit_code"
start_app
check "the main window opens" P find "$title"
equal "code page 932, as on a Japanese Windows" "$(P acp)" "932"
equal "one window" "$(P count "$title")" "1"
equal "client area 280 x 160" "$(P client "$title")" "280 160"
equal "BG / フォント checked" "$(marks)" "1000000000"
screen; shot_window main-window "$title"
Q open-menu "$title" t; sleep 0.3; xdotool key Down; sleep 0.1; xdotool key Right; sleep 0.5
shot menus; xdotool key Escape; sleep 0.1; xdotool key Escape; sleep 0.1; xdotool key Escape
(cd "$work" && timeout 60 wine "$app" >/dev/null 2>&1; echo $? >"$out/second_exit")
equal "a second start exits 0" "$(cat "$out/second_exit")" "0"
equal "and adds no window" "$(P count "$title")" "1"

echo "gui: conversions and the resource-type menu"
Q command "$title" 259
equal "32x16 checks only that item" "$(marks)" "0010000000"
mkdir -p "$work/cli"
cp "$work/sprites.bmp" "$work/tiles.bmp" "$work/prog.txt" "$work/cli/"
choose_files "$(winpath "$work/sprites.bmp")"
equal "summary of one file" "$(summary)" "1個のファイルを変換しました|変換成功：1個|変換失敗：0個|"
(cd "$work/cli" && "$cli" -t 32x16 sprites.bmp >/dev/null)
check "CHR laid out in 32 x 16 units, as the command line makes it" cmp -s "$work/sprites_CHR.ptc" "$work/cli/sprites_CHR.ptc"
check "COL as the command line makes it" cmp -s "$work/sprites_COL.ptc" "$work/cli/sprites_COL.ptc"
check "DATA text as the command line makes it" cmp -s "$work/sprites_CHR_DATA.txt" "$work/cli/sprites_CHR_DATA.txt"

choose_files "$(winpath "$work")\\"
Q file "変換するファイルを選択" '"tiles.bmp" "broken.bmp" "notes.dat"'
equal "three files, one failure" "$(summary)" "3個のファイルを変換しました|変換成功：2個|変換失敗：1個|"
check "the others converted" test -s "$work/tiles_CHR.ptc" -a -s "$work/notes_BIN.ptc"

Q command "$title" 265
equal "グラフィック after 32x16 checks only グラフィック" "$(marks)" "0000000010"
choose_files "$(winpath "$work/sprites.bmp")"
summary >/dev/null
(cd "$work/cli" && "$cli" -t grp sprites.bmp >/dev/null)
check "グラフィック makes a GRP page, as the command line does" cmp -s "$work/sprites_GRP.ptc" "$work/cli/sprites_GRP.ptc"
Q command "$title" 266
equal "バイナリデータ checks only itself" "$(marks)" "0000000001"
choose_files "$(winpath "$work")\\"
Q file "変換するファイルを選択" '"tiles.bmp" "prog.txt"'
equal "バイナリデータ converts an image and a text" "$(summary)" "2個のファイルを変換しました|変換成功：2個|変換失敗：0個|"
(cd "$work/cli" && "$cli" -t bin tiles.bmp prog.txt >/dev/null)
check "the image as binary data, as the command line makes it" cmp -s "$work/tiles_BIN.ptc" "$work/cli/tiles_BIN.ptc"
check "and the text" cmp -s "$work/prog_BIN.ptc" "$work/cli/prog_BIN.ptc"
Q command "$title" 257
equal "BG / フォント again" "$(marks)" "1000000000"

echo "gui: drops and Japanese file names"
equal "a file dropped through XDND" "$(drop "$work/drop-one/ソ.bmp" && summary)" \
  "1個のファイルを変換しました|変換成功：1個|変換失敗：0個|"
equal "its outputs take the two-byte name" "$(files_of "$work/drop-one")" "ソ.bmp ソ_CHR.ptc ソ_CHR_DATA.txt ソ_COL.ptc "
check "converted as its twin of another name (apart from the resource name)" \
  cmp -s -i 20 "$work/drop-one/ソ_CHR.ptc" "$work/tiles_CHR.ptc"
equal "three files dropped, one failure" \
  "$(drop "$work/drop-three/tiles.bmp" "$work/drop-three/broken.bmp" "$work/drop-three/notes.dat" && summary)" \
  "3個のファイルを変換しました|変換成功：2個|変換失敗：1個|"
check "the dropped files that can convert did" test -s "$work/drop-three/tiles_CHR.ptc" -a -s "$work/drop-three/notes_BIN.ptc"
choose_files "$(winpath "$work/chosen/ソ.bmp")"
equal "the file chooser takes the two-byte name" "$(summary)" "1個のファイルを変換しました|変換成功：1個|変換失敗：0個|"
equal "and names its outputs right" "$(files_of "$work/chosen")" "ソ.bmp ソ_CHR.ptc ソ_CHR_DATA.txt ソ_COL.ptc "

echo "gui: the 2-colour question"
for answer in yes no; do
  choose_files "$(winpath "$work/mono.bmp")"
  question="$(P texts "パレット変換の確認" | tr '\n' '|')"
  [[ $answer == yes ]] && shot question
  # The image's full path, then the question word for word.
  equal "the question is asked, word for word ($answer)" "$question" \
    "$(winpath "$work/mono.bmp")|この画像は2色1bitタイプの画像です。|画像では現在パレット1が使用されています。|文字色であるパレット15を使用して変換を行いますか？|"
  Q click "パレット変換の確認" "$([[ $answer == yes ]] && echo 6 || echo 7)"
  summary >/dev/null
  mkdir -p "$work/cli-$answer"
  cp "$work/mono.bmp" "$work/cli-$answer/"
  (cd "$work/cli-$answer" && "$cli" --palette-fix "$answer" mono.bmp >/dev/null)
  check "answer $answer gives the command line's CHR" cmp -s "$work/mono_CHR.ptc" "$work/cli-$answer/mono_CHR.ptc"
  check "answer $answer gives the command line's COL" cmp -s "$work/mono_COL.ptc" "$work/cli-$answer/mono_COL.ptc"
done

echo "gui: the options dialog"
ini="$work/Brickyard.ini"
Q move "$title" 0 0
Q command "$title" 512
check "the options dialog opens" P find "$opt"
equal "it has no owner" "$(P owner "$opt")" ""
Q activate "$title"
sleep 0.5
equal "activating the main window gives the focus back to the dialog" "$(P foreground)" "$opt"
xdotool mousemove 140 120 click 1
sleep 0.5
equal "and so does a click on it" "$(P foreground)" "$opt"
screen; shot_window options "$opt"
Q click "$opt" 1
Q gone "$opt"
equal "confirming without changes writes every setting as it stands" "$(grep -v '^\[' "$ini" | tr -d '\r' | tr '\n' ' ')" \
  "User=$(winpath "$work") Select=768 Create=0 TextOut=1 Data_Type=1 AutoTrim=1 PAL_Fix_1bit=-1 WideMode=1 Make_Wide=1 PRG_Limit=1 PRG_To_SCR=1 PRG_To_MEM=1 PRG_MultiByte=0 PRG_ESCAPE=0 "

Q command "$title" 512
enabled() { local id s=""; for id in "$@"; do s+="$(P enabled "$opt" "$id")"; done; echo "$s"; }
equal "with 変換元と同じフォルダ the folder field and 選択 are disabled" "$(enabled 771 773)" "00"
Q click "$opt" 770
equal "指定したフォルダ enables them" "$(enabled 771 773)" "11"
Q click "$opt" 769
equal "ツールと同じフォルダ disables them" "$(enabled 771 773)" "00"
Q click "$opt" 770
Q click "$opt" 773
sleep 1; screen; shot folder-picker
Q folder "フォルダを選択" "$(winpath "$work/picked")"
sleep 0.5
equal "the folder picker fills the folder field" "$(P get-text "$opt" 771)" "$(winpath "$work/picked")"
equal "元画像の横幅を維持する clear: its sizes disabled" "$(enabled 1025 1026)" "00"
Q click "$opt" 1024
equal "checked: enabled" "$(enabled 1025 1026)" "11"
Q click "$opt" 1024
equal "cleared again: disabled" "$(enabled 1025 1026)" "00"
equal "全角で保存 clear: 絵文字をエスケープ enabled" "$(enabled 1548)" "1"
Q click "$opt" 1537
equal "checked: disabled" "$(enabled 1548)" "0"
Q click "$opt" 1537
equal "cleared again: enabled" "$(enabled 1548)" "1"
Q click "$opt" 1280
Q click "$opt" 1
Q gone "$opt"
equal "the chosen folder and TextOut saved" "$(grep -E '^(User|Select|TextOut)=' "$ini" | tr -d '\r' | tr '\n' ' ')" \
  "User=$(winpath "$work/picked") Select=770 TextOut=0 "
choose_files "$(winpath "$work/tiles.bmp")"
equal "the next conversion runs" "$(summary)" "1個のファイルを変換しました|変換成功：1個|変換失敗：0個|"
equal "with the changes in force: into the chosen folder, without DATA text" \
  "$(files_of "$work/picked")" "tiles_CHR.ptc tiles_COL.ptc "

before="$(md5sum <"$ini")"
Q command "$title" 512
Q click "$opt" 768
Q click "$opt" 1280
Q activate "$opt"
sleep 0.3
xdotool key Escape
check "Escape closes the dialog" P gone "$opt"
equal "and writes nothing" "$(md5sum <"$ini")" "$before"
Q command "$title" 512
Q click "$opt" 768
Q click "$opt" 2
Q gone "$opt"
equal "キャンセル writes nothing" "$(md5sum <"$ini")" "$before"
Q command "$title" 512
Q click "$opt" 768
Q click "$opt" 1
Q gone "$opt"
Q move "$title" 369 282

echo "gui: the package dialog"
choose_slot() {  # choose_slot BASE CHOOSER_TITLE FILE: choose the slot's file with its 選択 button
  Q click "$pk" $(($1 + 2))
  Q file "$2" "$(winpath "$work/$3")"
  Q gone "$2"
}
Q command "$title" 2
check "the package dialog opens" P find "$pk"
equal "it has no owner" "$(P owner "$pk")" ""
Q command "$title" 1
equal "the main menu's file chooser belongs to the main window" "$(P owner "変換するファイルを選択")" "$title"
Q click "変換するファイルを選択" 2
Q gone "変換するファイルを選択"
Q click "$pk" 7938
equal "after it, the slot's file chooser belongs to the dialog" "$(P owner "変換するテキストを選択")" "$pk"
Q file "変換するテキストを選択" "$(winpath "$work/prog.txt")"
Q gone "変換するテキストを選択"
equal "選択 checks the slot" "$(P checked "$pk" 7936)" "1"
choose_slot 4352 "変換するビットマップ画像を選択" sprites.bmp
Q combo "$pk" 4356 3
full="$(P get-text "$pk" 4353)"
shown="$(P shown-text "$pk" 4353)"
check "a long path shows its end, the file name: [$shown]" \
  test "$full" = "$(winpath "$work/sprites.bmp")" -a "${#shown}" -lt "${#full}" -a "${shown: -11}" = sprites.bmp
Q click "$pk" 4352
equal "unchecking disables the path field and keeps its text" "$(P enabled "$pk" 4353) $(P get-text "$pk" 4353)" "0 $full"
Q click "$pk" 4352
equal "checking again enables it with the same text" "$(P enabled "$pk" 4353) $(P get-text "$pk" 4353)" "1 $full"
choose_slot 7168 "変換するビットマップ画像を選択" tiles.bmp
choose_slot 4608 "変換するビットマップ画像を選択" page.bmp
equal "a GRP image of 256 x 384 lists two banks" "$(P combo-items "$pk" 4611)" "1枚目|2枚目"
Q set-text "$pk" 7951 "gamepack"
sleep 0.5
equal "SPU0 checked, one bank" "$(P checked "$pk" 4352) $(P combo-items "$pk" 4355)" "1 1枚目"
screen; shot_window package-dialog "$pk"
Q click "$pk" 1
Q file "ファイルの保存場所を選択" 'Z:\proc\gui_package.ptc'
equal "a save that fails says so" "$(P texts "Error" | tr '\n' '|')" "ファイルの保存に失敗しました|"
equal "in a box of the dialog's" "$(P owner "Error")" "$pk"
Q click "Error" 1
Q gone "Error"
check "the dialog stays open" P find "$pk"
Q click "$pk" 1
equal "the save chooser belongs to the dialog" "$(P owner "ファイルの保存場所を選択")" "$pk"
Q file "ファイルの保存場所を選択" "$(winpath "$work/gui_package.ptc")"
equal "the package is written" "$(P texts "変換終了" | tr '\n' '|')" "PTCパッケージを作成しました|"
equal "and says so in a box of the dialog's" "$(P owner "変換終了")" "$pk"
Q click "変換終了" 1
check "and the dialog ends" P gone "$pk"
(cd "$work" && "$cli" package -o cli_package.ptc --name GAMEPACK PRG=prog.txt SPU0=sprites.bmp:32x32 \
   COL0=tiles.bmp GRP0=page.bmp >/dev/null)
check "byte-identical to what tilewright package writes" cmp -s "$work/gui_package.ptc" "$work/cli_package.ptc"

Q command "$title" 2
Q find "$pk"
written="$(listing "$work")"
Q click "$pk" 1
sleep 1
equal "作成 with nothing checked shows nothing" \
  "$(P count "変換終了")$(P count "Error")$(P count "ファイルの保存場所を選択")" "000"
equal "and writes nothing" "$(listing "$work")" "$written"
choose_slot 4096 "変換するビットマップ画像を選択" odd.bmp
equal "an image that does not suit is refused" "$(P texts "Error" | tr '\n' '|')" "この画像はこのリソースタイプに指定できません|"
Q click "Error" 1
Q gone "Error"
equal "and its slot is cleared" "$(P checked "$pk" 4096)$(P get-text "$pk" 4097)" "0"
choose_slot 4096 "変換するビットマップ画像を選択" mono.bmp
equal "a 2-colour image asks the question when chosen" "$(P texts "パレット変換の確認" | tail -1)" \
  "文字色であるパレット15を使用して変換を行いますか？"
Q click "パレット変換の確認" 7
Q gone "パレット変換の確認"
Q set-text "$pk" 7951 "mono"
Q click "$pk" 1
equal "and again when the package is built" "$(P texts "パレット変換の確認" | tail -1)" \
  "文字色であるパレット15を使用して変換を行いますか？"
Q click "パレット変換の確認" 6
Q file "ファイルの保存場所を選択" "$(winpath "$work/mono_package.ptc")"
Q click "変換終了" 1
Q gone "$pk"
(cd "$work" && "$cli" package -o cli_mono.ptc --name MONO -s PAL_Fix_1bit=1 BGU0=mono.bmp >/dev/null)
check "the answer given while building decides" cmp -s "$work/mono_package.ptc" "$work/cli_mono.ptc"

Q command "$title" 2
Q find "$pk"
written="$(listing "$work")"
choose_slot 7952 "変換するテキストを選択" prog.txt
Q click "$pk" 1
equal "a failed slot gives the failure list" "$(P texts "Error" | tr '\n' '|')" "以下のファイルの変換に失敗しました| MEM|"
equal "in a box of the dialog's" "$(P owner "Error")" "$pk"
Q click "Error" 1
Q gone "Error"
check "the dialog stays open" P find "$pk"
Q click "$pk" 2
check "キャンセル ends it" P gone "$pk"
equal "no package was written" "$(listing "$work")" "$written"

echo "gui: ending"
Q command "$title" 0
equal "終了 ends with exit code 0" "$(wait_exit)" "0"
rm -f "$out/exit_code"
start_app
Q command "$title" 512
equal "the saved setting is in force after a restart" "$(P checked "$opt" 1280)" "0"
Q click "$opt" 2
Q gone "$opt"
Q close-button "$title"
equal "the close button ends with exit code 0" "$(wait_exit)" "0"
equal "no window is left" "$(P count "$title")" "0"

if [[ -s "$out/probe-failures" ]]; then
  bad "every probe call succeeded:"; sed 's/^/         /' "$out/probe-failures"
else
  ok "every probe call succeeded"
fi
echo "gui: $passed passed, $failed failed"
((failed == 0))
