#!/usr/bin/env bash
# check-catalogue.sh <source-dir> <scratch-dir> <lupdate>
# The committed catalogue holds exactly the texts of the sources: lupdate, run
# over the sources into a copy of it, must leave the copy unchanged.
set -uo pipefail
root=$1 scratch=$2
export LUPDATE=$3
committed=$root/translations/quoddle_en.ts
mkdir -p "$scratch"
copy=$scratch/quoddle_en.ts
cp "$committed" "$copy"
"$root/scripts/update-translations" "$copy" || exit 1
if ! cmp -s "$committed" "$copy"; then
    echo "The texts of the sources differ from translations/quoddle_en.ts:"
    diff -u "$committed" "$copy"
    echo "Run scripts/update-translations, translate what it marks unfinished, and commit the catalogue."
    exit 1
fi
echo "catalogue up to date: $(grep -c '<message>' "$committed") texts"
