#!/usr/bin/env bash
# Puts "SPDX-License-Identifier: MIT" into the opening comment of every tracked C, C++, CMake,
# shell and Python source that lacks it. Safe to run again: a file that names its licence is left
# alone. The line goes first, after a #! line (and a Python coding line), or into the comment
# that follows a header's #pragma once; clang-format's layout holds either way.
#
#   spdx.sh [--check]   --check: change nothing, list the files that lack the line, fail if any
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
check=0
[[ "${1:-}" == --check ]] && check=1
tag="SPDX-License-Identifier: MIT"

# The comment leader of a source file, or nothing for a file that is not one.
leader_of() {
    case $1 in
    *.c | *.cpp | *.h) echo "//" ;;
    CMakeLists.txt | */CMakeLists.txt | *.cmake | *.cmake.in | *.sh | *.py) echo "#" ;;
    *) head -n 1 -- "$1" | grep -qE '^#!.*(sh|bash|python3?)$' && echo "#" || true ;;
    esac
}

lacking=()
while IFS= read -r -d '' file; do
    [[ -f "$file" && ! -L "$file" ]] || continue
    leader=$(leader_of "$file")
    [[ -n "$leader" ]] || continue
    head -n 5 -- "$file" | grep -q "SPDX-License-Identifier" && continue
    lacking+=("$file")
    ((check)) && continue
    first=$(head -n 1 -- "$file")
    second=$(sed -n 2p -- "$file")
    line=1 # the SPDX line goes before this one
    if [[ "$first" == "#!"* ]]; then
        line=2
        [[ "$second" =~ ^#.*coding[:=] ]] && line=3
    elif [[ "$leader" == "//" && "$first" == "#pragma once" && "$second" == "//"* ]]; then
        line=2
    fi
    # A C or C++ file that opens with code gets its comment apart from the code.
    apart=0
    [[ "$leader" == "//" && $line == 1 && -n "$first" && "$first" != "//"* && "$first" != "/*"* ]] && apart=1
    tmp=$(mktemp)
    awk -v at="$line" -v text="$leader $tag" -v apart="$apart" '
        NR == at { print text; if (apart) print "" }
        { print }
        END { if (NR < at) print text }' "$file" >"$tmp"
    # Written in place, so the file keeps its mode.
    cat "$tmp" >"$file"
    rm -f "$tmp"
done < <(git ls-files -z)

if ((check)); then
    if ((${#lacking[@]})); then
        printf 'lacks "%s": %s\n' "$tag" "${lacking[@]}" >&2
        exit 1
    fi
    exit 0
fi
echo "added \"$tag\" to ${#lacking[@]} files"
