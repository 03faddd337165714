#!/usr/bin/env bash
# Runs the built program as a process: --version, --help and pictures from
# the command line need no display, wrong arguments are usage errors (status
# 2), a picture that cannot be made is a failure (status 1) that writes
# nothing, and a window that cannot open is told in one line with status 1,
# never a crash.
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

# Pictures and sounds from the command line.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
picture=("${no_display[@]}" "$program")
expect "a PNG with its plain text" 0 $'^1\t-3\t1\t\(2\.61803398874989,0\)\t\(0\.381966011250105,0\)\t\(0,1\)$' \
    "${picture[@]}" --curve 1,-3,1 --curve ,1, -o "$work/graph.png"
expect "an SVG at the fine step" 0 "^y=x²-3x\+1$" "${picture[@]}" --curve=1,-3,1 --fine -o "$work/graph.svg"
expect "a PDF at scale 3" 0 "顶点 \(3/2,-5/4\)" "${picture[@]}" --curve 1,-3,1 --scale 3 -o "$work/graph.PDF"
expect "a BMP, another image type" 0 "^y=x²-3x\+1$" "${picture[@]}" --curve 1,-3,1 -o "$work/graph.bmp"
head -c 8 "$work/graph.png" | grep -q PNG || { echo "FAIL: graph.png is no PNG"; failures=$((failures + 1)); }
grep -q "<polyline" "$work/graph.svg" || { echo "FAIL: graph.svg has no polyline"; failures=$((failures + 1)); }
head -c 5 "$work/graph.PDF" | grep -q "%PDF" || { echo "FAIL: graph.PDF is no PDF"; failures=$((failures + 1)); }
head -c 2 "$work/graph.bmp" | grep -q "BM" || { echo "FAIL: graph.bmp is no BMP"; failures=$((failures + 1)); }
expect "a sound alone with its plain text" 0 $'^1\t-3\t1\t\(2\.61803398874989,0\)' \
    "${picture[@]}" --curve 1,-3,1 --curve=-2,7,-3 --sound "$work/curves.wav"
expect "a picture and a sound at speed 9" 0 "^y=x²-3x\+1$" \
    "${picture[@]}" --curve 1,-3,1 -o "$work/both.png" --sound "$work/both.WAV" --speed 9
# 44 header bytes and 4 a frame: two curves of 3 s half a second apart, one of 1 s.
for wav in "curves.wav 1146644" "both.WAV 176444"; do
    set -- $wav
    [ "$(head -c 4 "$work/$1")$(stat -c %s "$work/$1")" = "RIFF$2" ] || { echo "FAIL: $1"; failures=$((failures + 1)); }
done
expect "a sound of another type" 2 "bad.mp3: the sound file's name must end in .wav" \
    "${picture[@]}" --curve 1,2,3 --sound "$work/bad.mp3"
expect "a speed of 10" 2 "speed is a whole number from 1 to 9" "${picture[@]}" --curve 1,2,3 --speed 10 --sound "$work/bad.wav"
expect "an unparsable coefficient" 2 "curve 2, coefficient b: 'x' is not a valid floating point value" \
    "${picture[@]}" --curve 1,2,3 --curve 1,x,1 -o "$work/bad.png"
expect "two coefficients" 2 "give three coefficients" "${picture[@]}" --curve 1,2 -o "$work/bad.png"
expect "no curve" 2 "no curve given" "${picture[@]}" -o "$work/bad.png"
expect "no output file" 2 "no output file" "${picture[@]}" --curve 1,2,3
expect "an image type Qt cannot write" 2 "bad.gif: the file name must end in .png, .svg, .pdf or .*\.bmp" \
    "${picture[@]}" --curve 1,2,3 -o "$work/bad.gif"
expect "no extension" 2 "bad: the file name must end in" "${picture[@]}" --curve 1,2,3 -o "$work/bad"
expect "a second -o" 2 "only one output file" "${picture[@]}" --curve 1,2,3 -o "$work/bad.png" --output="$work/bad.svg"
expect "a scale of 9" 2 "scale is a whole number from 1 to 8" "${picture[@]}" --curve 1,2,3 --scale 9 -o "$work/bad.png"
expect "a scale of 0" 2 "scale is a whole number from 1 to 8" "${picture[@]}" --curve 1,2,3 --scale 0 -o "$work/bad.png"
echo keep >"$work/kept.png"
echo keep >"$work/kept.wav"
expect "a tracing that fails" 1 "^veltrano: curve 2: Invalid floating point operation\.$" \
    "${picture[@]}" --curve 1,2,3 --curve 1E300,0,0 -o "$work/kept.png" --sound "$work/kept.wav"
expect "a tracing that fails, for a sound alone" 1 "^veltrano: curve 1: Invalid floating point operation\.$" \
    "${picture[@]}" --curve 1E300,0,0 --sound "$work/kept.wav"
expect "a file that cannot be written" 1 "cannot write $work/no/such/dir.png" \
    "${picture[@]}" --curve 1,2,3 -o "$work/no/such/dir.png"
expect "a sound that cannot be written" 1 "cannot write $work/no/such/dir.wav" \
    "${picture[@]}" --curve 1,2,3 --sound "$work/no/such/dir.wav"
[ "$(cat "$work/kept.png" "$work/kept.wav")" = $'keep\nkeep' ] ||
    { echo "FAIL: a failed run changed an existing file"; failures=$((failures + 1)); }
[ -z "$(find "$work" -name 'bad*')" ] || { echo "FAIL: a usage error wrote a file"; failures=$((failures + 1)); }
leftovers="$(find "$work" -type f | wc -l)"
[ "$leftovers" -eq 9 ] || { echo "FAIL: $leftovers files in the work folder, 9 expected"; failures=$((failures + 1)); }

echo "$failures failed"
[ "$failures" -eq 0 ]
