#!/usr/bin/env bash
# Checks a built .deb the way a Debian user meets it: control fields, the unpacked file tree, and
# lintian when it is installed. Usage: sjekk_pakke.sh <folder with the one .deb> <app id> <version>
set -euo pipefail
mappe=$1 id=$2 versjon=$3
deb=$mappe/kroppstall_${versjon}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "FAIL: no $deb"; exit 1; }
rot=$(mktemp -d)
trap 'rm -rf "$rot"' EXIT
feil=0
feil() { echo "FAIL: $*"; feil=1; }

felt() { dpkg-deb -f "$deb" "$1"; }
[ "$(felt Package)" = kroppstall ] || feil "Package is '$(felt Package)'"
[ "$(felt Version)" = "$versjon" ] || feil "Version is '$(felt Version)', not $versjon"
[ "$(felt Architecture)" = "$(dpkg --print-architecture)" ] || feil "Architecture is '$(felt Architecture)'"
for f in Maintainer Section Homepage Description; do
    [ -n "$(felt $f)" ] || feil "no $f field"
done
# The long description is what package managers show; one line of summary is not enough.
[ "$(felt Description | wc -l)" -ge 2 ] || feil "no extended description"
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6; do
    felt Depends | tr ',' '\n' | awk '{print $1}' | grep -qxF "$lib" || feil "Depends lacks $lib: $(felt Depends)"
done

dpkg-deb -x "$deb" "$rot"
for f in usr/bin/kroppstall \
         usr/share/applications/$id.desktop \
         usr/share/metainfo/$id.metainfo.xml \
         usr/share/icons/hicolor/16x16/apps/$id.png \
         usr/share/icons/hicolor/32x32/apps/$id.png \
         usr/share/icons/hicolor/48x48/apps/$id.png \
         usr/share/man/man1/kroppstall.1.gz \
         usr/share/doc/kroppstall/changelog.gz \
         usr/share/doc/kroppstall/copyright; do
    [ -f "$rot/$f" ] || feil "missing /$f"
done
# Nothing outside /usr, and nothing from the build machine's paths.
extra=$(cd "$rot" && find . -mindepth 1 -maxdepth 1 ! -name usr)
[ -z "$extra" ] || feil "files outside /usr: $extra"
[ -x "$rot/usr/bin/kroppstall" ] || feil "program is not executable"
file -b "$rot/usr/bin/kroppstall" | grep -q ', stripped' || feil "program is not stripped"
for gz in usr/share/man/man1/kroppstall.1.gz usr/share/doc/kroppstall/changelog.gz; do
    gzip -t "$rot/$gz" || feil "/$gz is not valid gzip"
done
gzip -dc "$rot/usr/share/doc/kroppstall/changelog.gz" | head -1 | grep -q "^kroppstall ($versjon) " ||
    feil "changelog does not start with this version"
grep -q "$versjon" "$rot/usr/share/metainfo/$id.metainfo.xml" || feil "metainfo lacks version $versjon"
grep -q '^Files: \*' "$rot/usr/share/doc/kroppstall/copyright" || feil "copyright is not machine-readable"
if command -v man >/dev/null; then
    warn=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$rot/usr/share/man/man1/kroppstall.1.gz" 2>&1 >/dev/null || true)
    [ -z "$warn" ] || feil "man page warnings: $warn"
fi

if command -v lintian >/dev/null; then
    # Errors and warnings fail; informational tags are printed only.
    ut=$(lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v 'running with root privileges' || true)
    [ -z "$ut" ] || echo "$ut"
    if echo "$ut" | grep -qE '^[EW]: '; then feil "lintian reports errors or warnings"; fi
else
    echo "lintian not installed: skipped"
fi
exit $feil
