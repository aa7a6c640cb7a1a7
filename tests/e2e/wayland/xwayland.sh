#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A Wayland compositor offering neither wlr-layer-shell nor ext-session-lock (weston, as GNOME's
# mutter): the program says so on standard error and runs through XWayland: its main window is an
# X11 window, and Qt speaks no Wayland after the program's one probe.
#
#   xwayland.sh <directory holding the Quellor binary>
set -uo pipefail
BIN_DIR=$(cd "${1:?usage: xwayland.sh <bin dir>}" && pwd)
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/../harness.sh"
source "$HERE/wayland_harness.sh"

wl_need weston Xwayland xdotool xwininfo
wl_init "$BIN_DIR"
"${HARNESS_AS[@]}" weston --backend=headless-backend.so --xwayland --socket=wayland-3 \
    --width="$WL_WIDTH" --height="$WL_HEIGHT" >"$HARNESS_DIR/weston.log" 2>&1 &
harness_track $!
if ! wl_wait_socket || ! harness_until 10 grep -q "xserver listening on display" "$HARNESS_DIR/weston.log"; then
    tail -n 20 "$HARNESS_DIR/weston.log"
    echo "SKIP: weston with XWayland does not start here (its log is above)"
    exit 0
fi
export DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$HARNESS_DIR/weston.log")
harness_log "weston on $WAYLAND_DISPLAY, XWayland on $DISPLAY"
harness_start_session_bus
harness_start_mock_logind

WAYLAND_DEBUG=client harness_start_program "$HARNESS_DIR/bin/Quellor"
LOG=$HARNESS_DIR/program.log
harness_until 10 grep -q "quellor: Wayland session, wlr-layer-shell no, ext-session-lock no: running through XWayland" "$LOG" ||
    harness_fail "no XWayland choice logged: $(grep quellor: "$LOG")"
# XWayland's clients need the display's user; the harness's user is that user.
main=""
for _ in $(seq 150); do
    main=$(harness_as xdotool search --onlyvisible --name '^Quellor4.1$' 2>/dev/null | head -n1)
    [[ -n "$main" ]] && break
    harness_program_running || harness_fail "program ended"
    sleep 0.2
done
[[ -n "$main" ]] || harness_fail "no main window on the XWayland display"
# After the probe's one round trip, Qt talked X11 only: no Wayland traffic.
awk '/^quellor: /{seen=1} seen && /wl_[a-z_]*@[0-9]/' "$LOG" | grep -q . && harness_fail "the program spoke Wayland after the probe"
# Where it stands is weston's window manager's say (it is no stand-in for mutter's there).
harness_log "main window $main on XWayland at $(harness_as xwininfo -id "$main" | awk '/Absolute upper-left/{printf "%s ", $4}')"
harness_program_running || harness_fail "program ended"
harness_log "PASS"
