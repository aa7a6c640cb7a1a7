#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Fails when a C++ source differs from the root .clang-format, naming each file that does
# (`clang-format -i FILE` fixes one). Checks the files git tracks; in a copy without git, every
# source under the tree except build trees.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if ! command -v clang-format >/dev/null; then
    echo "SKIP: clang-format is not installed"
    exit 77
fi
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.h')
else
    mapfile -d '' files < <(find . \( -path './build*' -o -name .git -o -name CMakeFiles -o -name '*_autogen' \) \
        -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print0)
fi
((${#files[@]} > 0)) || { echo "no C++ sources found under $root"; exit 1; }
if ! out=$(clang-format --dry-run -Werror "${files[@]}" 2>&1); then
    # One line per file; clang-format's own message as it stands when it names no file.
    grep -oP '^\S+(?=:\d+:\d+: error: code should be clang-formatted)' <<<"$out" | sort -u |
        sed 's/^/differs from .clang-format: /' || echo "$out"
    exit 1
fi
echo "${#files[@]} sources match .clang-format"
