#!/usr/bin/env bash
# Takes docs/screenshot.png: builds the program (Release, in build-release/),
# starts it on a virtual display, types three curves into the formula fields
# through the real window as a user would, and captures the main window.
# The info box then shows where the last curve meets the axes.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-release"
out="${1:-$root/docs/screenshot.png}"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELTRANO_TESTS=OFF -DVELTRANO_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target veltrano

# Runs inside the virtual display: $1 the program, $2 the picture to write.
session() {
  set -euo pipefail
  local program="$1" out="$2" window=""
  "$program" &
  program_pid=$!
  trap 'kill "$program_pid" 2>/dev/null || true' EXIT
  for _ in $(seq 100); do
    window="$(xdotool search --onlyvisible --name '^Veltrano' 2>/dev/null | head -n1)" || true
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "the main window did not appear" >&2; return 1; }
  sleep 0.5
  xdotool windowfocus "$window"

  # Click into the field for a: below the menu bar, in the top bar at
  # (234, 33, 55 × 24); the click lands inside for any menu bar 10 to 34 pixels high.
  xdotool mousemove --window "$window" 261 67 click 1
  xdotool mousemove 1010 760  # keep the pointer off the window
  local curve first=1
  for curve in "1 0 -4" "-0.5 1 3" "0 2 -1"; do
    read -r a b c <<<"$curve"
    [ "$first" = 1 ] || xdotool key shift+Tab shift+Tab  # from the field for c back to a
    first=0
    # Fill a, b and c, each replacing what the field held, then press Enter.
    xdotool key ctrl+a && xdotool type --delay 40 -- "$a" && xdotool key Tab
    xdotool key ctrl+a && xdotool type --delay 40 -- "$b" && xdotool key Tab
    xdotool key ctrl+a && xdotool type --delay 40 -- "$c" && xdotool key Return
    sleep 0.5
  done
  sleep 0.5
  import -window "$window" "$out"
}

mkdir -p "$(dirname "$out")"
# "." is the decimal separator of the typed coefficients.
# Qt's X11 platform explicitly, even on a Wayland desktop.
LC_ALL=C.UTF-8 env -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$(declare -f session); session \"\$@\"" session \
  "$build/veltrano" "$out"
echo "wrote $out"
