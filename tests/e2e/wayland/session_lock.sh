#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The session lock under sway 1.10, which offers ext-session-lock-v1, run headless with two outputs
# from the Debian 13 root (scripts/trixie-root.sh) as an ordinary user, over a magenta desktop
# with another program's red window. Steps: the splash stands centred above it; the lock takes the
# session (a lock surface on each output, locked, the other program gets no keys and no place on
# screen); the right password unlocks with unlock_and_destroy; with another locker holding the
# session the compositor refuses, and the lock's windows become covers while logind is asked to
# lock; kill -9 of the program while locked leaves the session locked as the guard asks logind.
#
#   session_lock.sh <bin dir> <wl_pointer binary> <intruder binary>
set -uo pipefail
BIN_DIR=$(cd "${1:?usage: session_lock.sh <bin dir> <wl_pointer> <intruder>}" && pwd)
POINTER_BIN=$(realpath "${2:?usage: session_lock.sh <bin dir> <wl_pointer> <intruder>}")
INTRUDER_BIN=$(realpath "${3:?usage: session_lock.sh <bin dir> <wl_pointer> <intruder>}")
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT_SCRIPT=$(cd "$HERE/../../../scripts" && pwd)/trixie-root.sh
source "$HERE/../harness.sh"
source "$HERE/wayland_harness.sh"

wl_need grim wtype convert
((EUID == 0)) || { echo "SKIP: the Debian 13 root needs root to enter"; exit 0; }
bash "$ROOT_SCRIPT" path >/dev/null || harness_fail "no Debian 13 root"
wl_init "$BIN_DIR" "$POINTER_BIN" "$INTRUDER_BIN"
in_root=(bash "$ROOT_SCRIPT" run --user "$(wl_user)" --bind "$HARNESS_DIR" --)
# Two outputs, the desktop magenta on both.
WL_OUTPUTS=2
WL_BACKGROUND=ff00ff
wl_start_sway "${in_root[@]}" || harness_fail "sway 1.10 does not start from the root"
harness_log "$("${in_root[@]}" sway --version)"
harness_start_session_bus --atspi
harness_start_mock_logind
harness_add_session c1
wl_start_pointer "$HARNESS_DIR/$(basename "$POINTER_BIN")"
wl_pointer move $((WL_WIDTH + 640)) 600 || harness_fail "the virtual pointer does not answer"
LOG=$HARNESS_DIR/program.log
mid=$((WL_WIDTH / 2))
# The desktop's pixels: its background, and the other program's red window.
pixels_of() { convert "$1" -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:mean*w*h]' info: | cut -d. -f1; }
desktop_pixels() { echo $(($(pixels_of "$1" "rgb(255,0,255)") + $(pixels_of "$1" "rgb(255,0,0)"))); }
type_keys() { harness_as wtype -s 400 "$@"; }
no_protocol_error() { ! grep -qE 'wl_display@1\.error|Protocol error' "$LOG"; }

# Another program's window on the desktop, to be kept from the keys while locked.
"${HARNESS_AS[@]}" "$HARNESS_DIR/$(basename "$INTRUDER_BIN")" >"$HARNESS_DIR/intruder.out" 2>&1 &
harness_track $!
harness_until 10 grep -q shown "$HARNESS_DIR/intruder.out" || harness_fail "the other program did not start"

# --- The splash: centred above the desktop, not tiled ------------------------------------------
WAYLAND_DEBUG=client harness_start_program "$HARNESS_DIR/bin/Quellor"
harness_until 10 grep -q "ext-session-lock yes.*Wayland platform" "$LOG" ||
    harness_fail "no session-lock choice logged: $(grep quellor: "$LOG")"
harness_until 10 grep -q 'get_layer_surface(' "$LOG" || harness_fail "the splash is no layer surface"
sleep 1.5
wl_shot "$HARNESS_DIR/splash.png"
row=$(convert "$HARNESS_DIR/splash.png" -crop "$((WL_WIDTH * WL_OUTPUTS))x1+0+$((WL_HEIGHT / 2))" -depth 8 txt:- |
    awk -F'[(),:]' -v w="$WL_WIDTH" 'NR > 1 && $1 % w > 2 && $1 % w < w - 3 && !($4 == 255 && $5 == 0) {print $1}' | sort -n)
first=$(head -n1 <<<"$row") last=$(tail -n1 <<<"$row")
[[ -n "$first" ]] || harness_fail "no splash over the desktop"
centre=$(((first + last + 1) / 2 % WL_WIDTH))
((centre - mid <= 1 && mid - centre <= 1)) || harness_fail "the splash spans $first..$last, not centred on an output"
grep -q 'xdg_toplevel@[0-9]*.set_title("Quellor")' "$LOG" && harness_fail "the splash was an ordinary toplevel"
harness_log "splash: columns $first..$last, centred on its output above everything"

harness_until 20 grep -q 'set_anchor(5)' "$LOG" || harness_fail "no dock after the splash"
# --- Locking through the password dialog ---------------------------------------------------------
last_margin() { grep -o 'zwlr_layer_surface_v1@[0-9]*.set_margin([-0-9, ]*)' "$LOG" | tail -n1 | sed 's/.*(\(.*\))/\1/'; }
parked() { [[ "$(last_margin)" == -* ]]; }
# Where the parked dock is: its left margin, and where its output lies as the compositor told Qt.
find_dock() {
    local dock output xdg
    harness_until 10 parked || harness_fail "the dock did not park: $(last_margin)"
    left=$(last_margin | awk -F', ' '{print $4}')
    dock=$(grep -o 'zwlr_layer_surface_v1@[0-9]*.set_anchor(5)' "$LOG" | tail -n1 | cut -d. -f1)
    output=$(grep -o "get_layer_surface(new id $dock, wl_surface@[0-9]*, wl_output@[0-9]*" "$LOG" | tail -n1 |
        grep -o 'wl_output@[0-9]*$')
    xdg=$(grep -o "get_xdg_output(new id zxdg_output_v1@[0-9]*, $output)" "$LOG" | grep -o 'zxdg_output_v1@[0-9]*')
    ox=$(grep -o "$xdg.logical_position([0-9]*" "$LOG" | tail -n1 | cut -d'(' -f2)
    [[ -n "$ox" ]] || harness_fail "cannot tell which output the dock is on"
}
open_password_dialog() {
    find_dock
    wl_pointer move $((ox + mid)) 0
    harness_until 5 bash -c "[[ \"\$(grep -o 'zwlr_layer_surface_v1@[0-9]*.set_margin([-0-9, ]*)' '$LOG' | tail -n1)\" == *'(0, 0, 0, $left)' ]]" ||
        harness_fail "the dock did not come down: $(last_margin)"
    wl_pointer move $((ox + left + 60)) 144
    wl_pointer click
    harness_until 10 bash -c "(( \$(grep -c 'set_title(\"输入密码\")' '$LOG') >= $1 ))" || harness_fail "no password dialog"
    sleep 1
    type_keys Pw1 -k Tab Pw1
}
unlock_with_password() {
    local before
    before=$(grep -c 'set_anchor(5)' "$LOG")
    # The first move may only bring the pointer in; forty moves over the lock follow.
    wl_pointer move 200 300
    for i in $(seq 40); do wl_pointer move $((200 + i * 7)) $((300 + i * 3)); done
    sleep 0.5
    type_keys Pw1 -M alt -k y -m alt
    harness_until 10 bash -c "(( \$(grep -c 'set_anchor(5)' '$LOG') > $before ))" || harness_fail "the main window did not come back"
}
open_password_dialog 1
type_keys -M alt -k y -m alt
harness_until 10 grep -q 'ext_session_lock_manager_v1@[0-9]*.lock(new id ext_session_lock_v1@' "$LOG" ||
    harness_fail "no ext_session_lock_manager_v1.lock"
harness_until 10 grep -q 'ext_session_lock_v1@[0-9]*.locked()' "$LOG" || harness_fail "the compositor never said locked"
outputs=$(grep -o 'get_lock_surface(new id ext_session_lock_surface_v1@[0-9]*, wl_surface@[0-9]*, wl_output@[0-9]*)' "$LOG" |
    grep -o 'wl_output@[0-9]*' | sort -u | wc -l)
((outputs == 2)) || harness_fail "lock surfaces on $outputs of 2 outputs"
no_protocol_error || harness_fail "a protocol error: $(grep -E 'error' "$LOG" | tail -n 3)"
sleep 1
wl_shot "$HARNESS_DIR/locked.png"
(($(desktop_pixels "$HARNESS_DIR/locked.png") == 0)) || harness_fail "the desktop shows through the lock"
type_keys abc
sleep 0.5
grep -q '^key' "$HARNESS_DIR/intruder.out" && harness_fail "another program got keys while locked"
harness_logind_methods | grep -q LockSession && harness_fail "logind was asked to lock although the compositor holds the lock"
harness_log "locked: a lock surface on each output, locked received, the desktop hidden, its keys withheld"

unlock_with_password
harness_until 5 grep -q 'ext_session_lock_v1@[0-9]*.unlock_and_destroy()' "$LOG" || harness_fail "no unlock_and_destroy"
sleep 1
wl_shot "$HARNESS_DIR/unlocked.png"
(($(desktop_pixels "$HARNESS_DIR/unlocked.png") > 0)) || harness_fail "the desktop did not come back"
harness_program_running && no_protocol_error || harness_fail "the program ended or erred while unlocking"
harness_log "the right password unlocks with unlock_and_destroy"

# --- Another locker holds the session: the compositor refuses -----------------------------------
open_password_dialog 2
"${in_root[@]}" swaylock -c 00ff00 >"$HARNESS_DIR/swaylock.log" 2>&1 &
swaylock=$!
harness_track $swaylock
harness_until 10 grep -q 'sway.*lock' "$HARNESS_DIR/sway.log" 2>/dev/null
sleep 1
# The keys go to swaylock now; the dialog's OK is pressed through the accessibility bus.
harness_atspi press "确定(Y)" --role "push button" || harness_atspi press "确定(&Y)" --role "push button" ||
    harness_fail "could not press OK in the password dialog"
harness_until 10 grep -q 'ext_session_lock_v1@[0-9]*.finished()' "$LOG" || harness_fail "the compositor did not refuse"
harness_until 10 bash -c "(( \$(grep -c 'set_anchor(15)' '$LOG') >= 2 ))" || harness_fail "no covers after the refusal"
harness_until 5 bash -c "awk '{print \$2}' '$HARNESS_CALLS' | grep -q LockSession" || harness_fail "logind was not asked to lock"
harness_program_running && no_protocol_error || harness_fail "the program ended or erred on the refusal"
# swaylock lets go on SIGUSR1; then the covers show, black, over both outputs.
kill -USR1 "$swaylock"
harness_until 10 bash -c "! kill -0 $swaylock" || harness_fail "swaylock did not let go"
sleep 1
wl_shot "$HARNESS_DIR/covers.png"
(($(desktop_pixels "$HARNESS_DIR/covers.png") == 0)) || harness_fail "the covers do not hide the desktop"
[[ "$(wl_pixel "$HARNESS_DIR/covers.png" $((WL_WIDTH + 100)) 100)" == "0 0 0" ]] || harness_fail "no cover on the second output"
unlock_with_password
harness_log "refused: overlay covers over both outputs and logind asked; the password still unlocks"

# --- The program dies while locked: the session stays locked -------------------------------------
open_password_dialog 3
type_keys -M alt -k y -m alt
harness_until 10 bash -c "(( \$(grep -c 'ext_session_lock_v1@[0-9]*.locked()' '$LOG') >= 2 ))" || harness_fail "not locked again"
kill -9 "$HARNESS_PROGRAM_PID"
harness_until 10 bash -c "awk '{print \$2}' '$HARNESS_CALLS' | grep -qx Lock" || harness_fail "the guard did not ask logind to lock"
sleep 1
wl_shot "$HARNESS_DIR/killed.png"
# sway fills a lock whose client died with one colour of its own: nothing else shows.
[[ "$(convert "$HARNESS_DIR/killed.png" -format %k info:)" == 1 && "$(wl_pixel "$HARNESS_DIR/killed.png" 5 5)" != "255 0 255" ]] ||
    harness_fail "the desktop shows after the program died locked"
type_keys abc
sleep 0.5
grep -q '^key' "$HARNESS_DIR/intruder.out" && harness_fail "keys reached another program after the lock's death"
harness_log "killed while locked: the compositor keeps the session locked, the guard asked logind"

[[ -n "${QUELLOR_E2E_SHOTS:-}" ]] && cp "$HARNESS_DIR"/*.png "$QUELLOR_E2E_SHOTS"/
harness_log "PASS"
