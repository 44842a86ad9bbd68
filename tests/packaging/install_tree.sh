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

readelf -d "$program" | grep -q 'RUNPATH.*\[\$ORIGIN/\.\./lib\]' || fail "RUNPATH is not \$ORIGIN/../lib"
if ldd "$program" | grep -F "$build"; then fail "libraries come from the build tree"; fi

run() { (cd "$root" && env -i PATH=/usr/bin:/bin HOME="$root/home" XDG_RUNTIME_DIR="$root/run" "$@"); }
[[ $(run "$program" --version) == "Beatloft $version" ]] || fail "--version"
said=$(run "$program" --render-wav "$root/usr/share/beatloft/Std.drm" "$root/std.wav" 2>&1) ||
    fail "--render-wav failed: $said"
# A message here would mean the instrument list beside the pattern was not found.
[[ -z $said ]] || fail "--render-wav said: $said"
[[ $(tail -c +45 "$root/std.wav" | tr -d '\0' | wc -c) -gt 10000 ]] || fail "the WAV file is silent"
desktop-file-validate "$root/usr/share/applications/beatloft.desktop" || fail "desktop entry"
