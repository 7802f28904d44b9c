#!/usr/bin/env bash
# The mouse in a real window under a virtual X server: a click on the title starts a game, a
# drag in the field aims, its release fires; a drag that leaves the window is still released
# (clamped to the picture) and, lifted below the field, does not fire; a click on the
# letterbox is dropped. Skipped (77) where no X server or xdotool is available.
set -u
game="$1"
data="$2"
for tool in Xvfb xdotool; do command -v $tool >/dev/null || { echo "no $tool"; exit 77; }; done

. "$(dirname "$0")/xvfb_session.sh"

# Scale 2: the picture's pixel (x, y) is the window's (2x, 2y) and a bit.
"$game" --data-dir "$data" --save-dir "$work/save" --scale 2 --stats --record "$work/rec.txt" \
    >"$work/stats.txt" 2>"$work/log.txt" &
pid=$!
pids=$pid
window=""
for _ in $(seq 50); do
    window=$(xdotool search --name '^TarnGameFrame$' 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "FAIL: no window"; exit 1; }
sleep 0.5

at() { xdotool mousemove --window "$window" $((2 * $1 + 1)) $((2 * $2 + 1)); sleep 0.15; }
press() { at "$1" "$2"; xdotool mousedown 1; sleep 0.15; }
release() { at "$1" "$2"; xdotool mouseup 1; sleep 0.3; }

press 100 130; release 100 130          # the title's first entry: rounds mode
press 150 60; at 120 80; at 60 110       # aim, then drag to the left
release 40 120                          # 118 degrees: fire
sleep 1
press 100 100; at 100 200
xdotool mousemove 5 1000; sleep 0.15     # out of the window, below the picture
xdotool mouseup 1; sleep 0.3             # clamped to the picture's bottom row: aims only
xdotool windowsize "$window" 600 640; sleep 0.5
xdotool mousemove --window "$window" 20 300; xdotool click 1; sleep 0.3  # the letterbox

kill -TERM $pid
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
wait $pid
rc=$?
[ $rc -eq 0 ] || { echo "FAIL: the game exited $rc"; cat "$work/log.txt"; exit 1; }

record=$(grep -v '^#' "$work/rec.txt" | sed 's/^[0-9]* //' | tr '\n' ';')
echo "input: $record"
expected='tap 100 130;release 100 130;tap 150 60;move 120 80;move 60 110;move 40 120;release 40 120;tap 100 100;move 100 200;move 0 319;release 0 319;'
[ "$record" = "$expected" ] || { echo "FAIL: expected input $expected"; exit 1; }
field() { grep -o "\"$1\":[-0-9a-z]*" "$work/stats.txt" | cut -d: -f2; }
[ "$(field state)" = 0 ] || { echo "FAIL: not in play"; exit 1; }
[ "$(field shotsFired)" = 1 ] || { echo "FAIL: $(field shotsFired) shots, expected 1"; exit 1; }
[ "$(field aimAngle)" = 170 ] || { echo "FAIL: aimAngle $(field aimAngle), expected 170"; exit 1; }
echo "PASS"
