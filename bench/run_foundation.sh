#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up, idle and clock figures for the real program on a private X display with openbox.
# Prints one table with the targets; a missed target is a figure to look into, not a failure.
#
# Environment:
#   BUILD_DIR      Release build to measure (default <repo>/build-release; configured and built if needed)
#   RUNS           start-up runs of each program, interleaved (default 7)
#   IDLE_SECONDS   idle measurement of the main window (default 60)
#   CLOCK_SECONDS  clock measurement under load (default 600)
#   LOAD_PROCS     busy-loop processes during the clock measurement (default: one per core)
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-release}
runs=${RUNS:-7}
idle_seconds=${IDLE_SECONDS:-60}
clock_seconds=${CLOCK_SECONDS:-600}
load_procs=${LOAD_PROCS:-$(nproc)}
bin="$build/bin"

log() { echo "[bench $(date +%H:%M:%S)] $*" >&2; }

# shellcheck source=common.sh
source "$root/bench/common.sh"
bench_build "$build"

bench_session
harness_start_display
harness_start_session_bus
# The program talks to logind; give it a recording stand-in so nothing can reach the real one.
harness_start_mock_logind
# The cursors are looked up by bare name in the current directory, as when started from its folder.
cd "$bin" || exit 1

median() { sort -n | awk '{v[NR] = $1} END {if (NR == 0) exit 1; print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# One exec-to-first-mapped-window time in ms, or nothing on failure.
first_window_ms() { "$bin/map_timer" -n 1 -t 30 -- "$@" 2>>"$HARNESS_DIR/map_timer.log" | sed -n 's/^run 1: \([0-9.]*\) ms$/\1/p'; }

# The splash opens its sound before it is first shown; say when this run has none to open.
sound_note=""
[[ -f "$bin/3.wav" ]] || sound_note="no 3.wav beside the program: the splash opened no sound in this run"
[[ -f "$bin/libquellor_sound.so" ]] || sound_note="no sound module beside the program: it ran silent"

# --- start-up: interleaved so drift in the machine's load touches both alike ---------------------
log "start-up: $runs runs each of Quellor and the bare window (after one warm-up each)"
first_window_ms "$bin/Quellor" >/dev/null
first_window_ms "$bin/bench_bare_window" >/dev/null
quellor_times=()
bare_times=()
for ((i = 0; i < runs; i++)); do
    sleep 0.5
    q=$(first_window_ms "$bin/Quellor")
    sleep 0.5
    b=$(first_window_ms "$bin/bench_bare_window")
    [[ -n "$q" && -n "$b" ]] || harness_fail "a start-up run found no window (see map_timer's messages)"
    quellor_times+=("$q")
    bare_times+=("$b")
done
quellor_ms=$(printf '%s\n' "${quellor_times[@]}" | median)
bare_ms=$(printf '%s\n' "${bare_times[@]}" | median)
ratio=$(awk -v q="$quellor_ms" -v b="$bare_ms" 'BEGIN {printf "%.2f", q / b}')
log "Quellor: ${quellor_times[*]} ms; bare: ${bare_times[*]} ms"

# --- idle: the main window parked after the splash --------------------------------------------------
log "idle: main window for ${idle_seconds} s"
harness_start_program "$bin/Quellor"
pid=$HARNESS_PROGRAM_PID
harness_wait_window "Quellor4.1" 20 >/dev/null || harness_fail "no window"
# The splash runs seven seconds and shares the title; wait it out and let the main window settle.
sleep 10
harness_program_running || harness_fail "the program ended"
xdotool mousemove 640 700 # away from the top edge, where the parked window would slide down

cpu_ticks() { awk '{sub(/^.*\) /, ""); print $12 + $13}' "/proc/$1/stat"; } # utime + stime
status_kb() { awk -v k="$2:" '$1 == k {print $2}' "/proc/$1/status"; }
hz=$(getconf CLK_TCK)
t0=$(date +%s.%N)
c0=$(cpu_ticks "$pid")
sleep "$idle_seconds"
c1=$(cpu_ticks "$pid")
t1=$(date +%s.%N)
rss_kb=$(status_kb "$pid" VmRSS)
hwm_kb=$(status_kb "$pid" VmHWM)
threads=$(status_kb "$pid" Threads)
cpu_pct=$(awk -v a="$c0" -v b="$c1" -v hz="$hz" -v t0="$t0" -v t1="$t1" \
    'BEGIN {printf "%.3f", (b - a) / hz / (t1 - t0) * 100}')
kill "$pid"
wait "$pid" 2>/dev/null

# --- clock: every core kept busy by other processes --------------------------------------------------
log "clock: ${clock_seconds} s with ${load_procs} busy loops"
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
load_pids=()
for ((i = 0; i < load_procs; i++)); do
    # Bounded even if this script dies before its clean-up.
    timeout $((clock_seconds + 120)) bash -c 'while :; do :; done' &
    load_pids+=($!)
    harness_track $!
done
# The floor sleeps to the same boundaries beside it, under the same load.
"$bin/wake_floor" "$clock_seconds" >"$HARNESS_DIR/wake_floor.out" 2>&1 &
floor_pid=$!
harness_track "$floor_pid"
clock_out=$("$bin/clock_offset" "$clock_seconds" 2>"$HARNESS_DIR/clock_offset.log")
clock_rc=$?
wait "$floor_pid"
floor_out=$(cat "$HARNESS_DIR/wake_floor.out")
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
kill "${load_pids[@]}" 2>/dev/null
wait "${load_pids[@]}" 2>/dev/null
((clock_rc == 0)) || harness_fail "clock_offset failed: $(cat "$HARNESS_DIR/clock_offset.log")"
clock_field() { sed -n "s/^$1: \([-0-9.]*\).*/\1/p" <<<"${2:-$clock_out}"; }
changes=$(clock_field "clock changes")
off_median=$(clock_field "offset median")
off_p99=$(clock_field "offset p99")
off_max=$(clock_field "offset max")
skipped=$(clock_field "seconds skipped")
floor_median=$(clock_field "offset median" "$floor_out")
floor_p99=$(clock_field "offset p99" "$floor_out")
floor_max=$(clock_field "offset max" "$floor_out")

# --- the table -----------------------------------------------------------------------------------------
verdict() { awk "BEGIN {exit !($1)}" && echo met || echo MISSED; }
row() { printf '%-44s %18s %14s  %s\n' "$@"; }
echo
echo "Quellor foundation benchmark — $(date '+%Y-%m-%d %H:%M'), $(nproc) cores, $(uname -r), Release"
row "figure" "measured" "target" "result"
row "first window mapped, Quellor (median of $runs)" "$quellor_ms ms" "" ""
row "first window mapped, bare Qt window (floor)" "$bare_ms ms" "" ""
row "  Quellor / floor" "${ratio} x" "<= 1.25 x" "$(verdict "$ratio <= 1.25")"
row "resident memory, idle (VmRSS)" "$(awk -v k="$rss_kb" 'BEGIN {printf "%.1f MB", k * 1024 / 1e6}')" \
    "< 40 MB" "$(verdict "$rss_kb * 1024 < 40e6")"
row "  peak resident (VmHWM)" "$(awk -v k="$hwm_kb" 'BEGIN {printf "%.1f MB", k * 1024 / 1e6}')" "" ""
row "CPU, idle ${idle_seconds} s ($threads threads)" "$cpu_pct % core" "< 0.2 %" "$(verdict "$cpu_pct < 0.2")"
row "clock change after the second, median" "$off_median ms" "" ""
row "clock change after the second, p99" "$off_p99 ms" "<= 10 ms" "$(verdict "$off_p99 <= 10")"
row "clock change after the second, max" "$off_max ms" "" ""
row "  floor: bare process waking, median" "$floor_median ms" "" ""
row "  floor: bare process waking, p99" "$floor_p99 ms" "" ""
row "  floor: bare process waking, max" "$floor_max ms" "" ""
row "seconds skipped in ${clock_seconds} s, cores busy" "$skipped of $((changes + skipped))" "0" \
    "$(verdict "$skipped == 0")"
echo "start-up runs (ms): Quellor ${quellor_times[*]}; bare ${bare_times[*]}"
[[ -z "$sound_note" ]] || echo "note: $sound_note"
echo "load average (1/5/15 min) around the clock run: before $load_before, after $load_after" \
    "(includes the $load_procs busy loops and anything else on the machine)"
