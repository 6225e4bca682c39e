#!/usr/bin/env bash
# The accessibility test: the frame (frame.sh: the accessibility bus, then sorban on the sample data
# with its AT-SPI bridge always on), then the reader (a11y.py). Usage (inside xvfb-run and dbus-run-session):
# a11y.sh SORBAN SAMPLE_DIR OUTDIR BUS_LAUNCHER PYTHON
set -uo pipefail
sorban=$1 data=$2 out=$3 launcher=$4 python=$5
source "$(dirname "$0")/frame.sh"
start_bus_and_sorban
"$python" "$(dirname "$0")/a11y.py" "$data"
code=$?
kill "$app" "$bus" 2>/dev/null
wait "$app" "$bus" 2>/dev/null
[ "$code" -eq 0 ] || { echo "sorban printed:"; sed 's/^/    /' "$out/sorban.log"; }
exit "$code"
