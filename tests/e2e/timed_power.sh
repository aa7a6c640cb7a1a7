#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End to end: a restart typed a few seconds ahead through the real window reaches the (mock)
# logind exactly once, at that second; "快速关机" then asks it for one power-off. Then, with the
# program's wall clock stepped by libfaketime (its steady clock left real, as a time sync does), a
# restart whose second the clock steps over runs once, and not again when the clock is set back
# over it.
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
FAKETIME_LIB=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n1)
[[ -n "$FAKETIME_LIB" ]] || harness_fail "no libfaketime (scripts/deps.sh installs it)"
FAKE_CLOCK="$HARNESS_DIR/faketime"
OFFSET=0
# Sets the program's wall clock to the real one plus $1 seconds.
step_clock() {
    OFFSET=$1
    printf '%+d\n' "$1" >"$FAKE_CLOCK.new" && mv "$FAKE_CLOCK.new" "$FAKE_CLOCK"
}
fake_now() { echo $(($(date +%s) + OFFSET)); }
step_clock 0
harness_start_program env LD_PRELOAD="$FAKETIME_LIB" FAKETIME_TIMESTAMP_FILE="$FAKE_CLOCK" FAKETIME_NO_CACHE=1 \
    FAKETIME_DONT_FAKE_MONOTONIC=1 "$BIN_DIR/Quellor"

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

# A time sync steps the wall clock 5 s forward over the armed second: it runs at once, once.
reboots() { harness_logind_methods | grep -cx Reboot; }
TARGET=$(($(fake_now) + 6))
"$BIN_DIR/Quellor" --restart "$(date -d "@$TARGET" +%H:%M:%S)" || harness_fail "--restart ended with $?"
while (($(fake_now) < TARGET - 3)); do sleep 0.1; done
step_clock 5
harness_until 3 bash -c "(( \$(awk '\$2 == \"Reboot\"' '$HARNESS_CALLS' | wc -l) == 2 ))" ||
    harness_fail "the second the clock stepped over did not run: $(harness_logind_methods | tr '\n' ' ')"
# Set back over it again: the same day's restart does not run twice.
step_clock 0
while (($(fake_now) < TARGET + 2)); do sleep 0.2; done
(($(reboots) == 2)) || harness_fail "the restart ran again after the clock was set back: $(reboots) Reboot calls"
harness_program_running || harness_fail "program ended"

harness_log "PASS"
