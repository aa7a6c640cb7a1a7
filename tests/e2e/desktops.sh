#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The dock and the lock end to end under one X11 window manager. The main window parks with a
# 2-pixel strip showing, centred, and stays so while another window is active; a touch of the top
# edge over the strip slides it down above that window, and it parks again once the pointer leaves;
# a click gives it the keyboard, so typed digits reach the shutdown field. The lock screen, set
# through the password dialog, covers every pixel of the screen, title bar and all, a desktop
# panel's strip too, and no other client can take the keyboard or the pointer from it.
#
#   desktops.sh <directory holding the Quellor binary> <window manager>
#
# Exits 77 (a skip) with a SKIP line when the window manager is not installed. With SHOTS_DIR set,
# screenshots of the shown dock and of the lock land there as <window manager>-<moment>.png.
set -uo pipefail
usage="usage: desktops.sh <bin dir> <openbox|xfwm4|metacity|marco|kwin_x11|mutter>"
BIN_DIR=$(cd "${1:?$usage}" && pwd)
WM=${2:?$usage}
source "$(dirname "$0")/harness.sh"

harness_need_window_manager "$WM"

harness_init
# The program keeps its password file beside itself; put back whatever was there before.
PASSWORD_FILE="$BIN_DIR/pae.dll"
SAVED="$HARNESS_DIR/pae.dll.saved"
[[ -f "$PASSWORD_FILE" ]] && cp -p "$PASSWORD_FILE" "$SAVED"
restore_password_file() {
    if [[ -f "$SAVED" ]]; then cp -p "$SAVED" "$PASSWORD_FILE"; else rm -f "$PASSWORD_FILE"; fi
}
trap 'restore_password_file; harness_cleanup' EXIT

harness_start_display "$WM"
# A desktop's panel along the bottom edge, reserving its strip, mapped before the program as in a session.
"$HARNESS_PYTHON" "$HARNESS_HOME/panel.py" bottom 30 &
harness_track $!
harness_until 10 xdotool search --onlyvisible --name "^panel$" || harness_fail "no panel"
harness_start_session_bus --atspi
harness_start_mock_logind
cd "$BIN_DIR" || harness_fail "no bin dir"
harness_start_program ./Quellor
main=$(harness_wait_window "Quellor4.1" 30) || harness_fail "no main window"

geometry() { harness_geometry "$@"; }
top_is() { harness_top_is "$main" "$1"; }
wait_top() { harness_wait_top "$main" "$1"; }
# The top-level window that shows at x y, as the X server stacks them; the pointer goes there too.
toplevel_at() {
    xdotool mousemove "$1" "$2"
    "$HARNESS_PYTHON" "$HARNESS_HOME/window_at.py" "$1" "$2"
}
active_is() { [[ "$(xdotool getactivewindow 2>/dev/null)" == "$1" ]]; }
focus_on_main() { [[ "$(xdotool getwindowfocus 2>/dev/null)" == "$main" ]]; }
shot() { [[ -n "${SHOTS_DIR:-}" ]] && import -window root "$SHOTS_DIR/$WM-$1.png" 2>/dev/null; return 0; }
input_free() { "$HARNESS_PYTHON" "$HARNESS_HOME/input_free.py"; }
input_held() { ! input_free; }
main_window_hidden() { ! xdotool search --onlyvisible --name "^Quellor4.1\$" >/dev/null; }

read -r screen_w screen_h <<<"$(xwininfo -root | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w, h}')"
read -r x _ w h <<<"$(geometry "$main")"
parked=$((2 - h))
main_top=$(harness_toplevel "$main")
# Centred, halves to even.
half=$(((screen_w - w) / 2))
(((screen_w - w) % 2 == 1 && half % 2 == 1)) && half=$((half + 1))
((x == half)) || harness_fail "main window at x=$x, expected $half (centred on $screen_w)"

# Another window over the top of the screen, made active: the main window parks and stays parked.
xmessage -geometry "${screen_w}x300+0+0" -name cover "cover" >/dev/null 2>&1 &
harness_track $!
cover=$(harness_wait_window "cover" 10) || harness_fail "no covering window"
# A window manager that has only just mapped it may not take the first click.
activate_cover() {
    xdotool mousemove 40 200 click 1
    harness_until 1 active_is "$cover"
}
harness_until 10 activate_cover || harness_fail "cover not active"
ms=$(wait_top "$parked") || harness_fail "not parked at $parked under an active window (at $(geometry "$main"))"
harness_log "$WM: parked at top $parked, left $x, after ${ms} ms"
sleep 1
top_is "$parked" || harness_fail "the window manager moved the parked window to $(geometry "$main")"

# The pointer on the top edge over the strip touches the main window, not the cover, and slides it down.
under=$(toplevel_at $((x + w / 2)) 0)
((under == main_top)) || harness_fail "the top edge shows window $under, not the main window ($main_top)"
ms=$(wait_top 0) || harness_fail "not down after touching the edge (at $(geometry "$main"))"
harness_log "$WM: edge touched, fully down after ${ms} ms"
under=$(toplevel_at $((x + w / 2)) $((h / 2)))
((under == main_top)) || harness_fail "the shown main window is under window $under"
shot dock

# The pointer leaves, the cover still active: parked again.
xdotool mousemove $((x + w / 2)) $((h + 200))
ms=$(wait_top "$parked") || harness_fail "not parked after the pointer left (at $(geometry "$main"))"
harness_log "$WM: pointer left, parked after ${ms} ms"

# A click on "定时关机" gives the main window the keyboard: digits typed land in the shutdown field.
xdotool mousemove $((x + w / 2)) 0
wait_top 0 >/dev/null || harness_fail "not down for the click (at $(geometry "$main"))"
xdotool mousemove $((x + 60)) 48 click 1
harness_until 5 focus_on_main || harness_fail "the click left the keyboard with $(xdotool getwindowfocus)"
xdotool type --delay 50 "123"
typed=$(harness_atspi text "定时关机" --role text)
[[ "$typed" == "123" ]] || harness_fail "the shutdown field holds \"$typed\" after typing 123"
top_is 0 || harness_fail "the focused main window did not stay down: $(geometry "$main")"
harness_log "$WM: clicked, keyboard taken, \"$typed\" typed"

# The lock, through the program's own dialog.
harness_set_password "Pw1"
harness_until 10 main_window_hidden || harness_fail "main window still shown after locking"
lock=$(harness_wait_window " " 10) || harness_fail "no lock screen"
harness_until 5 input_held || harness_fail "another client can still take the keyboard or the pointer"
sleep 1 # the window manager's last placement
lock_top=$(harness_toplevel "$lock")
read -r lx ly lw lh <<<"$(geometry "$lock_top")"
program_pid=$(xprop -id "$lock" _NET_WM_PID | awk '{print $3}')
ours() { [[ "$(xprop -id "$1" _NET_WM_PID 2>/dev/null | awk '{print $3}')" == "$program_pid" ]]; }
((ly < screen_h / 2 && ly + lh > screen_h / 2)) || harness_fail "the lock's frame spans ${lw}x${lh}+${lx}+${ly}"
# The corners, the edges' middles (the panel's strip among them), and the middle: the lock's frame or
# one of the program's covers shows at each.
for point in "0 0" "$((screen_w - 1)) 0" "0 $((screen_h - 1))" "$((screen_w - 1)) $((screen_h - 1))" \
    "$((screen_w / 2)) 0" "0 $((screen_h / 2))" "$((screen_w - 1)) $((screen_h / 2))" \
    "$((screen_w / 2)) $((screen_h - 1))" "$((screen_w / 2)) $((screen_h - 15))" "40 200"; do
    # shellcheck disable=SC2086
    under=$(toplevel_at $point)
    ((under == lock_top)) || ours "$under" || harness_fail "at $point window $under ($(xprop -id "$under" WM_NAME)) shows"
done
under=$(toplevel_at $((screen_w / 2)) $((screen_h / 2)))
((under == lock_top)) || harness_fail "the lock's frame ($lock_top) is not what shows mid-screen but $under"
input_held || harness_fail "the lock let go of keyboard or pointer"
shot lock
harness_log "$WM: the lock covers ${screen_w}x${screen_h} (its frame ${lw}x${lh}+${lx}+${ly}) and holds the input"

harness_program_running || harness_fail "program ended"
harness_log "PASS ($WM)"
