#!/usr/bin/env bash
# Builds the Debian package in build-package/, checks the installed files
# (desktop entry, AppStream metainfo, icons), installs the package on this
# machine with apt-get, and smoke-tests the installed program: every library
# resolves, and under a virtual display it opens its window and is still
# running when it is stopped after five seconds. Safe to run again; exits
# non-zero on the first failure.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-package"
stage="$build/stage"
app_id="io.github.veltrano.Veltrano"

fail() {
  echo "!! check-package: $*" >&2
  exit 1
}
step() { echo "== $*"; }

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)

step "build (Release) in build-package/"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELTRANO_WERROR=ON \
  -DVELTRANO_TESTS=OFF -DVELTRANO_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"

step "installed files"
rm -rf "$stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
expected=(
  usr/bin/veltrano
  "usr/share/applications/$app_id.desktop"
  "usr/share/metainfo/$app_id.metainfo.xml"
  "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
)
for size in 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for file in "${expected[@]}"; do
  [ -s "$stage/$file" ] || fail "the install step did not put $file in place"
done
for size in 32 48 64 128 256; do
  png="$stage/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  file -b "$png" | grep -q "PNG image data, $size x $size" || fail "$png is not a ${size}x${size} PNG"
done
desktop-file-validate "$stage/usr/share/applications/$app_id.desktop" || fail "the desktop entry is not valid"
appstreamcli validate --no-net "$stage/usr/share/metainfo/$app_id.metainfo.xml" || fail "the metainfo is not valid"

step "Debian package"
rm -f "$build"/veltrano_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/veltrano_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "CPack did not produce exactly one veltrano_*.deb"
deb="${debs[0]}"
depends="$(dpkg-deb -f "$deb" Depends)"
echo "$(basename "$deb"): Depends: $depends"
for needed in libqt6widgets6 libqt6gui6 "fonts-wqy-microhei | fonts-noto-cjk"; do
  grep -qF "$needed" <<<"$depends" || fail "the package does not depend on $needed"
done
recommends="$(dpkg-deb -f "$deb" Recommends)"
echo "$(basename "$deb"): Recommends: $recommends"
for wanted in qt6-translations-l10n qt6-wayland; do
  grep -qw "$wanted" <<<"$recommends" || fail "the package does not recommend $wanted"
done
contents="$(dpkg-deb -c "$deb")"
for file in "${expected[@]}"; do
  grep -q "\./$file\$" <<<"$contents" || fail "the package lacks /$file"
done

step "install with apt-get"
# --reinstall: a rebuilt package of the same version replaces the installed one.
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --reinstall "$deb"
installed_version="$(dpkg-query -W -f='${Version}' veltrano)"
[ "$installed_version" = "$(dpkg-deb -f "$deb" Version)" ] || fail "dpkg reports version $installed_version"
program="$(command -v veltrano)" || fail "veltrano is not on PATH after installing"
[ "$program" = /usr/bin/veltrano ] || fail "veltrano resolves to $program, not /usr/bin/veltrano"
desktop-file-validate "/usr/share/applications/$app_id.desktop" || fail "the installed desktop entry is not valid"
appstreamcli validate --no-net "/usr/share/metainfo/$app_id.metainfo.xml" || fail "the installed metainfo is not valid"

step "libraries of the installed program and of Qt's X11 platform plugin"
xcb_plugin="$(dpkg -L libqt6gui6 | grep '/platforms/libqxcb\.so$' || true)"
for binary in "$program" $xcb_plugin; do
  if ldd "$binary" | grep "not found"; then
    fail "libraries of $binary do not resolve"
  fi
done

step "start under a virtual display"
# The program must open its window and still be running when timeout stops it
# (status 124); a crash, an abort or an early exit is a failure.
log="$build/smoke.log"
status=0
# Qt's X11 platform explicitly: on a Wayland desktop Qt would otherwise open
# the window there (XDG_SESSION_TYPE, the compositor's default socket).
env -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  timeout 5 "$1" &
  pid=$!
  window=""
  for _ in $(seq 40); do
    window="$(xdotool search --onlyvisible --name "^Veltrano" 2>/dev/null | head -n1)" && [ -n "$window" ] && break
    sleep 0.1
  done
  wait "$pid" && status=0 || status=$?
  if [ -z "$window" ]; then
    echo "no window titled Veltrano appeared" >&2
    exit 99
  fi
  exit "$status"
' smoke "$program" >"$log" 2>&1 || status=$?
if [ "$status" -ne 124 ]; then
  cat "$log" >&2
  fail "the installed program under xvfb-run ended with status $status, not 124 (still running at the timeout)"
fi
echo "the installed program opened its window and ran until stopped"
echo "package checks passed"
