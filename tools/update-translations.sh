#!/usr/bin/env bash
# Collects every translatable text of the program into res/translations/qelt32_*.ts,
# keeping the translations made so far, and fills new entries from the phrase books
# (res/translations/qelt32_*.qph). Run it after adding or changing tr() texts; translate
# what it reports as untranslated with Qt Linguist, or add it to the phrase books.
set -euo pipefail
cd "$(dirname "$0")/.."
LUPDATE=$(command -v lupdate6 || command -v lupdate || echo /usr/lib/qt6/bin/lupdate)

sources=()
for dir in app doc panel dialogs fullscreen platform link cli; do
    [ -d "$dir" ] && sources+=("$dir")
done

for lang in de fr ja; do
    ts=res/translations/qelt32_$lang.ts
    "$LUPDATE" -silent -locations none -no-obsolete -source-language en -target-language "$lang" -I . \
        "${sources[@]}" -ts "$ts"
    python3 tools/apply-phrasebook.py "$ts" res/translations/qelt32_$lang.qph
    # Once more, so the file keeps lupdate's own layout.
    "$LUPDATE" -silent -locations none -no-obsolete -source-language en -target-language "$lang" -I . \
        "${sources[@]}" -ts "$ts"
done
