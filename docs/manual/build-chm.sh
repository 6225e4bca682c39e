#!/bin/sh
# build-chm.sh SOURCE_DIR WORK_DIR OUTPUT: compiles the manual. CHM viewers read a Japanese help
# file in its code page, so the UTF-8 pages are converted to Shift-JIS first.
set -eu
src=$1 work=$2 out=$3
rm -rf "$work"
mkdir -p "$work"
for f in "$src"/*.html "$src"/*.hhc; do
  sed 's/charset=utf-8/charset=Shift_JIS/' "$f" | iconv -f UTF-8 -t CP932 > "$work/$(basename "$f")"
done
cp "$src"/*.png "$work/"
iconv -f UTF-8 -t CP932 "$src/Sorban_Man.hhp" > "$work/Sorban_Man.hhp"
(cd "$work" && chmcmd Sorban_Man.hhp > /dev/null)
cp "$work/Sorban_Man.chm" "$out"
