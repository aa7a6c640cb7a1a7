#!/usr/bin/env bash
# The dock under sway headless: the main window is a layer surface on the overlay layer; parked,
# only its 2-pixel strip shows at the top edge, centred; the pointer touching the strip slides it
# down and leaving parks it again.
#
#   sway.sh <directory holding the Quellor binary> <wl_pointer binary>
set -uo pipefail
BIN_DIR=$(cd "${1:?usage: sway.sh <bin dir> <wl_pointer>}" && pwd)
POINTER_BIN=$(realpath "${2:?usage: sway.sh <bin dir> <wl_pointer>}")
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/../harness.sh"
source "$HERE/wayland_harness.sh"

for tool in sway grim convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 0; }
done

harness_init
harness_run_as "$(wl_user)"
# The program runs from a copy the ordinary user can read (the checkout may sit in root's home).
cp -r "$BIN_DIR" "$HARNESS_DIR/bin"
cp "$POINTER_BIN" "$HARNESS_DIR/wl_pointer"
chown -R "$(wl_user):" "$HARNESS_DIR"
unset DISPLAY
if ! wl_start_sway; then
    echo "SKIP: sway does not start here (see its log above)"
    exit 0
fi
harness_start_session_bus
harness_start_mock_logind
wl_start_pointer "$HARNESS_DIR/wl_pointer"
wl_pointer move 640 600 || harness_fail "the virtual pointer does not answer"

WAYLAND_DEBUG=client harness_start_program "$HARNESS_DIR/bin/Quellor"
LOG=$HARNESS_DIR/program.log

# The choice at start, on standard error.
harness_until 10 grep -q "wlr-layer-shell yes.*Wayland platform" "$LOG" ||
    harness_fail "no Wayland choice logged: $(grep quellor: "$LOG")"

# The main window becomes an overlay layer surface (layer 3), keyboard on demand (2).
harness_until 30 grep -q 'get_layer_surface(new id zwlr_layer_surface_v1@[0-9]*, wl_surface@[0-9]*, wl_output@[0-9]*, 3, "quellor")' "$LOG" ||
    harness_fail "the main window is no layer surface"
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

harness_program_running || harness_fail "program ended"
[[ -n "${QUELLOR_E2E_SHOTS:-}" ]] && cp "$HARNESS_DIR"/*.png "$QUELLOR_E2E_SHOTS"/
harness_log "PASS"
