# SPDX-License-Identifier: MIT
# Wayland compositors for the end-to-end scripts; source after harness.sh, call harness_init and
# harness_run_as first (a compositor refuses to run as root).
#
#   wl_start_sway [CMD...]             # sway headless (run through CMD when given, WL_OUTPUTS
#                                      # outputs side by side); exports WAYLAND_DISPLAY
#   wl_start_pointer "$POINTER_BIN"    # our virtual-pointer client, fed through a pipe
#   wl_pointer move X Y | click        # one pointer command, returns once the compositor has it
#   wl_shot FILE                       # grim screenshot of the whole output

WL_WIDTH=1280
WL_HEIGHT=800
WL_OUTPUTS=1
WL_BACKGROUND=3f3f3f

# The user a compositor runs as: root's e2e runs hand everything to an ordinary account.
wl_user() { if ((EUID == 0)); then echo nobody; else id -un; fi; }

# Skips the test unless every tool named is installed.
wl_need() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 0; }
    done
}

# Starts the harness as that user, with copies of the program's directory and of the files named
# in the harness dir, where the user can read them (the checkout may sit in root's home).
wl_init() {
    local bin_dir=$1 file
    shift
    harness_init
    harness_run_as "$(wl_user)"
    cp -r "$bin_dir" "$HARNESS_DIR/bin"
    for file in "$@"; do
        cp "$file" "$HARNESS_DIR/"
    done
    chown -R "$(wl_user):" "$HARNESS_DIR"
    unset DISPLAY
}

wl_wait_socket() {
    local sock
    for _ in $(seq 100); do
        sock=$(cd "$XDG_RUNTIME_DIR" && ls wayland-[0-9] 2>/dev/null | head -n1)
        if [[ -n "$sock" && -S "$XDG_RUNTIME_DIR/$sock" ]]; then
            export WAYLAND_DISPLAY=$sock
            return 0
        fi
        sleep 0.1
    done
    return 1
}

wl_start_sway() {
    local run=("$@") i
    ((${#run[@]})) || run=("${HARNESS_AS[@]}")
    : >"$HARNESS_DIR/sway.conf"
    for ((i = 1; i <= WL_OUTPUTS; i++)); do
        echo "output HEADLESS-$i resolution ${WL_WIDTH}x${WL_HEIGHT} position $(((i - 1) * WL_WIDTH)),0 background #$WL_BACKGROUND solid_color" >>"$HARNESS_DIR/sway.conf"
    done
    echo "xwayland disable" >>"$HARNESS_DIR/sway.conf"
    chown --reference="$HARNESS_DIR" "$HARNESS_DIR/sway.conf"
    # No GPU and no input devices: the pixman renderer, and our own virtual pointer.
    WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS=$WL_OUTPUTS WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        "${run[@]}" sway -c "$HARNESS_DIR/sway.conf" >"$HARNESS_DIR/sway.log" 2>&1 &
    harness_track $!
    wl_wait_socket || { tail -n 20 "$HARNESS_DIR/sway.log" >&2; return 1; }
    harness_log "sway on $WAYLAND_DISPLAY"
}

wl_start_pointer() {
    mkfifo "$HARNESS_DIR/pointer.in"
    chown --reference="$HARNESS_DIR" "$HARNESS_DIR/pointer.in"
    "${HARNESS_AS[@]}" "$1" "$((WL_WIDTH * WL_OUTPUTS))" "$WL_HEIGHT" <"$HARNESS_DIR/pointer.in" >"$HARNESS_DIR/pointer.out" 2>&1 &
    harness_track $!
    exec {WL_POINTER_FD}<>"$HARNESS_DIR/pointer.in"
}

wl_pointer() {
    local before
    before=$(grep -c ok "$HARNESS_DIR/pointer.out" 2>/dev/null)
    echo "$*" >&"$WL_POINTER_FD"
    harness_until 5 bash -c "(( \$(grep -c ok '$HARNESS_DIR/pointer.out') > ${before:-0} ))"
}

wl_shot() { harness_as grim "$HARNESS_DIR/shot.png" && cp "$HARNESS_DIR/shot.png" "$1"; }

# "r g b" of one pixel of a screenshot.
wl_pixel() {
    convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | sed -n '2s/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}
