#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Cross-builds the Windows platform layer and its test with mingw-w64 (no Qt) and runs the test
# under wine, on a private display and in a throw-away wine prefix. The calls that would end the
# session are recorders in the test, so nothing here can log off, reboot or power off anything.
#
#   scripts/windows-test.sh [build dir]      (default: build-windows/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-windows}

packages=(
    cmake ninja-build g++-mingw-w64-x86-64 wine64
    xvfb xauth openbox x11-utils xdotool
    # What wine's X11 driver loads when it finds it.
    libxcursor1 libxrender1 libxrandr2 libxi6 libxfixes3
)
bash "$root/scripts/deps.sh" "${packages[@]}"

cmake -S "$root/platform/wintest" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$dir" -j2
test_exe="$dir/test_windows_platform.exe"

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)

# shellcheck source=../tests/e2e/harness.sh
source "$root/tests/e2e/harness.sh"
harness_init
export WINEPREFIX="$HARNESS_DIR/wine" HOME="$HARNESS_DIR/home" WINEDEBUG=-all
export WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml=" # no Mono or Gecko install prompts
mkdir -p "$HOME"
stop_wine() {
    # The prefix's server and its helper processes, then the display and the temp dir.
    "$wineserver" -k >/dev/null 2>&1 || true
    "$wineserver" -w >/dev/null 2>&1 || true
    harness_cleanup
}
trap stop_wine EXIT

# The test creates real windows, so wine needs a display.
harness_start_display
harness_log "creating the wine prefix"
timeout 300 "$wine" wineboot --init >"$HARNESS_DIR/wineboot.log" 2>&1 || {
    tail -n 20 "$HARNESS_DIR/wineboot.log" >&2
    harness_fail "wine could not set up its prefix"
}
"$wineserver" -w >/dev/null 2>&1 || true
harness_log "running $(basename "$test_exe") under wine"
status=0
timeout 300 "$wine" "$test_exe" || status=$?
exit "$status"
