#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Arming the alarm as a user nearly always does: another window is in front, the dock has parked
# the main window, the pointer touches the top edge, and "闹钟定时" is clicked on the slid-down
# window, which becomes active with that click. The music choice must then be open, and the
# typed digits must reach the alarm field.
set -uo pipefail
BIN_DIR=$1
source "$(dirname "$0")/harness.sh"
harness_init
harness_start_display
harness_start_session_bus --atspi
harness_start_mock_logind

cd "$BIN_DIR" || harness_fail "no bin dir"
harness_start_program ./Quellor
main=$(harness_wait_window "Quellor4.1" 30) || harness_fail "no main window"
harness_atspi wait 闹钟定时 --role "push button" >/dev/null || harness_fail "no alarm button"

read -r screen_w _ <<<"$(xwininfo -root | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w, h}')"
read -r _ _ _ h <<<"$(harness_geometry "$main")"

xmessage -geometry "400x200+0+400" -name other "other" >/dev/null 2>&1 &
harness_track $!
other=$(harness_wait_window "other" 10) || harness_fail "no other window"
xdotool mousemove 200 500 click 1
harness_until 5 bash -c "[[ \$(xdotool getactivewindow) == $other ]]" || harness_fail "other window not active"
harness_wait_top "$main" $((2 - h)) >/dev/null || harness_fail "main window not parked: $(harness_geometry "$main")"

xdotool mousemove $((screen_w / 2)) 0
harness_wait_top "$main" 0 >/dev/null || harness_fail "main window not slid down: $(harness_geometry "$main")"
read -r bx by <<<"$(harness_atspi centre 闹钟定时 --role "push button")"
xdotool mousemove "$bx" "$by" click 1
harness_until 5 bash -c "[[ \$(xdotool getactivewindow) == $main ]]" || harness_fail "click did not activate the main window"

harness_atspi enabled 闹钟音乐 --role "push button" || harness_fail "\"闹钟音乐\" stayed disabled after arming from an inactive window"
xdotool type --delay 60 235959
harness_until 5 bash -c "[[ \$($HARNESS_PYTHON $HARNESS_ATSPI --pid $HARNESS_PROGRAM_PID text 闹钟定时 --role text) == 23:59:59 ]]" ||
    harness_fail "typed alarm time did not reach the field"
harness_atspi enabled 取消闹钟 --role "push button" || harness_fail "\"取消闹钟\" not enabled after the alarm time"
harness_atspi enabled 闹钟音乐 --role "push button" || harness_fail "\"闹钟音乐\" not enabled after the alarm time"
harness_program_running || harness_fail "program ended"
harness_log "PASS"
