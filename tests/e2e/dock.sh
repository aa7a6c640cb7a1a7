#!/usr/bin/env bash
# The dock end to end under openbox: the main window parks above the top edge with a 2-pixel strip,
# centred and above other windows; touching the edge over it slides it down, leaving parks it again.
set -uo pipefail
BIN_DIR=$1
source "$(dirname "$0")/harness.sh"
harness_init
harness_start_display
harness_start_session_bus
harness_start_mock_logind # nothing here powers off, and nothing could reach the real system bus

cd "$BIN_DIR" || harness_fail "no bin dir"
harness_start_program ./Quellor
main=$(harness_wait_window "Quellor4.1" 30) || harness_fail "no main window"

geometry() { harness_geometry "$@"; }
top_is() { harness_top_is "$main" "$1"; }
wait_top() { harness_wait_top "$main" "$1"; }
# The client window under the pointer; the window manager's frame around it is looked through.
client_under_pointer() {
    local top
    top=$(xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p')
    xwininfo -tree -id "$top" | grep -oE '^ *0x[0-9a-f]+' | while read -r id; do
        xprop -id "$id" WM_STATE 2>/dev/null | grep -q 'window state' && echo $((id)) && break
    done
}

read -r screen_w screen_h <<<"$(xwininfo -root | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w, h}')"
read -r x _ w h <<<"$(geometry "$main")"
parked=$((2 - h))
# Centred, halves to even.
half=$(((screen_w - w) / 2))
(((screen_w - w) % 2 == 1 && half % 2 == 1)) && half=$((half + 1))
((x == half)) || harness_fail "main window at x=$x, expected $half (centred on $screen_w)"

# The program brings its main window to the front at start, so the dock slides it down first.
ms=$(wait_top 0) || harness_fail "foreground main window not slid down (at $(geometry "$main"))"
harness_log "foreground at start: down after ${ms} ms"

# A click on the desktop takes the foreground away: it parks with 2 pixels showing.
xdotool mousemove $((screen_w / 2)) $((screen_h - 5)) click 1
ms=$(wait_top "$parked") || harness_fail "not parked at $parked (at $(geometry "$main"))"
harness_log "foreground lost: parked at $parked after ${ms} ms"
sleep 1
top_is "$parked" || harness_fail "window manager moved the parked window to $(geometry "$main")"

# Another window covering the top of the screen, brought to the front: the strip stays above it.
xmessage -geometry "${screen_w}x300+0+0" -name cover "cover" >/dev/null 2>&1 &
harness_track $!
cover=$(harness_wait_window "cover" 10) || harness_fail "no covering window"
xdotool mousemove 40 200 click 1
harness_until 5 bash -c "[[ \$(xdotool getactivewindow) == $cover ]]" || harness_fail "cover not active"
top_is "$parked" || harness_fail "not parked under an active cover: $(geometry "$main")"

# The cursor on the top edge over the strip: the strip is what it touches, and the window slides down.
xdotool mousemove $((x + w / 2)) 0
under=$(client_under_pointer)
[[ "$under" == "$main" ]] || harness_fail "top edge shows window $under, not the main window $main"
ms=$(wait_top 0) || harness_fail "not down after touching the edge (at $(geometry "$main"))"
harness_log "edge touched: fully down after ${ms} ms"

# The cursor leaves: parked again.
xdotool mousemove $((x + w / 2)) $((h + 200))
ms=$(wait_top "$parked") || harness_fail "not parked after the cursor left (at $(geometry "$main"))"
harness_log "cursor left: parked after ${ms} ms"

harness_program_running || harness_fail "program ended"
harness_log "PASS"
