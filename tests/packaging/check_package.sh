#!/bin/sh
# Builds the Debian package, has lintian check it, unpacks it into a temporary root
# and starts the unpacked game on an X server of its own: it must show its window.
set -eu
build=$1
cd "$build"
rm -f brindle_*.deb
cpack -G DEB >/dev/null
deb=$(ls brindle_*.deb)
echo "built $deb: $(dpkg-deb -f "$deb" Version), depends on $(dpkg-deb -f "$deb" Depends)"

# Any error fails the check. (Lintian also remarks on being run as root: not ours.)
if ! lintian --fail-on error "$deb" >lintian.txt 2>&1; then
    grep -v 'root privileges' lintian.txt
    exit 1
fi
grep -v 'root privileges' lintian.txt || echo "lintian: nothing to report"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
for f in usr/games/brindle usr/share/applications/com.quorvane.Brindle.desktop \
         usr/share/metainfo/com.quorvane.Brindle.metainfo.xml \
         usr/share/icons/hicolor/16x16/apps/com.quorvane.Brindle.png \
         usr/share/icons/hicolor/32x32/apps/com.quorvane.Brindle.png \
         usr/share/icons/hicolor/48x48/apps/com.quorvane.Brindle.png; do
    [ -f "$root/$f" ] || { echo "missing from the package: $f"; exit 1; }
done

# The window is up once the server lists it as viewable.
xvfb-run -a -s "-nolisten tcp" sh -c '
    "$0" 2>/dev/null &
    timeout 20 xdotool search --sync --onlyvisible --name "^Quorvane Brindle\$" >/dev/null
    shown=$?; kill $!; exit $shown' "$root/usr/games/brindle" || { echo "the installed game showed no window"; exit 1; }
echo "the installed game shows its window"
