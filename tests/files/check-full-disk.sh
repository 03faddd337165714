#!/usr/bin/env bash
# Pictures written to a full file system, from the command line and from the
# window: status 1 (or the error box) naming the reason, the existing file
# byte for byte as it was, no temporary file left; with no block free and with
# one. A normal overwrite keeps the file's permission bits.
# It runs itself again in a mount namespace of its own (as root, or mapped to
# root with unshare -r) to mount a small tmpfs; without one it is skipped (77).
# Usage: check-full-disk.sh path/to/veltrano path/to/veltrano_ui_tests
set -uo pipefail
program="$1"
ui_tests="$2"
if [ -z "${VELTRANO_MOUNT_NAMESPACE:-}" ]; then
    for how in -m -rm; do
        if unshare "$how" true 2>/dev/null; then
            VELTRANO_MOUNT_NAMESPACE=1 exec unshare "$how" "$0" "$@"
        fi
    done
    echo "skipped: no mount namespace can be made here"
    exit 77
fi
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The system's reasons in English, and no display inherited.
run=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LC_ALL=C.UTF-8)
work="$(mktemp -d)"
disk="$work/disk"
trap 'umount "$disk" 2>/dev/null; rm -rf "$work"' EXIT
mkdir "$disk"
mount -t tmpfs -o size=4m tmpfs "$disk" || { echo "skipped: cannot mount a tmpfs"; exit 77; }

types=(png svg pdf bmp)
for type in "${types[@]}"; do
    "${run[@]}" "$program" --curve 1,2,3 -o "$disk/keep.$type" >/dev/null || fail "keep.$type not written"
    cp "$disk/keep.$type" "$work/"
done
printf '1\t-3\t1\n' >"$disk/keep.txt"  # a curve list, for the window
head -c 4096 /dev/zero >"$disk/one-block"
dd if=/dev/zero of="$disk/filler" bs=4096 2>/dev/null
entries="$(ls -A "$disk")"

check_full_disk() {  # what is free
    local type output status
    for type in "${types[@]}"; do
        output="$("${run[@]}" "$program" --curve 1,-3,1 --curve=-0.5,,3 --curve 2,,-8 --scale 2 \
            -o "$disk/keep.$type" 2>&1)"
        status=$?
        [ "$status" -eq 1 ] || fail "$1, $type: status $status"
        grep -qx "veltrano: cannot write $disk/keep.$type: No space left on device" <<<"$output" ||
            fail "$1, $type: $output"
        cmp -s "$disk/keep.$type" "$work/keep.$type" || fail "$1, $type: the existing file changed"
    done
    output="$("${run[@]}" QT_QPA_PLATFORM=offscreen VELTRANO_FULL_DISK_DIR="$disk" "$ui_tests" \
        --gtest_filter='*FullDisk*' 2>&1)"
    grep -q "^\[  PASSED  \] 1 test" <<<"$output" && ! grep -q SKIPPED <<<"$output" ||
        fail "$1, the window: $output"
    [ "$(ls -A "$disk")" = "$entries" ] || fail "$1: left $(ls -A "$disk" | tr '\n' ' ')"
}
check_full_disk "no block free"
rm "$disk/one-block"
entries="$(ls -A "$disk")"
check_full_disk "one block free"

cp "$work/keep.png" "$work/mode.png"
chmod 640 "$work/mode.png"
"${run[@]}" "$program" --curve 1,2,3 --scale 2 -o "$work/mode.png" >/dev/null || fail "mode.png not written"
[ "$(stat -c %a "$work/mode.png")" = 640 ] || fail "an overwrite changed the mode to $(stat -c %a "$work/mode.png")"
cmp -s "$work/mode.png" "$work/keep.png" && fail "mode.png was not overwritten"

echo "$failures failed"
[ "$failures" -eq 0 ]
