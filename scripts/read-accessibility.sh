#!/usr/bin/env bash
# Starts the built program under a virtual display with the accessibility bus
# on, and prints its accessibility tree as a screen reader reads it.
# Usage: scripts/read-accessibility.sh [path/to/veltrano] [--draw A,B,C ...]
# (--draw types a curve and presses the draw button through AT-SPI first).
set -euo pipefail
cd "$(dirname "$0")/.."
program="build-release/veltrano"
if [[ $# -gt 0 && $1 != --* ]]; then program="$1"; shift; fi
exec xvfb-run -a dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  sleep 1
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$0" &
  pid=$!
  sleep 2
  /usr/bin/python3 tools/read-accessibility-tree.py veltrano "${@:1}"
  status=$?
  kill $pid
  exit $status' "$program" "$@"
