#!/usr/bin/env bash
# Builds the fuzz targets (number parser, number text, exact forms, curve lists) in
# build-fuzz/ and runs each for the given number of seconds (default 60), then builds them on the portable extended
# type in build-fuzz-portable/ and runs each for a quarter of that. New
# inputs collect in <build>/corpus/, crashing inputs in <build>/artifacts/.
# Exits non-zero if a target fails.
set -euo pipefail

seconds="${1:-60}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-fuzz"
compiler="${CXX_FUZZ:-$(command -v clang++-14 || command -v clang++)}"

status=0

# Builds the targets in $1 with the extra CMake options that follow, and runs
# each for $seconds.
fuzz_build() {
  local build="$1"
  shift
  cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER="$compiler" "$@" >/dev/null
  cmake --build "$build" -j2
  for kind in parse text exact list; do
    case "$kind" in
      parse) target=FuzzNumberParse ;;
      text) target=FuzzNumberText ;;
      exact) target=FuzzExactForms ;;
      list) target=FuzzCurveList ;;
    esac
    work_corpus="$build/corpus/$kind"
    artifacts="$build/artifacts/$kind/"
    mkdir -p "$work_corpus" "$artifacts"
    echo "== $target ($build) for ${seconds}s"
    dict=()
    [[ -f "$root/fuzz/$kind.dict" ]] && dict=(-dict="$root/fuzz/$kind.dict")
    # -timeout: an input that runs for 10 s counts as a hang and fails at once.
    if ! "$build/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 "${dict[@]}" \
        -artifact_prefix="$artifacts" "$work_corpus" "$root/fuzz/corpus/$kind"; then
      echo "!! $target failed; the input is in $artifacts" >&2
      status=1
    fi
  done
}

fuzz_build "$build"
full_seconds="$seconds"
seconds=$(( full_seconds / 4 > 5 ? full_seconds / 4 : 5 ))
fuzz_build "$root/build-fuzz-portable" -DVELTRANO_PORTABLE_EXTENDED=ON
exit "$status"
