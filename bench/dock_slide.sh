#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# How long the parked main window takes to be fully shown after the mouse touches the top edge over
# it, and to be parked again after the mouse leaves: median, fastest and slowest of several runs,
# with the real program under Xvfb + openbox.
#
#   bash bench/dock_slide.sh [BIN_DIR] [RUNS]      (defaults: build/bin, 9)
#
# The window's position is sampled as fast as xwininfo answers (a few milliseconds apart), so each
# figure is late by at most one sample.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
BIN_DIR=$(cd "${1:-$root/build/bin}" && pwd)
RUNS=${2:-9}
source "$root/tests/e2e/harness.sh"
harness_init
harness_start_display
harness_start_session_bus
harness_start_mock_logind

cd "$BIN_DIR" || harness_fail "no bin dir $BIN_DIR"
harness_start_program ./Quellor
main=$(harness_wait_window "Quellor4.1" 30) || harness_fail "no main window"

top() { xwininfo -id "$main" | awk '/Absolute upper-left Y/{print $4}'; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# Samples until the top reaches $1 (10 s at most); prints the milliseconds since $2.
until_top() {
    local deadline=$(($(now_ms) + 10000))
    while [[ $(top) != "$1" ]]; do
        (($(now_ms) < deadline)) || return 1
    done
    echo $(($(now_ms) - $2))
}
median() { sort -n | awk '{v[NR] = $1} END {m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2;
                                            printf "median %s ms, fastest %s ms, slowest %s ms (%d runs)\n", m, v[1], v[NR], NR}'; }

read -r screen_w screen_h <<<"$(xwininfo -root | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w, h}')"
read -r x w h <<<"$(xwininfo -id "$main" | awk '/Absolute upper-left X/{x=$4} /Width:/{w=$2} /Height:/{h=$2}
                                            END{print x, w, h}')"
parked=$((2 - h))
# The program brings its main window to the front at start; a click on the desktop sends it up.
xdotool mousemove $((screen_w / 2)) $((screen_h - 5)) click 1
until_top "$parked" "$(now_ms)" >/dev/null || harness_fail "main window never parked"

down=() up=()
for ((i = 0; i < RUNS; i++)); do
    # Start at a different moment of the 200 ms cursor poll each time.
    sleep "0.$((RANDOM % 10))"
    xdotool mousemove $((x + w / 2)) 0
    t=$(until_top 0 "$(now_ms)") || harness_fail "run $i: not shown"
    down+=("$t")
    sleep "0.$((RANDOM % 10))"
    xdotool mousemove $((x + w / 2)) $((h + 200))
    t=$(until_top "$parked" "$(now_ms)") || harness_fail "run $i: not parked"
    up+=("$t")
done
echo "dock_slide: edge touched to fully shown: $(printf '%s\n' "${down[@]}" | median)"
echo "dock_slide: mouse gone to parked again:  $(printf '%s\n' "${up[@]}" | median)"
