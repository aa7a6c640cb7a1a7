#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The dock under KWin (kwin_wayland --virtual): the main window becomes an overlay layer surface,
# KWin configures it, and it parks with the 2-pixel strip, centred, the program running on. KWin
# offers neither a virtual pointer nor screenshots to a client, so the protocol trace is the witness.
#
#   kwin.sh <directory holding the Quellor binary>
set -uo pipefail
BIN_DIR=$(cd "${1:?usage: kwin.sh <bin dir>}" && pwd)
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/../harness.sh"
source "$HERE/wayland_harness.sh"

wl_need kwin_wayland
# KWin's file capability cannot be granted to an ordinary user here; a copy has none.
wl_init "$BIN_DIR" "$(command -v kwin_wayland)"
harness_start_session_bus
harness_start_mock_logind
"${HARNESS_AS[@]}" "$HARNESS_DIR/kwin_wayland" --virtual --no-lockscreen --socket wayland-5 \
    --width "$WL_WIDTH" --height "$WL_HEIGHT" >"$HARNESS_DIR/kwin.log" 2>&1 &
harness_track $!
if ! wl_wait_socket; then
    tail -n 20 "$HARNESS_DIR/kwin.log"
    echo "SKIP: kwin_wayland --virtual does not start here (its log is above)"
    exit 0
fi
harness_log "KWin on $WAYLAND_DISPLAY"

WAYLAND_DEBUG=client harness_start_program "$HARNESS_DIR/bin/Quellor"
LOG=$HARNESS_DIR/program.log
harness_until 10 grep -q "wlr-layer-shell yes.*Wayland platform" "$LOG" ||
    harness_fail "no Wayland choice logged: $(grep quellor: "$LOG")"
harness_until 30 grep -q 'get_layer_surface(new id zwlr_layer_surface_v1@[0-9]*, wl_surface@[0-9]*, wl_output@[0-9]*, 3, "quellor")' "$LOG" ||
    harness_fail "the main window is no layer surface"
# The splash's centred layer surface comes first; the dock's is anchored top-left (5).
harness_until 30 grep -q 'set_anchor(5)' "$LOG" || harness_fail "the main window is not anchored at the top edge"
size=$(grep -o 'zwlr_layer_surface_v1@[0-9]*.set_size([0-9, ]*)' "$LOG" | tail -n1 | sed 's/.*(\(.*\))/\1/')
read -r w h <<<"${size//,/ }"
parked="$((2 - h)), 0, 0, $(((WL_WIDTH - w + 1) / 2 / 2 * 2))"
last_margin() { grep -o 'zwlr_layer_surface_v1@[0-9]*.set_margin([-0-9, ]*)' "$LOG" | tail -n1 | sed 's/.*(\(.*\))/\1/'; }
harness_until 20 bash -c "[[ \"\$(grep -o 'zwlr_layer_surface_v1@[0-9]*.set_margin([-0-9, ]*)' '$LOG' | tail -n1)\" == *'($parked)' ]]" ||
    harness_fail "margin $(last_margin), expected $parked when parked"
harness_until 5 grep -q 'zwlr_layer_surface_v1@[0-9]*.configure(' "$LOG" || harness_fail "KWin never configured the layer surface"
sleep 2
harness_program_running || harness_fail "the program ended (a protocol error?): $(grep -i error "$LOG" | tail -n 3)"
harness_log "parked as a layer surface under KWin"
harness_log "PASS"
