"""What the accessibility tests share: reading the sample files, polling AT-SPI (the bus answers
asynchronously), walking sorban's objects, and counting checks."""
import os
import time

import pyatspi

counts = {"passed": 0, "failed": 0}


def check(name, condition, detail=""):
    if condition:
        counts["passed"] += 1
        print("ok   " + name)
    else:
        counts["failed"] += 1
        print("FAIL " + name + (": " + str(detail) if detail != "" else ""))


def summary():
    """Prints the closing line and gives the exit code."""
    print("%d passed, %d failed" % (counts["passed"], counts["failed"]))
    return 1 if counts["failed"] else 0


def records(data, name):
    """The records of a data file of folder `data`: Shift-JIS lines without note and heading lines."""
    with open(os.path.join(data, name), encoding="cp932") as f:
        return [line.rstrip("\r\n").split(",") for line in f if line.strip() and line[0] not in "#$"]


def wait_for(find, seconds=20.0):
    """Polls find() until it gives something; None at the end."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            found = find()
            if found:
                return found
        except Exception:  # an object that went away between two calls: ask again
            pass
        time.sleep(0.1)
    return None


def children(node):
    return [node.getChildAtIndex(i) for i in range(node.childCount)]


def walk(node, depth=0):
    """Every object under node; a table's cells are left to its table interface."""
    yield node
    if depth < 8 and node.getRoleName() != "table":
        for child in children(node):
            if child is not None:
                yield from walk(child, depth + 1)


def find(root, role, name=None):
    for node in walk(root):
        if node.getRoleName() == role and (name is None or node.name == name):
            return node
    return None


def application():
    return next((a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "Sorban"), None)


def window(title):
    app = application()
    return next((w for w in children(app) if w.name == title), None) if app else None
