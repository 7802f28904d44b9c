# Sourced by the window tests: a scratch directory and a virtual X server of its own for the
# game, torn down on exit with whatever the test lists in $pids. Exits 77 (skipped) when the
# server cannot be started.
work=$(mktemp -d)
pids=""
trap 'kill $xvfb $pids 2>/dev/null; rm -rf "$work"' EXIT
display=":$((100 + RANDOM % 800))"
Xvfb "$display" -screen 0 1024x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
kill -0 $xvfb 2>/dev/null || { echo "Xvfb did not start"; exit 77; }
export DISPLAY="$display" TARN_INSTANCE_DIR="$work" SDL_AUDIODRIVER=dummy
# The system's display libraries keep a few allocations to the end; they are not ours.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
