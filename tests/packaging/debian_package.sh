#!/usr/bin/env bash
# Builds the Debian package into a temporary folder and checks its control fields and
# contents.
set -euo pipefail
build=$1 version=$2
fail() { echo "debian_package: $*" >&2; exit 1; }

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -B "$out" >/dev/null)
deb=$out/beatloft_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || fail "no $(basename "$deb")"

[[ $(dpkg-deb -f "$deb" Package) == beatloft ]] || fail "Package"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "Version"
[[ -n $(dpkg-deb -f "$deb" Maintainer) && -n $(dpkg-deb -f "$deb" Description) ]] || fail "Maintainer/Description"
depends=$(dpkg-deb -f "$deb" Depends)
for need in libqt6widgets6 librtmidi libasound2 libjack libfluidsynth libpulse0 timgm6mb-soundfont \
    qt6-translations-l10n; do
    [[ $depends == *"$need"* ]] || fail "Depends lacks $need: $depends"
done

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in usr/bin/beatloft usr/lib/beatloft/libsonaport.so.1 usr/lib/beatloft/libtapcell.so \
    usr/lib/beatloft/libbeatloft_system.so usr/lib/beatloft/libbeatloft_window.so \
    usr/lib/beatloft/libbeatloft_netcheck.so usr/lib/beatloft/libbeatloft_print.so \
    usr/lib/beatloft/libbeatloft_alsa.so \
    usr/share/beatloft/Instrumentation.txt \
    usr/share/beatloft/Std.drm usr/share/beatloft/StdFill.drm \
    usr/share/applications/beatloft.desktop usr/share/mime/packages/beatloft.xml \
    usr/share/icons/hicolor/scalable/apps/beatloft.svg usr/share/icons/hicolor/48x48/apps/beatloft.png \
    usr/share/doc/beatloft/copyright usr/share/doc/beatloft/changelog.gz; do
    grep -qx "./$file" <<<"$contents" || fail "$file is missing"
done
if grep -E 'tst_|bench|\.a$|/include/' <<<"$contents"; then fail "test or development files"; fi
if grep -E '^\./usr/lib/[^/]+$' <<<"$contents"; then fail "a library outside lib/beatloft"; fi

changelog=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/beatloft/changelog.gz | gzip -dc)
[[ ${changelog%%$'\n'*} == "beatloft ($version) "* ]] || fail "the changelog has no entry for $version"
# Private libraries need no ldconfig, so the package has no maintainer scripts at all.
if dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -E 'post(inst|rm)$'; then fail "maintainer scripts"; fi
lintian --fail-on error "$deb" || fail "lintian found errors"
