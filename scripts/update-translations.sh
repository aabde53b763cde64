#!/usr/bin/env bash
# Brings the translation catalogues in resources/translations up to date with the texts in the
# sources (lupdate, from Debian's Qt tools): new texts are added unfinished, texts no longer used
# are dropped. Translate the new ones (with Qt Linguist or by hand), then build.
#   kvstandards  the standards module: its dialogs, commands and plug-ins
#   kvhost       the host library: the standards configuration and the host's commands
#   kvcad        kvcad's desktop window
# KV_TRANSLATIONS_DIR names another folder of catalogues to update (the translations test checks
# copies there).
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${KV_TRANSLATIONS_DIR:-resources/translations}
languages=(de)
for language in "${languages[@]}"; do
    lupdate -silent -no-obsolete -locations none ui module manager plugins \
        -ts "$folder/kvstandards_${language}.ts"
    lupdate -silent -no-obsolete -locations none platform/host -ts "$folder/kvhost_${language}.ts"
    lupdate -silent -no-obsolete -locations none app/desktop -ts "$folder/kvcad_${language}.ts"
done
