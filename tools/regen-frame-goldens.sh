#!/bin/sh
# Rewrites every hash in tests/goldens/goldens.txt from the frames the game draws now. Run it
# after an intended change to a picture, the layout or the draw order, then look at the frames
# it reports (BUILD/tests/frame-goldens/matched/HASH.png) before committing the new hashes.
# Usage: tools/regen-frame-goldens.sh [BUILD]   (default: build)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
if [ ! -f "$build/CMakeCache.txt" ]; then
    echo "regen-frame-goldens: $build is not a configured build directory (make build first)" >&2
    exit 1
fi
cmake --build "$build" -j 2 --target tarn_tests tarngame gamedata
TARN_REGEN_GOLDENS=1 "$build/tests/tarn_tests" --gtest_filter='FrameGoldens.*' --gtest_brief=1
# A second pass without the variable proves the new hashes hold.
"$build/tests/tarn_tests" --gtest_filter='FrameGoldens.*' --gtest_brief=1
git -C "$root" diff --stat -- tests/goldens/goldens.txt
