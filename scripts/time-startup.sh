#!/usr/bin/env bash
# Times the start-up of the program beside a bare Qt window that draws one
# line (bench/BareWindow.cpp), under one virtual display: each is started RUNS
# times, alternating, and the time from launch until its first complete frame
# is on the screen (the program: the axes drawn; the bare window: its line) is
# taken, and the processor time the process has used by then. Prints each
# program's medians and their ratio. On a busy machine the wall times grow with
# the load; the processor times much less.
#
# Usage: scripts/time-startup.sh [RUNS] [BUILD_DIR]   (defaults: 15, build-release)
# The build directory needs the targets veltrano and veltrano_bare_window:
#   cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DVELTRANO_BENCH=ON
#   cmake --build build-release -j2 --target veltrano veltrano_bare_window
#
# Each program writes the wall clock at its first frame when
# VELTRANO_REPORT_FIRST_FRAME is set (after a round trip to the X server, so
# the frame has been taken), then quits. The language variables, HOME,
# XDG_RUNTIME_DIR and DBUS_SESSION_BUS_ADDRESS are passed on; nothing else.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs="${1:-15}"
build="${2:-$root/build-release}"
program="$build/veltrano"
bare="$build/bench/veltrano_bare_window"
for executable in "$program" "$bare"; do
  [ -x "$executable" ] || { echo "time-startup: $executable is not built" >&2; exit 1; }
done

work="$(mktemp -d)"
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb writes its display number once it accepts clients.
Xvfb -noreset -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 200); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
  sleep 0.05
done
[ -s "$work/display" ] || { echo "time-startup: Xvfb did not start" >&2; exit 1; }
display=":$(head -n1 "$work/display")"

environment=(env -i PATH=/usr/bin:/bin DISPLAY="$display" QT_QPA_PLATFORM=xcb VELTRANO_REPORT_FIRST_FRAME=1)
for name in HOME LANG LC_ALL LC_MESSAGES LANGUAGE XDG_RUNTIME_DIR DBUS_SESSION_BUS_ADDRESS; do
  [ -n "${!name:-}" ] && environment+=("$name=${!name}")
done
# The script's own numbers are read and written in the C locale.
export LC_ALL=C

milliseconds() {  # of a count of microseconds, with two decimals
  echo "$(( $1 / 1000 )).$(printf '%02d' $(( $1 % 1000 / 10 )))"
}

# Appends the wall and processor milliseconds to the first frame to $2.wall
# and $2.cpu.
time_once() {
  local start report frame cpu
  start="${EPOCHREALTIME/[.,]/}"
  report="$(timeout 30 "${environment[@]}" "$1" 2>>"$work/stderr.log" | grep -m1 '^first-frame ')" || {
    echo "time-startup: $1 reported no first frame" >&2
    cat "$work/stderr.log" >&2
    exit 1
  }
  read -r _ frame cpu <<<"$report"
  milliseconds $((frame - start)) >>"$2.wall"
  milliseconds "$cpu" >>"$2.cpu"
}

median() {  # of the numbers on stdin
  sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# One start of each first, so that both find their libraries in the page cache.
time_once "$program" "$work/warm"
time_once "$bare" "$work/warm"
for _ in $(seq "$runs"); do
  time_once "$program" "$work/program"
  time_once "$bare" "$work/bare"
done

for kind in wall cpu; do
  program_median="$(median <"$work/program.$kind")"
  bare_median="$(median <"$work/bare.$kind")"
  echo "$kind, veltrano:    $(sort -n "$work/program.$kind" | tr '\n' ' ')"
  echo "$kind, bare window: $(sort -n "$work/bare.$kind" | tr '\n' ' ')"
  echo "$kind median of $runs: veltrano $program_median ms, bare window $bare_median ms," \
    "ratio $(awk -v p="$program_median" -v b="$bare_median" 'BEGIN { printf "%.2f", p / b }')"
done
