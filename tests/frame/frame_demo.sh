#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A program outside this project builds against an installed VantrelLib: the library and the
# developers' files go into a temporary prefix, examples/frame-demo is configured there with
# find_package and built, and so is the same source through pkg-config; both run offscreen and
# check the frame.
#
#   frame_demo.sh <build dir> <source dir>
set -euo pipefail
BUILD=$(cd "${1:?usage: frame_demo.sh <build dir> <source dir>}" && pwd)
SOURCE=$(cd "${2:?usage: frame_demo.sh <build dir> <source dir>}" && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

PREFIX="$WORK/prefix"
for component in library devel; do
    cmake --install "$BUILD" --prefix "$PREFIX" --component $component >>"$WORK/install.log" ||
        { cat "$WORK/install.log" >&2; fail "cmake --install --component $component"; }
done
LIBDIR=$(dirname "$(find "$PREFIX" -name libVantrelLib.so -print -quit)")
[[ -f "$LIBDIR/pkgconfig/VantrelLib.pc" ]] || fail "no VantrelLib.pc beside the library in $LIBDIR"
[[ "$(readelf -d "$LIBDIR/libVantrelLib.so" | grep -o 'soname: \[[^]]*\]')" == "soname: [libVantrelLib.so.4]" ]] ||
    fail "the library's SONAME is not libVantrelLib.so.4"

export QT_QPA_PLATFORM=offscreen
compiler=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$BUILD/CMakeCache.txt")

echo "== find_package(VantrelLib 4.1)"
cmake -S "$SOURCE/examples/frame-demo" -B "$WORK/demo" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_PREFIX_PATH="$PREFIX" -DCMAKE_CXX_COMPILER="$compiler" >"$WORK/configure.log" ||
    { cat "$WORK/configure.log" >&2; fail "configuring the example"; }
cmake --build "$WORK/demo" >"$WORK/build.log" || { cat "$WORK/build.log" >&2; fail "building the example"; }
linked=$(ldd "$WORK/demo/frame-demo")
grep -qF "libVantrelLib.so.4 => $LIBDIR/" <<<"$linked" ||
    fail "the example does not use the installed library: $(grep Vantrel <<<"$linked")"
"$WORK/demo/frame-demo" --check || fail "the example built with CMake does not show its frame"

echo "== pkg-config VantrelLib"
export PKG_CONFIG_PATH="$LIBDIR/pkgconfig"
[[ "$(pkg-config --modversion VantrelLib)" == 4.1 ]] || fail "pkg-config gives version $(pkg-config --modversion VantrelLib)"
# shellcheck disable=SC2046
"$compiler" -std=c++17 -fPIC -Wall -Wextra -Werror "$SOURCE/examples/frame-demo/main.cpp" \
    $(pkg-config --cflags --libs VantrelLib) -Wl,-rpath,"$LIBDIR" -o "$WORK/frame-demo-pc" ||
    fail "building the example with pkg-config's flags"
"$WORK/frame-demo-pc" --check || fail "the example built with pkg-config does not show its frame"

# Only the public class and the entry points leave the library.
exported=$(nm -D --defined-only "$LIBDIR/libVantrelLib.so" | c++filt | awk '{$1=$2=""; print substr($0, 3)}' |
    grep -v '^VANTRELLIB_4$' | grep -Ev '^(Dll(Register|Unregister)Server|DllGetClassObject|DllCanUnloadNow|qt_plugin_query_metadata_v2|qt_plugin_instance)@' |
    grep -Ev '^((typeinfo|typeinfo name|vtable) for )?vantrel::Vantrel\b' || true)
[[ -z "$exported" ]] || fail "the library exports more than its face: $exported"
echo "PASS"
