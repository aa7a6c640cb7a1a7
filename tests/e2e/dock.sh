#!/usr/bin/env bash
# The dock through a user's day, under one X11 window manager (openbox unless named). Quellor is
# first started from the command line with a shutdown armed; the main window parks above the top
# edge with a 2-pixel strip, centred and above other windows. After every step of the day (the start,
# a lock and unlock, a minimise and restore, an alarm ringing while parked and stopped, a request
# handed over from the command line) it parks once another window is active, a touch of the edge
# over it slides it down, and leaving parks it again. The touches take turns over the strip, on the
# row just below it and on the column just right of it, which count as over the window.
#
#   dock.sh <directory holding the Quellor binary> [window manager]
#
# Exits 77 (a skip) when the window manager is not installed.
set -uo pipefail
BIN_DIR=$(cd "${1:?usage: dock.sh <bin dir> [window manager]}" && pwd)
WM=${2:-openbox}
source "$(dirname "$0")/harness.sh"

wm_command=$(harness_window_manager "$WM") || harness_fail "unknown window manager $WM"
if ! command -v "${wm_command%% *}" >/dev/null; then
    echo "SKIP: $WM is not installed (scripts/deps.sh installs it)"
    exit 77
fi

harness_init
harness_set_aside "$BIN_DIR/pae.dll"
harness_set_aside "$BIN_DIR/Diri.dll"
harness_start_display "$WM"
harness_start_session_bus --atspi
harness_start_mock_logind # nothing here powers off, and nothing could reach the real system bus
harness_add_session e2e1

quellor() { "$BIN_DIR/Quellor" "$@"; }
clock_in() { date -d "$1" +%H:%M:%S; }
read -r screen_w screen_h <<<"$(xwininfo -root | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w, h}')"
# The main window as the X server has it now; the window system may give it a new id on any showing.
main_window() { harness_wait_window "Quellor4.1" "${1:-10}"; }
main_hidden() { ! xdotool search --onlyvisible --name '^Quellor4.1$'; }

# Another program's window across the top of the screen, active whenever the user clicks it.
other_active() {
    xdotool mousemove 40 200 click 1
    harness_until 5 bash -c "[[ \$(xdotool getactivewindow) == $other ]]"
}

# What every step ends with: another window active, the main window parks, centred; a touch at
# "edge" (row 0 over the strip), "below" (the row just below the strip) or "right" (the column just
# right of the window) slides it down; leaving parks it again.
dock_works() {
    local step=$1 touch=$2 main x w h parked half ms
    main=$(main_window) || harness_fail "$step: no main window"
    read -r x _ w h <<<"$(harness_geometry "$main")"
    parked=$((2 - h))
    other_active || harness_fail "$step: another window cannot be made active"
    ms=$(harness_wait_top "$main" "$parked") || harness_fail "$step: not parked at $parked: $(harness_geometry "$main")"
    read -r x _ <<<"$(harness_geometry "$main")"
    # Centred, halves to even.
    half=$(((screen_w - w) / 2))
    (((screen_w - w) % 2 == 1 && half % 2 == 1)) && half=$((half + 1))
    ((x == half)) || harness_fail "$step: parked at x=$x, expected $half"
    case $touch in
    edge) xdotool mousemove $((x + w / 2)) 0 ;;
    below) xdotool mousemove $((x + w / 2)) 2 ;;
    right) xdotool mousemove $((x + w)) 1 ;;
    esac
    ms=$(harness_wait_top "$main" 0) || harness_fail "$step: a touch ($touch) left it at $(harness_geometry "$main")"
    harness_log "$step: touched ($touch), down after ${ms} ms"
    xdotool mousemove $((x + w / 2)) $((h + 200))
    harness_wait_top "$main" "$parked" >/dev/null || harness_fail "$step: not parked after leaving: $(harness_geometry "$main")"
}

cd "$BIN_DIR" || harness_fail "no bin dir"
shutdown_at=$(date -d '-2 min' +%H:%M) # armed, and a day away
harness_log "first start with --shutdown $shutdown_at"
harness_start_program ./Quellor --shutdown "$shutdown_at"
main=$(main_window 30) || harness_fail "no main window"
[[ "$(quellor --status)" == *"ActionTime=$shutdown_at:00"* ]] || harness_fail "not armed at start: $(quellor --status)"
read -r _ _ _ h <<<"$(harness_geometry "$main")"
# The program brings its main window to the front at start, so the dock slides it down first.
ms=$(harness_wait_top "$main" 0) || harness_fail "foreground main window not slid down (at $(harness_geometry "$main"))"
harness_log "foreground at start: down after ${ms} ms"

xmessage -geometry "${screen_w}x300+0+0" -name other "other" >/dev/null 2>&1 &
harness_track $!
other=$(harness_wait_window "other" 10) || harness_fail "no other window"
dock_works "first start" edge
# Under the active window across the top, the strip is what the top edge shows.
main=$(main_window)
read -r x _ w _ <<<"$(harness_geometry "$main")"
under=$("$HARNESS_PYTHON" "$HARNESS_HOME/window_at.py" $((x + w / 2)) 0)
((under == $(harness_toplevel "$main"))) || harness_fail "the top edge shows window $under, not the main window"
dock_works "first start, again" below
dock_works "first start, once more" right

harness_log "lock and unlock"
harness_set_password "Pw1"
harness_wait_window ' ' 10 >/dev/null || harness_fail "no lock window"
harness_until 10 main_hidden || harness_fail "main window still shown under the lock"
for ((i = 0; i < 40; i++)); do
    xdotool mousemove $((200 + i * 7)) $((300 + i * 3))
    sleep 0.04
done
harness_atspi wait "密码" --role "password text" >/dev/null || harness_fail "no password box after forty moves"
xdotool type --delay 30 "Pw1"
xdotool key alt+y
main_window >/dev/null || harness_fail "main window not back after the unlock"
dock_works "after the unlock" edge

harness_log "minimise and restore"
harness_wait_top "$(main_window)" 0 >/dev/null || xdotool mousemove $((screen_w / 2)) 0
"$HARNESS_PYTHON" "$HARNESS_HOME/frame_press.py" --pid "$HARNESS_PROGRAM_PID" Quellor4.1 最小化 ||
    harness_fail "cannot press the main window's minimise button"
harness_until 5 harness_iconic_window Quellor4.1 || harness_fail "main window not minimised"
xdotool windowmap "$(harness_iconic_window Quellor4.1)"
main_window >/dev/null || harness_fail "main window not restored"
dock_works "after minimise and restore" below

harness_log "alarm rings while parked"
quellor --alarm "$(clock_in '+6 sec')" --music "$BIN_DIR/2.wav" || harness_fail "alarm not handed over"
main=$(main_window)
other_active || harness_fail "another window cannot be made active"
harness_wait_top "$main" $((2 - h)) >/dev/null || harness_fail "not parked before the alarm"
harness_until 15 harness_atspi --timeout 1 enabled "关闭闹钟" --role "push button" || harness_fail "the alarm did not ring"
harness_top_is "$main" $((2 - h)) || harness_fail "the ringing alarm moved the parked window: $(harness_geometry "$main")"
harness_atspi press "关闭闹钟" --role "push button" || harness_fail "cannot press 关闭闹钟"
harness_until 5 bash -c "! $HARNESS_PYTHON $HARNESS_ATSPI --pid $HARNESS_PROGRAM_PID --timeout 1 enabled 关闭闹钟 --role 'push button'" ||
    harness_fail "the alarm was not stopped"
dock_works "after the alarm" right

harness_log "a request handed over from the command line"
restart_at=$(date -d '-3 min' +%H:%M)
quellor --restart "$restart_at" || harness_fail "restart not handed over"
[[ "$(quellor --status)" == *"Action=restart"*"ActionTime=$restart_at:00"* ]] ||
    harness_fail "handed-over restart not armed: $(quellor --status)"
dock_works "after the handed-over request" edge

harness_program_running || harness_fail "program ended"
harness_logind_methods | grep -xE 'PowerOff|Reboot|TerminateSession|KillSession' && harness_fail "a power action was asked for"
harness_log "PASS"
