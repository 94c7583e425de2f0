#!/usr/bin/env bash
# Checks a built .deb the way a Debian user meets it: control fields, the unpacked file tree, the
# software catalogue that appstreamcli compose makes of it, and lintian with its informational tags.
# Usage: sjekk_pakke.sh <folder with the one .deb> <app id> <version>
set -euo pipefail
mappe=$1 id=$2 versjon=$3
deb=$mappe/kroppstall_${versjon}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "FAIL: no $deb"; exit 1; }
rot=$(mktemp -d)
fc=$(mktemp -d)
trap 'rm -rf "$rot" "$fc"' EXIT
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
# xdg-open starts the mail program and the browser from the menus; Wayland sessions want Qt's plugin.
har() { felt "$1" | tr ',' '\n' | awk '{print $1}' | grep -qxF "$2"; }
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6 fonts-liberation fonts-dejavu-core xdg-utils; do
    har Depends "$lib" || feil "Depends lacks $lib: $(felt Depends)"
done
har Recommends qt6-wayland || feil "Recommends lacks qt6-wayland: $(felt Recommends)"
# The menus take the desktop's font, fontconfig's "sans-serif" where no desktop sets one: with only the
# fonts the package depends on, that must be a proportional face (Liberation alone gives Liberation Mono).
skrifter=$(felt Depends | tr ',' '\n' | awk '{print $1}' | grep '^fonts-' | xargs dpkg -L 2>/dev/null |
           grep -E '\.(ttf|otf)$' | xargs -r -n1 dirname | sort -u)
{
    echo '<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd"><fontconfig>'
    for d in $skrifter; do echo "<dir>$d</dir>"; done
    echo "<include ignore_missing=\"yes\">/etc/fonts/conf.d</include><cachedir>$fc/cache</cachedir></fontconfig>"
} >"$fc/fonts.conf"
sans=$(FONTCONFIG_FILE="$fc/fonts.conf" fc-match -f '%{family[0]} %{spacing}' sans-serif)
[ -n "$skrifter" ] && [ "${sans##* }" != 100 ] && [ "${sans##* }" != 90 ] ||
    feil "with only the fonts in Depends, sans-serif is '$sans'"

dpkg-deb -x "$deb" "$rot"
for f in usr/bin/kroppstall \
         usr/share/applications/$id.desktop \
         usr/share/metainfo/$id.metainfo.xml \
         usr/share/icons/hicolor/16x16/apps/$id.png \
         usr/share/icons/hicolor/32x32/apps/$id.png \
         usr/share/icons/hicolor/48x48/apps/$id.png \
         usr/share/icons/hicolor/64x64/apps/$id.png \
         usr/share/icons/hicolor/128x128/apps/$id.png \
         usr/share/icons/hicolor/256x256/apps/$id.png \
         usr/share/icons/hicolor/scalable/apps/$id.svg \
         usr/share/man/man1/kroppstall.1.gz \
         usr/share/doc/kroppstall/changelog.gz \
         usr/share/doc/kroppstall/copyright; do
    [ -f "$rot/$f" ] || feil "missing /$f"
done
# Each PNG has the size of the folder it is in; the theme would scale a wrong one without a word.
for ikon in "$rot"/usr/share/icons/hicolor/*x*/apps/"$id".png; do
    n=$(basename "$(dirname "$(dirname "$ikon")")") n=${n%x*}
    file -b "$ikon" | grep -q "^PNG image data, $n x $n," || feil "${ikon#"$rot"} is $(file -b "$ikon")"
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

# The catalogue a software centre reads, composed from the unpacked package as a distribution would.
# The hints file first defines each tag with its severity, then lists the tags each component got;
# anything worse than info or pedantic fails, and so does a tag of unknown severity.
katalog=$(mktemp -d)
trap 'rm -rf "$rot" "$katalog"' EXIT
appstreamcli compose --no-color --no-net --origin=kroppstall --prefix=/usr --result-root="$katalog/ut" \
    --hints-dir="$katalog/hint" "$rot" || feil "appstreamcli compose failed"
hint=$(awk '/^- Tag: / { t = $3 } /^  Severity: / { grad[t] = $2 } /^ *- tag: / { print grad[$3] ": " $3 }' \
    "$katalog/hint/kroppstall.hints.yaml" 2>/dev/null) || feil "compose wrote no hints file"
[ -z "$hint" ] || echo "compose hints: $hint"
if echo "$hint" | grep -qvE '^(info|pedantic): |^$'; then feil "compose reports errors or warnings"; fi
xml=$katalog/ut/usr/share/swcatalog/xml/kroppstall.xml.gz
gzip -dc "$xml" | grep -qF "<id>$id</id>" || feil "catalogue lacks $id"
for n in 64 128; do
    gzip -dc "$xml" | grep -qF "<icon type=\"cached\" width=\"$n\" height=\"$n\">$id.png</icon>" ||
        feil "catalogue lists no cached ${n}x$n icon"
    file -b "$katalog/ut/usr/share/swcatalog/icons/kroppstall/${n}x$n/$id.png" 2>&1 |
        grep -q "^PNG image data, $n x $n," || feil "no cached ${n}x$n icon file"
done

# Errors and warnings fail, and so do the informational tags of a binary built without Debian's
# hardening flags or stripped less than dh_strip would; other informational tags are printed only.
ut=$(lintian -I --tag-display-limit 0 "$deb" 2>&1 | grep -v 'running with root privileges' || true)
[ -z "$ut" ] || echo "$ut"
if echo "$ut" | grep -qE '^[EW]: '; then feil "lintian reports errors or warnings"; fi
if echo "$ut" | grep -qE '^I: [^ ]+ (hardening-|binary-has-unneeded-section)'; then
    feil "lintian: the program lacks hardening or carries unneeded sections"
fi
exit $feil
