#!/usr/bin/env bash
# Fails when translations/beatloft_en.ts is not what scripts/update-translations makes of the
# sources: a text marked for translation is missing from it, or it keeps one the sources no
# longer have. The difference is printed; `cmake --build build --target update_translations`
# brings the file up to date, and the new texts then need their English translations.
set -euo pipefail
root=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$root/translations/beatloft_en.ts" "$scratch/beatloft_en.ts"
"$root/scripts/update-translations" "$scratch/beatloft_en.ts"
if ! diff -u "$root/translations/beatloft_en.ts" "$scratch/beatloft_en.ts"; then
    echo "translations/beatloft_en.ts is out of date (lines with + are what lupdate makes)"
    exit 1
fi
unfinished=$(grep -c 'type="unfinished"' "$root/translations/beatloft_en.ts" || true)
if [[ $unfinished -gt 0 ]]; then
    grep -B2 'type="unfinished"' "$root/translations/beatloft_en.ts" | grep '<source>'
    echo "$unfinished text(s) in translations/beatloft_en.ts have no English translation"
    exit 1
fi
