#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The build's check of the catalogues stops at each way a catalogue can go wrong, and
# names the file and the text: a text missing, one left untranslated or fuzzy, one the
# program no longer has, other placeholders, and a Bulgarian text changed.
# Usage: catalogues_check_test.sh CATALOGUE.PY TEMPLATE.POT PO_DIR WORK_DIR
set -euo pipefail
script=$1 pot=$2 po=$3 work=$4
rm -rf "$work" && mkdir -p "$work"
failures=0

# expect <what> <message> <sed program for en.po> [<sed program for bg.po>]
expect() {
  sed "$3" "$po/en.po" > "$work/en.po"
  sed "${4:-}" "$po/bg.po" > "$work/bg.po"
  if python3 "$script" "$work/out.cpp" "$pot" bg="$work/bg.po" en="$work/en.po" 2> "$work/err"; then
    echo "FAIL: $1: the check passed"; failures=$((failures + 1))
  elif ! grep -qF "$2" "$work/err"; then
    echo "FAIL: $1: expected \"$2\", got:"; cat "$work/err"; failures=$((failures + 1))
  fi
}

python3 "$script" "$work/out.cpp" "$pot" bg="$po/bg.po" en="$po/en.po"
expect "missing" 'en.po: no translation of "Сметни"' '/^msgid "Сметни"$/,/^$/d'
expect "untranslated" 'en.po: "Чисти" is not translated' 's/^msgstr "Clear"$/msgstr ""/'
expect "fuzzy" 'en.po: "Чисти" is marked fuzzy' '/^msgid "Чисти"$/i #, fuzzy'
expect "placeholders" 'the translation has other placeholders' 's/^msgstr "Well done! %1\$s"$/msgstr "Well done!"/'
expect "bulgarian" 'the Bulgarian text must stay as it is written' '' 's/^msgstr "Сметни"$/msgstr "Сметни!"/'
expect "stale" 'is not a text of the program any more' '$a\\nmsgid "Старо"\nmsgstr "Old"'
exit $((failures > 0))
