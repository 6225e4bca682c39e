"""Drives sorban as a blind teacher would, under Orca, and checks what Orca spoke (its debug log's
SPEECH OUTPUT lines) after each step. Usage: orca.py SAMPLE_DIR ORCA_LOG (sorban and Orca running)."""
import os
import re
import subprocess
import sys
import time

import pyatspi

import atspi_reader
from atspi_reader import check, children, find, wait_for, window

DATA = os.path.join(sys.argv[1], "kdata")
LOG = sys.argv[2]
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)'")


def records(name):
    return atspi_reader.records(DATA, name)


def said():
    """Everything Orca has spoken so far, one string per utterance."""
    try:
        with open(LOG, encoding="utf-8", errors="replace") as f:
            return [m.group(1) for m in SPOKEN.finditer(f.read())]
    except FileNotFoundError:
        return []


def heard_after(mark, wanted, seconds=10.0):
    """Polls what Orca spoke after utterance `mark` until `wanted` (all its parts, in one stretch
    of up to three utterances) is among it; returns what was spoken."""
    def found():
        lines = said()[mark:]
        return any(all(part in " ".join(lines[i:i + 3]) for part in wanted) for i in range(len(lines))) and lines
    return wait_for(found, seconds) or said()[mark:]


def settle(quiet=1.5, seconds=30.0):
    """Waits until Orca has said nothing new for `quiet` seconds: what a step hears is its own."""
    end = time.monotonic() + seconds
    count, since = len(said()), time.monotonic()
    while time.monotonic() < end and time.monotonic() - since < quiet:
        time.sleep(0.1)
        if len(said()) != count:
            count, since = len(said()), time.monotonic()


def step(name, action, wanted, seconds=30.0):
    settle()
    mark = len(said())
    action()
    spoken = heard_after(mark, wanted, seconds)
    ok = any(all(part in " ".join(spoken[i:i + 3]) for part in wanted) for i in range(len(spoken)))
    check(name, ok, spoken[-8:])


def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "120"] + list(keys))


def point_at(cell):
    box = cell.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2)])


def focus_window(title):
    subprocess.run(["xdotool", "search", "--name", "^%s$" % title, "windowfocus", "--sync"], stderr=subprocess.DEVNULL)


main = wait_for(lambda: window("Sorban v2.05"))
# Orca starts beside sorban: the window it reads is the one that comes to the front once it listens.
wait_for(lambda: "Screen reader on." in said(), 30)
focus_window("Sorban v2.05")
if main is None or not wait_for(lambda: any("Sorban v2.05" in s for s in said()), 30):
    print("FAIL Orca never spoke sorban's main window:", said()[-5:])
    sys.exit(1)
readings = {int(r[0]): r[4:4 + int(r[2])] for r in records("knj_yomi.csv")}
kanji = {int(r[0]): r[1] for r in records("knj_yomi.csv")}
strokes = {int(r[0]): r[3] for r in records("knj_atrbt.csv")}
shown = int(find(main, "text", "漢字番号").queryText().getText(0, -1))

# 1. 属性 with the keyboard: moving along the row speaks each cell under its heading.
attributes = find(main, "table", "属性")
level = attributes.queryTable().getAccessibleAt(0, 4).name
attributes.queryComponent().grabFocus()
wait_for(lambda: attributes.queryTable().getAccessibleAt(0, 0).getState().contains(pyatspi.STATE_FOCUSED) or
         any(c.getState().contains(pyatspi.STATE_FOCUSED) for c in children(attributes)), 5)
settle()
key("End")
step("属性: a cell is spoken with its column heading", lambda: key("Left"), ["漢検級", level])

# 2. 出現ページ表, which takes no focus, through Orca's mouse review: a cell with its heading.
table = find(main, "table", "出現ページ表")
first = table.queryTable().getAccessibleAt(0, 1)
step("出現ページ表: a cell is spoken with its column heading", lambda: point_at(first),
     [table.queryTable().getColumnHeader(1).name, first.name])
beside = table.queryTable().getAccessibleAt(0, 2)
step("出現ページ表: the next cell along the row is spoken with its own heading", lambda: point_at(beside),
     [table.queryTable().getColumnHeader(2).name, beside.name])
check("出現ページ表: each row is headed by its reading", table.queryTable().getRowHeader(0).name == readings[shown][0],
      table.queryTable().getRowHeader(0).name)

# 3. The number box: Down shows the next kanji, and Orca says which.
number_box = find(main, "text", "漢字番号")
number_box.queryComponent().grabFocus()
time.sleep(0.5)
after = shown + 1
step("Down in 漢字番号 speaks the new kanji, its number and its first reading", lambda: key("Down"),
     ["%s、漢字番号 %d、読み %d、%s" % (kanji[after], after, len(readings[after]), readings[after][0])])

# 4. The view and the return mode.
step("出現⇔用例 speaks the view it leaves on", lambda: key("alt+g"), ["用例表示"])
step("Ctrl+R speaks the return mode", lambda: key("ctrl+r"), ["漢字を替えても表示はそのまま"])

# 5. The stroke-order viewer speaks its picture's name and the stroke count.
step("the stroke-order viewer speaks its picture", lambda: key("Right"), ["%sの筆順" % kanji[after], "%s画" % strokes[after]])
key("Escape")
wait_for(lambda: window("【筆順】 <Esc/Del or 右Click>で閉じる") is None, 5)

# 6. A pick in the stroke-count window: the main window's new kanji is spoken.
by_strokes = records("Kaksu_srch.csv")
second_row = next(r for r in by_strokes if int(r[2]) > int(by_strokes[0][2]))  # the first kanji of the next stroke count
picked = int(second_row[0])
wait_for(lambda: main.getState().contains(pyatspi.STATE_ACTIVE), 5)
key("k")
wait_for(lambda: window("Kakusuu"))
focus_window("Kakusuu")
step("a pick in the stroke-count window speaks the kanji shown", lambda: key("Down", "Return"),
     ["%s、漢字番号 %d" % (kanji[picked], picked)])
key("Escape")

# 7. Handwriting search: a stroke drawn on the pad, the candidates reached by their label's key and
# spoken as the cursor moves, and Enter's pick spoken as the main window's new kanji.
focus_window("Sorban v2.05")
key("ctrl+h")
hand = wait_for(lambda: window("手書き検索"))
pad = next((n for n in atspi_reader.walk(hand) if n.name == "手書き欄"), None) if hand else None
check("handwriting search's pad is on the bus", pad is not None)
if pad:
    focus_window("手書き検索")
    box = pad.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(box.x + 50), str(box.y + 150), "mousedown", "1", "mousemove", str(box.x + 150),
                    str(box.y + 148), "mousemove", str(box.x + 250), str(box.y + 146), "mouseup", "1"])
    row = find(hand, "list", "候補")
    wait_for(lambda: row.childCount >= 10 and row.getChildAtIndex(0).name == "一", 20)
    time.sleep(1)  # the merged row
    second = row.getChildAtIndex(1).name
    one = next(n for n, k in kanji.items() if k == "一")
    step("handwriting: Alt+K reaches the list of candidates and says how many", lambda: key("alt+k"),
         ["候補(K)", "List with %d items" % row.childCount])
    step("handwriting: Right speaks the next candidate", lambda: key("Right"), [second])
    step("handwriting: Left speaks the best one again", lambda: key("Left"), ["一"])
    step("handwriting: Enter's pick speaks the main window's new kanji", lambda: key("Return"), ["一、漢字番号 %d" % one])
    key("Escape")

sys.exit(atspi_reader.summary())
