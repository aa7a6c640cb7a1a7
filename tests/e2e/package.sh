#!/usr/bin/env bash
# The Debian packages: cpack builds the program's quellor_<version>_<arch>.deb and the frame
# library's libvantrellib-dev_<version>_<arch>.deb for developers, whose file lists are the
# installation's, whose control fields name their real dependencies, whose programs run against
# what those dependencies bring, and which apt would install here.
#
#   package.sh <build dir>
set -uo pipefail
BUILD=$(cd "${1:?usage: package.sh <build dir>}" && pwd)
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/harness.sh"
source "$HERE/installed_files.sh"
harness_init

OUT="$HARNESS_DIR/out"
harness_log "cpack -G DEB"
cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$OUT" >"$HARNESS_DIR/cpack.log" 2>&1 ||
    { cat "$HARNESS_DIR/cpack.log" >&2; harness_fail "cpack failed"; }
VERSION=$(grep -oP 'CPACK_PACKAGE_VERSION "\K[^"]+' "$BUILD/CPackConfig.cmake")
deb_of() { echo "$OUT/$1_${VERSION}_$(dpkg --print-architecture).deb"; }
DEB=$(deb_of quellor)
DEV=$(deb_of libvantrellib-dev)
for deb in "$DEB" "$DEV"; do
    [[ -f "$deb" ]] || harness_fail "no $(basename "$deb"); made: $(ls "$OUT")"
done

# Each package holds its files of installed_files.txt, under /usr, owned by root.
for package in quellor libvantrellib-dev; do
    wanted=$(installed_files "$BUILD" $package | sed 's|^|usr/|')
    listing=$(dpkg-deb -c "$(deb_of $package)") || harness_fail "dpkg-deb cannot list $package"
    files=$(awk '$1 !~ /^d/ {sub(/^\.\//, "", $6); print $6}' <<<"$listing" | sort)
    [[ "$files" == "$wanted" ]] || harness_fail "$package's files differ from installed_files.txt:
$(diff <(echo "$wanted") <(echo "$files"))"
    awk '$2 != "root/root" {bad = 1; print "not root-owned: " $0} END {exit bad}' <<<"$listing" >&2 ||
        harness_fail "$package has files not owned by root"
done
listing=$(dpkg-deb -c "$DEB")
mode_of() { awk -v p="./$1" '$6 == p {print $1}' <<<"$listing"; }
for exe in usr/bin/quellor usr/lib/quellor/Quellor; do
    [[ "$(mode_of "$exe")" == "-rwxr-xr-x" ]] || harness_fail "$exe has mode $(mode_of "$exe")"
done
[[ "$(mode_of usr/lib/quellor/quellor.installed)" == "-rw-r--r--" ]] || harness_fail "marker mode"

field() { dpkg-deb -f "${2:-$DEB}" "$1"; }
[[ "$(field Package)" == "quellor" ]] || harness_fail "package name $(field Package)"
[[ "$(field Maintainer)" == "Quellor Developers" ]] || harness_fail "maintainer $(field Maintainer)"
depends=$(field Depends)
harness_log "Depends: $depends"
# The shared libraries come from dpkg-shlibdeps; the rest the program loads at run time.
# has <field value> <relation>: the relation is one of the field's, whole.
has() { grep -qE "(^|, )$(sed 's/[][+.|()]/\\&/g' <<<"$2")( \(|,|$)" <<<"$1"; }
for dep in libqt6widgets6 libqt6gui6 libqt6core6 libqt6multimedia6 libqt6dbus6 libc6 libstdc++6 \
    gstreamer1.0-plugins-base "gstreamer1.0-plugins-good (>= 1.22)" fonts-arphic-uming \
    "fonts-wqy-microhei | fonts-wqy-zenhei"; do
    has "$depends" "$dep" || harness_fail "Depends lacks $dep"
done
# The GStreamer plugins the media player builds its pipeline from, down to the PulseAudio sink it
# plays into (PipeWire desktops serve that protocol too), come with packages it depends on.
for plugin in playback typefindfunctions audioconvert audioresample volume autodetect pulseaudio mpg123 \
    audioparsers wavparse; do
    owner=$(dpkg -S "*/gstreamer-1.0/libgst$plugin.so" 2>/dev/null | head -n1 | cut -d: -f1)
    [[ -n "$owner" ]] || harness_fail "no installed package holds GStreamer's $plugin plugin"
    has "$depends" "$owner" || harness_fail "Depends lacks $owner, which holds $plugin"
done
recommends=$(field Recommends)
harness_log "Recommends: $recommends"
has "$recommends" "pipewire-pulse | pulseaudio" || harness_fail "Recommends lacks a PulseAudio service"
has "$recommends" "qt6-translations-l10n" || harness_fail "Recommends lacks Qt's translations"

# The developers' package: building against the library needs Qt's development files; the
# library and the Designer plugin's own libraries come from dpkg-shlibdeps.
[[ "$(field Package "$DEV")" == "libvantrellib-dev" ]] || harness_fail "package name $(field Package "$DEV")"
[[ "$(field Section "$DEV")" == "libdevel" ]] || harness_fail "section $(field Section "$DEV")"
for dep in "qt6-base-dev (>= 6.4)" libqt6widgets6 libqt6designer6; do
    re=$(sed 's/[][+.|()]/\\&/g' <<<"$dep")
    grep -qE "(^|, )${re}( \(|,|$)" <<<"$(field Depends "$DEV")" || harness_fail "the developers' package lacks $dep"
done

# What they unpack: stripped programs and libraries whose libraries all resolve, each library
# under its SONAME, and a launcher that runs the program from its directory.
ROOT="$HARNESS_DIR/root"
dpkg-deb -x "$DEB" "$ROOT" || harness_fail "dpkg-deb cannot unpack"
dpkg-deb -x "$DEV" "$ROOT" || harness_fail "dpkg-deb cannot unpack the developers' package"
for lib in usr/lib/quellor usr/lib; do
    [[ "$(readlink "$ROOT/$lib/libVantrelLib.so.4")" == libVantrelLib.so.4.1 ]] ||
        harness_fail "$lib/libVantrelLib.so.4 does not name the library"
    dynamic=$(readelf -d "$ROOT/$lib/libVantrelLib.so.4.1")
    grep -qF "soname: [libVantrelLib.so.4]" <<<"$dynamic" ||
        harness_fail "$lib/libVantrelLib.so.4.1 has another SONAME"
done
for elf in usr/lib/quellor/Quellor usr/lib/quellor/libVantrelLib.so.4.1 usr/lib/libVantrelLib.so.4.1; do
    file -b "$ROOT/$elf" | grep -q ", stripped" || harness_fail "$elf is not stripped: $(file -b "$ROOT/$elf")"
    missing=$(ldd "$ROOT/$elf" | grep "not found")
    [[ -z "$missing" ]] || harness_fail "$elf lacks libraries: $missing"
done
grep -qx 'cd "$here/../lib/quellor" || exit 1' "$ROOT/usr/bin/quellor" || harness_fail "launcher does not enter the program directory"
desktop-file-validate "$ROOT/usr/share/applications/org.quellor.Quellor.desktop" || harness_fail "desktop entry not valid"

# apt resolves every dependency (simulation only: nothing is installed).
apt-get -s install "$DEB" "$DEV" >"$HARNESS_DIR/apt.log" 2>&1 && grep -q "^Inst quellor " "$HARNESS_DIR/apt.log" &&
    grep -q "^Inst libvantrellib-dev " "$HARNESS_DIR/apt.log" ||
    { cat "$HARNESS_DIR/apt.log" >&2; harness_fail "apt would not install the packages"; }
harness_log "PASS"
