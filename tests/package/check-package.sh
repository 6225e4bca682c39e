#!/usr/bin/env bash
# Makes the Debian package from BUILD_DIR, unpacks it into a scratch root and checks what a
# desktop would use of it (files, desktop entry, metainfo, dependencies, hardening), then runs
# lintian, which must report no error and no warning. Usage: check-package.sh BUILD_DIR [hardened|plain]:
# a build configured without Debian's hardening flags ("plain") skips the checks of the binary's
# hardening, and lintian's hardening tags, which say only that.
set -uo pipefail
build=$1 hardening=${2:-hardened}
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
share=$root/usr/share
check "program and tools in /usr/bin" test -x "$root/usr/bin/sorban" -a -x "$root/usr/bin/mkdata" -a -x "$root/usr/bin/kdata-check"
check "sample data" test -f "$share/sorban/kdata/knj_yomi.csv"
check "eleven data files" test "$(ls "$share/sorban/kdata" | wc -l)" -eq 11
check "1026 stroke-order pictures" test "$(ls "$share/sorban/hitudata" | wc -l)" -eq 1026
check "manual" test -f "$share/sorban/Sorban_Man.chm"
check "manual as HTML pages" test -f "$share/sorban/manual/index.html"
check "icon" test -f "$share/icons/hicolor/scalable/apps/sorban.svg"
check "desktop entry is valid" desktop-file-validate "$share/applications/sorban.desktop"
check "desktop entry starts in the data folder" grep -qx 'Path=/usr/share/sorban' "$share/applications/sorban.desktop"
check "desktop entry matches the windows' class" grep -qx "StartupWMClass=Sorban" "$share/applications/sorban.desktop"
check "metainfo is valid (pedantic)" appstreamcli validate --no-net --pedantic "$share/metainfo/app.sorban.Sorban.metainfo.xml"
check "metainfo names a free licence" grep -q '<project_license>GPL-3.0-or-later</project_license>' "$share/metainfo/app.sorban.Sorban.metainfo.xml"
check "machine-readable copyright" grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$share/doc/sorban/copyright"
for licence in GPL-3+ CC-BY-SA-4.0 BSD-3-clause Unicode-DFS-2016; do
  check "copyright states $licence" grep -q "^License: $licence\$" "$share/doc/sorban/copyright"
done
check "changelog" gzip -t "$share/doc/sorban/changelog.gz"
version=$(dpkg-deb -f "$deb" Version)
check "the changelog's last entry is this version" grep -q "^sorban ($version)" <<<"$(zcat "$share/doc/sorban/changelog.gz" | head -n 1)"
check "the manual pages name this version" grep -q "Sorban $version" <<<"$(zcat "$share/man/man1/sorban.1.gz" | head -n 1)"
for page in sorban mkdata kdata-check; do
  check "manual page $page(1)" gzip -t "$share/man/man1/$page.1.gz"
done
# Debian's hardening flags: full RELRO, immediate binding, stack protector, fortified calls.
lintian_skip=()
if [ "$hardening" = hardened ]; then
  dynamic=$(readelf -d "$root/usr/bin/sorban"); headers=$(readelf -lW "$root/usr/bin/sorban"); symbols=$(readelf --dyn-syms -W "$root/usr/bin/sorban")
  check "program is linked with RELRO" grep -q GNU_RELRO <<<"$headers"
  check "program binds immediately" grep -q BIND_NOW <<<"$dynamic"
  check "program is position-independent" grep -q 'PIE' <<<"$dynamic"
  check "program has the stack protector" grep -q __stack_chk_fail <<<"$symbols"
  check "program uses fortified functions" grep -qE '__[a-z]+_chk' <<<"$symbols"
else
  echo "skip the binary's hardening: this build was configured without Debian's hardening flags (the release preset has them)"
  lintian_skip=(--suppress-tags hardening-no-relro,hardening-no-bindnow,hardening-no-fortify-functions,hardening-no-pie)
fi
depends=$(dpkg-deb -f "$deb" Depends)
check "depends on Qt 6" grep -q libqt6widgets6 <<<"$depends"
check "depends on libjpeg" grep -q libjpeg <<<"$depends"
check "depends on the IPA fonts" grep -q fonts-ipafont <<<"$depends"
check "depends on the SVG icon engine" grep -q libqt6svg6 <<<"$depends"
check "depends on the text check's analyser and its dictionary" grep -q "libmecab2, mecab-ipadic-utf8" <<<"$depends"
check "depends on handwriting search's recogniser, its model and the stroke templates" grep -q "libzinnia0, tegaki-zinnia-japanese, python3-kanjidraw" <<<"$depends"
check "recommends a Japanese input method" grep -q 'ibus-mozc | fcitx5-mozc' <<<"$(dpkg-deb -f "$deb" Recommends)"
check "recommends Qt's Japanese dialogs" grep -q 'qt6-translations-l10n' <<<"$(dpkg-deb -f "$deb" Recommends)"
check "suggests the fcitx5 Qt 6 module" grep -q 'fcitx5-frontend-qt6' <<<"$(dpkg-deb -f "$deb" Suggests)"
lintian_out=$(lintian --no-cfg "${lintian_skip[@]}" "$deb" 2>&1)
echo "lintian said:"; sed 's/^/    /' <<<"${lintian_out:-(nothing)}"
check "lintian reports no error and no warning" test -z "$(grep -E '^[EW]: ' <<<"$lintian_out")"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
