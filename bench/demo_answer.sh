#!/bin/bash
# demo_answer.sh: how quickly the game's window answers throughout a continuous demonstration at the longest wait, and its processor use idle and during a wait, under Xvfb.
#
#   bench/demo_answer.sh BUILD_DIR [SECONDS]
#
# On a virtual 1920 x 1080 screen (xvfb-run):
#  1. BUILD_DIR/vandrel, the game itself, filling the screen, is left idle 5 s
#     while its processor time is read (BUILD_DIR/bench/vandrel-startup cpu).
#  2. BUILD_DIR/bench/vandrel-answer-probe, the same window with its probes,
#     is operated with xdotool as a player would: "パズル実行", "自動", the wait
#     slider to its right end (position 5: 250 ms << 5 = 8 s), a double click
#     on "次": a continuous run on the sample. Its processor time is read over
#     the first 8 s wait, from 0.3 s after the double click.
#  3. Then, until the run ends (or SECONDS have passed), the probe posts an
#     event to the window's thread every 100 ms and logs the delay until it
#     is handled, and every 4 s the script clicks "説明表示" and takes the time
#     from just before the click to the help text's paint (hidden again by a
#     second click 2 s later).
# Prints the figures and leaves the logs in the folder it names.
set -euo pipefail

build=$(cd "${1:?usage: $0 BUILD_DIR [SECONDS]}" && pwd)
limit=${2:-900}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$build" "$limit"
fi

logs=$(mktemp -d /tmp/demo-answer.XXXXXX)
cd "$logs"
game=""
trap '[ -n "$game" ] && kill "$game" 2>/dev/null || true' EXIT

cpu() { "$build/bench/vandrel-startup" cpu "$1" "$2"; }
at() { awk -v n="$1" '$1 == "control" && $2 == n { at = $3 " " $4 } END { print at }' probe.log; }
click() { xdotool mousemove $(at "$1") click 1; }
now() { date +%s.%N; }

# 1. The game idle.
"$build/vandrel" >game.log 2>&1 &
game=$!
window=$(xdotool search --sync --name "ソラドミ" | head -1)
xdotool windowsize "$window" 1920 1080
sleep 2
echo "vandrel, 5 s idle:"
cpu "$game" 5
kill "$game"
wait "$game" 2>/dev/null || true

# 2. The probe's window, set up for a continuous run.
"$build/bench/vandrel-answer-probe" >probe.log 2>probe.err &
game=$!
for _ in $(seq 50); do grep -q "^control ButtonSetsumei" probe.log && break; sleep 0.1; done
sleep 1
click Puzzle
sleep 0.3
click ButtonJidou
sleep 0.3
for _ in 1 2 3 4; do
    grep -q "^wait 5" probe.log && break
    click WaitEnd
    sleep 0.3
done
grep -q "^wait 5" probe.log || { echo "the wait slider did not reach 5" >&2; exit 1; }
xdotool mousemove $(at ButtonStep) click --repeat 2 --delay 60 1
sleep 0.3
echo "the run's first 8 s wait, 7.4 s from 0.3 s after the double click:"
cpu "$game" 7.4

# 3. The window's answers throughout the run.
kill -USR1 "$game"
sleep 0.5
grep -q "^run on" probe.log || { echo "no continuous run began" >&2; exit 1; }
end=$(( $(date +%s) + limit ))
while ! grep -q "^run off" probe.log && [ "$(date +%s)" -lt "$end" ]; do
    echo "click $(now)" >>clicks.log
    click ButtonSetsumei
    sleep 2
    click ButtonSetsumei
    sleep 2
done

awk '$1 == "run" && $2 == "on" { on = $3 } $1 == "run" && $2 == "off" { off = $3 } $1 == "moves" { moves = $2 }
     $1 == "answer" { last = $2 }
     END { printf "continuous run: %d moves, %s after %.0f s\n", moves, off ? "ended" : "still running", (off ? off : last) - on }' probe.log
echo "event posted every 100 ms, delay until handled (ms):"
awk '$1 == "answer" { print $3 }' probe.log | sort -n | awk '
    { d[NR] = $1; if ($1 > 100) over++; if ($1 > 16.7) late++ }
    END { printf "  %d events: median %.2f, 99th percentile %.2f, worst %.2f; over 16.7 ms: %d, over 100 ms: %d\n",
                 NR, d[int((NR + 1) / 2)], d[int(NR * 0.99 + 0.999)], d[NR], late, over }'
echo "click on 説明表示 to the help text painted (ms):"
awk '$1 == "click" { print $2, "c" } $1 == "help" { print $2, "h" }' clicks.log probe.log | sort -n | awk '
    $2 == "c" { clicked = $1; next }
    clicked { print ($1 - clicked) * 1000; clicked = 0 }' | sort -n | awk '
    { d[NR] = $1; if ($1 > 100) over++ }
    END { printf "  %d clicks: median %.1f, worst %.1f; over 100 ms: %d\n", NR, d[int((NR + 1) / 2)], d[NR], over }'
echo "logs: $logs"
