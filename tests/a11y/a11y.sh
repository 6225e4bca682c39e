#!/usr/bin/env bash
# The accessibility test's frame: the accessibility bus, then sorban on the sample data with its
# AT-SPI bridge always on, then the reader (a11y.py). Usage (inside xvfb-run and dbus-run-session):
# a11y.sh SORBAN SAMPLE_DIR OUTDIR BUS_LAUNCHER PYTHON
set -uo pipefail
sorban=$1 data=$2 out=$3 launcher=$4 python=$5
export QT_QPA_PLATFORM=xcb # the real windows on the X server, whatever platform the caller's tests use
rm -rf "$out"
mkdir -p "$out/app"
cp "$sorban" "$out/app/sorban" # its own folder, so that sorban.ini lands there
export XDG_RUNTIME_DIR="$out/runtime" XDG_CONFIG_HOME="$out/config"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# The single-instance lock lives in the temporary folder: one of the run's own.
export TMPDIR="$out/tmp" && mkdir -p "$TMPDIR"
"$launcher" --launch-immediately >"$out/bus.log" 2>&1 &
bus=$!
# sorban looks for the accessibility bus once, as it starts: the bus must be there first.
for _ in $(seq 100); do
  dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null |
    grep -q true && break
  sleep 0.1
done
(cd "$data" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec "$out/app/sorban" >"$out/sorban.log" 2>&1) &
app=$!
"$python" "$(dirname "$0")/a11y.py" "$data"
code=$?
kill "$app" "$bus" 2>/dev/null
wait "$app" "$bus" 2>/dev/null
[ "$code" -eq 0 ] || { echo "sorban printed:"; sed 's/^/    /' "$out/sorban.log"; }
exit "$code"
