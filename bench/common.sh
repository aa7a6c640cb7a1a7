# SPDX-License-Identifier: MIT
# Shared by the benchmark scripts; source it, never run it. Needs `root` and `log` set.

# Builds the Release tree the benchmarks measure: everything, because the cues and cursors the
# start-up opens are copied beside the program by targets of their own.
bench_build() {
    local build=$1
    log "building $build (Release)"
    if [[ ! -f "$build/CMakeCache.txt" ]]; then
        cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELLOR_BUILD_TESTS=OFF >/dev/null ||
            exit 1
    fi
    cmake --build "$build" -j2 >/dev/null || exit 1
}

# The harness's private session, with its runtime directory on a tmpfs as on a desktop: on disk,
# the sync of the single-instance lock would be timed as start-up.
bench_session() {
    # shellcheck source=../tests/e2e/harness.sh
    source "$root/tests/e2e/harness.sh"
    harness_init
    if [[ "$(stat -f -c %T /dev/shm 2>/dev/null)" == tmpfs ]]; then
        XDG_RUNTIME_DIR=$(mktemp -d /dev/shm/quellor-bench.XXXXXX)
        chmod 700 "$XDG_RUNTIME_DIR"
        runtime_dir=$XDG_RUNTIME_DIR
        trap 'harness_cleanup; rm -rf "$runtime_dir"' EXIT
    fi
}
