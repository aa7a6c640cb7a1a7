#!/usr/bin/env bash
# Installs what building, running and testing Quellor needs on Debian 12. Safe to run again.
# With package names as arguments it installs just those (for scripts that need more).
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang-format
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-tools-dev qt6-tools-dev-tools designer-qt6 libgl-dev
    libqt6multimedia6 gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    # The faces standing in for the forms' Windows faces: a Song serif for "宋体", CJK sans faces.
    fonts-arphic-uming fonts-wqy-zenhei fonts-wqy-microhei
    # The interface's translations: lupdate and lrelease, and Qt's own for the standard dialogs.
    qt6-l10n-tools qt6-translations-l10n
    xvfb xauth openbox xdotool x11-utils imagemagick
    dbus dbus-x11 at-spi2-core python3 python3-pyatspi python3-dbusmock python3-gi
    libbenchmark-dev procps libx11-dev
    # Installing and packaging: the Debian package (cpack's DEB generator needs dpkg-shlibdeps and
    # file) and the validators of the desktop entry and the AppStream metainfo.
    dpkg-dev file desktop-file-utils appstream
    libxcb1-dev libxcb-xtest0-dev
    # Qt Designer's CMake package needs Qt OpenGL's: without it the frame's Designer plugin (and the
    # developers' package that carries it) is not built.
    libqt6opengl6-dev
    # The alarm music heard, not assumed: a private PulseAudio server whose null sink is recorded,
    # test tones made with sox and encoded with lame, numpy to read the recording.
    pulseaudio pulseaudio-utils sox lame python3-numpy
    # The lock's test adds and removes offscreen screens through the platform's private interface.
    qt6-base-private-dev
    # The lock's end-to-end test pastes from the clipboard.
    xclip
    # The window managers the desktops end-to-end run covers (marco aborts without its schemas).
    xfwm4 metacity marco mate-settings-daemon-common kwin-x11 mutter
    # Wayland sessions: Qt's Wayland platform and its client-extension support, the protocol
    # descriptions and scanner, and sway headless with grim for the end-to-end runs.
    qt6-wayland qt6-wayland-dev qt6-wayland-dev-tools libwayland-dev wayland-protocols
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
)

if (($#)); then
    packages=("$@")
fi

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
