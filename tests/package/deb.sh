#!/usr/bin/env bash
# The Debian package as scripts/package makes it: lintian finds no error nor
# warning, and the package holds the launcher, the program, the data, the
# desktop files and the man page, with the X library as a dependency.
set -u
src=$1
fail() { echo "FAIL: $*"; exit 1; }
bash "$src/scripts/package" >/dev/null || fail "scripts/package"
deb=$(ls "$src"/build/package/rullomat_*.deb) || fail "no package"
lintian --fail-on error,warning "$deb" || fail "lintian"
files=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for f in games/rullomat lib/games/rullomat/rullomat share/games/rullomat/Data/frutta96x96.bin \
    share/applications/org.example.rullomat.desktop share/metainfo/org.example.rullomat.metainfo.xml \
    share/icons/hicolor/256x256/apps/rullomat.png share/man/man6/rullomat.6.gz share/doc/rullomat/copyright; do
    echo "$files" | grep -qx "./usr/$f" || fail "not in the package: /usr/$f"
done
dpkg-deb -f "$deb" Depends | grep -q libx11-6 || fail "Depends: $(dpkg-deb -f "$deb" Depends)"
echo "ok: $deb"
