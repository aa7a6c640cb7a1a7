#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sourced: starts a private X display with openbox and a private session bus, and stops them on
# exit. Sets DISPLAY and DBUS_SESSION_BUS_ADDRESS.

xsession_start() {
    local n
    for n in $(seq 90 140); do
        if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
            break
        fi
    done
    export DISPLAY=":${n}"
    Xvfb "$DISPLAY" -screen 0 "${XSESSION_SCREEN:-1280x800x24}" -nolisten tcp >/dev/null 2>&1 &
    XSESSION_PIDS="$!"
    for _ in $(seq 1 50); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    eval "$(dbus-launch --sh-syntax)"
    XSESSION_PIDS="$XSESSION_PIDS $DBUS_SESSION_BUS_PID"
    openbox >/dev/null 2>&1 &
    XSESSION_PIDS="$XSESSION_PIDS $!"
    export XDG_RUNTIME_DIR
    XDG_RUNTIME_DIR=$(mktemp -d)
    chmod 700 "$XDG_RUNTIME_DIR"
    sleep 0.5
    trap xsession_stop EXIT
}

xsession_stop() {
    # shellcheck disable=SC2086
    kill $XSESSION_PIDS 2>/dev/null || true
    [ -n "${XDG_RUNTIME_DIR:-}" ] && rm -rf "$XDG_RUNTIME_DIR"
}
