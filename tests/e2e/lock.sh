#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End to end: the access lock through the real windows, with power actions caught by a mock
# logind. Locking stores the password and holds keyboard and pointer; the box appears on the
# fortieth mouse move; two wrong passwords then the right one unlock without a power-off; three
# wrong ones power off exactly once (and the right one still unlocks afterwards); Alt+F4 with
# text in the box powers off once and leaves the lock up, and so do its title bar's close button and
# its system menu, which the lock answers itself under its grabs. The lock holds input before it shows,
# comes back at once when another client unmaps it, and marks the session locked while it stands;
# a pasted password with a line break unlocks when pasted again. Kept from keyboard and pointer by
# another client, it shows after a second, has logind lock the session and says so; its guard
# killed, another starts; a second copy ends at once; stopped, its guard has logind lock the
# session; killed while locked (its guard killed first), the new guard has logind lock the session.
#
#   lock.sh <directory holding the Quellor binary>
set -u
BIN_DIR=$(cd "${1:?usage: lock.sh <bin dir>}" && pwd)
source "$(dirname "$0")/harness.sh"

harness_init

PASSWORD_FILE="$BIN_DIR/pae.dll"
harness_set_aside "$PASSWORD_FILE"

# Exit 0 when another client can take the keyboard and the pointer, 1 when something holds them.
input_free() { "$HARNESS_PYTHON" "$HARNESS_HOME/input_free.py"; }
input_held() { ! input_free; }

power_offs() { grep -c PowerOff "$HARNESS_CALLS"; }
session_locks() { harness_logind_methods | grep -cxE 'Lock|LockSession'; }
session_locked_since() { (($(session_locks) > $1)); }
guard_pid() { pgrep -P "$HARNESS_PROGRAM_PID" -x quellor-guard; }
guard_restarted() { local now; now=$(guard_pid) && [[ "$now" != "$1" ]]; }
box_showing() { harness_atspi --timeout 1 wait "密码" --role "password text"; }
main_window_showing() { xdotool search --onlyvisible --name "^Quellor4.1\$"; }
main_window_hidden() { ! main_window_showing; }
window_gone() { ! xdotool search --onlyvisible --name "^$1\$"; }
power_offs_are() { (($(power_offs) == $1)); }

# The lock window (titled with a single space), once it shows.
lock_window() { xdotool search --onlyvisible --name '^ $' | head -n1; }
lock_viewable() { xwininfo -id "$(lock_window)" | grep -q IsViewable; }
lock_above() { xprop -id "$(lock_window)" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
lock_standing() { lock_viewable && lock_above && input_held; }
# Succeeds once the command does, trying every tenth of a second for $1 tenths.
within_tenths() {
    local tenths=$1 i
    shift
    for ((i = 0; i < tenths; i++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}
# Puts text on the clipboard; xclip serves it until the run ends.
clipboard() {
    printf '%s' "$1" | xclip -quiet -selection clipboard >/dev/null 2>&1 &
    harness_track $!
    harness_until 5 xclip -o -selection clipboard || harness_fail "nothing on the clipboard"
}

# Sets a password through the main window's dialog, typed or (with --paste, from the clipboard)
# pasted; the lock screen then stands. The file holds the password without line breaks.
lock_with() {
    local password=$1 how=${2:-type} dialog stored lock
    harness_atspi press "锁定计算机" --role "push button"
    dialog=$(harness_wait_window "输入密码" 10) || harness_fail "password dialog did not open"
    [[ -f "$PASSWORD_FILE" && ! -s "$PASSWORD_FILE" ]] || harness_fail "password file not emptied on opening"
    xdotool windowactivate --sync "$dialog" 2>/dev/null || xdotool windowfocus --sync "$dialog"
    if [[ "$how" == --paste ]]; then
        clipboard "$password"
        xdotool key ctrl+v Tab ctrl+v
    else
        xdotool type --delay 30 "$password"
        xdotool key Tab
        xdotool type --delay 30 "$password"
    fi
    xdotool key alt+y
    harness_until 10 window_gone "输入密码" || harness_fail "dialog still open"
    lock=$(harness_wait_window ' ' 10) || harness_fail "no lock window"
    # Input is held before the lock first shows, not some time after.
    input_held || harness_fail "the lock showed before it held keyboard and pointer"
    stored=$(printf '%s' "$password" | tr -d '\n')
    [[ "$(od -An -c "$PASSWORD_FILE" | tr -s ' ' | tr -d '\n')" == " $(echo "$stored" | sed 's/./& /g')\r \n" ]] ||
        harness_fail "password file holds $(od -An -c "$PASSWORD_FILE")"
    [[ "$(stat -c %a "$PASSWORD_FILE")" == 600 ]] || harness_fail "password file mode $(stat -c %a "$PASSWORD_FILE")"
    harness_until 10 main_window_hidden || harness_fail "main window still shown"
    harness_until 5 input_held || harness_fail "the lock does not hold keyboard and pointer"
}

mouse_moves() {
    local i
    for ((i = 0; i < $1; i++)); do
        xdotool mousemove $((200 + (MOVES % 300) * 3)) $((300 + (MOVES % 200) * 2))
        MOVES=$((MOVES + 1))
        sleep 0.04
    done
}
MOVES=0

# Types into the lock's box and presses OK; a box with the given title is then dismissed.
enter_password() {
    local text=$1 title=${2:-}
    xdotool type --delay 30 "$text"
    xdotool key alt+y
    if [[ -n "$title" ]]; then
        harness_wait_window "$title" 10 >/dev/null || harness_fail "no \"$title\" box after \"$text\""
        xdotool key Return
        harness_until 10 window_gone "$title" || harness_fail "\"$title\" box stays"
    fi
}

expect_unlocked() {
    harness_until 10 main_window_showing || harness_fail "main window not back after the right password"
    harness_until 5 input_free || harness_fail "keyboard or pointer still held after unlocking"
}

harness_start_display
harness_start_session_bus --atspi
harness_start_mock_logind
harness_add_session e2e1
harness_start_program "$BIN_DIR/Quellor"
harness_atspi --timeout 30 wait "锁定计算机" --role "push button" || harness_fail "no main window"
input_free || harness_fail "input held before locking"

harness_log "lock, unmapped by another client, 40 moves, two wrong then right"
[[ "$(harness_locked_hint)" == false ]] || harness_fail "session marked locked before locking"
lock_with "Pw1"
harness_until 5 test "$(harness_locked_hint)" == true || harness_fail "session not marked locked while locked"
lock_standing || harness_fail "the lock does not stand above with input held"
xdotool windowunmap "$(lock_window)"
within_tenths 10 lock_standing || harness_fail "not back above and holding input within a second of an unmap"
mouse_moves 39
sleep 0.3
box_showing && harness_fail "the box showed before the fortieth move"
mouse_moves 1
harness_until 5 box_showing || harness_fail "no box after the fortieth move"
enter_password "bad1" "消息"
enter_password "bad2" "警告"
enter_password "Pw1"
expect_unlocked
(($(power_offs) == 0)) || harness_fail "power-off after two wrong then right"
harness_until 5 test "$(harness_locked_hint)" == false || harness_fail "session still marked locked after the unlock"

harness_log "lock, three wrong"
lock_with "Pw2"
mouse_moves 40
harness_until 5 box_showing || harness_fail "no box after forty moves"
enter_password "x1" "消息"
enter_password "x2" "警告"
enter_password "x3" "警告"
harness_until 5 power_offs_are 1 || harness_fail "no power-off after the third"
sleep 1
power_offs_are 1 || harness_fail "expected exactly one PowerOff, got $(power_offs)"
enter_password "Pw2"
expect_unlocked
(($(power_offs) == 1)) || harness_fail "unlocking after a failed power-off tried again"

harness_log "lock, Alt+F4 with text in the box"
lock_with "Pw3"
mouse_moves 40
harness_until 5 box_showing || harness_fail "no box after forty moves"
xdotool type --delay 30 "typed"
xdotool key alt+F4
harness_until 5 power_offs_are 2 || harness_fail "no power-off on Alt+F4"
sleep 1
(($(power_offs) == 2)) || harness_fail "Alt+F4 gave more than one PowerOff"
main_window_showing && harness_fail "the lock let go on Alt+F4"
box_showing || harness_fail "the lock screen went away on Alt+F4"
xdotool key ctrl+a
enter_password "Pw3"
expect_unlocked

harness_log "lock, its title bar's close button and system menu"
lock_with "Pw6"
mouse_moves 40
harness_until 5 box_showing || harness_fail "no box after forty moves"
# Where the window manager draws it: the close button at the bar's right end.
read -r lx ly lw _ <<<"$(harness_geometry "$(lock_window)")"
read -r _ right top _ <<<"$(xprop -id "$(lock_window)" _NET_FRAME_EXTENTS | tr -d ',' | awk '{print $3, $4, $5, $6}')"
((top > 0)) || harness_fail "the lock has no title bar"
bar_y=$((ly - top / 2)) close_x=$((lx + lw + right - top / 2))
xdotool mousemove "$close_x" "$bar_y" click 1
sleep 1
power_offs_are 2 || harness_fail "the close button with an empty box powered off"
xdotool type --delay 30 "typed"
xdotool mousemove "$close_x" "$bar_y" click 1
harness_until 5 power_offs_are 3 || harness_fail "no power-off on the title bar's close button"
xdotool key alt+space
harness_atspi wait "系统菜单" >/dev/null || harness_fail "no system menu on Alt+Space"
xdotool key c
harness_until 5 power_offs_are 4 || harness_fail "no power-off on the system menu's close"
main_window_showing && harness_fail "the lock let go on its title bar"
lock_standing || harness_fail "the lock does not stand after its title bar's requests"
xdotool key ctrl+a
enter_password "Pw6"
expect_unlocked

harness_log "lock with a pasted line break, pasted again to unlock"
lock_with $'Pw\n4' --paste
mouse_moves 40
harness_until 5 box_showing || harness_fail "no box after forty moves"
xdotool key ctrl+v alt+y
expect_unlocked

harness_program_running || harness_fail "program ended"
harness_logind_methods | grep -qx Lock && harness_fail "the session was locked while the program ran"
(($(power_offs) == 4)) || harness_fail "expected four PowerOffs in all, got $(power_offs)"

harness_log "lock while another client holds keyboard and pointer"
harness_atspi press "锁定计算机" --role "push button"
dialog=$(harness_wait_window "输入密码" 10) || harness_fail "password dialog did not open"
xdotool windowactivate --sync "$dialog" 2>/dev/null || xdotool windowfocus --sync "$dialog"
xdotool type --delay 30 "Pw6"
xdotool key Tab
xdotool type --delay 30 "Pw6"
"$HARNESS_PYTHON" "$HARNESS_HOME/input_free.py" --hold 3 &
holder=$!
harness_track $holder
harness_until 5 input_held || harness_fail "the other client took no grabs"
before=$(session_locks)
harness_atspi press "确定(Y)" --role "push button"
sleep 0.5
[[ -z "$(lock_window)" ]] || harness_fail "the lock showed while another client held the input"
harness_wait_window "警告" 5 >/dev/null || harness_fail "no box saying the input was kept"
[[ -n "$(lock_window)" ]] || harness_fail "the lock did not show after its wait"
session_locked_since "$before" || harness_fail "logind was not asked to lock the session"
wait $holder
harness_until 5 input_held || harness_fail "the lock did not take the input once it was let go"
xdotool key Return
harness_until 10 window_gone "警告" || harness_fail "the box could not be dismissed"

harness_log "the guard killed while locked starts again; a second copy ends at once"
guard=$(guard_pid) || harness_fail "no guard while locked"
kill -9 "$guard"
harness_until 5 guard_restarted "$guard" || harness_fail "no new guard after the first was killed"
second=$(harness_as timeout 5 "$BIN_DIR/Quellor" 2>&1) || harness_fail "a second copy did not end at once: $second"
[[ "$second" == *"程序已在运行"* ]] || harness_fail "a second copy said: $second"
window_gone "警告" || harness_fail "a second copy showed a box while locked"

harness_log "the program stopped while locked"
lock=$(lock_window)
before=$(session_locks)
kill -STOP "$HARNESS_PROGRAM_PID"
xdotool windowunmap "$lock"
within_tenths 70 session_locked_since "$before" || harness_fail "no Lock within seven seconds of the stop"
kill -CONT "$HARNESS_PROGRAM_PID"
within_tenths 30 lock_standing || harness_fail "not back above and holding input once continued"
mouse_moves 40
harness_until 5 box_showing || harness_fail "no box after forty moves"
enter_password "Pw6"
expect_unlocked
harness_until 5 test "$(harness_locked_hint)" == false || harness_fail "session still marked locked after the unlock"

harness_log "the guard, then the program killed while locked"
lock_with "Pw5"
before=$(session_locks)
guard=$(guard_pid) || harness_fail "no guard while locked"
kill -9 "$guard"
harness_until 5 guard_restarted "$guard" || harness_fail "no new guard after the first was killed"
kill -9 "$HARNESS_PROGRAM_PID"
within_tenths 20 session_locked_since "$before" || harness_fail "no Lock on the session within two seconds of the kill"
# Besides the program's and its guard's calls, the log holds the mock's own bookkeeping.
unexpected=$(harness_logind_methods | grep -vxE 'PowerOff|SetLockedHint|GetSession|Lock|LockSession|AddSeat|AddUser|AddSession|Get|GetAll|Set|emit' |
    sort -u | tr '\n' ' ')
[[ -z "$unexpected" ]] || harness_fail "unexpected logind calls: $unexpected"
harness_log "PASS"
