#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Configures and builds into build/ (or the directory given): RelWithDebInfo (optimised, with
# debug info) unless BUILD_TYPE says otherwise; further arguments go to cmake. BUILD_TARGETS
# (names separated by spaces) builds only those and what they need.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build}
type=${BUILD_TYPE:-RelWithDebInfo}
shift || true
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
# shellcheck disable=SC2086
cmake --build "$dir" -j"$(nproc)" ${BUILD_TARGETS:+--target $BUILD_TARGETS}
