# What both accessibility tests stand on, sourced with sorban, data, out and launcher set: sorban
# copied into a folder of its own (so that sorban.ini lands there), the run's own runtime, settings
# and temporary folders, the accessibility bus, then sorban on the sample data with its AT-SPI
# bridge always on ($app, $bus).
export QT_QPA_PLATFORM=xcb # the real windows on the X server, whatever platform the caller's tests use
rm -rf "$out"
mkdir -p "$out/app"
cp "$sorban" "$out/app/sorban"
export XDG_RUNTIME_DIR="$out/runtime" XDG_CONFIG_HOME="$out/config"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# The single-instance lock lives in the temporary folder: one of the run's own.
export TMPDIR="$out/tmp" && mkdir -p "$TMPDIR"

start_bus_and_sorban() {
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
}
