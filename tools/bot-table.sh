#!/bin/sh
# For each of the 48 rounds, lets the autoplayer start a game at that round (progress for
# every round is put in a scratch save directory, so the start round can be chosen) and
# prints a Markdown table: whether it cleared the round, with how many shots, in how many tries.
#   tools/bot-table.sh [BUILD_DIR] [FRAMES_PER_ROUND]
set -eu
build=${1:-build}
frames=${2:-8000}
save=$(mktemp -d)
trap 'rm -rf "$save"' EXIT

echo "| round | cleared | shots | tries |"
echo "| ---: | --- | ---: | ---: |"
n=1
while [ "$n" -le 48 ]; do
    rm -rf "$save"/*
    printf '\057\000\000\000' >"$save/com.dat"  # round index 47 cleared
    report=$("$build/tarngame" --headless --bot --bot-start-round "$n" --frames "$frames" \
        --stats --data-dir "$build/data" --save-dir "$save" 2>&1 >/dev/null)
    line=$(printf '%s\n' "$report" | grep "^round $n: " || true)
    if [ -n "$line" ]; then
        printf '%s\n' "$line" |
            sed -E 's/^round ([0-9]+): cleared (yes|no), shots ([0-9]+), tries ([0-9]+)$/| \1 | \2 | \3 | \4 |/'
    else
        echo "| $n | no | 0 | 0 |"
    fi
    n=$((n + 1))
done
