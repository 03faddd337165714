#!/usr/bin/env bash
# Starts the built program in a private session (a virtual X display, or a
# headless weston with --wayland) with the accessibility bus on, and prints
# its accessibility tree as a screen reader reads it, then any output of the
# program, each line after "program: ".
# Usage: scripts/read-accessibility.sh [path/to/veltrano] [--wayland] [--draw A,B,C ...]
# (--draw types a curve and presses the draw button through AT-SPI first).
set -euo pipefail
cd "$(dirname "$0")/.."
program="build-release/veltrano"
if [[ $# -gt 0 && $1 != --* ]]; then program="$1"; shift; fi
exec /usr/bin/python3 tools/read-accessibility-tree.py --start "$program" "$@"
