#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the lock screen benchmark on its own Xvfb at 1920 x 1080 with openbox, then cleans up.
#   bench/lock_screen.sh <build dir>/bin
set -u
BIN_DIR=$(cd "${1:?usage: lock_screen.sh <bin dir>}" && pwd)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/quellor-bench.XXXXXX")
PIDS=()
cleanup() {
    local pid
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    for pid in "${PIDS[@]}"; do wait "$pid" 2>/dev/null; done
    rm -rf "$WORK"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
SERVER=$!
PIDS+=("$SERVER")
for _ in $(seq 100); do [[ -s "$WORK/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$WORK/display" | tr -d '[:space:]')"
openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
PIDS+=("$!")
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 && break; sleep 0.1; done
sleep 1 # openbox answers before it manages new windows
export XDG_RUNTIME_DIR="$WORK/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"

BENCH_X_SERVER_PID=$SERVER QT_QPA_PLATFORM=xcb ${BENCH_WRAPPER:-} "$BIN_DIR/lock_screen_bench"
