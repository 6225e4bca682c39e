#!/usr/bin/env bash
# End-to-end: the real sorban on the sample data under an X server, driven with xdotool as a user
# would. Usage (inside xvfb-run): e2e.sh SORBAN SAMPLE_DIR OUTDIR. Screenshots are left in OUTDIR.
# Every step waits by polling for what it expects, never for a fixed time.
set -uo pipefail
sorban=$1 data=$2 out=$3
export QT_QPA_PLATFORM=xcb # the real windows on the X server, whatever platform the caller's tests use
rm -rf "$out"
mkdir -p "$out/app" "$out/shots"
cp "$sorban" "$out/app/sorban"           # its own folder, so that sorban.ini lands there
ini="$out/app/sorban.ini"
export XDG_RUNTIME_DIR="$out/runtime" XDG_CONFIG_HOME="$out/config"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# The single-instance lock lives in the temporary folder: one of the run's own.
export TMPDIR="$out/tmp" && mkdir -p "$TMPDIR"
passed=0 failed=0
check() { # check NAME CONDITION...
  local name=$1; shift
  if "$@"; then passed=$((passed + 1)); echo "ok   $name"; else failed=$((failed + 1)); echo "FAIL $name"; fi
}
# Polls CONDITION... every 50 ms for up to 10 s; true as soon as it holds.
until_true() { for _ in $(seq 200); do "$@" && return 0; sleep 0.05; done; return 1; }
shot() { import -window root "$out/shots/$1.png"; }
window() { xdotool search --name "$1" 2>/dev/null | head -n 1; }
# Polls until a window with that title exists (up to 20 s); prints its id.
wait_window() {
  local id=""
  for _ in $(seq 200); do id=$(window "$1"); [ -n "$id" ] && { echo "$id"; return 0; }; sleep 0.1; done
  return 1
}
gone() { [ -z "$(window "$1")" ]; }
wait_gone() { until_true gone "$1"; }
pixel() { convert "x:root[1x1+$1+$2]" -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' info: 2>/dev/null; }
pixel_is() { [ "$(pixel "$1" "$2")" = "$3" ]; }
region() { convert "x:root[$3x$4+$1+$2]" -format '%#' info: 2>/dev/null; } # a digest of the region
kanji_region() { region $((cx + 37)) $((cy + 41)) 96 96; }
kanji_is() { [ "$(kanji_region)" = "$1" ]; }
kanji_is_not() { [ "$(kanji_region)" != "$1" ]; }
runs=0
start() { runs=$((runs + 1)); (cd "$1" && exec "$out/app/sorban" >"$out/sorban-$runs.log" 2>&1) & pid=$!; }
# Starts sorban in folder $1 and waits for its main window; a start that shows none is reported
# with what the program printed, and tried once more.
start_main() {
  start "$1"
  main=$(wait_window "^Sorban v2.05$") && return 0
  echo "note: start $runs showed no main window; it printed:"; sed 's/^/    /' "$out/sorban-$runs.log"
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
  start "$1"
  main=$(wait_window "^Sorban v2.05$")
}
key() { xdotool windowfocus --sync "$main" 2>/dev/null; xdotool key --clearmodifiers "$@"; }
# The main window's client area: the first cream row below its menu bar, once it is painted.
cream_row() {
  eval "$(xdotool getwindowgeometry --shell "$main")"
  cx=$X cy=$Y
  for dy in $(seq 0 60); do pixel_is $((X + 3)) $((Y + dy)) "255,251,240" && { cy=$((Y + dy)); return 0; }; done
  return 1
}
client_origin() { until_true cream_row; }
quit_main() { key alt+f; key x; wait "$pid"; }

# 0. The command line is answered before any display is needed.
check "sorban --help answers without a display" eval 'env -u DISPLAY "$out/app/sorban" --help | head -n 1 | grep -qx "usage: sorban"'
check "sorban --version names the version" eval 'env -u DISPLAY "$out/app/sorban" --version | grep -qx "sorban (Sorban) 2.05"'
check "an unknown option is refused with exit code 2" eval 'env -u DISPLAY "$out/app/sorban" --bogus 2>/dev/null; test $? -eq 2'

# 1. Start and close: the settings file holds every key and the last kanji.
rm -f "$ini"
start_main "$data" || { echo "FAIL no main window"; exit 1; }
client_origin
shot start
before=$(kanji_region); kanji1=$before   # kanji 1, 愛, the kanji box's first text
key Down; until_true kanji_is_not "$before"
key Down
key alt+f; key x
wait $pid; code=$?
check "closing ends with exit code 0" test "$code" -eq 0
check "settings hold all fourteen keys" test "$(grep -c -E '^(LEFT|TOP|NENLEFT|NENTOP|BSULEFT|BSUTOP|KKSLEFT|KKSTOP|YMILEFT|YMITOP|KANJI|KANNUM|TGLREN|KANJILIST)=' "$ini")" -eq 14
check "settings hold the last kanji" grep -q '^KANNUM=3' "$ini"

# 2. A second start shows its message and leaves the first copy alone.
start_main "$data"; first=$pid
(cd "$data" && exec "$out/app/sorban" >/dev/null 2>&1) & second=$!
box=$(wait_window "^ご注意!!$")
check "second start shows its box" test -n "$box"
shot second-start
xdotool windowfocus --sync "$box" 2>/dev/null; xdotool key Return
wait $second; check "second copy ends with exit code 0" test $? -eq 0
check "first copy still runs" kill -0 "$first"

# 3. The desktop sees the program's icon and its desktop entry.
has_icon() { xprop -id "$main" _NET_WM_ICON 2>/dev/null | grep -q 'Icon ('; }
check "the main window carries the program's icon" until_true has_icon
check "the main window's class is the desktop entry's StartupWMClass" eval 'xprop -id "$main" WM_CLASS | grep -q "\"sorban\", \"Sorban\""'

# 4. The keys of the main window, as a user meets them.
client_origin
before=$(kanji_region)
key Down
check "Down changes the kanji shown" until_true kanji_is_not "$before"
key Up
check "Up brings it back" until_true kanji_is "$before"
key Next; until_true kanji_is_not "$before"
key Prior
check "PageDown then PageUp come back" until_true kanji_is "$before"
key alt+d
check "Alt+D presses 表示(D), though the menu 検索(D) shares its letter" until_true kanji_is "$kanji1"
key Down; until_true kanji_is_not "$kanji1"
lamp=$(pixel $((cx + 661)) $((cy + 147)))
key ctrl+r
check "Ctrl+R turns the lamp navy" until_true pixel_is $((cx + 661)) $((cy + 147)) "0,0,128"
key ctrl+r
check "a second Ctrl+R turns it back" until_true pixel_is $((cx + 661)) $((cy + 147)) "$lamp"
check "the lamp starts red" test "$lamp" = "255,0,0"
key j; jukuji=$(wait_window '^JukujiForm$'); check "J opens the jukujikun window" test -n "$jukuji"; shot jukujikun
key n; check "N opens the grade window" test -n "$(wait_window '^学年検索$')"
key b; check "B opens the radical window" test -n "$(wait_window '^部首検索$')"
key y; check "Y opens the reading window" test -n "$(wait_window '^読み別検索表$')"
key ctrl+l; lessons=$(wait_window '^教科書別 新出一覧$'); check "Ctrl+L opens the lesson-planning window" test -n "$lessons"
shot lessons
xdotool windowfocus --sync "$lessons" 2>/dev/null; xdotool key Escape
check "Escape closes it" wait_gone '^教科書別 新出一覧$'
key ctrl+t; textcheck=$(wait_window '^未習チェック$'); check "Ctrl+T opens the text check" test -n "$textcheck"
# A newsletter opened through 開く (Shift-JIS, as an older word processor saves it): 鉛 is no
# education kanji (its lilac), and by １上 most kanji are not learned yet (their pink).
printf '今日は学校で音楽会がありました。\n鉛筆を持ってきてください。\n' | iconv -f UTF-8 -t CP932 >"$out/news.txt"
xdotool windowfocus --sync "$textcheck" 2>/dev/null; xdotool key --clearmodifiers alt+o
opened=$(wait_window '^文章を開く$') && xdotool windowfocus --sync "$opened" 2>/dev/null
xdotool type --delay 10 "$out/news.txt"; xdotool key Return
has_colour() { local colours; colours=$(convert x:root -depth 8 -format %c histogram:info:- 2>/dev/null); grep -qi "#$1" <<<"$colours"; }
check "the opened newsletter is marked: no education kanji in lilac" until_true has_colour E4D8F4
check "and kanji not learned yet in pink" has_colour FFC8C8
shot textcheck
xdotool windowfocus --sync "$textcheck" 2>/dev/null; xdotool key Escape
check "Escape closes the text check" wait_gone '^未習チェック$'
key alt+f; key r; practice=$(wait_window '^練習プリント$'); check "ファイル → 練習プリント asks what to print" test -n "$practice"
shot practice
xdotool windowfocus --sync "$practice" 2>/dev/null; xdotool key Escape
check "Escape leaves it" wait_gone '^練習プリント$'
key k; kks=$(wait_window "^Kakusuu$"); check "K opens the stroke-count window" test -n "$kks"
not_transient() { ! xprop -id "$1" WM_TRANSIENT_FOR 2>/dev/null | grep -q 'window id'; }
check "the stroke-count window is an ordinary window, not kept over the main window" not_transient "$kks"
check "the jukujikun window too" not_transient "$jukuji"
leader() { xprop -id "$1" WM_CLIENT_LEADER 2>/dev/null | grep -o '0x[0-9a-f]*'; }
same_group() { [ -n "$(leader "$main")" ] && [ "$(leader "$1")" = "$(leader "$main")" ]; }
check "tool windows share the main window's application group (one taskbar group)" same_group "$kks"
shot search-windows
key Right; viewer=$(wait_window "筆順"); check "Right opens the stroke-order viewer" test -n "$viewer"
shot viewer
xdotool windowfocus --sync "$viewer" 2>/dev/null; xdotool key Escape
check "Escape closes the viewer" wait_gone "筆順"

# 5. A click on a kanji of the stroke-count window changes the main window (moved aside so that
# the main window's large kanji stays in sight).
for w in "$(window '^JukujiForm$')" "$(window '^学年検索$')" "$(window '^部首検索$')" "$(window '^読み別検索表$')"; do
  xdotool windowunmap "$w" 2>/dev/null
done
xdotool windowmove --sync "$kks" 300 170 2>/dev/null
moved() { eval "$(xdotool getwindowgeometry --shell "$kks")"; [ "$X" -ge 300 ] && [ "$Y" -ge 170 ]; }
until_true moved
before=$(kanji_region)
eval "$(xdotool getwindowgeometry --shell "$kks")"
xdotool windowraise "$kks" 2>/dev/null; xdotool mousemove $((X + 20 + 48 + 1 + 10)) $((Y + 48 + 2 + 23 * 2 + 11)) click 1
check "a click in the stroke-count table shows that kanji" until_true kanji_is_not "$before"
shot picked
quit_main
check "the text check's place and class are kept in sorban.ini" grep -q '^TEXTCHECK=' "$ini"

# 6. A start after the first copy was killed starts normally.
start_main "$data"; kill -9 $pid; wait $pid 2>/dev/null
check "a start after a killed copy opens the main window" start_main "$data"
client_origin

# 6a. Handwriting search: kanji dragged into the pad through XTEST as a hand draws them, in the
# order of the textbook and not, and each offered and picked by a digit, Enter and a click.
key ctrl+h; pad=$(wait_window '^手書き検索$'); check "Ctrl+H opens handwriting search" test -n "$pad"
xdotool windowmove --sync "$pad" 700 560 2>/dev/null # beside the main window's large kanji
# The pad's top left corner: its grey frame, left of its middle and above it.
pad_origin() {
  eval "$(xdotool getwindowgeometry --shell "$pad")"
  px="" py=""
  for d in $(seq 0 40); do [ -z "$px" ] && pixel_is $((X + d)) $((Y + 150)) "96,96,96" && px=$((X + d)); done
  [ -n "$px" ] || return 1
  for d in $(seq 0 40); do [ -z "$py" ] && pixel_is $((px + 150)) $((Y + d)) "96,96,96" && py=$((Y + d)); done
  [ -n "$py" ]
}
check "the pad is drawn with its frame" until_true pad_origin
stroke() { # stroke X1 Y1 X2 Y2 ...: the button held down through these points of the pad
  xdotool mousemove $((px + $1)) $((py + $2)) mousedown 1; shift 2
  while [ $# -ge 2 ]; do xdotool mousemove $((px + $1)) $((py + $2)); shift 2; done
  xdotool mouseup 1
}
has_ink() { [ "$(pixel $((px + 150)) $((py + 100)))" = "0,0,0" ]; }
before=$(kanji_region)
stroke 50 120 150 115 250 110; stroke 150 30 150 100 150 150 152 280; stroke 145 120 100 180 40 240; stroke 155 120 200 180 260 240
check "the strokes of 木 are drawn on the pad" until_true has_ink
shot handwriting
xdotool windowfocus --sync "$pad" 2>/dev/null; xdotool key 1
check "1 picks the best candidate of 木 for the main window" until_true kanji_is_not "$before"
check "and clears the pad" until_true eval '! has_ink'
tree=$(kanji_region)
stroke 80 80 85 220; stroke 85 215 215 215; stroke 80 80 220 80 215 220 # 口, its last two strokes swapped
xdotool windowfocus --sync "$pad" 2>/dev/null; xdotool key Return
check "Enter picks 口 written out of order" until_true kanji_is_not "$tree"
stroke 150 40 150 250; stroke 60 110 60 250 240 250; stroke 240 110 240 250 # 山
sleep 0.5
xdotool mousemove $((px + 24)) $((py + 361)) click 1
mountain() { grep -q "^KANNUM=$(iconv -f CP932 -t UTF-8 "$data/kdata/knj_yomi.csv" | awk -F, '$2 == "山" { print $1; exit }')[^0-9]" "$ini"; }
xdotool windowfocus --sync "$pad" 2>/dev/null; xdotool key Escape
check "Escape closes handwriting search" wait_gone '^手書き検索$'
quit_main
check "a click on the first candidate showed 山: it is the last kanji in sorban.ini" mountain
check "the window's place is kept in sorban.ini" grep -q '^HANDWRITING=' "$ini"

# 7. Without kdata, the missing-file boxes come in the order of start-up, then the main window.
mkdir -p "$out/empty"
start "$out/empty"
seen=()
for _ in $(seq 20); do
  [ -n "$(window '^Sorban v2.05$')" ] && break
  id=""
  for _ in $(seq 50); do id=$(xdotool search --name "のファイルがありません|ご注意！" 2>/dev/null | head -n 1); [ -n "$id" ] && break; sleep 0.1; done
  [ -z "$id" ] && continue
  # A box whose Return went astray is still there: press again, but count it once.
  [ "$id" != "${last_box:-}" ] && seen+=("$(xdotool getwindowname "$id")")
  last_box=$id
  xdotool windowfocus --sync "$id" 2>/dev/null; xdotool key Return
  for _ in $(seq 50); do xdotool getwindowname "$id" >/dev/null 2>&1 || break; sleep 0.1; done
done
echo "boxes seen: ${seen[*]}"
expected="knj_yomi.csv のファイルがありません。|knj_atrbt.csvのファイルがありません。|ご注意！|Bs_srch.csv のファイルがありません。|HaiNen_srch.csv のファイルがありません。|Kaksu_srch.csv のファイルがありません。|juk_jho.csv のファイルがありません。"
check "missing-file boxes in start-up order" test "$(IFS='|'; echo "${seen[*]}")" = "$expected"
main=$(wait_window "^Sorban v2.05$"); check "then the main window opens" test -n "$main"
shot no-data
client_origin
quit_main

# 8. Faults a school computer meets: an unreadable settings file is reported and kept byte for
# byte; a lock file that no running copy holds blocks nothing; a FIFO in the settings' place does
# not hang the start.
head -c $((1024 * 1024 + 1)) /dev/zero | tr '\0' ';' > "$ini"
printf '\r\n[DATA]\r\nKANNUM=500\r\n' >> "$ini"
cp "$ini" "$out/ini.before"
start "$data"
box=$(wait_window "^Sorban$")
check "an unreadable settings file is reported at start" test -n "$box"
shot unreadable-settings
xdotool windowfocus --sync "$box" 2>/dev/null; xdotool key Return
main=$(wait_window "^Sorban v2.05$"); check "then the main window opens" test -n "$main"
client_origin
key alt+f; key x
box=$(wait_window "^Sorban$"); check "closing says the settings were not saved" test -n "$box"
xdotool windowfocus --sync "$box" 2>/dev/null; xdotool key Return
wait "$pid"
check "the unreadable settings file is unchanged byte for byte" cmp -s "$ini" "$out/ini.before"
rm -f "$ini"
mkdir -p -m 700 "$TMPDIR/sorban-$(id -u)"
printf '12345\nanother-host\nsorban\n' > "$TMPDIR/sorban-$(id -u)/sorban2.0.lock"
check "a leftover lock file of another host blocks no start" start_main "$data"
client_origin
quit_main
rm -f "$ini"
mkfifo "$ini"
start "$data"
main=$(wait_window "^Sorban v2.05$"); check "a FIFO as the settings file does not hang the start" test -n "$main"
client_origin
key alt+f; key x
box=$(wait_window "^Sorban$"); check "a FIFO is not replaced by the settings: the close says so" test -n "$box"
xdotool windowfocus --sync "$box" 2>/dev/null; xdotool key Return
wait "$pid"
check "the FIFO is still there" test -p "$ini"
rm -f "$ini"

# Saving the kanji's sheet as a PDF through the menu: choice of kanji, file dialog, the file.
rm -f "$ini"
start_main "$data"
client_origin
key alt+f; key e
choice=$(wait_window "^PDFに保存$"); check "PDFに保存 asks which kanji" test -n "$choice"
shot pdf-choice
xdotool windowfocus --sync "$choice" 2>/dev/null; xdotool key Return
other_dialog() { id=$(window "^PDFに保存$"); [ -n "$id" ] && [ "$id" != "$choice" ]; }
check "then asks where to save" until_true other_dialog
files=$(window "^PDFに保存$")
xdotool windowfocus --sync "$files" 2>/dev/null
xdotool key ctrl+a; xdotool type --delay 10 "$out/kanji1.pdf"; xdotool key Return
saved() { [ -s "$out/kanji1.pdf" ]; }
check "the PDF is written" until_true saved
pdf_text=$(pdftotext "$out/kanji1.pdf" - 2>/dev/null | tr -d ' \n')
check "the PDF holds the kanji, its number and its first reading" eval '[[ "$pdf_text" == *愛* && "$pdf_text" == *漢字番号1* && "$pdf_text" == *アイ* ]]'
check "the PDF has one page" eval 'pdfinfo "$out/kanji1.pdf" | grep -q "^Pages: *1$"'
quit_main

# F1 on a desktop whose opener is generic (no CHM viewer registered; it would hand the CHM to a
# browser and succeed): the manual's pages; with a viewer registered, the CHM; with nothing that
# shows them, a box. Fake xdg-mime and xdg-open on PATH stand for the desktop.
cp "$(dirname "$sorban")/Sorban_Man.chm" "$out/app/" && cp -r "$(dirname "$sorban")/manual" "$out/app/"
fake="$out/fakebin" && mkdir -p "$fake"
printf '#!/bin/sh\necho "$1" > "%s/opened"\nexit "$(cat "%s/open-exit" 2>/dev/null || echo 0)"\n' "$out" "$out" > "$fake/xdg-open"
printf '#!/bin/sh\ncat "%s/registered" 2>/dev/null\n' "$out" > "$fake/xdg-mime"
chmod +x "$fake/xdg-open" "$fake/xdg-mime"
rm -f "$ini"
PATH="$fake:$PATH" start_main "$data"
opened() { [ -s "$out/opened" ] && grep -q "$1" "$out/opened"; }
f1() { rm -f "$out/opened"; key F1; }
f1; check "F1 without a registered CHM viewer opens the manual's pages" until_true opened 'manual/index.html$'
echo "xchm.desktop" > "$out/registered"
f1; check "F1 with a CHM viewer registered opens the CHM" until_true opened 'Sorban_Man.chm$'
rm -f "$out/registered"; echo 3 > "$out/open-exit"
f1; box=$(wait_window "^お知らせ$"); check "F1 with nothing to show the manual says so" test -n "$box"
shot no-manual-viewer
xdotool windowfocus --sync "$box" 2>/dev/null; xdotool key Return
quit_main

# 9. Under a window manager: a click on the main window brings it in front of the tool windows.
openbox --sm-disable >"$out/openbox.log" 2>&1 & wm=$!
managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
if until_true managed; then
  rm -f "$ini"
  start_main "$data"
  key k; kks=$(wait_window "^Kakusuu$")
  key j; jukuji=$(wait_window '^JukujiForm$')
  # Stacking, bottom to top, as the window manager keeps it.
  stack() { local w; for w in $(xprop -root _NET_CLIENT_LIST_STACKING | grep -o '0x[0-9a-f]*'); do printf '%d\n' "$w"; done; }
  above() { local a b; a=$(stack | grep -n -x "$1" | cut -d: -f1); b=$(stack | grep -n -x "$2" | cut -d: -f1); [ -n "$a" ] && [ -n "$b" ] && [ "$a" -gt "$b" ]; }
  check "an opened tool window comes to the front" until_true above "$jukuji" "$main"
  xdotool windowmove --sync "$kks" 640 600 2>/dev/null; xdotool windowmove --sync "$jukuji" 700 400 2>/dev/null
  eval "$(xdotool getwindowgeometry --shell "$main")"
  xdotool mousemove $((X + 40)) $((Y + 60)) click 1
  check "a click on the main window brings it in front of the stroke-count window" until_true above "$main" "$kks"
  check "and in front of the jukujikun window" until_true above "$main" "$jukuji"
  shot window-manager
  quit_main
else
  failed=$((failed + 1)); echo "FAIL openbox did not start:"; sed 's/^/    /' "$out/openbox.log"
fi
kill "$wm" 2>/dev/null; wait "$wm" 2>/dev/null

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
