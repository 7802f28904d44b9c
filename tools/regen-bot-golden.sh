#!/bin/sh
# Records the golden bot games that BotRunTest replays (rounds mode and push mode). The replays
# must reach exactly the recorded games, so any change to the game's rules, its use of rand()
# or the generated rounds shows up there. When such a change is intended, run this and commit
# the files it writes together with the change:
#   tools/regen-bot-golden.sh [BUILD_DIR]
set -eu
build=${1:-build}
here=$(cd "$(dirname "$0")/.." && pwd)
files="$here/tests/files"
save=$(mktemp -d)
trap 'rm -rf "$save"' EXIT

record() {  # name mode frames
    rm -rf "$save"/*
    "$build/tarngame" --headless --bot --bot-mode "$2" --frames "$3" --stats \
        --data-dir "$build/data" --save-dir "$save" --record "$files/$1.input" 2>/dev/null |
        sed -E 's/,"frame_us_p(50|99)":[0-9]+//g' >"$files/$1.stats"
    echo "wrote tests/files/$1.input ($(wc -l <"$files/$1.input") lines) and $1.stats"
}

record bot-golden-rounds rounds 4000
record bot-golden-push push 3000
