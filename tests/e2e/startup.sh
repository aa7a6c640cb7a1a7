#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up end to end: the splash, then the main window about seven seconds later with its
# load-time states and a ticking clock; a second start is warned off; "X" ends the program.
# Started again under an English locale, it shows English buttons.
set -uo pipefail
BIN_DIR=$1
source "$(dirname "$0")/harness.sh"
harness_init
harness_start_display
harness_start_session_bus --atspi

cd "$BIN_DIR" || harness_fail "no bin dir"
harness_start_program ./Quellor
splash=$(harness_wait_window "Quellor" 20) || harness_fail "no splash window"
t0=$SECONDS
harness_log "splash $splash"
main=$(harness_wait_window "Quellor4.1" 15) || harness_fail "no main window"
elapsed=$((SECONDS - t0))
((elapsed >= 5 && elapsed <= 9)) || harness_fail "main window after ${elapsed}s, expected about 7"
harness_until 5 bash -c '! xdotool search --onlyvisible --name "^Quellor$"' || harness_fail "splash still shown"

# Load-time states: only the four picture buttons, "X" and quick shutdown are enabled.
for name in 定时关机 闹钟定时 锁定计算机 软件说明 X 快速关机; do
    harness_atspi enabled "$name" --role "push button" || harness_fail "\"$name\" should be enabled"
done
# "enabled" exits 1 for a disabled control and 2 when nothing matches, so test for 1 exactly.
disabled() {
    local rc=0
    harness_atspi enabled "$1" --role "$2" || rc=$?
    [[ $rc -eq 1 ]]
}
for name in 关闭闹钟 取消闹钟 取消关机 闹钟音乐; do
    disabled "$name" "push button" || harness_fail "\"$name\" should be disabled"
done
for name in 定时关机 闹钟定时; do
    disabled "$name" text || harness_fail "time field \"$name\" should be disabled"
done

first=$(harness_atspi text 系统时间 --role text)
[[ "$first" =~ ^[0-2][0-9]:[0-5][0-9]:[0-5][0-9]$ ]] || harness_fail "clock shows \"$first\""
sleep 2.2
second=$(harness_atspi text 系统时间 --role text)
[[ "$second" != "$first" ]] || harness_fail "clock did not tick ($first)"
harness_log "clock $first -> $second"

# A second start shows the warning and ends; the first keeps its one main window.
./Quellor >"$HARNESS_DIR/second.log" 2>&1 &
second_pid=$!
harness_track "$second_pid"
warning=$(harness_wait_window "警告" 10) || harness_fail "no warning from the second start"
xdotool windowactivate --sync "$warning" key Return
harness_until 10 bash -c "! kill -0 $second_pid" || harness_fail "second instance did not end"
# A window closing during a search makes xdotool fail, so ask again until the answer settles.
harness_until 10 bash -c '[[ $(xdotool search --onlyvisible --name "^Quellor4.1$" 2>/dev/null | wc -l) -eq 1 ]]' ||
    harness_fail "not exactly one main window"
harness_program_running || harness_fail "first instance ended"

harness_atspi press X --role "push button"
harness_until 5 bash -c "! kill -0 $HARNESS_PROGRAM_PID" || harness_fail "\"X\" did not end the program"

# Under an English locale the same window speaks English (the harness's LANGUAGE set aside).
LANGUAGE= LC_ALL= LC_MESSAGES= LANG=en_US.UTF-8 harness_start_program ./Quellor
harness_atspi --timeout 30 wait "Shutdown" --role "push button" || harness_fail "no English main window"
for name in Shutdown Alarm Lock About X "Off now"; do
    harness_atspi enabled "$name" --role "push button" || harness_fail "\"$name\" should be enabled"
done
harness_atspi --timeout 1 wait 定时关机 && harness_fail "a Chinese button under English"
harness_atspi press X --role "push button"
harness_until 5 bash -c "! kill -0 $HARNESS_PROGRAM_PID" || harness_fail "\"X\" did not end the English program"
harness_log "PASS"
