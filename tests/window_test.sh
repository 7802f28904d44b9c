#!/usr/bin/env bash
# A real window under a virtual X server: its title, a second start that brings the first to
# the front and exits 0 while the first runs on (or exits 1 when it asked for more), a scale
# too big for the screen, closing through the window manager's path, and the CPU an idle game
# costs. Skipped (77) where no X server can be started.
set -u
game="$1"
data="$2"
command -v Xvfb >/dev/null && command -v xwininfo >/dev/null || { echo "no Xvfb/xwininfo"; exit 77; }

. "$(dirname "$0")/xvfb_session.sh"

"$game" --data-dir "$data" --save-dir "$work/save" >"$work/first.log" 2>&1 &
first=$!
pids=$first
for _ in $(seq 50); do
    xwininfo -root -tree | grep -q '"TarnGameFrame"' && break
    sleep 0.1
done
xwininfo -root -tree | grep -q '"TarnGameFrame"' || { echo "FAIL: no window titled TarnGameFrame"; exit 1; }

# A plain second start (the same directories, from the environment) only brings the first
# forward: that is all it asked, so it succeeds.
TARN_DATA_DIR="$data" TARN_SAVE_DIR="$work/save" timeout 20 "$game" >"$work/second.log"
rc=$?
[ $rc -eq 0 ] || { echo "FAIL: second start exited $rc"; exit 1; }
grep -q "already running" "$work/second.log" || { echo "FAIL: the second start said nothing"; exit 1; }
# One that asks for more (the editor, a set, other directories) cannot have it: it says so.
for request in "--edit $work/mine.txt:the round editor on $work/mine.txt" \
    "--rounds $data/../../assets/rounds.txt:the round set" "--save-dir $work/other:the save directory"; do
    TARN_DATA_DIR="$data" TARN_SAVE_DIR="$work/save" timeout 20 "$game" ${request%%:*} \
        >"$work/refused.log" 2>&1
    rc=$?
    [ $rc -eq 1 ] || { echo "FAIL: ${request%%:*} while running exited $rc"; exit 1; }
    grep -q "not carried out: ${request#*:}" "$work/refused.log" ||
        { echo "FAIL: ${request%%:*} while running said: $(cat "$work/refused.log")"; exit 1; }
done
kill -0 $first 2>/dev/null || { echo "FAIL: the first game ended"; exit 1; }

ticks() { awk '{print $14 + $15}' "/proc/$first/stat"; }
sleep 1
t0=$(ticks); sleep 4; t1=$(ticks)
hz=$(getconf CLK_TCK)
percent=$(( (t1 - t0) * 100 / (4 * hz) ))
echo "idle title page: ${percent}% of one core"
[ "$percent" -lt 5 ] || { echo "FAIL: idle game uses ${percent}% of a core"; exit 1; }

kill -TERM $first
for _ in $(seq 50); do kill -0 $first 2>/dev/null || break; sleep 0.1; done
wait $first
rc=$?
[ $rc -eq 0 ] || { echo "FAIL: closed game exited $rc"; exit 1; }

# Helpers for the runs below: wait for a window whose title matches, and its size.
wait_window() {
    for _ in $(seq 50); do
        xwininfo -root -tree | grep -q "\"$1\"" && return 0
        sleep 0.1
    done
    return 1
}
window_size() { xwininfo -root -tree | grep "\"$1\"" | head -1 | grep -o '[0-9]*x[0-9]*+' | tr -d +; }

# --fullscreen fills the screen even with no window manager, and F11 goes back and forth.
"$game" --fullscreen --data-dir "$data" --save-dir "$work/save" >"$work/full.log" 2>&1 &
full=$!
wait_window TarnGameFrame || { echo "FAIL: no full-screen window"; exit 1; }
sleep 0.5
[ "$(window_size TarnGameFrame)" = 1024x1024 ] || { echo "FAIL: --fullscreen gave $(window_size TarnGameFrame)"; exit 1; }
xdotool search --name TarnGameFrame key F11; sleep 0.5
[ "$(window_size TarnGameFrame)" != 1024x1024 ] || { echo "FAIL: F11 stayed full screen"; exit 1; }
xdotool search --name TarnGameFrame key F11; sleep 0.5
[ "$(window_size TarnGameFrame)" = 1024x1024 ] || { echo "FAIL: F11 gave $(window_size TarnGameFrame)"; exit 1; }
kill -TERM $full; wait $full

# A scale too big for the screen (1024 pixels tall) gives the largest that fits, with a warning.
"$game" --scale 4 --data-dir "$data" --save-dir "$work/save" >"$work/scale.log" 2>&1 &
big=$!
wait_window TarnGameFrame || { echo "FAIL: no window at --scale 4"; exit 1; }
sleep 0.5
[ "$(window_size TarnGameFrame)" = 720x960 ] || { echo "FAIL: --scale 4 gave $(window_size TarnGameFrame)"; exit 1; }
grep -q "warning: --scale 4 does not fit this screen; using 3" "$work/scale.log" ||
    { echo "FAIL: no warning for --scale 4: $(cat "$work/scale.log")"; exit 1; }
kill -TERM $big; wait $big

# The demo is marked in the title; a key hands the game back (the bot stops on the title page).
"$game" --bot --stats --data-dir "$data" --save-dir "$work/save" >"$work/demo.log" 2>/dev/null &
demo=$!
wait_window "TarnGameFrame DEMO" || { echo "FAIL: no DEMO in the demo's title"; exit 1; }
sleep 2
xdotool search --name "TarnGameFrame DEMO" key a; sleep 0.5
wait_window TarnGameFrame && ! xwininfo -root -tree | grep -q '"TarnGameFrame DEMO"' ||
    { echo "FAIL: the demo's title stayed"; exit 1; }
sleep 1
kill -TERM $demo; wait $demo
grep -q '"state":1,' "$work/demo.log" || { echo "FAIL: not on the title page: $(cat "$work/demo.log")"; exit 1; }
grep -q '"running":false' "$work/demo.log" || { echo "FAIL: the bot plays on"; exit 1; }

# A recorded game replays in a window to the same game as headless.
"$game" --headless --bot --frames 60 --record "$work/rec.txt" --stats --data-dir "$data" \
    --save-dir "$work/rec" 2>/dev/null | sed 's/"frame_us[^,]*,//g; s/"frame_us[^}]*//' >"$work/headless.json"
timeout 30 "$game" --input "$work/rec.txt" --frames 60 --stats --data-dir "$data" \
    --save-dir "$work/replay" 2>/dev/null | sed 's/"frame_us[^,]*,//g; s/"frame_us[^}]*//' >"$work/window.json"
cmp -s "$work/headless.json" "$work/window.json" ||
    { echo "FAIL: the window replay differs: $(cat "$work/headless.json") / $(cat "$work/window.json")"; exit 1; }
echo "PASS"
