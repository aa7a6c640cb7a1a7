#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The command line in a terminal with no display, as over ssh: --help, --version and --status
# answer without a window system, bad arguments end with status 2 and a message, and the manual
# page lists every option --help lists, with the same words.
#
#   terminal.sh <Quellor binary> <manual page source>
set -uo pipefail
BIN=${1:?usage: terminal.sh <Quellor> <quellor.1>}
MANPAGE=${2:?usage: terminal.sh <Quellor> <quellor.1>}
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_RUNTIME_DIR="$TMP"
# No session bus to be found, and none started on the side.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$TMP/no-bus"

run() {
    rc=0
    "$BIN" "$@" >"$TMP/out" 2>"$TMP/err" || rc=$?
}

run --help
((rc == 0)) || fail "--help ended with $rc: $(cat "$TMP/err")"
grep -q '^Usage: quellor ' "$TMP/out" || fail "--help printed: $(cat "$TMP/out")"
cp "$TMP/out" "$TMP/help"
run --version
((rc == 0)) && grep -qx 'Quellor [0-9.]*' "$TMP/out" || fail "--version: $rc $(cat "$TMP/out" "$TMP/err")"
run --status
((rc == 1)) && grep -q '^quellor: no session bus' "$TMP/err" || fail "--status without a bus: $rc $(cat "$TMP/err")"
if command -v dbus-run-session >/dev/null; then
    rc=0
    dbus-run-session -- "$BIN" --status >"$TMP/out" 2>"$TMP/err" || rc=$?
    ((rc == 1)) && grep -qx 'quellor: Quellor is not running' "$TMP/err" || fail "--status with none running: $rc $(cat "$TMP/err")"
else
    echo "SKIP: no dbus-run-session for the not-running status"
fi
for bad in "--restart 24:00" "--frobnicate" "--music x.mp3" "--status --cancel" "now"; do
    # shellcheck disable=SC2086
    run $bad
    ((rc == 2)) || fail "\"$bad\" ended with $rc"
    [[ "$(head -c 9 "$TMP/err")" == "quellor: " && -s "$TMP/err" && ! -s "$TMP/out" ]] || fail "\"$bad\": $(cat "$TMP/err")"
done

# The manual page: well formed, and its options are --help's, word for word.
if ! command -v groff >/dev/null; then
    echo "SKIP: no groff to read the manual page"
    exit 0
fi
warnings=$(groff -k -man -Tutf8 -ww -z "$MANPAGE" 2>&1)
[[ -z "$warnings" ]] || fail "the manual page has faults: $warnings"
# Overstriking, not colour codes (groff 1.23's default), so col -b leaves plain text.
groff -k -man -Tutf8 -P-c -rLL=200n -rHY=0 "$MANPAGE" 2>/dev/null | col -b | tr -s ' \t' ' ' >"$TMP/man"
help_options=$(grep -oE '^  --[a-z-]+' "$TMP/help" | tr -d ' ' | sort)
man_options=$(sed -n '/^ *OPTIONS/,/^ *EXIT STATUS/p' "$TMP/man" | grep -oE '^ ?--[a-z-]+' | tr -d ' ' | sort)
[[ -n "$help_options" && "$help_options" == "$man_options" ]] ||
    fail "options differ between --help and the manual page: $(diff <(echo "$help_options") <(echo "$man_options"))"
while IFS= read -r line; do
    entry=$(tr -s ' ' <<<"$line" | sed 's/^ //')
    grep -qF -- "$entry" <(tr '\n' ' ' <"$TMP/man" | tr -s ' ') || fail "the manual page lacks \"$entry\""
done < <(grep -E '^  --' "$TMP/help")
echo "PASS"
