#!/bin/bash
# demo_wait.sh: the game's processor use while idle and during one 8 s demonstration wait, operating its window under Xvfb.
#
#   bench/demo_wait.sh BUILD_DIR
#
# Starts BUILD_DIR/vandrel on a virtual X screen (xvfb-run), leaves it idle
# for 5 s, then clicks "パズル実行", "自動", sets the wait to its longest
# (250 ms << 5 = 8 s) and presses "次" once: the demonstration highlights its
# move and waits 8 s before making it. Processor time is read from /proc
# over the idle 5 s and over the 8 s after the press (BUILD_DIR/bench/vandrel-startup cpu).
# Meanwhile the game's main thread is sampled every 100 ms for the system call
# it is blocked in, which shows the wait is spent asleep (clock_nanosleep)
# and for how long. xdotool clicks at places taken from the window's layout;
# the window is sized to 1000 by 640 first (bare Xvfb has no window manager
# to maximise it).
set -euo pipefail

build=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$build"
fi

scratch=$(mktemp -d)
trap 'kill "$game" 2>/dev/null || true; rm -rf "$scratch"' EXIT
cd "$scratch"
"$build/vandrel" >"$scratch/game.log" 2>&1 &
game=$!
window=$(xdotool search --sync --name "ソラドミ" | head -1)
width=1000
height=640
xdotool windowsize "$window" $width $height
sleep 1
panel=$((width - 134))  # left edge of the right-hand panel

echo "idle 5 s:"
"$build/bench/vandrel-startup" cpu "$game" 5

xdotool mousemove $((panel + 30)) 46 click 1                  # パズル実行
sleep 0.3
xdotool mousemove $((panel + 72)) $((65 + 277 + 14)) click 1  # 自動
sleep 0.3
for _ in 1 2 3; do                                           # the wait slider to its right end
    xdotool mousemove $((panel + 126)) $((65 + 315 + 66 + 12)) click 1
    sleep 0.2
done
sleep 1

# The blocking system call of the main thread, every 100 ms, with the time:
# 230 is clock_nanosleep on x86-64, 7 poll (the event loop waiting for events).
sample() {
    for _ in $(seq 1 95); do
        echo "$(date +%s.%N) $(cut -d' ' -f1 "/proc/$game/task/$game/syscall" 2>/dev/null || echo gone)"
        sleep 0.1
    done >"$scratch/calls"
}
sample &
sampler=$!
xdotool mousemove $((panel + 67)) $((65 + 315 + 8 + 14)) click 1  # 次
echo "one demonstration step with an 8 s wait, 8 s from the press:"
"$build/bench/vandrel-startup" cpu "$game" 8
wait "$sampler"
echo "main thread, samples 100 ms apart, by system call:"
cut -d' ' -f2 "$scratch/calls" | sort | uniq -c | sed 's/^/  /'
echo "clock_nanosleep seen from the first to the last sample of its longest run: $(awk '
    $2 == 230 { if (!run) first = $1; run = 1; last = $1; if (last - first > best) best = last - first; next }
    { run = 0 }
    END { printf "%.1f s", best }' "$scratch/calls")"
