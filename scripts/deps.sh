#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what Quellor needs on Debian 12. Safe to run again.
#
#   deps.sh --run     what building and running it needs (scripts/run.sh)
#   deps.sh           that, and what the tests, benchmarks and package checks need (scripts/test.sh)
#   deps.sh NAME...   just those packages (for scripts that need more)
set -euo pipefail

# Building and running: the first command of the README installs these alone, so keep it short.
run_packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libgl-dev libxcb1-dev
    # The build configures the frame's Qt Designer plugin; Designer's CMake package needs Qt
    # OpenGL's.
    qt6-tools-dev qt6-tools-dev-tools designer-qt6 libqt6opengl6-dev
    # Wayland sessions: Qt's Wayland platform and its client-extension support, the protocol
    # descriptions and scanner.
    qt6-wayland qt6-wayland-dev qt6-wayland-dev-tools qt6-base-private-dev libwayland-dev wayland-protocols
    # What the program plays and shows: Qt Multimedia's GStreamer playback; the faces standing in
    # for the forms' Windows faces, a Song serif for "宋体" and a CJK sans; the session bus it
    # answers on.
    libqt6multimedia6 gstreamer1.0-plugins-base gstreamer1.0-plugins-good fonts-arphic-uming fonts-wqy-microhei dbus
    # The interface's translations: lupdate and lrelease build them, and Qt's own put the standard
    # dialogs in the same language.
    qt6-l10n-tools qt6-translations-l10n
    # Without a display, scripts/run.sh runs it on a virtual one and takes a screenshot.
    xvfb xauth x11-utils dbus-x11 openbox xdotool imagemagick
)

# The tests, the benchmarks and the package checks.
test_packages=(
    clang-format fonts-wqy-zenhei
    at-spi2-core python3 python3-pyatspi python3-dbusmock python3-gi
    libbenchmark-dev procps libx11-dev libxcb-xtest0-dev
    # Installing and packaging: the Debian packages (cpack's DEB generator needs dpkg-shlibdeps
    # and file), Debian's checker of them, and the validators of the desktop entry and the
    # AppStream metainfo.
    dpkg-dev file lintian desktop-file-utils appstream
    # The alarm music heard, not assumed: a private PulseAudio server whose null sink is recorded,
    # test tones made with sox and encoded with lame, numpy to read the recording.
    pulseaudio pulseaudio-utils sox lame python3-numpy
    # The lock's end-to-end test pastes from the clipboard.
    xclip
    # The window managers the desktops end-to-end run covers (marco aborts without its schemas).
    xfwm4 metacity marco mate-settings-daemon-common kwin-x11 mutter
    # Wayland sessions: sway headless with grim for the end-to-end runs.
    sway grim xwayland wtype
    # KWin on Wayland, run virtual in its own end-to-end test where it starts.
    kwin-wayland
    # A compositor offering neither protocol (as GNOME's), with XWayland: the fallback end to end.
    weston
    # gdbus drives and watches the program's bus interface in the scripting tests
    libglib2.0-bin
    # The program's wall clock stepped under a real steady clock, as a time sync does
    libfaketime
    # groff checks the manual page and compares it with --help
    groff-base
    # The Debian 13 root (scripts/trixie-root.sh) for sway 1.10 and Qt 6.8, made from the archive
    mmdebstrap
)

case "${1:-}" in
--run) packages=("${run_packages[@]}") ;;
"") packages=("${run_packages[@]}" "${test_packages[@]}") ;;
*) packages=("$@") ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    echo "Installing: ${missing[*]}"
    # Wait for another installer's lock rather than fail (several scripts may set up at once).
    apt=(apt-get -o DPkg::Lock::Timeout=600)
    "${sudo_cmd[@]}" "${apt[@]}" update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
fi
