#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The dock through a user's day under one X11 window manager (openbox unless named): a first start
# from the command line with a shutdown armed, a lock and unlock, a minimise and restore, an alarm
# ringing while parked and stopped, a request handed over from the command line. After each step,
# with another window active, the main window parks centred with a 2-pixel strip, and a touch of the
# top edge, of the row just below the strip and of the column just right of it each slide it down.
#
#   dock.sh <directory holding the Quellor binary> [window manager]    (77: not installed)
set -uo pipefail
BIN_DIR=$(cd "${1:?usage: dock.sh <bin dir> [window manager]}" && pwd)
WM=${2:-openbox}
source "$(dirname "$0")/harness.sh"
harness_need_window_manager "$WM"

harness_init
harness_set_aside "$BIN_DIR/pae.dll"
harness_set_aside "$BIN_DIR/Diri.dll"
harness_start_display "$WM"
harness_start_session_bus --atspi
harness_start_mock_logind # nothing here powers off, and nothing could reach the real system bus
harness_add_session e2e1

quellor() { "$BIN_DIR/Quellor" "$@"; }
read -r screen_w _ <<<"$(xwininfo -root | awk '/Width:/{w=$2} END{print w}')"
# The window system may give the main window a new id at any showing: looked up afresh each time.
main_window() { harness_wait_window "Quellor4.1" "${1:-10}"; }
main_hidden() { ! xdotool search --onlyvisible --name '^Quellor4.1$'; }
alarm_ringing() { harness_atspi --timeout 1 enabled "关闭闹钟" --role "push button"; }
alarm_quiet() { ! alarm_ringing; }
# Another program's window across the top of the screen is clicked and becomes active.
other_active() {
    xdotool mousemove 40 200 click 1
    harness_until 5 bash -c "[[ \$(xdotool getactivewindow) == $other ]]" || harness_fail "$1: no other window active"
}
parks() {
    main=$(main_window) || harness_fail "$1: no main window"
    read -r x _ w h <<<"$(harness_geometry "$main")"
    harness_wait_top "$main" $((2 - h)) >/dev/null || harness_fail "$1: not parked: $(harness_geometry "$main")"
    read -r x _ <<<"$(harness_geometry "$main")"
    local half=$(((screen_w - w) / 2)) # centred, halves to even
    (((screen_w - w) % 2 == 1 && half % 2 == 1)) && half=$((half + 1))
    ((x == half)) || harness_fail "$1: parked at x=$x, expected $half"
}
dock_works() {
    local touch ms
    other_active "$1"
    parks "$1"
    for touch in "$((x + w / 2)) 0" "$((x + w / 2)) 2" "$((x + w)) 1"; do
        xdotool mousemove $touch
        ms=$(harness_wait_top "$main" 0) || harness_fail "$1: a touch at $touch left it at $(harness_geometry "$main")"
        harness_log "$1: touched at $touch, down after ${ms} ms"
        xdotool mousemove $((x + w / 2)) $((h + 200))
        parks "$1, the pointer gone"
    done
}

cd "$BIN_DIR" || harness_fail "no bin dir"
shutdown_at=$(date -d '-2 min' +%H:%M) # a day away
harness_start_program ./Quellor --shutdown "$shutdown_at"
main=$(main_window 30) || harness_fail "no main window"
[[ "$(quellor --status)" == *"ActionTime=$shutdown_at:00"* ]] || harness_fail "not armed at start: $(quellor --status)"
# Brought to the front at start, the main window slides down first.
harness_wait_top "$main" 0 >/dev/null || harness_fail "foreground main window not down: $(harness_geometry "$main")"
xmessage -geometry "${screen_w}x300+0+0" -name other "other" >/dev/null 2>&1 &
harness_track $!
other=$(harness_wait_window "other" 10) || harness_fail "no other window"
dock_works "first start with --shutdown"
# Under the active window across the top, the strip is what the top edge shows.
under=$("$HARNESS_PYTHON" "$HARNESS_HOME/window_at.py" $((x + w / 2)) 0)
((under == $(harness_toplevel "$main"))) || harness_fail "the top edge shows window $under, not the main window"

harness_set_password "Pw1"
harness_until 10 main_hidden || harness_fail "main window shown under the lock"
for ((i = 0; i < 40; i++)); do
    xdotool mousemove $((200 + i * 7)) $((300 + i * 3))
    sleep 0.04
done
harness_atspi wait "密码" --role "password text" >/dev/null || harness_fail "no password box after forty moves"
xdotool type --delay 30 "Pw1"
xdotool key alt+y
main_window >/dev/null || harness_fail "main window not back after the unlock"
dock_works "lock and unlock"

xdotool mousemove $((x + w / 2)) 0
harness_wait_top "$main" 0 >/dev/null || harness_fail "not down to be minimised"
"$HARNESS_PYTHON" "$HARNESS_HOME/frame_press.py" --pid "$HARNESS_PROGRAM_PID" Quellor4.1 最小化 ||
    harness_fail "cannot press the main window's minimise button"
harness_until 5 harness_iconic_window Quellor4.1 || harness_fail "main window not minimised"
xdotool windowmap "$(harness_iconic_window Quellor4.1)"
main_window >/dev/null || harness_fail "main window not restored"
dock_works "minimise and restore"

quellor --alarm "$(date -d '+6 sec' +%H:%M:%S)" --music "$BIN_DIR/2.wav" || harness_fail "alarm not handed over"
other_active "alarm"
parks "alarm set"
harness_until 15 alarm_ringing || harness_fail "the alarm did not ring"
harness_top_is "$main" $((2 - h)) || harness_fail "the ringing alarm moved the parked window: $(harness_geometry "$main")"
harness_atspi press "关闭闹钟" --role "push button" && harness_until 5 alarm_quiet || harness_fail "the alarm was not stopped"
dock_works "alarm rung and stopped"

restart_at=$(date -d '-3 min' +%H:%M)
quellor --restart "$restart_at" || harness_fail "restart not handed over"
[[ "$(quellor --status)" == *"Action=restart"*"ActionTime=$restart_at:00"* ]] || harness_fail "not armed: $(quellor --status)"
dock_works "a request handed over"

harness_program_running || harness_fail "program ended"
harness_logind_methods | grep -xE 'PowerOff|Reboot|TerminateSession|KillSession' && harness_fail "a power action was asked for"
harness_log "PASS"
