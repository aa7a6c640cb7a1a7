#!/usr/bin/env bash
# End to end: a restart typed a few seconds ahead through the real window reaches the (mock)
# logind exactly once, at that second; "快速关机" then asks it for one power-off.
#
#   timed_power.sh <directory holding the Quellor binary>
set -u
BIN_DIR=$(cd "${1:?usage: timed_power.sh <bin dir>}" && pwd)
source "$(dirname "$0")/harness.sh"

harness_init

SETTINGS="$BIN_DIR/Diri.dll"
harness_set_aside "$SETTINGS"

harness_start_display
harness_start_session_bus --atspi
harness_start_mock_logind
harness_start_program "$BIN_DIR/Quellor"

# The splash runs for seven seconds before the main window's buttons exist.
harness_atspi --timeout 30 wait "定时关机" --role "push button" || harness_fail "no main window"
MAIN=$(harness_wait_window "Quellor4.1" 10) || harness_fail "main window not mapped"
xdotool windowactivate --sync "$MAIN" 2>/dev/null || xdotool windowfocus --sync "$MAIN"

harness_atspi press "定时关机" --role "push button"
harness_until 5 harness_atspi --timeout 1 enabled "定时关机" --role "text" || harness_fail "shutdown field not armed"

# Far enough ahead for typing and the dialog, near enough to keep the run short.
TARGET=$(($(date +%s) + 12))
DIGITS=$(date -d "@$TARGET" +%H%M%S)
EXPECTED=$(date -d "@$TARGET" +%H:%M:%S)
harness_log "typing $DIGITS for a restart at $EXPECTED"
xdotool type --delay 60 "$DIGITS"

SHOWN=$(harness_atspi text "定时关机" --role "text")
[[ "$SHOWN" == "$EXPECTED" ]] || harness_fail "shutdown field shows \"$SHOWN\", expected \"$EXPECTED\""

harness_wait_window "系统定时操作" 10 >/dev/null || harness_fail "timer-options dialog did not open"
harness_atspi press "启动定时重起计算机" --role "radio button"
harness_until 5 harness_atspi --timeout 1 checked "启动定时重起计算机" --role "radio button" ||
    harness_fail "restart option not selected"
harness_atspi press "确定(Y)" --role "push button"
harness_until 5 bash -c '! xdotool search --onlyvisible --name "^系统定时操作$"' || harness_fail "dialog still open after OK"
[[ "$(od -An -tx1 "$SETTINGS" | tr -d ' \n')" == "2032200d0a" ]] || harness_fail "options file not \" 2 \\r\\n\""
(($(date +%s) < TARGET)) || harness_fail "setting up took past the target second; nothing proven"

# Wait out the target second and a little more: anything late or repeated would show.
while (($(date +%s) < TARGET + 3)); do sleep 0.2; done
harness_program_running || harness_fail "program ended"
harness_log "logind saw: $(tr '\n' '|' <"$HARNESS_CALLS")"
[[ "$(harness_logind_methods | grep -vx CanReboot)" == "Reboot" ]] || harness_fail "expected exactly one Reboot"
[[ "$(harness_logind_methods | head -n1)" == "CanReboot" ]] || harness_fail "OK did not ask logind CanReboot first"
CALLED_AT=$(awk '$2 == "Reboot" {print int($1)}' "$HARNESS_CALLS")
((CALLED_AT == TARGET)) || harness_fail "Reboot at $CALLED_AT, expected in second $TARGET"

harness_atspi press "快速关机" --role "push button"
harness_until 5 grep -q PowerOff "$HARNESS_CALLS" || harness_fail "no PowerOff after quick shutdown"
sleep 1
[[ "$(harness_logind_methods | tr '\n' ' ')" == "CanReboot Reboot PowerOff " ]] ||
    harness_fail "expected Reboot then one PowerOff, got: $(harness_logind_methods | tr '\n' ' ')"

harness_log "PASS"
