#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The window frames end to end: the about dialog follows its title bar when dragged, is
# minimised by its frame's minimise button and unloaded by its close button.
set -uo pipefail
BIN_DIR=$1
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/harness.sh"
harness_init
harness_start_display
harness_start_session_bus --atspi
harness_start_mock_logind
# A fresh class store: the program registers the library beside it there as it starts.
export XDG_DATA_HOME="$HARNESS_DIR/data"

frame_press() { "$HARNESS_PYTHON" "$HERE/frame_press.py" --pid "$HARNESS_PROGRAM_PID" "$@"; }
position() { xdotool getwindowgeometry "$1" | awk '/Position:/ {split($2, p, ","); print p[1], p[2]}'; }

cd "$BIN_DIR" || harness_fail "no bin dir"
harness_start_program ./Quellor
main=$(harness_wait_window "Quellor4.1" 30) || harness_fail "no main window"

harness_atspi press 软件说明 --role "push button" || harness_fail "cannot press 软件说明"
about=$(harness_wait_window "软件说明" 10) || harness_fail "no about dialog"
harness_atspi wait 关闭 --role "push button" >/dev/null || harness_fail "the about dialog has no frame"
# Somewhere with room around it, then drag its title bar.
xdotool windowmove --sync "$about" 300 300
sleep 0.5
read -r x0 y0 <<<"$(position "$about")"
grab_x=$((x0 + 100)) grab_y=$((y0 + 10))
xdotool mousemove --sync "$grab_x" "$grab_y"
sleep 0.2
xdotool mousedown 1
sleep 0.2
for i in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove --sync $((grab_x + 10 * i)) $((grab_y + 5 * i))
    sleep 0.05
done
sleep 0.3
xdotool mouseup 1
sleep 0.3
read -r x1 y1 <<<"$(position "$about")"
harness_log "about dialog dragged from $x0,$y0 to $x1,$y1"
[[ $((x1 - x0)) -eq 100 && $((y1 - y0)) -eq 50 ]] ||
    harness_fail "dragged by $((x1 - x0)),$((y1 - y0)); expected 100,50"
# The drag has ended: moving the mouse now leaves the dialog where it is.
xdotool mousemove --sync 50 700
sleep 0.3
[[ "$(position "$about")" == "$x1 $y1" ]] || harness_fail "the dialog still follows the mouse"

frame_press 软件说明 最小化 || harness_fail "cannot press the about dialog's minimise button"
harness_until 5 bash -c "xprop -id $about WM_STATE | grep -q Iconic" || harness_fail "about dialog not minimised"
xdotool windowmap "$about"
harness_until 5 bash -c "xprop -id $about WM_STATE | grep -q Normal" || harness_fail "about dialog not restored"

frame_press 软件说明 关闭 || harness_fail "cannot press the about dialog's close button"
harness_until 5 bash -c '! xdotool search --onlyvisible --name "^软件说明$"' || harness_fail "about dialog still shown"
harness_program_running || harness_fail "closing the about dialog ended the program"

# The main window's minimise button minimises it too, although as the dock's window it has a type
# window managers never iconify; restored, it is the dock's window again.
frame_press Quellor4.1 最小化 || harness_fail "cannot press the main window's minimise button"
harness_until 5 harness_iconic_window Quellor4.1 || harness_fail "main window not minimised"
xdotool windowmap "$(harness_iconic_window Quellor4.1)"
harness_until 5 bash -c 'xdotool search --onlyvisible --name "^Quellor4.1$"' || harness_fail "main window not restored"
harness_until 5 bash -c 'xprop -id "$(xdotool search --onlyvisible --name "^Quellor4.1$" | head -n1)" _NET_WM_WINDOW_TYPE | grep -q DOCK' ||
    harness_fail "restored main window is not the dock's window again"
harness_program_running || harness_fail "program ended"
harness_log "frame end to end: passed"
