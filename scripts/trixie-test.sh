#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the project with -Werror against Debian 13's compiler and Qt (6.8) inside the Debian 13
# root (scripts/trixie-root.sh) and runs its unit and widget tests there, into build-trixie/.
# Compiler results are kept between runs in a ccache beside the root, shared by every checkout.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build-trixie"
cache=$(dirname "$(bash "$root/scripts/trixie-root.sh" path)")/ccache-trixie
mkdir -p "$cache" "$dir"
start=$SECONDS
bash "$root/scripts/trixie-root.sh" run --bind "$root" --bind "$cache" -- \
    env CCACHE_DIR="$cache" CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1 \
    CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache \
    bash -c 'set -e
        echo "Qt $(qtpaths6 --qt-version) and $(c++ --version | head -n1), Debian $(cat /etc/debian_version)"
        bash "$1/scripts/build.sh" "$2" -DQUELLOR_BUILD_BENCH=OFF
        cd "$2" && ctest --output-on-failure -LE e2e' trixie-test "$root" "$dir"
echo "Debian 13 build and tests: $((SECONDS - start)) s"
