#!/usr/bin/env bash
# Brings translations/pelkit_recorder_en.ts up to date with the program's texts: those of every
# window template that is shown (printed by the pelkit_template_texts tool), the main window's
# title, and the messages the code passes through translate("message", ...). New texts arrive
# "unfinished", without English; give them their English (Qt Linguist, `linguist`, or a text
# editor) and rebuild. Texts that are gone are dropped.
#
#   scripts/update-translations.sh            update the .ts source, list what lacks English
#   scripts/update-translations.sh --check    change nothing; fail when the .ts source is not up
#                                             to date or a text lacks its English (a CTest test)
#
# BUILD_DIR (default build) is the build folder; LUPDATE the lupdate of Qt 6.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
ts=translations/pelkit_recorder_en.ts
lupdate="${LUPDATE:-}"
if [ -z "$lupdate" ]; then
  bins=$(qtpaths6 --query QT_HOST_BINS 2>/dev/null || echo /usr/lib/qt6/bin)
  lupdate="$bins/lupdate"
fi
[ -x "$lupdate" ] || { echo "lupdate of Qt 6 not found (Debian: qt6-l10n-tools)" >&2; exit 1; }

check=0
[ "${1:-}" = "--check" ] && check=1
if [ $check = 0 ]; then
  cmake -S . -B "$build" -DPELKIT_WERROR=ON >/dev/null
  cmake --build "$build" -j"$(nproc)" --target pelkit_template_texts >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/pelkit_template_texts" > "$work/template_texts.cpp"
if [ -f "$ts" ]; then cp "$ts" "$work/current.ts"; fi
"$lupdate" -silent -locations none -no-obsolete -source-language ja -target-language en \
  src "$work/template_texts.cpp" -ts "$work/current.ts"

if [ $check = 1 ]; then
  if ! diff -u "$ts" "$work/current.ts"; then
    echo "$ts is not up to date: run scripts/update-translations.sh and give new texts their English" >&2
    exit 1
  fi
else
  cp "$work/current.ts" "$ts"
fi
missing=$(grep -c 'type="unfinished"' "$ts" || true)
if [ "$missing" != 0 ]; then
  echo "$missing text(s) in $ts have no English yet:" >&2
  grep -B1 'type="unfinished"' "$ts" | grep '<source>' | sed 's/^ */  /' >&2
  exit 1
fi
echo "$ts: every text has its English"
