#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Scripting end to end. With Quellor running, the command line hands its requests over the
# session bus and ends at once: a restart armed 10 s ahead shows in the window, is warned of by a
# desktop notification, holds logind's idle inhibitor, and reaches the mock logind exactly once,
# at that second. A cancel before the time, from the command line or from the notification,
# means no power call. Bad arguments (a line break in a time, a huge one) end with status 2 or
# InvalidArgs, quoted short, and arm nothing; without a bus address the command ends with status
# 1 and starts no bus. A countdown shows as its time of day. The alarm, its music named in
# Latin-1, rings while the window is parked: a notification's "关闭闹钟" stops it. Then a first
# start with arguments starts Quellor and arms.
#
#   scripted.sh <directory holding the Quellor binary>
set -u
BIN_DIR=$(cd "${1:?usage: scripted.sh <bin dir>}" && pwd)
source "$(dirname "$0")/harness.sh"
harness_init

SETTINGS="$BIN_DIR/Diri.dll"
harness_set_aside "$SETTINGS"

harness_start_display
harness_start_session_bus --atspi
harness_start_mock_logind
NOTES="$HARNESS_DIR/notify-calls"
: >"$NOTES"
"$HARNESS_PYTHON" -m dbusmock --template notification_daemon -l "$NOTES" >"$HARNESS_DIR/notify.log" 2>&1 &
harness_track $!
harness_until 20 gdbus call --session -d org.freedesktop.Notifications -o /org/freedesktop/Notifications \
    -m org.freedesktop.Notifications.GetCapabilities || harness_fail "mock notification server did not start"

# A desktop session manager with an idle inhibitor of its own, as GNOME's.
GNOME="$HARNESS_DIR/gnome-calls"
: >"$GNOME"
"$HARNESS_PYTHON" -m dbusmock -l "$GNOME" org.gnome.SessionManager /org/gnome/SessionManager \
    org.gnome.SessionManager >"$HARNESS_DIR/gnome.log" 2>&1 &
harness_track $!
harness_until 20 gdbus call --session -d org.gnome.SessionManager -o /org/gnome/SessionManager \
    -m org.freedesktop.DBus.Mock.AddMethod org.gnome.SessionManager Inhibit susu u "ret = 42" ||
    harness_fail "mock session manager did not start"
gdbus call --session -d org.gnome.SessionManager -o /org/gnome/SessionManager \
    -m org.freedesktop.DBus.Mock.AddMethod org.gnome.SessionManager Uninhibit u "" "" >/dev/null

harness_start_program "$BIN_DIR/Quellor"
harness_atspi --timeout 30 wait "定时关机" --role "push button" || harness_fail "no main window"
gdbus monitor --session -d org.quellor.Quellor -o /org/quellor/Quellor >"$HARNESS_DIR/monitor.log" 2>&1 &
harness_track $!

quellor() { "$BIN_DIR/Quellor" "$@"; }
prop() {
    gdbus call --session -d org.quellor.Quellor -o /org/quellor/Quellor \
        -m org.freedesktop.DBus.Properties.Get org.quellor.Quellor1 "$1"
}
method() { gdbus call --session -d org.quellor.Quellor -o /org/quellor/Quellor -m "org.quellor.Quellor1.$1" "${@:2}"; }
inhibitors() { gdbus call --system -d org.freedesktop.login1 -o /org/freedesktop/login1 \
    -m org.freedesktop.login1.Manager.ListInhibitors; }
held_awake() { inhibitors | grep -q "('idle', 'Quellor', '[^']*', 'block'"; }
awake_released() { ! held_awake; }
field() { harness_atspi text "$1" --role text; }
power_calls() { harness_logind_methods | grep -vE "^Can(PowerOff|Reboot)$"; }
seconds_ahead() { date -d "@$(($(date +%s) + $1))" +%H:%M:%S; }

# --- Bad arguments: status 2, a message, nothing armed -------------------------------------
while IFS= read -r bad; do
    rc=0
    # shellcheck disable=SC2086 # each line is an argument list
    quellor $bad >/dev/null 2>"$HARNESS_DIR/err" || rc=$?
    ((rc == 2)) || harness_fail "\"$bad\" ended with $rc, expected 2"
    grep -q '^quellor: .' "$HARNESS_DIR/err" || harness_fail "\"$bad\" gave no message: $(cat "$HARNESS_DIR/err")"
done <<EOF_BAD
--restart 25:00
--shutdown
--alarm 07:00 --music $HARNESS_DIR/missing.mp3
--bogus
--cancel --restart 12:00
EOF_BAD
for bad in $'07:00\n' $'7:00\r' $'\t7:00'; do
    rc=0
    quellor --restart "$bad" >/dev/null 2>"$HARNESS_DIR/err" || rc=$?
    ((rc == 2)) || harness_fail "a time with a control character ended with $rc"
    (($(wc -l <"$HARNESS_DIR/err") <= 2)) || harness_fail "the refusal ran over lines: $(cat "$HARNESS_DIR/err")"
done
[[ "$(quellor --status)" == $'Action=\nActionTime=\nAlarmTime=' ]] || harness_fail "bad arguments armed: $(quellor --status)"
# No bus address: a clear failure, and no bus started on the side.
rc=0
env -u DBUS_SESSION_BUS_ADDRESS "$BIN_DIR/Quellor" --cancel >/dev/null 2>"$HARNESS_DIR/err" || rc=$?
((rc == 1)) && grep -q '^quellor: .*no session bus' "$HARNESS_DIR/err" || harness_fail "no bus address: $rc $(cat "$HARNESS_DIR/err")"
autolaunched() {
    local pid
    for pid in $(pgrep -f -- '--autolaunch'); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" && return 0
    done
    return 1
}
! autolaunched || harness_fail "the command launched a session bus of its own"

# --- Bus methods refuse bad arguments with InvalidArgs ---------------------------------------
for call in "ScheduleAction reboot 12:00" "ScheduleAction shutdown 7:5" "SetAlarm 99:00 ''" \
    "ScheduleAction restart '07:00\n'" "SetAlarm '$(head -c 100000 /dev/zero | tr '\0' 9)' ''"; do
    # shellcheck disable=SC2086
    out=$(method $call 2>&1) && harness_fail "${call:0:60} was accepted"
    grep -q "org.freedesktop.DBus.Error.InvalidArgs" <<<"$out" || harness_fail "${call:0:60}: ${out:0:300}"
    ((${#out} < 400)) || harness_fail "the refusal quotes ${#out} characters back"
done

# --- A restart 10 s ahead from the command line ------------------------------------------
TARGET=$(($(date +%s) + 10))
AT=$(date -d "@$TARGET" +%H:%M:%S)
START=$SECONDS
quellor --restart "$AT" || harness_fail "--restart ended with $?"
((SECONDS - START <= 2)) || harness_fail "--restart took $((SECONDS - START)) s"
[[ "$(field 定时关机)" == "$AT" ]] || harness_fail "the field shows \"$(field 定时关机)\", expected $AT"
[[ "$(od -An -tx1 "$SETTINGS" | tr -d ' \n')" == "2032200d0a" ]] || harness_fail "options file not \" 2 \\r\\n\""
[[ "$(quellor --status)" == "Action=restart"$'\n'"ActionTime=$AT"$'\n'"AlarmTime=" ]] ||
    harness_fail "status: $(quellor --status)"
[[ "$(prop Action)" == "(<'restart'>,)" ]] || harness_fail "Action property: $(prop Action)"
[[ "$(prop ActionTime)" == "(<'$AT'>,)" ]] || harness_fail "ActionTime property: $(prop ActionTime)"
harness_until 3 held_awake || harness_fail "no idle inhibitor while armed: $(inhibitors)"
harness_until 3 grep -q "Notify .*将在 [0-9]* 秒后重新启动" "$NOTES" || harness_fail "no warning: $(cat "$NOTES")"
grep -q "Notify .*取消关机" "$NOTES" || harness_fail "the warning offers no \"取消关机\""
(($(date +%s) < TARGET)) || harness_fail "arming took past the target second; nothing proven"
while (($(date +%s) < TARGET + 3)); do sleep 0.2; done
harness_log "logind saw: $(tr '\n' '|' <"$HARNESS_CALLS")"
[[ "$(power_calls)" == "Reboot" ]] || harness_fail "expected exactly one Reboot, got: $(power_calls | tr '\n' ' ')"
CALLED_AT=$(awk '$2 == "Reboot" {print int($1)}' "$HARNESS_CALLS")
((CALLED_AT == TARGET)) || harness_fail "Reboot at $CALLED_AT, expected in second $TARGET"
WARNED_AT=$(awk '$2 == "Notify" {print $1; exit}' "$NOTES")
awk -v w="$WARNED_AT" -v r="$(awk '$2 == "Reboot" {print $1}' "$HARNESS_CALLS")" 'BEGIN {exit !(w < r)}' ||
    harness_fail "the warning ($WARNED_AT) came after the action"
awake_released || harness_fail "the idle inhibitor outlived the action: $(inhibitors)"
grep -q '^[0-9.]* Inhibit "org.quellor.Quellor" 0 "[^"]*" 8$' "$GNOME" &&
    grep -q '^[0-9.]* Uninhibit 42$' "$GNOME" || harness_fail "the session manager's inhibitor: $(cat "$GNOME")"

# --- A shutdown armed over the bus, cancelled from the command line --------------------------
AT=$(seconds_ahead 8)
method ScheduleAction shutdown "$AT" >/dev/null || harness_fail "ScheduleAction refused $AT"
[[ "$(prop Action)" == "(<'shutdown'>,)" ]] || harness_fail "Action property: $(prop Action)"
harness_until 3 held_awake || harness_fail "no idle inhibitor while armed"
quellor --cancel || harness_fail "--cancel ended with $?"
[[ -z "$(field 定时关机)" ]] || harness_fail "the field still shows $(field 定时关机)"
[[ "$(prop Action)" == "(<''>,)" && "$(prop ActionTime)" == "(<''>,)" ]] || harness_fail "still armed after --cancel"
harness_until 3 awake_released || harness_fail "the idle inhibitor outlived the cancel: $(inhibitors)"
grep -q "CloseNotification" "$NOTES" || harness_fail "the warning was not withdrawn"

# --- A countdown: half an hour from now, shown as that time of day --------------------------
EARLIEST=$(date -d '+30 min' +%H:%M:%S)
method ScheduleAction shutdown "'+30'" >/dev/null || harness_fail "ScheduleAction refused +30"
LATEST=$(date -d '+30 min' +%H:%M:%S)
[[ "$(field 定时关机)" == "$EARLIEST" || "$(field 定时关机)" == "$LATEST" ]] ||
    harness_fail "+30 shows as \"$(field 定时关机)\", expected $EARLIEST"
quellor --cancel || harness_fail "--cancel ended with $?"

# --- The warning's "取消关机" ----------------------------------------------------------------
AT=$(seconds_ahead 12)
CANCEL_BY=$(($(date +%s) + 12))
quellor --restart "$AT" || harness_fail "--restart ended with $?"
harness_until 3 bash -c "[[ \$(grep -c ' Notify ' '$NOTES') -eq 3 ]]" || harness_fail "no third warning"
# The mock numbers notifications from 1; this is the third.
gdbus call --session -d org.freedesktop.Notifications -o /org/freedesktop/Notifications \
    -m org.freedesktop.DBus.Mock.EmitSignal org.freedesktop.Notifications ActionInvoked us \
    "[<uint32 3>, <'quellor-action'>]" >/dev/null || harness_fail "cannot invoke the warning's action"
harness_until 3 bash -c '[[ -z "$(gdbus call --session -d org.quellor.Quellor -o /org/quellor/Quellor \
    -m org.freedesktop.DBus.Properties.Get org.quellor.Quellor1 ActionTime | tr -d "(<>,)'"'"'")" ]]' ||
    harness_fail "the warning's action did not cancel"
[[ -z "$(field 定时关机)" ]] || harness_fail "the field still shows $(field 定时关机)"
harness_until 3 awake_released || harness_fail "the idle inhibitor outlived the cancel"
while (($(date +%s) < CANCEL_BY + 2)); do sleep 0.2; done
[[ "$(power_calls)" == "Reboot" ]] || harness_fail "a cancelled action ran: $(power_calls | tr '\n' ' ')"

# --- The alarm, with music named on the command line -----------------------------------------
cp "$BIN_DIR/2.wav" "$HARNESS_DIR/wake.wav"
(cd "$HARNESS_DIR" && "$BIN_DIR/Quellor" --alarm 6:30 --music wake.wav) || harness_fail "--alarm ended with $?"
[[ "$(field 闹钟定时)" == "06:30:00" ]] || harness_fail "the alarm field shows \"$(field 闹钟定时)\""
[[ "$(prop AlarmTime)" == "(<'06:30:00'>,)" ]] || harness_fail "AlarmTime property: $(prop AlarmTime)"
quellor --cancel-alarm || harness_fail "--cancel-alarm ended with $?"
[[ "$(prop AlarmTime)" == "(<''>,)" && -z "$(field 闹钟定时)" ]] || harness_fail "alarm still set"

# --- The alarm rings while the window is parked; its notification stops it ------------------
# Another window in front, so the dock parks the main window above the screen.
xmessage -geometry "400x200+0+400" -name other "other" >/dev/null 2>&1 &
harness_track $!
harness_wait_window "other" 10 >/dev/null || harness_fail "no other window"
xdotool mousemove 200 500 click 1
MAIN=$(harness_wait_window "Quellor4.1" 10) || harness_fail "no main window"
read -r _ _ _ MAIN_H <<<"$(harness_geometry "$MAIN")"
harness_wait_top "$MAIN" $((2 - MAIN_H)) >/dev/null || harness_fail "main window not parked: $(harness_geometry "$MAIN")"
cp "$BIN_DIR/2.wav" "$HARNESS_DIR/"$'\xe9veil.wav' # "éveil" in Latin-1: no UTF-8 name
AT=$(seconds_ahead 4)
(cd "$HARNESS_DIR" && "$BIN_DIR/Quellor" --alarm "$AT" --music $'\xe9veil.wav') || harness_fail "--alarm with a Latin-1 name ended with $?"
harness_until 3 held_awake || harness_fail "no idle inhibitor while the alarm is armed"
inhibitors | grep -q "闹钟定时 $AT" || harness_fail "the inhibitor does not name $AT: $(inhibitors)"
harness_until 8 grep -q "Notify .*闹钟正在响.*关闭闹钟" "$NOTES" || harness_fail "no notification of the ringing alarm"
harness_atspi enabled 关闭闹钟 --role "push button" || harness_fail "\"关闭闹钟\" not enabled while ringing"
CLOSED=$(grep -c CloseNotification "$NOTES")
gdbus call --session -d org.freedesktop.Notifications -o /org/freedesktop/Notifications \
    -m org.freedesktop.DBus.Mock.EmitSignal org.freedesktop.Notifications ActionInvoked us \
    "[<uint32 $(grep -c ' Notify ' "$NOTES")>, <'quellor-action'>]" >/dev/null || harness_fail "cannot invoke the alarm's action"
music_stopped() { ! harness_atspi --timeout 1 enabled 关闭闹钟 --role "push button"; }
harness_until 3 music_stopped || harness_fail "the notification's \"关闭闹钟\" did not stop the alarm"
harness_until 3 bash -c "(( \$(grep -c CloseNotification '$NOTES') > $CLOSED ))" || harness_fail "the alarm's notification stayed"
harness_until 3 awake_released || harness_fail "the idle inhibitor outlived the alarm: $(inhibitors)"
quellor --cancel-alarm || harness_fail "--cancel-alarm ended with $?"

grep -q "PropertiesChanged ('org.quellor.Quellor1', {'Action': <'restart'>" "$HARNESS_DIR/monitor.log" ||
    harness_fail "no PropertiesChanged for Action: $(cat "$HARNESS_DIR/monitor.log")"
grep -q "'AlarmTime': <'06:30:00'>" "$HARNESS_DIR/monitor.log" || harness_fail "no PropertiesChanged for AlarmTime"
xdotool search --name '^警告$' >/dev/null 2>&1 && harness_fail "a request showed the \"already running\" box"
harness_program_running || harness_fail "program ended"

# --- None running: the command starts Quellor and arms ---------------------------------------
kill "$HARNESS_PROGRAM_PID"
harness_until 10 bash -c "! kill -0 $HARNESS_PROGRAM_PID" || harness_fail "program does not end"
harness_until 5 awake_released || harness_fail "the idle inhibitor outlived the program"
AT=$(date -d '+2 hours' +%H:%M:00)
harness_start_program "$BIN_DIR/Quellor" --shutdown "${AT%:00}"
harness_until 20 bash -c "[[ \"\$('$BIN_DIR/Quellor' --status 2>/dev/null | head -n2 | tr '\n' ' ')\" == 'Action=shutdown ActionTime=$AT ' ]]" ||
    harness_fail "a first start did not arm: $(quellor --status 2>&1)"
[[ "$(od -An -tx1 "$SETTINGS" | tr -d ' \n')" == "2031200d0a" ]] || harness_fail "options file not \" 1 \\r\\n\""
harness_until 3 held_awake || harness_fail "no idle inhibitor after a first start"
harness_atspi --timeout 30 wait "定时关机" --role "push button" || harness_fail "no main window after a first start"
[[ "$(field 定时关机)" == "$AT" ]] || harness_fail "after a first start the field shows \"$(field 定时关机)\""
[[ "$(power_calls)" == "Reboot" ]] || harness_fail "unexpected power calls: $(power_calls | tr '\n' ' ')"
harness_log "PASS"
