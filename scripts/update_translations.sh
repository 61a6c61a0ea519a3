#!/usr/bin/env bash
# Brings every translation (translations/radio-programmer_*.ts) up to date with the sources:
# texts added to the program appear as unfinished entries, texts it no longer has are dropped.
# Translate the unfinished entries afterwards (Qt Linguist, or any editor); the translation
# test fails until none is left.
# usage: scripts/update_translations.sh [LANGUAGE...]   e.g. zh_CN de (default: every file)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

lupdate=${LUPDATE:-}
if [ -z "$lupdate" ]; then
  for candidate in lupdate-qt6 /usr/lib/qt6/bin/lupdate lupdate; do
    if command -v "$candidate" >/dev/null 2>&1; then lupdate=$candidate; break; fi
  done
fi
[ -n "$lupdate" ] || { echo "lupdate not found (Debian: qt6-l10n-tools)" >&2; exit 1; }

files=()
if [ $# -gt 0 ]; then
  for lang in "$@"; do files+=("translations/radio-programmer_$lang.ts"); done
else
  files=(translations/radio-programmer_*.ts)
fi
# The same sources and options the translation test uses.
exec "$lupdate" -silent -locations none -no-obsolete -extensions cpp,h -I . desktop qt core -ts "${files[@]}"
