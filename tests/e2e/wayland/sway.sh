#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The dock and the lock under sway headless. The main window is a layer surface on the overlay
# layer; parked, only its 2-pixel strip shows at the top edge, centred; the pointer touching the
# strip slides it down and leaving parks it again. sway 1.7 offers no session lock, so the lock is
# an overlay cover that holds the keyboard, logind is asked to lock the session too, and a "警告"
# box inside the lock says so once; a program started while locked gets neither the keyboard nor a
# place on screen; the box appears on the fortieth move, and the right password unlocks. A click on
# the dock gives it the keyboard, so a time can be typed.
#
#   sway.sh <directory holding the Quellor binary> <wl_pointer binary> <intruder binary>
set -uo pipefail
BIN_DIR=$(cd "${1:?usage: sway.sh <bin dir> <wl_pointer>}" && pwd)
POINTER_BIN=$(realpath "${2:?usage: sway.sh <bin dir> <wl_pointer> <intruder>}")
INTRUDER_BIN=$(realpath "${3:?usage: sway.sh <bin dir> <wl_pointer> <intruder>}")
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/../harness.sh"
source "$HERE/wayland_harness.sh"

wl_need sway grim wtype convert
wl_init "$BIN_DIR" "$POINTER_BIN" "$INTRUDER_BIN"
if ! wl_start_sway; then
    echo "SKIP: sway does not start here (see its log above)"
    exit 0
fi
harness_start_session_bus
harness_start_mock_logind
wl_start_pointer "$HARNESS_DIR/$(basename "$POINTER_BIN")"
wl_pointer move 640 600 || harness_fail "the virtual pointer does not answer"

# The session logind is asked to lock, by its id.
XDG_SESSION_ID=c1 WAYLAND_DEBUG=client harness_start_program "$HARNESS_DIR/bin/Quellor"
LOG=$HARNESS_DIR/program.log

# The choice at start, on standard error.
harness_until 10 grep -q "wlr-layer-shell yes.*Wayland platform" "$LOG" ||
    harness_fail "no Wayland choice logged: $(grep quellor: "$LOG")"

# The main window becomes an overlay layer surface (layer 3) anchored top-left (5), keyboard on
# demand (2), after the splash's centred one.
harness_until 30 grep -q 'get_layer_surface(new id zwlr_layer_surface_v1@[0-9]*, wl_surface@[0-9]*, wl_output@[0-9]*, 3, "quellor")' "$LOG" ||
    harness_fail "the main window is no layer surface"
harness_until 30 grep -q 'set_anchor(5)' "$LOG" || harness_fail "the main window is not anchored at the top edge"
grep -q 'set_keyboard_interactivity(2)' "$LOG" || harness_fail "no keyboard on demand"
grep -q 'xdg_toplevel@[0-9]*.set_title("Quellor4.1")' "$LOG" && harness_fail "the main window was an ordinary toplevel first"

# Parked: the strip's margin puts all but 2 rows above the edge, centred.
last_margin() { grep -o 'zwlr_layer_surface_v1@[0-9]*.set_margin([-0-9, ]*)' "$LOG" | tail -n1 | sed 's/.*(\(.*\))/\1/'; }
size=$(grep -o 'zwlr_layer_surface_v1@[0-9]*.set_size([0-9, ]*)' "$LOG" | tail -n1 | sed 's/.*(\(.*\))/\1/')
read -r w h <<<"${size//,/ }"
parked="$((2 - h)), 0, 0, $(((WL_WIDTH - w + 1) / 2 / 2 * 2))"
margin_is() { [[ "$(last_margin)" == "$1" ]]; }
harness_until 20 margin_is "$parked" || harness_fail "margin $(last_margin), expected $parked when parked ($w x $h)"
sleep 0.5

bg="63 63 63"
mid=$((WL_WIDTH / 2))
wl_shot "$HARNESS_DIR/parked.png"
[[ "$(wl_pixel "$HARNESS_DIR/parked.png" "$mid" 0)" != "$bg" ]] || harness_fail "no strip on row 0"
[[ "$(wl_pixel "$HARNESS_DIR/parked.png" "$mid" 1)" != "$bg" ]] || harness_fail "no strip on row 1"
[[ "$(wl_pixel "$HARNESS_DIR/parked.png" "$mid" 2)" == "$bg" ]] || harness_fail "more than the strip shows: row 2 is $(wl_pixel "$HARNESS_DIR/parked.png" "$mid" 2)"
[[ "$(wl_pixel "$HARNESS_DIR/parked.png" $((mid - w / 2 - 3)) 0)" == "$bg" ]] || harness_fail "the strip is not centred"
harness_log "parked: 2 rows of a ${w}-pixel strip at the top edge"

# The pointer touches the strip: the window slides down to the edge.
wl_pointer move "$mid" 0
harness_until 5 margin_is "0, 0, 0, $(((WL_WIDTH - w + 1) / 2 / 2 * 2))" || harness_fail "not down after the touch: $(last_margin)"
sleep 0.3
wl_shot "$HARNESS_DIR/down.png"
[[ "$(wl_pixel "$HARNESS_DIR/down.png" "$mid" $((h / 2)))" != "$bg" ]] || harness_fail "the window is not on screen when down"
harness_log "touched: down"

# The pointer leaves: parked again.
wl_pointer move "$mid" $((h + 200))
harness_until 5 margin_is "$parked" || harness_fail "not parked after the pointer left: $(last_margin)"
sleep 0.3
wl_shot "$HARNESS_DIR/parked2.png"
[[ "$(wl_pixel "$HARNESS_DIR/parked2.png" "$mid" $((h / 2)))" == "$bg" ]] || harness_fail "the window still shows after parking"
harness_log "left: parked"

# --- The lock -------------------------------------------------------------------------------
# Each wtype run brings a new keyboard, which the program must see before the first key.
type_keys() { harness_as wtype -s 400 "$@"; }
left=$(((WL_WIDTH - w + 1) / 2 / 2 * 2))
wl_pointer move "$mid" 0
harness_until 5 margin_is "0, 0, 0, $left" || harness_fail "not down for the lock button"
wl_pointer move $((left + 60)) 144
wl_pointer click
harness_until 10 grep -q 'set_title("输入密码")' "$LOG" || harness_fail "no password dialog"
sleep 1
type_keys Pw1 -k Tab Pw1 -M alt -k y -m alt
covers() { grep -c 'zwlr_layer_surface_v1@[0-9]*.set_anchor(15)' "$LOG"; }
harness_until 10 bash -c "(( \$(grep -c 'set_anchor(15)' '$LOG') >= 1 ))" || harness_fail "no covering lock surface"
grep -q 'set_keyboard_interactivity(1)' "$LOG" || harness_fail "the lock does not hold the keyboard"
harness_until 5 bash -c "harness_logind_methods() { awk '{print \$2}' '$HARNESS_CALLS'; }; harness_logind_methods | grep -q LockSession" ||
    harness_fail "logind was not asked to lock the session: $(awk '{print $2}' "$HARNESS_CALLS")"
harness_log "locked: an overlay cover holding the keyboard; logind asked to lock session c1"
sleep 1
wl_shot "$HARNESS_DIR/warning.png"
# The warning box stands inside the lock, in the middle of the black screen.
[[ "$(wl_pixel "$HARNESS_DIR/warning.png" 5 $((WL_HEIGHT - 5)))" != "$bg" ]] || harness_fail "the desktop shows under the lock"
[[ "$(wl_pixel "$HARNESS_DIR/warning.png" "$mid" $((WL_HEIGHT / 2)))" != "0 0 0" ]] || harness_fail "no warning box inside the lock"
type_keys -k Return
sleep 0.5

# Another program started now gets no place on screen and none of the keys.
"${HARNESS_AS[@]}" "$HARNESS_DIR/$(basename "$INTRUDER_BIN")" >"$HARNESS_DIR/intruder.out" 2>&1 &
harness_track $!
harness_until 10 grep -q shown "$HARNESS_DIR/intruder.out" || harness_fail "the intruder did not start"
sleep 1
type_keys abc
sleep 0.5
grep -q '^key' "$HARNESS_DIR/intruder.out" && harness_fail "the intruder got keys while locked"
wl_shot "$HARNESS_DIR/locked.png"
red=$(convert "$HARNESS_DIR/locked.png" -fill black +opaque "rgb(255,0,0)" -format '%[fx:mean*w*h]' info:)
[[ "${red%.*}" == 0 ]] || harness_fail "the intruder shows on the locked screen ($red red pixels)"
harness_log "an intruder started while locked: no keys, no place on screen"

# Forty moves bring the box; the right password unlocks.
for i in $(seq 40); do wl_pointer move $((200 + i * 7)) $((300 + i * 3)); done
sleep 0.5
type_keys Pw1 -M alt -k y -m alt
harness_until 10 bash -c "(( \$(grep -c 'set_anchor(5)' '$LOG') >= 2 ))" || harness_fail "the main window did not come back"
sleep 1
wl_shot "$HARNESS_DIR/unlocked.png"
[[ "$(wl_pixel "$HARNESS_DIR/unlocked.png" 100 $((WL_HEIGHT - 100)))" == "255 0 0" ]] ||
    harness_fail "the screen is not given back after the right password"
(($(grep -c PowerOff "$HARNESS_CALLS") == 0)) || harness_fail "a power-off while unlocking"
harness_log "the right password unlocks"

# --- The keyboard on demand: a click on the dock lets the time fields be typed into ------------
wl_pointer move "$mid" 0
harness_until 5 margin_is "0, 0, 0, $left" || harness_fail "not down after unlocking"
wl_pointer move $((left + 60)) 48
wl_pointer click
sleep 0.5
type_keys 235958
harness_until 10 grep -q 'set_title("系统定时操作")' "$LOG" ||
    harness_fail "six digits typed after a click on the dock did not complete the power-action time"
harness_log "clicked and typed: the time field took the keys"

harness_program_running || harness_fail "program ended"
[[ -n "${QUELLOR_E2E_SHOTS:-}" ]] && cp "$HARNESS_DIR"/*.png "$QUELLOR_E2E_SHOTS"/
harness_log "PASS"
