#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Debian packages: cpack builds the program's quellor_<version>_<arch>.deb, the frame
# library's libvantrellib4_<version>_<arch>.deb and its developers' libvantrellib-dev, split as
# Debian splits a library; lintian finds nothing to say against any of them; their file lists
# are the installation's, their control fields name their real dependencies, the library's
# symbols are the ones its version script exports, the programs run against what those
# dependencies bring, a call to the program's bus name starts it, and apt would install them here.
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
MULTIARCH=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
PACKAGES=(quellor libvantrellib4 libvantrellib-dev)
deb_of() { echo "$OUT/$1_${VERSION}_$(dpkg --print-architecture).deb"; }
DEB=$(deb_of quellor)
LIB=$(deb_of libvantrellib4)
DEV=$(deb_of libvantrellib-dev)
for deb in "$DEB" "$LIB" "$DEV"; do
    [[ -f "$deb" ]] || harness_fail "no $(basename "$deb"); made: $(ls "$OUT")"
done

# Debian's own checker: not one error or warning on any package.
harness_log "lintian"
lintian --fail-on error,warning --display-info "$DEB" "$LIB" "$DEV" >"$HARNESS_DIR/lintian.log" 2>&1 ||
    { cat "$HARNESS_DIR/lintian.log" >&2; harness_fail "lintian finds errors or warnings"; }

# Each package holds its files of installed_files.txt, under /usr, owned by root.
for package in "${PACKAGES[@]}"; do
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
control_file() { dpkg-deb --ctrl-tarfile "$1" | tar -xO "./$2"; }
# Beyond lintian: every package's changelog reaches this very version.
for package in "${PACKAGES[@]}"; do
    deb=$(deb_of $package)
    [[ "$(field Package "$deb")" == "$package" ]] || harness_fail "$package is named $(field Package "$deb")"
    logged=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/share/doc/$package/changelog.gz" | gzip -dc |
        dpkg-parsechangelog -l- -SVersion)
    [[ "$logged" == "$VERSION" ]] || harness_fail "$package's changelog ends at version $logged"
done
depends=$(field Depends)
harness_log "Depends: $depends"
# The shared libraries come from dpkg-shlibdeps; the rest the program loads at run time.
# has <field value> <relation>: the relation is one of the field's, whole.
has() { grep -qE "(^|, )$(sed 's/[][+.|()]/\\&/g' <<<"$2")( \(|,|$)" <<<"$1"; }
for dep in "libvantrellib4 (>= $VERSION)" libqt6widgets6 libqt6gui6 libqt6core6 libqt6multimedia6 libqt6dbus6 libc6 \
    libstdc++6 gstreamer1.0-plugins-base "gstreamer1.0-plugins-good (>= 1.22)" fonts-arphic-uming \
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
for dep in "libvantrellib4 (= $VERSION)" "qt6-base-dev (>= 6.4)" libqt6widgets6 libqt6designer6; do
    re=$(sed 's/[][+.|()]/\\&/g' <<<"$dep")
    grep -qE "(^|, )${re}( \(|,|$)" <<<"$(field Depends "$DEV")" || harness_fail "the developers' package lacks $dep"
done

# What they unpack: stripped programs and libraries whose libraries all resolve, the library
# under its SONAME in the multiarch folder, and a launcher that runs the program from its directory.
ROOT="$HARNESS_DIR/root"
for deb in "$DEB" "$LIB" "$DEV"; do
    dpkg-deb -x "$deb" "$ROOT" || harness_fail "dpkg-deb cannot unpack $(basename "$deb")"
done
LIBRARY=usr/lib/$MULTIARCH/libVantrelLib.so.$VERSION
[[ "$(readlink "$ROOT/usr/lib/$MULTIARCH/libVantrelLib.so.4")" == "libVantrelLib.so.$VERSION" ]] ||
    harness_fail "libVantrelLib.so.4 does not name the library"
grep -qF "soname: [libVantrelLib.so.4]" <<<"$(readelf -d "$ROOT/$LIBRARY")" || harness_fail "the library has another SONAME"
for elf in usr/lib/quellor/Quellor usr/lib/quellor/quellor-guard usr/lib/quellor/libquellor_sound.so "$LIBRARY"; do
    file -b "$ROOT/$elf" | grep -q ", stripped" || harness_fail "$elf is not stripped: $(file -b "$ROOT/$elf")"
    missing=$(ldd "$ROOT/$elf" | grep "not found")
    [[ -z "$missing" ]] || harness_fail "$elf lacks libraries: $missing"
done

# The symbols file cpack checked the library against holds only the version its version script
# names; the package carries what dpkg-gensymbols made of it.
node=$(sed -n 's/^\(VANTRELLIB_[0-9]*\) {$/\1/p' "$HERE/../../frame/VantrelLib.map")
SYMBOLS="$HERE/../../packaging/libvantrellib4/symbols"
[[ -n "$node" && -z "$(grep '^ ' "$SYMBOLS" | grep -v "@$node\"\? $VERSION$")" ]] ||
    harness_fail "symbols outside the version node $node: $(grep '^ ' "$SYMBOLS" | grep -v "@$node")"
control_file "$LIB" symbols >"$HARNESS_DIR/symbols"
dpkg-gensymbols -c4 -plibvantrellib4 -v"$VERSION" -P"$ROOT" -I"$SYMBOLS" -O"$HARNESS_DIR/symbols.made" \
    -e"$ROOT/$LIBRARY" >"$HARNESS_DIR/gensymbols.log" 2>&1 ||
    { cat "$HARNESS_DIR/gensymbols.log" >&2; harness_fail "the library's exports differ from $SYMBOLS"; }
cmp -s "$HARNESS_DIR/symbols" "$HARNESS_DIR/symbols.made" || harness_fail "the package's symbols file:
$(diff "$HARNESS_DIR/symbols.made" "$HARNESS_DIR/symbols")"
grep -qx 'cd "$here/../lib/quellor" || exit 1' "$ROOT/usr/bin/quellor" || harness_fail "launcher does not enter the program directory"
desktop-file-validate "$ROOT/usr/share/applications/org.quellor.Quellor.desktop" || harness_fail "desktop entry not valid"

# A call to the program's bus name starts it: the packaged service file, pointed at the unpacked
# launcher, on a private session bus; the program finds the library of libvantrellib4.
SERVICE=usr/share/dbus-1/services/org.quellor.Quellor.service
[[ "$(cat "$ROOT/$SERVICE")" == $'[D-BUS Service]\nName=org.quellor.Quellor\nExec=/usr/bin/quellor' ]] ||
    harness_fail "service file: $(cat "$ROOT/$SERVICE")"
mkdir -p "$XDG_DATA_HOME/dbus-1/services"
sed "s|^Exec=/usr/bin/|Exec=$ROOT/usr/bin/|" "$ROOT/$SERVICE" >"$XDG_DATA_HOME/dbus-1/services/org.quellor.Quellor.service"
harness_start_display
harness_start_mock_logind
harness_start_session_bus
bus_call() { gdbus call --session --timeout 60 "$@" 2>&1; }
harness_log "gdbus call to org.quellor.Quellor"
answer=$(bus_call --dest org.quellor.Quellor --object-path /org/quellor/Quellor \
    --method org.freedesktop.DBus.Properties.Get org.quellor.Quellor1 Action)
pid=$(bus_call --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.GetConnectionUnixProcessID org.quellor.Quellor | grep -oP 'uint32 \K[0-9]+')
[[ -n "$pid" ]] && harness_track "$pid"
[[ "$answer" == "(<''>,)" ]] || harness_fail "the bus did not start the program: $answer"
[[ "$(readlink "/proc/$pid/exe")" == "$ROOT/usr/lib/quellor/Quellor" ]] ||
    harness_fail "the bus started $(readlink "/proc/$pid/exe")"
grep -qF "$ROOT/$LIBRARY" "/proc/$pid/maps" || harness_fail "the program did not load $LIBRARY"

# apt resolves every dependency (simulation only: nothing is installed).
apt-get -s install "$DEB" "$LIB" "$DEV" >"$HARNESS_DIR/apt.log" 2>&1 ||
    { cat "$HARNESS_DIR/apt.log" >&2; harness_fail "apt would not install the packages"; }
for package in "${PACKAGES[@]}"; do
    grep -q "^Inst $package " "$HARNESS_DIR/apt.log" || harness_fail "apt would not install $package"
done
harness_log "PASS"
