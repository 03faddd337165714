#!/usr/bin/env bash
# Reads the real program through AT-SPI in a private session, as a screen
# reader does: a curve typed and drawn through the accessibility interface
# must show in the drawing area's description, the controls must be there,
# and the program must still be running and have said nothing.
# Usage: check-at-spi.sh path/to/veltrano [--wayland]
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
output="$("$root/scripts/read-accessibility.sh" "$1" "${@:2}" --draw 1,-3,1 2>&1)"
status=$?
failures=0
expect() {  # description, fixed text the tree must contain
    if grep -qF -- "$2" <<<"$output"; then
        echo "ok: $1"
    else
        echo "FAIL: $1: no \"$2\""
        failures=$((failures + 1))
    fi
}
expect "the description after a draw request" \
    "after 1,-3,1: '共 1 条函数图像。第 1 条：y=x²-3x+1，顶点 (3/2,-5/4)，对称轴 x=3/2，开口向上，与x轴交点 x=(3±√5)/2"
expect "the drawing area, focusable" "filler: '函数图像'"
expect "the first coefficient field" "text: 'a' — '二次函数 y = a·x² + b·x + c 的二次项系数 a' [focusable]"
expect "a value label with its whole text" "label: '(2.61803398874989,0)' — '与x轴交点 1：(2.61803398874989,0)'"
expect "the clear button" "push button: '清空'"
if [ "$status" -ne 0 ] || grep -q "^program: " <<<"$output"; then
    echo "FAIL: the reader ended with status $status, or the program wrote something"
    failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] || echo "$output"
[ "$failures" -eq 0 ]
