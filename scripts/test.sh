#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up, builds and runs every test suite (unit, widget and end-to-end).
# With --sanitize: a separate ASan + UBSan build of the tests instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/deps.sh"
if [ "${1:-}" = "--sanitize" ]; then
    dir="$root/build-sanitize"
    BUILD_TYPE=Debug bash "$root/scripts/build.sh" "$dir" -DQUELLOR_SANITIZE=ON -DQUELLOR_BUILD_BENCH=OFF
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    cd "$dir" && ctest --output-on-failure -LE e2e
else
    dir="$root/build"
    bash "$root/scripts/build.sh" "$dir"
    cd "$dir" && ctest --output-on-failure
fi
