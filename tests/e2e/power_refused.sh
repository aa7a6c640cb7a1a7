#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End to end: logind refuses or never answers, and the user is told. The mock logind's methods
# are replaced through its own Mock interface: CanReboot answers "challenge", Reboot needs an
# administrator while a disc burner holds a block inhibitor, PowerOff is denied, then never
# answers; a log-off without XDG_SESSION_ID meets a logind that never tells the session. Each
# time a "警告" box names the cause, the window keeps running meanwhile, and no request is ever
# sent twice.
#
#   power_refused.sh <directory holding the Quellor binary>
set -u
BIN_DIR=$(cd "${1:?usage: power_refused.sh <bin dir>}" && pwd)
source "$(dirname "$0")/harness.sh"

harness_init
harness_set_aside "$BIN_DIR/Diri.dll" # the program keeps its options file beside itself

harness_start_display
harness_start_session_bus --atspi
harness_start_mock_logind

# mock_method <name> <out signature> <python code>: replaces a logind manager method.
mock_method() {
    harness_as dbus-send --bus="$DBUS_SYSTEM_BUS_ADDRESS" --print-reply --dest=org.freedesktop.login1 \
        /org/freedesktop/login1 org.freedesktop.DBus.Mock.AddMethod string:org.freedesktop.login1.Manager \
        string:"$1" string:"$2" string:"$3" string:"$4" >/dev/null || harness_fail "cannot replace $1"
}
dbus_error() { echo "raise dbus.exceptions.DBusException('refused', name='$1')"; }
# The power calls logind saw, in order, on one line (the mock also logs each error it raised).
power_calls() { grep -v ' raised: ' "$HARNESS_CALLS" | awk '{print $2}' | grep -E '^(PowerOff|Reboot|Can)' | tr '\n' ' '; }
# Waits for a "警告" box showing exactly this text, then closes it.
expect_warning() {
    harness_wait_window "警告" 15 >/dev/null || harness_fail "no 警告 box (expected: $1)"
    harness_atspi --timeout 5 wait "$1" --role label >/dev/null || harness_fail "the 警告 box does not say: $1"
    [[ -n "${SHOT_DIR:-}" ]] && import -window root "$SHOT_DIR/warning-$((++SHOTS)).png"
    xdotool key Return
    harness_until 10 bash -c '! xdotool search --onlyvisible --name "^警告$"' || harness_fail "警告 box stays"
}

mock_method CanReboot "" s 'ret = "challenge"'
mock_method Reboot b "" "$(dbus_error org.freedesktop.DBus.Error.InteractiveAuthorizationRequired)"
mock_method ListInhibitors "" "a(ssssuu)" \
    'ret = [("shutdown:sleep", "Disc Burner", "Writing a disc", "block", dbus.UInt32(4242), dbus.UInt32(777)), ("sleep", "Player", "Playing", "block", dbus.UInt32(4242), dbus.UInt32(778)), ("shutdown", "Saver", "Saving", "delay", dbus.UInt32(4242), dbus.UInt32(779))]'

unset XDG_SESSION_ID
harness_start_program "$BIN_DIR/Quellor"
harness_atspi --timeout 30 wait "定时关机" --role "push button" || harness_fail "no main window"
MAIN=$(harness_wait_window "Quellor4.1" 10) || harness_fail "main window not mapped"

# arm_time <option caption>: a time a few seconds ahead (in TARGET) with that option confirmed.
arm_time() {
    xdotool windowactivate --sync "$MAIN" 2>/dev/null || xdotool windowfocus --sync "$MAIN"
    harness_atspi press "定时关机" --role "push button"
    harness_until 5 harness_atspi --timeout 1 enabled "定时关机" --role "text" || harness_fail "shutdown field not armed"
    TARGET=$(($(date +%s) + 12))
    xdotool type --delay 60 "$(date -d "@$TARGET" +%H%M%S)"
    harness_wait_window "系统定时操作" 10 >/dev/null || harness_fail "timer-options dialog did not open"
    harness_atspi press "$1" --role "radio button"
    harness_atspi press "确定(Y)" --role "push button"
}
clock_runs() {
    local first second
    first=$(harness_atspi text "系统时间" --role "text")
    sleep 1.5
    second=$(harness_atspi text "系统时间" --role "text")
    [[ -n "$first" && "$first" != "$second" ]] || harness_fail "the clock stood still while logind was silent ($first, $second)"
}

# A restart a few seconds ahead: the question in advance warns at once (logind would ask for an
# administrator because of the burner's lock), and the time stays set.
arm_time "启动定时重起计算机"
expect_warning $'定时重新启动可能无法执行:以下程序正在阻止此操作:Disc Burner。\n定时仍然有效。'
[[ "$(harness_atspi text "定时关机" --role "text")" == "$(date -d "@$TARGET" +%H:%M:%S)" ]] ||
    harness_fail "the time did not stay set"
(($(date +%s) < TARGET)) || harness_fail "setting up took past the target second; nothing proven"

# At the time: refused, and the burner's block named (not the sleep-only or delay locks).
expect_warning "重新启动失败:以下程序正在阻止此操作:Disc Burner。"
[[ "$(power_calls)" == "CanReboot Reboot " ]] || harness_fail "expected CanReboot then one Reboot, got: $(power_calls)"

# A timed log-off: logind never says which session is the program's.
mock_method GetSessionByPID u o 'import time; time.sleep(9); ret = "/"'
harness_atspi press "取消关机" --role "push button"
harness_until 5 harness_atspi --timeout 1 enabled "定时关机" --role "push button" || harness_fail "定时关机 not enabled again"
arm_time "启动定时注消计算机"
harness_until 5 bash -c '! xdotool search --onlyvisible --name "^系统定时操作$"' || harness_fail "dialog still open after OK"
while (($(date +%s) < TARGET + 1)); do sleep 0.2; done
clock_runs
expect_warning "注销失败:系统的登录管理服务(logind)没有应答。"
[[ "$(grep -c ' GetSessionByPID ' "$HARNESS_CALLS")" == 1 ]] || harness_fail "GetSessionByPID not asked exactly once"

# Quick shutdown, denied outright.
mock_method ListInhibitors "" "a(ssssuu)" 'ret = []'
mock_method PowerOff b "" "$(dbus_error org.freedesktop.DBus.Error.AccessDenied)"
harness_atspi press "快速关机" --role "push button"
expect_warning "关机失败:系统拒绝了此操作,当前用户没有权限。"

# Quick shutdown into silence, pressed twice: one request, the clock keeps going, then the box.
mock_method PowerOff b "" 'import time; time.sleep(12)'
harness_atspi press "快速关机" --role "push button"
harness_atspi press "快速关机" --role "push button"
clock_runs
harness_wait_window "警告" 2 >/dev/null && harness_fail "warned before the timeout"
expect_warning "关机失败:系统的登录管理服务(logind)没有应答。"
[[ "$(power_calls)" == "CanReboot Reboot PowerOff PowerOff " ]] ||
    harness_fail "expected one PowerOff per press that was answered, got: $(power_calls)"
harness_program_running || harness_fail "program ended"
harness_log "PASS"
