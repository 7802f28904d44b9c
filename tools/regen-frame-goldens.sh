#!/bin/sh
# Rewrites every hash in tests/goldens/goldens.txt from the frames the game draws now. Run it
# after an intended change to a picture, the layout, the draw order or a rule that moves what
# the scripts show; it names the frames whose hash changed, to be looked at before committing.
# Usage: tools/regen-frame-goldens.sh [BUILD]   (default: build)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
if [ ! -f "$build/CMakeCache.txt" ]; then
    echo "regen-frame-goldens: $build is not a configured build directory (make build first)" >&2
    exit 1
fi
list=$root/tests/goldens/goldens.txt
before=$(mktemp)
trap 'rm -f "$before"' EXIT
cp "$list" "$before"
cmake --build "$build" -j 2 --target tarn_tests tarngame gamedata
TARN_REGEN_GOLDENS=1 "$build/tests/tarn_tests" --gtest_filter='FrameGoldens.*' --gtest_brief=1
# A second pass without the variable proves the new hashes hold.
"$build/tests/tarn_tests" --gtest_filter='FrameGoldens.*' --gtest_brief=1
awk -v dir="$build/tests/frame-goldens/matched" '
    /^#/ || NF < 4 { next }
    NR == FNR { old[$1] = $4; next }
    old[$1] != $4 { print $1 ": " dir "/" $4 ".png"; changed++ }
    END { print (changed ? changed : "no") " frame(s) changed" }' "$before" "$list"
