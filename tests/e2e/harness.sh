# SPDX-License-Identifier: MIT
# Shared start-up and clean-up for the end-to-end scripts; source it, never run it.
#
#   source "$(dirname "$0")/harness.sh"
#   harness_init                       # private temp dir, clean-up on exit
#   harness_run_as nobody              # optional: buses, program and helpers as that user
#   harness_start_display              # Xvfb on a free display + openbox; exports DISPLAY
#   harness_start_session_bus --atspi  # private session bus (+ accessibility bus); exports its address
#   harness_start_mock_logind          # second private bus as the system bus, mock logind on it;
#                                      # its calls land in $HARNESS_CALLS
#   harness_set_aside "$BIN_DIR/Diri.dll"  # optional: run without a state file, put it back on exit
#   harness_start_program "$BIN_DIR/Quellor"
#   harness_wait_window "Quellor4.1" 20
#
# Nothing here can reach the real system bus: the program only ever sees the private one.

HARNESS_PIDS=()
HARNESS_DIR=""
HARNESS_CALLS=""
HARNESS_PROGRAM_PID=""
HARNESS_PYTHON=/usr/bin/python3 # Debian's, which has pyatspi and dbusmock
HARNESS_AS=()                   # prefix that runs a command as the harness's user (harness_run_as)
HARNESS_ASIDE=()                # files set aside for the run (harness_set_aside), put back on exit
HARNESS_ASIDE_DIR=""

harness_log() { echo "[e2e $(date +%H:%M:%S)] $*" >&2; }
harness_fail() {
    [[ -n "${QUELLOR_E2E_KEEP:-}" && -n "$HARNESS_DIR" ]] && cp -r "$HARNESS_DIR" "$QUELLOR_E2E_KEEP" 2>/dev/null
    harness_log "FAIL: $*"
    if [[ -n "$HARNESS_DIR" && -s "$HARNESS_DIR/program.log" ]]; then
        harness_log "program output:"
        tail -n 20 "$HARNESS_DIR/program.log" >&2
    fi
    if [[ -n "${DISPLAY:-}" ]]; then
        xdotool search --name . getwindowname %@ 2>/dev/null | sort | uniq -c >&2
    fi
    exit 1
}

harness_init() {
    HARNESS_DIR=$(mktemp -d "${TMPDIR:-/tmp}/quellor-e2e.XXXXXX")
    # A private runtime dir keeps single-instance locks and the accessibility bus apart from
    # any other session on this machine, including other e2e runs.
    export XDG_RUNTIME_DIR="$HARNESS_DIR/run"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    # The program registers its frame library in the user's data folder: keep that private too.
    export XDG_DATA_HOME="$HARNESS_DIR/data"
    # The scripts find windows and controls by their Chinese texts: the program speaks Chinese
    # whatever this machine's locale (for Qt, LANGUAGE comes before LC_ALL, LC_MESSAGES and LANG).
    # Other programs' messages stay untranslated, as the scripts read them: the C library ignores
    # LANGUAGE while messages are "C".
    if [[ -n "${LC_ALL:-}" ]]; then
        export LC_CTYPE=$LC_ALL
        unset LC_ALL
    fi
    export LANGUAGE=zh_CN LC_MESSAGES=C
    unset DBUS_SESSION_BUS_ADDRESS DBUS_SYSTEM_BUS_ADDRESS AT_SPI_BUS_ADDRESS
    trap harness_cleanup EXIT
    trap 'exit 130' INT TERM
}

# Ends only what this harness started, newest first. Safe under set -e: most of these have
# already gone by the time they are killed.
harness_cleanup() {
    local i pid
    for ((i = ${#HARNESS_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${HARNESS_PIDS[i]}
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${HARNESS_PIDS[@]}"; do
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null || true
    done
    HARNESS_PIDS=()
    harness_put_back
    [[ -n "$HARNESS_DIR" && -d "$HARNESS_DIR" ]] && rm -rf "$HARNESS_DIR"
    return 0
}

# Moves a state file the program keeps beside itself out of the way, so the run starts without
# it; clean-up puts back whatever was there before (or nothing), once the program has ended.
# It waits outside the harness dir, which harness_run_as hands to another user.
harness_set_aside() {
    local file=$1
    [[ -n "$HARNESS_ASIDE_DIR" ]] || HARNESS_ASIDE_DIR=$(mktemp -d "${TMPDIR:-/tmp}/quellor-aside.XXXXXX") ||
        harness_fail "no room to set $file aside"
    local kept="$HARNESS_ASIDE_DIR/${#HARNESS_ASIDE[@]}"
    HARNESS_ASIDE+=("$file")
    if [[ -e "$file" ]]; then
        mv "$file" "$kept" || harness_fail "cannot set $file aside"
    fi
}

harness_put_back() {
    local i kept
    for i in "${!HARNESS_ASIDE[@]}"; do
        kept="$HARNESS_ASIDE_DIR/$i"
        rm -f "${HARNESS_ASIDE[i]}"
        [[ -e "$kept" ]] && mv "$kept" "${HARNESS_ASIDE[i]}"
    done
    HARNESS_ASIDE=()
    [[ -n "$HARNESS_ASIDE_DIR" ]] && rm -rf "$HARNESS_ASIDE_DIR"
    HARNESS_ASIDE_DIR=""
}

harness_track() { HARNESS_PIDS+=("$1"); }

# Runs everything the program talks to (its buses, the mock logind, the program itself and the
# accessibility helper) as USER, an ordinary account for which file permissions hold, with a
# home of its own in the harness dir and the default data folder ($HOME/.local/share). Call it
# right after harness_init. The display needs no change: Xvfb takes any local client.
# The checkout may sit where that user cannot read (root's home in CI), so the accessibility
# helper is copied into the harness dir, which also becomes the working directory.
harness_run_as() {
    local user=$1
    export HOME="$HARNESS_DIR/home"
    unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_CACHE_HOME
    mkdir -p "$HOME"
    cd "$HARNESS_DIR" || harness_fail "cannot enter $HARNESS_DIR"
    if ((EUID != 0)); then
        # Not root: permissions already hold for whoever runs this.
        harness_log "running as $(id -un), HOME=$HOME"
        return 0
    fi
    HARNESS_AS=(setpriv --reuid="$user" --regid="$(id -gn "$user")" --clear-groups --)
    cp "$HARNESS_ATSPI" "$HARNESS_DIR/atspi.py"
    HARNESS_ATSPI="$HARNESS_DIR/atspi.py"
    chown -R "$user:" "$HARNESS_DIR"
    harness_log "running as $user, HOME=$HOME"
}

# Runs a command as the harness's user (as is, without harness_run_as). What runs in the
# background spells out "${HARNESS_AS[@]}" instead, so that $! is the command's own pid.
harness_as() { "${HARNESS_AS[@]}" "$@"; }

# Waits until a command succeeds; harness_until <seconds> <command...>
harness_until() {
    local limit=$1
    shift
    local deadline=$((SECONDS + limit))
    until "$@" >/dev/null 2>&1; do
        ((SECONDS >= deadline)) && return 1
        sleep 0.1
    done
}

# harness_start_display [window manager]: openbox unless another of harness_window_manager's is named.
harness_start_display() {
    local wm=${1:-openbox} fifo="$HARNESS_DIR/displayfd"
    # -displayfd lets the server pick a free display itself, with no race against other runs.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" 2>"$HARNESS_DIR/xvfb.log" &
    harness_track $!
    harness_until 20 test -s "$fifo" || harness_fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$fifo" | tr -d '[:space:]')"
    harness_until 20 xdpyinfo || harness_fail "display $DISPLAY does not answer"
    harness_start_window_manager "$wm"
    harness_log "display $DISPLAY with $wm"
}

# The command line of a window manager the end-to-end runs know; fails for any other.
harness_window_manager() {
    case $1 in
    openbox) echo "openbox --sm-disable" ;;
    xfwm4) echo "xfwm4" ;;
    metacity) echo "metacity --sm-disable" ;;
    marco) echo "marco --sm-disable" ;;
    kwin_x11) echo "kwin_x11" ;;
    mutter) echo "mutter --x11 --sm-disable" ;;
    *) return 1 ;;
    esac
}

# Ends the run as a skip (77) when the window manager is not installed; status 2 for one not known.
harness_need_window_manager() {
    local cmd
    cmd=$(harness_window_manager "$1") || { echo "unknown window manager $1" >&2; exit 2; }
    command -v "${cmd%% *}" >/dev/null && return 0
    echo "SKIP: $1 is not installed (scripts/deps.sh installs it)"
    exit 77
}

# Each window manager but openbox gets a session bus and a home of its own, so it neither meets the
# program's bus nor writes settings anywhere but the harness dir.
harness_start_window_manager() {
    local wm=$1 cmd addr pid
    cmd=$(harness_window_manager "$wm") || harness_fail "unknown window manager $wm"
    if [[ "$wm" == openbox ]]; then
        $cmd >"$HARNESS_DIR/$wm.log" 2>&1 &
    else
        # Not harness_bus_daemon: the window manager runs as the harness itself does, not as its user.
        read -r addr pid <<<"$(dbus-daemon --session --fork --nopidfile --print-address=1 --print-pid=1 | tr '\n' ' ')" ||
            harness_fail "no session bus for $wm"
        harness_track "$pid"
        mkdir -p "$HARNESS_DIR/wm-home"
        env HOME="$HARNESS_DIR/wm-home" XDG_CONFIG_HOME="$HARNESS_DIR/wm-home/.config" \
            XDG_CACHE_HOME="$HARNESS_DIR/wm-home/.cache" XDG_DATA_HOME="$HARNESS_DIR/wm-home/.local/share" \
            GSETTINGS_BACKEND=memory DBUS_SESSION_BUS_ADDRESS="$addr" QT_QPA_PLATFORM=xcb \
            $cmd >"$HARNESS_DIR/$wm.log" 2>&1 &
    fi
    harness_track $!
    harness_until 30 xprop -root _NET_SUPPORTING_WM_CHECK || harness_fail "$wm did not start"
    # Some answer before they manage new windows.
    sleep 1
}

# Starts a private bus daemon; prints "address pid".
harness_bus_daemon() {
    local out
    out=$(harness_as dbus-daemon --session --fork --nopidfile --print-address=1 --print-pid=1) || return 1
    echo "$out" | tr '\n' ' '
}

harness_start_session_bus() {
    local addr pid
    read -r addr pid <<<"$(harness_bus_daemon)" || harness_fail "no session bus"
    harness_track "$pid"
    export DBUS_SESSION_BUS_ADDRESS="$addr"
    if [[ "${1:-}" == "--atspi" ]]; then
        export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
        export NO_AT_BRIDGE=0
        "${HARNESS_AS[@]}" /usr/libexec/at-spi-bus-launcher --launch-immediately >"$HARNESS_DIR/atspi.log" 2>&1 &
        harness_track $!
        harness_until 20 harness_as dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress || harness_fail "accessibility bus did not start"
    fi
    harness_log "session bus $addr"
}

# A second private bus stands in for the system bus, with a mock logind that records every call
# (one line per call: "<epoch seconds> <Method> <args>") in $HARNESS_CALLS.
harness_start_mock_logind() {
    local addr pid
    read -r addr pid <<<"$(harness_bus_daemon)" || harness_fail "no mock system bus"
    harness_track "$pid"
    export DBUS_SYSTEM_BUS_ADDRESS="$addr"
    HARNESS_CALLS="$HARNESS_DIR/logind-calls"
    : >"$HARNESS_CALLS"
    chown --reference="$HARNESS_DIR" "$HARNESS_CALLS" # the mock may run as another user
    "${HARNESS_AS[@]}" "$HARNESS_PYTHON" -m dbusmock --template logind --system -l "$HARNESS_CALLS" \
        >"$HARNESS_DIR/dbusmock.log" 2>&1 &
    harness_track $!
    harness_until 20 harness_as dbus-send --bus="$addr" --print-reply --dest=org.freedesktop.login1 \
        /org/freedesktop/login1 org.freedesktop.DBus.Peer.Ping || harness_fail "mock logind did not start"
    harness_log "mock logind on $addr"
}

# Gives the mock logind a session of the harness's user and exports its id as XDG_SESSION_ID, so the
# program finds its own session there.
harness_add_session() {
    export XDG_SESSION_ID=$1
    harness_as dbus-send --system --print-reply --dest=org.freedesktop.login1 /org/freedesktop/login1 \
        org.freedesktop.DBus.Mock.AddSession string:"$1" string:seat0 uint32:"$(harness_as id -u)" \
        string:"$(harness_as id -un)" boolean:true >/dev/null || harness_fail "mock logind took no session"
}

# The session's LockedHint as the mock logind holds it: true or false.
harness_locked_hint() {
    harness_as dbus-send --system --print-reply=literal --dest=org.freedesktop.login1 \
        "/org/freedesktop/login1/session/$XDG_SESSION_ID" org.freedesktop.DBus.Properties.Get \
        string:org.freedesktop.login1.Session string:LockedHint | awk '{print $NF}'
}

# The calls the mock logind has seen, methods only, one per line; the program's idle inhibitor
# (taken while a power action is armed) and its listing are left out.
harness_logind_methods() { awk '$2 != "Inhibit" && $2 != "ListInhibitors" {print $2}' "$HARNESS_CALLS"; }

harness_start_program() {
    "${HARNESS_AS[@]}" "$@" >"$HARNESS_DIR/program.log" 2>&1 &
    HARNESS_PROGRAM_PID=$!
    harness_track "$HARNESS_PROGRAM_PID"
}

harness_program_running() { kill -0 "$HARNESS_PROGRAM_PID" 2>/dev/null; }

# Prints the id of the first visible window with exactly this title, waiting up to $2 seconds.
harness_wait_window() {
    local title=$1 limit=${2:-20} id
    local deadline=$((SECONDS + limit))
    while ((SECONDS < deadline)); do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1)
        if [[ -n "$id" ]]; then
            echo "$id"
            return 0
        fi
        harness_program_running || harness_fail "program ended while waiting for \"$title\""
        sleep 0.2
    done
    return 1
}

# "x y width height" of a window as the X server has it, after the window manager's say.
harness_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
                             /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}
harness_top_is() { [[ $(harness_geometry "$1" | cut -d' ' -f2) == "$2" ]]; }
# Waits up to 5 s for the top of window $1 to reach $2; prints how long it took in ms.
harness_wait_top() {
    local start
    start=$(date +%s%N)
    harness_until 5 harness_top_is "$1" "$2" || return 1
    echo $((($(date +%s%N) - start) / 1000000))
}

# The child of the root holding a window: the window manager's frame, or the window itself.
harness_toplevel() {
    local id=$1 parent root
    root=$(xwininfo -root | awk '/Window id:/{print $4}')
    while parent=$(xwininfo -tree -id "$id" 2>/dev/null | awk '/Parent window id:/{print $4}') &&
        [[ -n "$parent" && $((parent)) != $((root)) ]]; do
        id=$parent
    done
    echo $((id))
}

# Prints the id of a minimised (iconic) window with exactly this title; fails when none is.
harness_iconic_window() {
    local id
    for id in $(xdotool search --name "^$1\$" 2>/dev/null); do
        xprop -id "$id" WM_STATE 2>/dev/null | grep -q Iconic && echo "$id" && return 0
    done
    return 1
}

# Opens the main window's password dialog and confirms the password typed twice: the lock follows.
harness_set_password() {
    local dialog
    harness_atspi press "锁定计算机" --role "push button" || harness_fail "cannot press 锁定计算机"
    dialog=$(harness_wait_window "输入密码" 10) || harness_fail "password dialog did not open"
    xdotool windowactivate --sync "$dialog" 2>/dev/null || xdotool windowfocus --sync "$dialog"
    xdotool type --delay 30 "$1"
    xdotool key Tab
    xdotool type --delay 30 "$1"
    xdotool key alt+y
}

# The accessibility helper: harness_atspi <command> <args...> (see atspi.py).
HARNESS_HOME=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
HARNESS_ATSPI="$HARNESS_HOME/atspi.py"
harness_atspi() { harness_as "$HARNESS_PYTHON" "$HARNESS_ATSPI" --pid "$HARNESS_PROGRAM_PID" "$@"; }
