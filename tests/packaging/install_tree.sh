#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed program from there,
# with a bare environment and nothing of the build tree on its library path.
set -euo pipefail
build=$1 version=$2
fail() { echo "install_tree: $*" >&2; exit 1; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/home" "$root/run" && chmod 700 "$root/run"
cmake --install "$build" --prefix "$root/usr" >/dev/null
program=$root/usr/bin/beatloft

private=$root/usr/lib/beatloft
[[ $(ls "$root/usr/lib") == beatloft ]] || fail "lib/ holds more than the private folder"
[[ $(readelf -d "$program") == *'RUNPATH)'*'[$ORIGIN/../lib/beatloft]'* ]] ||
    fail "RUNPATH is not \$ORIGIN/../lib/beatloft"
libraries=$(ldd "$program")
if grep -F "$build" <<<"$libraries"; then fail "libraries come from the build tree"; fi
grep -qF "/lib/beatloft/libbeatloft_midi.so" <<<"$libraries" || fail "the program misses its libraries"
# Without a window the program loads no GUI library; the window module brings them. The
# synthesizer, the sound server's client, RtMidi, ALSA and JACK are opened when first used.
if grep -E "libQt6(Gui|Widgets)|libfluidsynth|libpulse|librtmidi|libasound|libjack" <<<"$libraries"; then
    fail "the program links what it opens later"
fi
# A library finds the others beside itself, whoever loads it.
for library in libsonaport.so.1 libbeatloft_window.so libbeatloft_netcheck.so libbeatloft_print.so \
    libbeatloft_alsa.so; do
    if ldd "$private/$library" | grep -E "not found|$build"; then fail "$library's libraries"; fi
done
# The version check and printing bring Qt Network and Qt Print Support in modules of their own.
if ldd "$private/libbeatloft_window.so" | grep -E "libQt6(Network|PrintSupport)"; then
    fail "the window module links what the version check and printing open later"
fi

run() { (cd "$root" && env -i PATH=/usr/bin:/bin HOME="$root/home" XDG_RUNTIME_DIR="$root/run" "$@"); }
[[ $(run "$program" --version) == "Beatloft $version" ]] || fail "--version"
said=$(run "$program" --render-wav "$root/usr/share/beatloft/Std.drm" "$root/std.wav" 2>&1) ||
    fail "--render-wav failed: $said"
# A message here would mean the instrument list beside the pattern was not found.
[[ -z $said ]] || fail "--render-wav said: $said"
[[ $(tail -c +45 "$root/std.wav" | tr -d '\0' | wc -c) -gt 10000 ]] || fail "the WAV file is silent"
# An installed program keeps its data folder in the user's folders, even for the tree's owner.
run env QT_QPA_PLATFORM=offscreen BEATLOFT_QUIT_AFTER_START=1 BEATLOFT_DESKTOP_REGISTRATION=0 \
    "$program" >/dev/null 2>&1 || fail "the editor did not start"
[[ ! -e $root/usr/share/beatloft/Data ]] || fail "the data folder is in the install tree"
[[ -d $root/home/.local/share/Beatloft ]] || fail "no data folder in the user's folders"
desktop-file-validate "$root/usr/share/applications/beatloft.desktop" || fail "desktop entry"
