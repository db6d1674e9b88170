#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# For translators: gathers the texts the sources mark into po/umnozhenie.pot and merges
# them into every catalogue po/<code>.po, new texts untranslated and changed ones marked
# fuzzy, for the translator to fill in. The build then checks each catalogue.
# A new language: msginit -i po/umnozhenie.pot -l <code> -o po/<code>.po, an
# "X-Language-Name: <its own name>" line in its header, and its code in KORVANTA_LANGUAGES.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build
mapfile -t sources < <(git ls-files 'calc/*.cpp' 'calc/*.h' 'ui/*.cpp' 'ui/*.h' | LC_ALL=C sort)
python3 cmake/catalogue.py --extract xgettext po/umnozhenie.pot "${sources[@]}"
for po in po/*.po; do
  # Every line of the texts with CR LF line ends would be warned about: those warnings are left out.
  msgmerge --quiet --update --backup=none --no-fuzzy-matching "$po" po/umnozhenie.pot 2>&1 |
    { grep -v "internationalized messages should not contain" || true; }
done
echo "po/umnozhenie.pot and $(ls po/*.po | wc -l) catalogues updated"
