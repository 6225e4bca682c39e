"""Reads sorban through AT-SPI, as a screen reader does, and checks what it hears against the
sample data the program shows. Usage: a11y.py SAMPLE_DIR (sorban running on that data)."""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

import atspi_reader
from atspi_reader import application, check, children, find, walk, wait_for, window

DATA = os.path.join(sys.argv[1], "kdata")
FIELD_ROLES = {"push button", "text", "toggle button", "check box", "radio button", "spin button", "table", "list"}


def records(name):
    return atspi_reader.records(DATA, name)


readings = {int(r[0]): r[4:4 + int(r[2])] for r in records("knj_yomi.csv")}
grades = {int(r[0]): int(r[2]) for r in records("knj_atrbt.csv")}
strokes = records("Kaksu_srch.csv")  # kanji number, kanji, stroke count; in stroke-count order


def cell(table, row, col):
    """The name of a data cell, or with row -1 the heading of column col."""
    if row < 0:
        return table.queryTable().getColumnHeader(col).name
    return table.queryTable().getAccessibleAt(row, col).name


def unnamed_fields(root):
    return [n.getRoleName() for n in walk(root) if n.getRoleName() in FIELD_ROLES and not n.name]


def run_events_until(done, seconds=10.0):
    """Runs the event loop, delivering AT-SPI events to listeners, until done() or time is up."""
    end = time.monotonic() + seconds

    def tick():
        if done() or time.monotonic() > end:
            pyatspi.Registry.stop()
            return False
        return True

    GLib.timeout_add(50, tick)
    pyatspi.Registry.start()


def press_key(title, key):
    win = subprocess.run(["xdotool", "search", "--name", "^" + title + "$"], capture_output=True, text=True).stdout.split()
    subprocess.run(["xdotool", "windowfocus", "--sync", win[0]], stderr=subprocess.DEVNULL)
    subprocess.run(["xdotool", "key", "--clearmodifiers", key])


main = wait_for(lambda: window("Sorban v2.05"))
if main is None:
    print("FAIL sorban's main window never appeared on the accessibility bus")
    sys.exit(1)
check("the main window is a frame named by its caption", main.getRoleName() == "frame", main.getRoleName())

# 1. The appearance table: 10 rows x 6 columns of pages, headed by the column labels and the readings.
table = wait_for(lambda: find(main, "table", "出現ページ表"))
check("the appearance table is a table", table is not None)
number_box = find(main, "text", "漢字番号")
shown = int(number_box.queryText().getText(0, -1))
check("it has 10 rows and 6 columns", (table.queryTable().nRows, table.queryTable().nColumns) == (10, 6),
      (table.queryTable().nRows, table.queryTable().nColumns))
header = table.queryTable().getColumnHeader(0)
check("column 0 is headed by the first column label", header is not None and header.getRole() == pyatspi.ROLE_TABLE_COLUMN_HEADER
      and header.name == cell(table, -1, 0), header and header.name)
row_header = table.queryTable().getRowHeader(0)
check("row 0 is headed by the shown kanji's first reading", row_header is not None and row_header.name == readings[shown][0],
      row_header and row_header.name)

# 2. The attribute grid's row 1 holds the grade; the large kanji say which kanji is shown.
attributes = find(main, "table", "属性")
check("the attribute grid's first cell holds the grade under its heading",
      attributes and cell(attributes, 0, 0) == "%d年" % grades[shown] and cell(attributes, -1, 0) == "配当学年",
      attributes and (cell(attributes, -1, 0), cell(attributes, 0, 0)))
kanji = records("knj_yomi.csv")[shown - 1][1]
check("the large kanji are named with their number", find(main, "label", "%s（漢字番号 %d）" % (kanji, shown)) is not None)
check("the lamp is named by its state", find(main, "label", "出現表示に戻る") is not None)
check("every edit box, button, list and table has a name", not unnamed_fields(main), unnamed_fields(main))

# The memo list's entry is focused only while the list has the focus; (メモ), which Tab passes
# over, does not claim to take the focus; one label names the kanji with its number.
memo = find(main, "list", "メモ")
entry = memo.getChildAtIndex(1)
box = entry.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
subprocess.run(["xdotool", "mousemove", str(box.x + 5), str(box.y + 5), "click", "1"])
focused = lambda: entry.getState().contains(pyatspi.STATE_FOCUSED)
memo.queryComponent().grabFocus()
check("the memo entry chosen last is focused while the list has the focus", wait_for(focused, 5))
number_box.queryComponent().grabFocus()
check("and no longer once the focus has left the list", wait_for(lambda: not focused(), 5))
memo_button = find(main, "push button", "(メモ)")
check("(メモ) does not claim to take the focus", memo_button and not memo_button.getState().contains(pyatspi.STATE_FOCUSABLE))
named = [n.name for n in walk(main) if n.getRoleName() == "label" and "（漢字番号" in n.name]
check("one label names the shown kanji with its number", len(named) == 1, named)

# 3. Down shows the next kanji; the table says that its cells changed, and reads the new reading.
renamed = []


def heard(event):
    renamed.append(event.source.name)


pyatspi.Registry.registerEventListener(heard, "object:property-change:accessible-name")
press_key("Sorban v2.05", "Down")
run_events_until(lambda: readings[shown + 1][0] in renamed)
pyatspi.Registry.deregisterEventListener(heard, "object:property-change:accessible-name")
check("after Down the changed cells are announced", readings[shown + 1][0] in renamed, renamed[:12])
check("after Down row 0 is headed by the next kanji's first reading", table.queryTable().getRowHeader(0).name == readings[shown + 1][0],
      (table.queryTable().getRowHeader(0).name, readings[shown + 1][0]))

# 4. The stroke-count window, opened by its button's action: a window whose table reads its kanji.
find(main, "push button", "画数(K)").queryAction().doAction(0)
strokes_window = wait_for(lambda: window("Kakusuu"))
check("the stroke-count window is a frame named Kakusuu", strokes_window and strokes_window.getRoleName() == "frame")
if strokes_window:
    grid = wait_for(lambda: find(strokes_window, "table", "画数検索表"))
    check("its table reads the fewest strokes as the first row's heading",
          grid and grid.queryTable().getRowHeader(0).name == "%s画" % strokes[0][2], grid and grid.queryTable().getRowHeader(0).name)
    check("its table reads the first kanji in the first cell", grid and cell(grid, 0, 0) == strokes[0][1],
          grid and cell(grid, 0, 0))
    # A group too long for one row goes on in the next, under the same heading.
    counts = [sum(1 for r in strokes if r[2] == s) for s in sorted({r[2] for r in strokes}, key=int)]
    long_group = next(i for i, c in enumerate(counts) if c > 40)
    row = sum((c + 39) // 40 + (1 if c % 40 == 0 else 0) for c in counts[:long_group]) + 1
    value = sorted({r[2] for r in strokes}, key=int)[long_group]
    check("a group's second row is headed by the group's heading", grid and grid.queryTable().getRowHeader(row).name == "%s画" % value,
          grid and grid.queryTable().getRowHeader(row).name)
    check("every control of the window has a name", not unnamed_fields(strokes_window), unnamed_fields(strokes_window))

# 5. Qt's own dialogs speak Japanese: the file dialog of PDFに保存 (through its choice of kanji).
press_key("Sorban v2.05", "alt+f")
subprocess.run(["xdotool", "key", "e"])
choice = wait_for(lambda: window("PDFに保存"))
check("PDFに保存 opens its choice of kanji", choice is not None)
if choice:
    press_key("PDFに保存", "Return")
    files = wait_for(lambda: next((w for w in children(application()) if w.name == "PDFに保存" and
                                   find(w, "push button", "キャンセル")), None))
    buttons = [n.name for n in walk(files) if n.getRoleName() == "push button"] if files else []
    check("the file dialog's buttons speak Japanese", "保存(S)" in buttons and "キャンセル" in buttons, buttons)
    if files:
        press_key("PDFに保存", "Escape")

# 5. The text check: a text written through the editable text interface is marked, and the list
# of marks reads as a table headed by its columns.
press_key("Sorban v2.05", "ctrl+t")
checker = wait_for(lambda: window("未習チェック"))
check("Ctrl+T opens the text check as a frame", checker is not None and checker.getRoleName() == "frame")
if checker:
    area = find(checker, "text", "調べる文章")
    check("its text area is named", area is not None)
    if area:
        area.queryEditableText().setTextContents("鉛筆で書く。")
    marks = find(checker, "table", "印の一覧")
    filled = lambda: marks and marks.queryTable().nRows >= 1 and cell(marks, 0, 2) == "鉛"
    check("the list of marks is a table whose first row names the first marked kanji", wait_for(filled, 10),
          marks and marks.queryTable().nRows and cell(marks, 0, 2))
    check("its columns are headed 位置 … 区分",
          marks and cell(marks, -1, 0) == "位置" and cell(marks, -1, 4) == "区分" and cell(marks, 0, 4) == "教育漢字外",
          marks and (cell(marks, -1, 0), cell(marks, -1, 4), cell(marks, 0, 4)))
    check("every control of the text check has a name", not unnamed_fields(checker), unnamed_fields(checker))

# 6. Handwriting search: the pad and the row of candidates are named; a stroke drawn on the pad
# fills the row, a list whose items are the kanji.
press_key("Sorban v2.05", "ctrl+h")
hand = wait_for(lambda: window("手書き検索"))
check("Ctrl+H opens handwriting search as a frame", hand is not None and hand.getRoleName() == "frame")
if hand:
    pad = next((n for n in walk(hand) if n.name == "手書き欄"), None)
    row = find(hand, "list", "候補")
    check("its pad and its list of candidates are named", pad is not None and row is not None)
    if pad and row:
        x, y, _, _ = pad.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        subprocess.run(["xdotool", "mousemove", str(x + 50), str(y + 150), "mousedown", "1", "mousemove", str(x + 150),
                        str(y + 148), "mousemove", str(x + 250), str(y + 146), "mouseup", "1"])
        filled = lambda: row.childCount >= 10
        check("a stroke fills the list with ten candidates or more", wait_for(filled, 20), row.childCount)
        first = row.getChildAtIndex(0).name if row.childCount else None
        check("its first item is the kanji of the stroke", first == "一", first)
        check("the pad says how many strokes it holds", pad.description.endswith("1画"), pad.description)
    check("every control of handwriting search has a name", not unnamed_fields(hand), unnamed_fields(hand))

sys.exit(atspi_reader.summary())
