#!/usr/bin/env bash
# Makes the Debian package from BUILD_DIR, unpacks it into a scratch root and checks what a
# desktop would use of it: the files, the desktop entry, the metainfo and the dependencies.
set -uo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work/out" >/dev/null) || { echo "FAIL cpack"; exit 1; }
deb=$(ls "$work"/out/sorban_*_amd64.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "FAIL no package"; exit 1; }
dpkg-deb -x "$deb" "$work/root"
passed=0 failed=0
check() {
  local name=$1; shift
  if "$@" >/dev/null 2>&1; then passed=$((passed + 1)); echo "ok   $name"; else failed=$((failed + 1)); echo "FAIL $name"; fi
}
root=$work/root
check "program in /usr/bin" test -x "$root/usr/bin/sorban"
check "sample data" test -f "$root/usr/share/sorban/kdata/knj_yomi.csv"
check "eleven data files" test "$(ls "$root/usr/share/sorban/kdata" | wc -l)" -eq 11
check "1026 stroke-order pictures" test "$(ls "$root/usr/share/sorban/hitudata" | wc -l)" -eq 1026
check "manual" test -f "$root/usr/share/sorban/Sorban_Man.chm"
check "icon" test -f "$root/usr/share/icons/hicolor/scalable/apps/sorban.svg"
check "desktop entry is valid" desktop-file-validate "$root/usr/share/applications/sorban.desktop"
check "desktop entry starts in the data folder" grep -qx 'Path=/usr/share/sorban' "$root/usr/share/applications/sorban.desktop"
check "metainfo is valid" appstreamcli validate --no-net "$root/usr/share/metainfo/app.sorban.Sorban.metainfo.xml"
depends=$(dpkg-deb -f "$deb" Depends)
check "depends on Qt 6" grep -q libqt6widgets6 <<<"$depends"
check "depends on libjpeg" grep -q libjpeg <<<"$depends"
check "depends on the IPA fonts" grep -q fonts-ipafont <<<"$depends"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
