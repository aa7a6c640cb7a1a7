# SPDX-License-Identifier: MIT
# Reads installed_files.txt for the install and package tests.
#
# installed_files <build dir> <package name | installed>: the paths one Debian package holds, or
# every path a plain `cmake --install` lays down, sorted.
installed_files() {
    local build=$1 which=$2 config multiarch
    config=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt" | tr '[:upper:]' '[:lower:]')
    multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)
    grep -v '^#' "$(dirname "${BASH_SOURCE[0]}")/installed_files.txt" |
        sed "s/@CONFIG@/${config:-noconfig}/; s/@MULTIARCH@/$multiarch/" |
        awk -v w="$which" '(w == "installed" && $3 != "package-only") || $1 == w {print $2}' | sort
}
