#!/usr/bin/env bash
# The window's sound heard through a real sound server: PulseAudio with a
# null sink, under a virtual display. A curve is drawn, chosen with Down and
# played with H on the drawing area; the sink's monitor is recorded and the
# recording's pitch track must match the command line's sound file of the
# same curve. Then the server goes away in the middle of a play: the program
# must go on. Exits 77 (skipped) where no sound server can start.
# Usage: check-playback.sh path/to/veltrano path/to/veltrano_sound_check [--no-compare]
# --no-compare (the sanitizer build) leaves out the comparison: a program
# slowed tenfold on a busy machine starves the server, whose null sink then
# skips ahead, and the recording no longer lines up.
set -uo pipefail
program="$1"
check="$2"
compare="${3:-}"
for tool in pulseaudio parecord pactl Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done
work="$(mktemp -d)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
    local tenths="$1"
    shift
    for _ in $(seq "$tenths"); do "$@" && return 0; sleep 0.1; done
    return 1
}
mkdir -m 700 "$work/run"
export HOME="$work" XDG_RUNTIME_DIR="$work/run" PULSE_SERVER="unix:$work/pulse.sock" LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

pulseaudio --daemonize=no -n --exit-idle-time=-1 --log-target=file:"$work/pulse.log" \
    --load="module-native-protocol-unix socket=$work/pulse.sock auth-anonymous=1" \
    --load="module-null-sink sink_name=heard rate=44100 channels=2" &
pulse=$!
pids+=("$pulse")
wait_for 100 pactl info >/dev/null 2>&1 || { echo "skipped: no sound server could start"; exit 77; }

Xvfb -noreset -displayfd 3 -screen 0 1024x768x24 3>"$work/display" 2>/dev/null &
pids+=($!)
wait_for 100 test -s "$work/display" || { echo "FAIL: no virtual display"; exit 1; }
export DISPLAY=":$(cat "$work/display")"
QT_QPA_PLATFORM=xcb "$program" >"$work/program.log" 2>&1 &
veltrano=$!
pids+=("$veltrano")
wait_for 200 xdotool search --name Veltrano >/dev/null || { echo "FAIL: no window"; exit 1; }
# The caret starts in field a; the drawing area is the last tab stop.
xdotool type --delay 20 "1"; xdotool key Tab; xdotool type --delay 20 -- "-3"; xdotool key Tab
xdotool type --delay 20 "1"; xdotool key Return
xdotool key shift+Tab shift+Tab shift+Tab Down

parecord -d heard.monitor --file-format=wav --format=s16le --rate=44100 --channels=2 --latency-msec=10 \
    "$work/heard.wav" &
recorder=$!
pids+=("$recorder")
wait_for 50 sh -c 'pactl list short source-outputs | grep -q .' || { echo "FAIL: not recording"; exit 1; }
playing() { pactl list short sink-inputs | grep -q .; }
xdotool key h
wait_for 50 playing || { echo "FAIL: H played nothing"; cat "$work/program.log"; exit 1; }
wait_for 100 sh -c '! pactl list short sink-inputs | grep -q .' || { echo "FAIL: the sound did not end"; exit 1; }
kill -INT "$recorder"
wait "$recorder"
"$program" --curve 1,-3,1 --sound "$work/made.wav" >/dev/null || { echo "FAIL: no sound file"; exit 1; }
if [ "$compare" != --no-compare ]; then
    "$check" "$work/heard.wav" "$work/made.wav" || { echo "FAIL: the recording differs from the sound file"; exit 1; }
fi

# Plays started and stopped in a row; then the sound server gone while a
# curve plays: the window stays and keeps working (a curve drawn after it
# shows on the screen).
xdotool key h h h space h h
wait_for 50 playing || { echo "FAIL: the second H played nothing"; exit 1; }
kill "$pulse"
wait "$pulse" 2>/dev/null
import -window root "$work/before.png"
xdotool key h Down h
# Back through the clear button and the draw button to field c: y = x² − 3x + 12.
xdotool key shift+Tab shift+Tab shift+Tab
xdotool type --delay 20 "2"; xdotool key Return
drawn() {
    import -window root "$work/after.png"
    [ "$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1)" != 0 ]
}
wait_for 100 drawn || { echo "FAIL: nothing drawn after the sound server went"; cat "$work/program.log"; exit 1; }
kill -0 "$veltrano" 2>/dev/null || { echo "FAIL: the program ended without a sound server"; cat "$work/program.log"; exit 1; }
echo "ok: the window's sound as recorded, and no sound server"
