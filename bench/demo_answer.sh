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
#     second click 2 s later). The congratulation at the end of the run is
#     closed with its button; the run ends 8 s later.
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
: >clicks.log
while ! grep -q "^run off" probe.log && [ "$(date +%s)" -lt "$end" ]; do
    if grep -q "^dialog" probe.log && ! grep -q "^closed" clicks.log; then
        sleep 0.5
        click DialogButton
        echo "closed $(now)" >>clicks.log
        continue
    fi
    # Every click is logged: one that a dialog swallowed puts the showing
    # click second, and its delay is still taken from the click before the paint.
    for _ in 1 2; do
        echo "click $(now)" >>clicks.log
        click ButtonSetsumei
        sleep 2
    done
done

awk '$1 == "run" && $2 == "on" { on = $3 } $1 == "run" && $2 == "off" { off = $3 } $1 == "moves" { moves = $2 }
     $1 == "answer" { last = $2 }
     END { printf "continuous run: %d moves, %s after %.0f s\n", moves, off ? "ended" : "still running", (off ? off : last) - on }' probe.log
# Figures of milliseconds read one a line.
stats() {
    sort -n | awk '{ d[NR] = $1; if ($1 > 16.7) late++; if ($1 > 100) over++ }
        END { if (NR) printf "  %d: median %.2f, 99th percentile %.2f, worst %.2f; over 16.7 ms: %d, over 100 ms: %d\n",
                             NR, d[int((NR + 1) / 2)], d[int(NR * 0.99 + 0.999)], d[NR], late, over }'
}
# From each "A" line of the merged logs to the next "B" line, in ms.
delays() {
    sort -n | awk -v a="$1" -v b="$2" '$2 == a { from = $1; next } $2 == b && from { print ($1 - from) * 1000; from = 0 }'
}

echo "an event posted every 100 ms, delay until handled (ms):"
awk '$1 == "answer" { print $3 }' probe.log | stats
echo "... of those, the ones posted up to 100 ms before the picture was painted (moves, the help's repaint):"
awk '$1 == "picture" { p[++n] = $2 } $1 == "answer" { a[++m] = $2; d[m] = $3 }
     END { j = 1; for (i = 1; i <= m; i++) { while (j <= n && p[j] < a[i]) j++; if (j <= n && p[j] - a[i] <= 0.1) print d[i] } }' probe.log | stats
echo "from just before the click on 説明表示 to the help text painted (ms):"
awk '$1 == "click" { print $2, "c" } $1 == "help" { print $2, "h" }' clicks.log probe.log | delays c h | stats
echo "... of that, from just before the click to the press reaching the window (xdotool and the X server, ms):"
awk '$1 == "click" { print $2, "c" } $1 == "press" && $2 == "ButtonSetsumei" { print $3, "p" }' clicks.log probe.log | delays c p | stats
echo "... and from the press reaching the window to the paint (ms):"
awk '$1 == "press" && $2 == "ButtonSetsumei" { print $3, "p" } $1 == "help" { print $2, "h" }' probe.log | delays p h | stats
echo "logs: $logs"
