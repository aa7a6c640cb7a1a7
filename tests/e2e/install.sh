#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The installed program end to end: `cmake --install` into a temporary prefix lays out the files
# a desktop expects (and the frame library's files for developers), the menu entry's actions
# only cancel, and the program, started through its launcher by an ordinary user from its
# read-only program directory, keeps its timer option and password in that user's data folder
# with the same bytes, registers its frame library there, and loses nothing when that folder is
# read-only as well (the user is told the password cannot be stored).
#
#   install.sh <build dir>
set -uo pipefail
BUILD=$(cd "${1:?usage: install.sh <build dir>}" && pwd)
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/harness.sh"
source "$HERE/installed_files.sh"

ID=org.quellor.Quellor
# Root writes through any permission bits: as root, the program runs as an ordinary user.
USER_NAME=$(id -un)
((EUID == 0)) && USER_NAME=nobody

harness_init
harness_run_as "$USER_NAME"
PREFIX="$HARNESS_DIR/prefix"
PROGRAM_DIR="$PREFIX/lib/quellor"
DATA="$HOME/.local/share/quellor"

hex() { od -An -tx1 "$1" | tr -d ' \n'; }

harness_log "installing into $PREFIX"
cmake --install "$BUILD" --prefix "$PREFIX" >"$HARNESS_DIR/install.log" 2>&1 ||
    { cat "$HARNESS_DIR/install.log" >&2; harness_fail "cmake --install failed"; }

# --- The installed layout -------------------------------------------------------------------
wanted=$(installed_files "$BUILD" installed)
actual=$(cd "$PREFIX" && find . -type f -o -type l | sed 's|^\./||' | sort)
[[ "$actual" == "$wanted" ]] || harness_fail "installed files differ from installed_files.txt:
$(diff <(echo "$wanted") <(echo "$actual"))"
[[ -x "$PREFIX/bin/quellor" && -x "$PROGRAM_DIR/Quellor" ]] || harness_fail "launcher or program not executable"
for size in 16 32 48 64 128 256; do
    got=$(identify -format '%wx%h' "$PREFIX/share/icons/hicolor/${size}x${size}/apps/$ID.png" 2>/dev/null)
    [[ "$got" == "${size}x${size}" ]] || harness_fail "the ${size}px icon is $got"
done
desktop-file-validate "$PREFIX/share/applications/$ID.desktop" || harness_fail "desktop entry not valid"
# Pedantic, with one note passed over: the ID is the bus name and the menu entry's, upper case and
# all, as AppStream allows.
appstreamcli validate --pedantic --no-net "$PREFIX/share/metainfo/$ID.metainfo.xml" >"$HARNESS_DIR/appstream.log" 2>&1 ||
    { cat "$HARNESS_DIR/appstream.log" >&2; harness_fail "metainfo not valid"; }
notes=$(grep -E '^[EWIP]: ' "$HARNESS_DIR/appstream.log" | grep -v "^P: $ID:[0-9]*: cid-contains-uppercase-letter ")
[[ -z "$notes" ]] || harness_fail "the metainfo draws remarks: $notes"
# The session bus starts this installation's launcher for a call to the program's name.
[[ "$(cat "$PREFIX/share/dbus-1/services/$ID.service")" == "[D-BUS Service]
Name=$ID
Exec=$PREFIX/bin/quellor" ]] || harness_fail "service file: $(cat "$PREFIX/share/dbus-1/services/$ID.service")"
grep -qx "Exec=quellor" "$PREFIX/share/applications/$ID.desktop" || harness_fail "menu entry does not run the launcher"
grep -qx "Icon=$ID" "$PREFIX/share/applications/$ID.desktop" || harness_fail "menu entry names another icon"
grep -q "<launchable type=\"desktop-id\">$ID.desktop</launchable>" "$PREFIX/share/metainfo/$ID.metainfo.xml" ||
    harness_fail "metainfo does not launch the menu entry"

# --- Read-only program directory, ordinary user ---------------------------------------------
chmod -R a-w "$PROGRAM_DIR"
harness_as touch "$PROGRAM_DIR/probe" 2>/dev/null && harness_fail "$USER_NAME can still write the program directory"
program_dir_listing() { find "$PROGRAM_DIR" -printf '%p %s %T@ %m\n' | sort; }
LISTING_BEFORE=$(program_dir_listing)

harness_start_display
harness_start_session_bus --atspi
harness_start_mock_logind

main_window_showing() { xdotool search --onlyvisible --name "^Quellor4.1\$"; }
main_window_hidden() { ! main_window_showing; }
window_gone() { ! xdotool search --onlyvisible --name "^$1\$"; }
box_showing() { harness_atspi --timeout 1 wait "密码" --role "password text"; }

start_installed() {
    harness_start_program "$PREFIX/bin/quellor"
    harness_atspi --timeout 30 wait "定时关机" --role "push button" || harness_fail "no main window"
    MAIN=$(harness_wait_window "Quellor4.1" 10) || harness_fail "main window not mapped"
}

stop_program() {
    kill "$HARNESS_PROGRAM_PID" 2>/dev/null
    harness_until 10 bash -c "! kill -0 $HARNESS_PROGRAM_PID" || harness_fail "program does not end"
}

# Types six digits two hours ahead into the shutdown field (a second that does not come while
# this runs), picks `option` in the timer-options dialog and confirms it.
choose_timer_option() {
    local option=$1
    xdotool windowactivate --sync "$MAIN" 2>/dev/null || xdotool windowfocus --sync "$MAIN"
    harness_atspi press "定时关机" --role "push button"
    harness_until 5 harness_atspi --timeout 1 enabled "定时关机" --role "text" || harness_fail "shutdown field not armed"
    xdotool type --delay 60 "$(date -d '+2 hours' +%H%M%S)"
    harness_wait_window "系统定时操作" 10 >/dev/null || harness_fail "timer-options dialog did not open"
    harness_atspi press "$option" --role "radio button"
    harness_until 5 harness_atspi --timeout 1 checked "$option" --role "radio button" || harness_fail "$option not selected"
    harness_atspi press "确定(Y)" --role "push button"
    harness_until 5 window_gone "系统定时操作" || harness_fail "timer-options dialog still open after OK"
}


harness_log "first run: timer option and password through the installed program"
start_installed
[[ "$(readlink "/proc/$HARNESS_PROGRAM_PID/cwd")" == "$PROGRAM_DIR" ]] ||
    harness_fail "the launcher did not start the program in its directory (cwd $(readlink "/proc/$HARNESS_PROGRAM_PID/cwd"))"
# The program registers the library of its installation, by its SONAME name.
LIBRARY=$PREFIX/$(installed_files "$BUILD" libvantrellib4 | grep -x '.*/libVantrelLib\.so\.4')
grep -q "InprocServer32=${LIBRARY//./\\.}$" "$DATA/classes.ini" 2>/dev/null ||
    harness_fail "the frame library was not registered in $DATA/classes.ini: $(grep InprocServer32 "$DATA/classes.ini")"
harness_atspi wait "关闭" --role "push button" >/dev/null || harness_fail "the main window has no frame"

choose_timer_option "启动定时注消计算机"
[[ "$(hex "$DATA/Diri.dll")" == "2033200d0a" ]] || harness_fail "Diri.dll in the data folder holds $(hex "$DATA/Diri.dll" 2>&1)"

# The menu entry's actions only cancel: each, run as the menu runs it, leaves nothing armed.
status() { harness_as "$PREFIX/bin/quellor" --status | tr '\n' ' '; }
[[ "$(status)" == "Action=logoff ActionTime="*" AlarmTime= " ]] || harness_fail "not armed: $(status)"
harness_as "$PREFIX/bin/quellor" --alarm "$(date -d '+3 hours' +%H:%M)" || harness_fail "cannot arm the alarm"
actions=$(sed -n 's/^Actions=//p' "$PREFIX/share/applications/$ID.desktop")
[[ "$actions" == "cancel-action;cancel-alarm;" ]] || harness_fail "menu entry actions: $actions"
for action in ${actions//;/ }; do
    exec_line=$(sed -n "/^\[Desktop Action $action\]/,/^\[/s/^Exec=//p" "$PREFIX/share/applications/$ID.desktop")
    [[ "$exec_line" == "quellor "* ]] || harness_fail "action $action runs $exec_line"
    # shellcheck disable=SC2086
    harness_as "$PREFIX/bin/"$exec_line || harness_fail "action $action failed"
done
[[ "$(status)" == "Action= ActionTime= AlarmTime= " ]] || harness_fail "the actions left armed: $(status)"

harness_set_password "Inst4ll"
harness_until 10 window_gone "输入密码" || harness_fail "password dialog still open"
harness_until 10 main_window_hidden || harness_fail "the lock screen did not take over"
[[ "$(hex "$DATA/pae.dll")" == "496e7374346c6c0d0a" ]] || harness_fail "pae.dll in the data folder holds $(hex "$DATA/pae.dll" 2>&1)"
[[ "$(stat -c '%U %a' "$DATA/pae.dll")" == "$USER_NAME 600" ]] || harness_fail "pae.dll is $(stat -c '%U %a' "$DATA/pae.dll")"

# The lock reads its password from that file at each try: change it there and unlock with it.
printf 'Chang3d\r\n' >"$DATA/pae.dll"
for i in $(seq 0 44); do
    xdotool mousemove $((200 + i * 7)) $((300 + (i % 5) * 11))
    sleep 0.04
done
harness_until 5 box_showing || harness_fail "no password box on the lock screen"
xdotool type --delay 30 "Chang3d"
xdotool key alt+y
harness_until 10 main_window_showing || harness_fail "the password in the data folder did not unlock"
stop_program

harness_log "second run: the data folder is read-only too"
chmod -R a-w "$DATA"
start_installed
choose_timer_option "启动定时关闭计算机"
[[ "$(hex "$DATA/Diri.dll")" == "2033200d0a" ]] || harness_fail "Diri.dll changed in a read-only folder: $(hex "$DATA/Diri.dll")"

harness_set_password "Other55"
harness_wait_window "警告" 10 >/dev/null || harness_fail "no warning that the password cannot be stored"
xdotool key Return
harness_until 10 window_gone "警告" || harness_fail "warning box stays"
main_window_showing >/dev/null || harness_fail "locked although the password was not stored"
[[ "$(hex "$DATA/pae.dll")" == "4368616e6733640d0a" ]] || harness_fail "pae.dll changed in a read-only folder: $(hex "$DATA/pae.dll")"
harness_program_running || harness_fail "program ended"
stop_program

[[ "$(program_dir_listing)" == "$LISTING_BEFORE" ]] || harness_fail "the program directory changed:
$(diff <(echo "$LISTING_BEFORE") <(program_dir_listing))"
# Confirming the options only asks whether a power-off would be allowed.
[[ -z "$(harness_logind_methods | grep -vx CanPowerOff)" ]] ||
    harness_fail "power actions were asked for: $(harness_logind_methods | tr '\n' ' ')"
harness_log "PASS"
