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

# Every run gets only the environment it needs, whatever the caller has set
# (a desktop's DISPLAY, WAYLAND_DISPLAY, XDG_SESSION_TYPE, QT_QPA_PLATFORM):
# a private HOME and runtime directory, a locale, and the sanitizers' options.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
no_display=(env -i PATH="$PATH" HOME="$work" XDG_RUNTIME_DIR="$work/runtime" LC_ALL=C.UTF-8)
for name in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
    [ -n "${!name:-}" ] && no_display+=("$name=${!name}")
done
# An X display number that no server on this machine has.
dead=97
while [ -e "/tmp/.X11-unix/X$dead" ] || [ -e "/tmp/.X$dead-lock" ]; do dead=$((dead + 1)); done

expect "--version without a display" 0 "^veltrano ${version//./\\.}\$" "${no_display[@]}" "$program" --version
expect "--help without a display" 0 "^Usage: veltrano" "${no_display[@]}" "$program" --help
expect "an unknown option" 2 "unknown option --colour" "${no_display[@]}" "$program" --colour
expect "no display at all" 1 "xvfb-run -a veltrano" "${no_display[@]}" "$program"
expect "a display with no server" 1 "^veltrano: cannot open the window \(.*:$dead.*\); .*xvfb-run -a veltrano\$" \
    "${no_display[@]}" DISPLAY=":$dead" "$program"
expect "a missing platform plugin" 1 "^veltrano: cannot open the window \(.*veltrano-no-such-platform.*\)" \
    "${no_display[@]}" QT_QPA_PLATFORM=veltrano-no-such-platform "$program"
# With Qt's Wayland plugin installed or without it.
expect "a Wayland display with no compositor" 1 "^veltrano: cannot open the window \(.+\); " \
    "${no_display[@]}" QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=veltrano-no-such-socket "$program"
# One line, whatever failed.
lines="$("${no_display[@]}" DISPLAY=":$dead" "$program" 2>&1 | wc -l)"
[ "$lines" -eq 1 ] || { echo "FAIL: $lines lines for a display with no server"; failures=$((failures + 1)); }

# Pictures and sounds from the command line.
out="$work/out"
mkdir "$out"
picture=("${no_display[@]}" "$program")
expect "a PNG with its plain text" 0 $'^1\t-3\t1\t\(2\.61803398874989,0\)\t\(0\.381966011250105,0\)\t\(0,1\)$' \
    "${picture[@]}" --curve 1,-3,1 --curve ,1, -o "$out/graph.png"
expect "an SVG at the fine step" 0 "^y=x²-3x\+1$" "${picture[@]}" --curve=1,-3,1 --fine -o "$out/graph.svg"
expect "a PDF at scale 3" 0 "顶点 \(3/2,-5/4\)" "${picture[@]}" --curve 1,-3,1 --scale 3 -o "$out/graph.PDF"
expect "a BMP, another image type" 0 "^y=x²-3x\+1$" "${picture[@]}" --curve 1,-3,1 -o "$out/graph.bmp"
head -c 8 "$out/graph.png" | grep -q PNG || { echo "FAIL: graph.png is no PNG"; failures=$((failures + 1)); }
grep -q "<polyline" "$out/graph.svg" || { echo "FAIL: graph.svg has no polyline"; failures=$((failures + 1)); }
head -c 5 "$out/graph.PDF" | grep -q "%PDF" || { echo "FAIL: graph.PDF is no PDF"; failures=$((failures + 1)); }
head -c 2 "$out/graph.bmp" | grep -q "BM" || { echo "FAIL: graph.bmp is no BMP"; failures=$((failures + 1)); }
expect "a sound alone with its plain text" 0 $'^1\t-3\t1\t\(2\.61803398874989,0\)' \
    "${picture[@]}" --curve 1,-3,1 --curve=-2,7,-3 --sound "$out/curves.wav"
expect "a picture and a sound at speed 9" 0 "^y=x²-3x\+1$" \
    "${picture[@]}" --curve 1,-3,1 -o "$out/both.png" --sound "$out/both.WAV" --speed 9
# 44 header bytes and 4 a frame: two curves of 3 s half a second apart, one of 1 s.
for wav in "curves.wav 1146644" "both.WAV 176444"; do
    set -- $wav
    [ "$(head -c 4 "$out/$1")$(stat -c %s "$out/$1")" = "RIFF$2" ] || { echo "FAIL: $1"; failures=$((failures + 1)); }
done
expect "a sound of another type" 2 "bad.mp3: the sound file's name must end in .wav" \
    "${picture[@]}" --curve 1,2,3 --sound "$out/bad.mp3"
expect "a speed of 10" 2 "speed is a whole number from 1 to 9" "${picture[@]}" --curve 1,2,3 --speed 10 --sound "$out/bad.wav"
expect "an unparsable coefficient" 2 "curve 2, coefficient b: 'x' is not a valid floating point value" \
    "${picture[@]}" --curve 1,2,3 --curve 1,x,1 -o "$out/bad.png"
expect "two coefficients" 2 "give three coefficients" "${picture[@]}" --curve 1,2 -o "$out/bad.png"
expect "no curve" 2 "no curve given" "${picture[@]}" -o "$out/bad.png"
expect "no output file" 2 "no output file" "${picture[@]}" --curve 1,2,3
expect "an image type Qt cannot write" 2 "bad.gif: the file name must end in .png, .svg, .pdf or .*\.bmp" \
    "${picture[@]}" --curve 1,2,3 -o "$out/bad.gif"
expect "no extension" 2 "bad: the file name must end in" "${picture[@]}" --curve 1,2,3 -o "$out/bad"
expect "a second -o" 2 "only one output file" "${picture[@]}" --curve 1,2,3 -o "$out/bad.png" --output="$out/bad.svg"
expect "a scale of 9" 2 "scale is a whole number from 1 to 8" "${picture[@]}" --curve 1,2,3 --scale 9 -o "$out/bad.png"
expect "a scale of 0" 2 "scale is a whole number from 1 to 8" "${picture[@]}" --curve 1,2,3 --scale 0 -o "$out/bad.png"
# A list beside --curve, and Copy's text on standard input, draw what the same --curve arguments draw.
lists="$work/lists"
mkdir "$lists"
same() { cmp -s "$2" "$3" && echo "ok: $1" || { echo "FAIL: $1: $2 and $3 differ"; failures=$((failures + 1)); }; }
printf '1\t-3\t1\r\n\n\t1\t' >"$lists/good.txt"
"${picture[@]}" --curve 2,0,0 --curve 1,-3,1 --curve ,1, --curve 0,0,1 -o "$lists/arguments.png" >"$lists/arguments.txt"
"${picture[@]}" --curve 2,0,0 --curves "$lists/good.txt" --curve 0,0,1 -o "$lists/file.png" >/dev/null
same "a list's picture" "$lists/arguments.png" "$lists/file.png"
"${picture[@]}" --curves - -o "$lists/copied.png" <"$lists/arguments.txt" >/dev/null
same "Copy's text from standard input" "$lists/arguments.png" "$lists/copied.png"
printf '1\t2\t3\n\n1\t2\n' >"$lists/bad.txt"
expect "a list with a bad line" 2 "^veltrano: $lists/bad.txt: line 3: not three fields separated by tabs" \
    "${picture[@]}" --curve 1,2,3 --curves "$lists/bad.txt" -o "$out/bad-list.png"
expect "a missing list" 2 "^veltrano: cannot read $lists/none.txt: No such file or directory$" \
    "${picture[@]}" --curves "$lists/none.txt" -o "$out/bad-list.png"
expect "an empty list" 2 "^veltrano: no curve given" "${picture[@]}" --curves /dev/null -o "$out/bad-list.png"
echo keep >"$out/kept.png"
echo keep >"$out/kept.wav"
expect "a tracing that fails" 1 "^veltrano: curve 2: Invalid floating point operation\.$" \
    "${picture[@]}" --curve 1,2,3 --curve 1E300,0,0 -o "$out/kept.png" --sound "$out/kept.wav"
expect "a tracing that fails, for a sound alone" 1 "^veltrano: curve 1: Invalid floating point operation\.$" \
    "${picture[@]}" --curve 1E300,0,0 --sound "$out/kept.wav"
expect "a file that cannot be written" 1 "cannot write $out/no/such/dir.png" \
    "${picture[@]}" --curve 1,2,3 -o "$out/no/such/dir.png"
expect "a sound that cannot be written" 1 "cannot write $out/no/such/dir.wav" \
    "${picture[@]}" --curve 1,2,3 --sound "$out/no/such/dir.wav"
[ "$(cat "$out/kept.png" "$out/kept.wav")" = $'keep\nkeep' ] ||
    { echo "FAIL: a failed run changed an existing file"; failures=$((failures + 1)); }
[ -z "$(find "$out" -name 'bad*')" ] || { echo "FAIL: a usage error wrote a file"; failures=$((failures + 1)); }
leftovers="$(find "$out" -type f | wc -l)"
[ "$leftovers" -eq 9 ] || { echo "FAIL: $leftovers files in the work folder, 9 expected"; failures=$((failures + 1)); }

echo "$failures failed"
[ "$failures" -eq 0 ]
