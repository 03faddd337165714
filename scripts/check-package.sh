#!/usr/bin/env bash
# Builds the Debian package in build-package/, checks the installed files
# (desktop entry, AppStream metainfo, icons), installs the package on this
# machine with apt-get, and smoke-tests the installed program: every library
# resolves, and under a virtual display it opens its window and is still
# running when it is stopped. Safe to run again; exits
# non-zero on the first failure.
# Usage: check-package.sh [BUILD-DIR]: a Release build directory already
# configured (scripts/test.sh passes the one its tests ran in) is packaged
# as it is; without one, build-package/ is configured and built.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build-package}"
stage="$build/stage"
app_id="io.github.veltrano.Veltrano"

fail() {
  echo "!! check-package: $*" >&2
  exit 1
}
step() { echo "== $*"; }

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)

step "build (Release) in $build"
if [ $# -eq 0 ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELTRANO_WERROR=ON \
    -DVELTRANO_TESTS=OFF -DVELTRANO_BENCH=OFF >/dev/null
fi
grep -q '^CMAKE_BUILD_TYPE:STRING=Release$' "$build/CMakeCache.txt" || fail "$build is not a Release build"
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
# The program must open its window, visible on the X display, then answer
# over the accessibility bus (its event loop runs), and still be running when
# it is stopped; a crash, an abort or an early exit is a failure. The private
# session (tests/accessibility/desktop_session.py) has its own Xvfb on a free
# display, a clean environment and Qt's X11 platform explicitly, whatever
# desktop this runs on.
/usr/bin/python3 - "$root/tests/accessibility" "$program" <<'PYTHON' || fail "the installed program did not open its window and keep running"
import subprocess, sys
sys.dont_write_bytecode = True
sys.path.insert(0, sys.argv[1])
from desktop_session import DesktopSession, SessionError, wait_until

with DesktopSession() as session:
    session.start_x_display()
    session.start_accessibility_bus()
    program = session.start_program([sys.argv[2]])

    def window():
        session.check_running("program", program)
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Veltrano"],
                               env=session.env, capture_output=True, text=True)
        return found.stdout.split()
    try:
        wait_until(window, "visible window titled Veltrano")
        session.wait_for_application("veltrano")
        session.check_running("program", program)
    except SessionError as error:
        sys.exit(f"check-package: {error}")
PYTHON
echo "the installed program opened its window and ran until stopped"
echo "package checks passed"
