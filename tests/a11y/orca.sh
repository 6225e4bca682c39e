#!/usr/bin/env bash
# What Orca speaks: the accessibility bus, sorban on the sample data, then Orca itself (speech
# through speech-dispatcher's dummy output, its debug log written line by line), then the driver
# (orca.py), which presses keys and moves the mouse and reads what Orca said from the log.
# A window manager runs, as on a desktop. Usage (inside xvfb-run and dbus-run-session): orca.sh SORBAN SAMPLE_DIR OUTDIR BUS_LAUNCHER PYTHON ORCA
set -uo pipefail
sorban=$1 data=$2 out=$3 launcher=$4 python=$5 orca=$6
here=$(cd "$(dirname "$0")" && pwd)
source "$here/frame.sh"
export LANG=C.UTF-8 HOME="$out/home" XDG_DATA_HOME="$out/data"
mkdir -p "$HOME" "$out/prefs"
cp "$here/orca-settings.conf" "$out/prefs/user-settings.conf"
# Orca's mouse review finds the window under the pointer through the window manager.
openbox --sm-disable >"$out/openbox.log" 2>&1 &
wm=$!
start_bus_and_sorban
# Orca will not start beside another Orca of the same user (a desktop's own, or another test run),
# though this one has a bus and a display of its own: its look for others (pgrep) finds none.
mkdir -p "$out/bin"
printf '#!/bin/sh\nexit 1\n' >"$out/bin/pgrep" && chmod +x "$out/bin/pgrep"
# Orca's debug log, written line by line so that the driver can wait for each thing said.
PATH="$out/bin:$PATH" "$python" -c '
import builtins, runpy, sys
log, orca = sys.argv[1], sys.argv[2]
plain_open = builtins.open
def open_log(file, mode="r", *args, **kwargs):
    if file == log and "w" in mode:
        return plain_open(file, mode, buffering=1, encoding="utf-8")
    return plain_open(file, mode, *args, **kwargs)
builtins.open = open_log
sys.argv = [orca, "--user-prefs", sys.argv[3], "--debug-file", log]
runpy.run_path(orca, run_name="__main__")
' "$out/orca.log" "$orca" "$out/prefs" >"$out/orca.out" 2>&1 &
reader=$!
"$python" "$here/orca.py" "$data" "$out/orca.log"
code=$?
kill "$reader" "$app" 2>/dev/null
wait "$reader" "$app" 2>/dev/null
kill "$bus" "$wm" 2>/dev/null; wait "$bus" "$wm" 2>/dev/null
[ "$code" -eq 0 ] || { echo "sorban printed:"; sed 's/^/    /' "$out/sorban.log"; echo "orca printed:"; tail -20 "$out/orca.out" | sed 's/^/    /'; }
exit "$code"
