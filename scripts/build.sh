#!/usr/bin/env bash
# Configures and builds into build/ (or the directory given): RelWithDebInfo (optimised, with
# debug info) unless BUILD_TYPE says otherwise; further arguments go to cmake.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build}
type=${BUILD_TYPE:-RelWithDebInfo}
shift || true
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
