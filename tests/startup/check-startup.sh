#!/usr/bin/env bash
# Runs the built program as a process: --version and --help need no display,
# an unknown option is a usage error, and a window that cannot open is told
# in one line with status 1, never a crash.
# Usage: check-startup.sh path/to/veltrano VERSION
set -uo pipefail
program="$1"
version="$2"
failures=0

expect() {  # description, expected status, expected output pattern, command...
    local what="$1" status="$2" pattern="$3"
    shift 3
    local output actual
    output="$("$@" 2>&1)"
    actual=$?
    if [ "$actual" -ne "$status" ] || ! grep -qE "$pattern" <<<"$output"; then
        echo "FAIL: $what: status $actual (wanted $status), output:"
        echo "$output"
        failures=$((failures + 1))
    else
        echo "ok: $what"
    fi
}

no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
expect "--version without a display" 0 "^veltrano ${version//./\\.}\$" "${no_display[@]}" "$program" --version
expect "--help without a display" 0 "^Usage: veltrano" "${no_display[@]}" "$program" --help
expect "an unknown option" 2 "unknown option --colour" "${no_display[@]}" "$program" --colour
expect "no display at all" 1 "xvfb-run -a veltrano" "${no_display[@]}" "$program"
expect "a display with no server" 1 "^veltrano: cannot open the window \(.*:97.*\); .*xvfb-run -a veltrano\$" \
    env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:97 "$program"
expect "a missing platform plugin" 1 "^veltrano: cannot open the window \(.*wayland.*\)" \
    env QT_QPA_PLATFORM=wayland "$program"
# One line, whatever failed.
lines="$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:97 "$program" 2>&1 | wc -l)"
[ "$lines" -eq 1 ] || { echo "FAIL: $lines lines for a display with no server"; failures=$((failures + 1)); }

echo "$((6 + 1 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
