#!/usr/bin/env bash
# A real window under a virtual X server: its title, a second start that brings the first to
# the front and exits 0 while the first runs on, closing through the window manager's path,
# and the CPU an idle game costs. Skipped (77) where no X server can be started.
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

timeout 20 "$game" --data-dir "$data" --save-dir "$work/save"
rc=$?
[ $rc -eq 0 ] || { echo "FAIL: second start exited $rc"; exit 1; }
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
echo "PASS"
