#!/usr/bin/env bash
# Installs into a temporary prefix and runs the installed game headless: it must find its data
# under share/tarngame and save to the user's directory, never beside the program.
set -eu
build="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
for f in bin/tarngame share/applications/tarngame.desktop \
         share/metainfo/tarngame.metainfo.xml share/man/man6/tarngame.6; do
    [ -e "$work/prefix/$f" ] || { echo "FAIL: $f not installed"; exit 1; }
done
# Pictures that exist in the build must be installed too.
for f in "$build"/data/*.bmp; do
    [ -e "$f" ] || continue
    [ -e "$work/prefix/share/tarngame/$(basename "$f")" ] || { echo "FAIL: $f"; exit 1; }
done
export HOME="$work/home" XDG_DATA_HOME="$work/home/data"
unset TARN_DATA_DIR TARN_SAVE_DIR
out=$("$work/prefix/bin/tarngame" --headless --frames 3 --stats 2>"$work/err")
grep -q '"state":1' <<<"$out" || { echo "FAIL: $out"; cat "$work/err"; exit 1; }
if grep -q "no data directory" "$work/err"; then echo "FAIL: data not found"; exit 1; fi
echo PASS
