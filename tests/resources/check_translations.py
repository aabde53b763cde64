#!/usr/bin/python3
"""Checks the translation catalogues in resources/translations against the sources.

Usage: check_translations.py SOURCE_DIR

Copies of the catalogues are brought up to date with scripts/update-translations.sh (lupdate),
so a text added to the sources without a translation shows up as unfinished. Every message must
then have a finished translation with the same placeholders (%1, %2, ...) and, where the source
marks a mnemonic with "&", one mnemonic too. Prints each fault and exits 1 if there is any.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

PLACEHOLDER = re.compile(r"%\d+")


def mnemonics(text):
    return len(re.findall(r"&(?!&)", text.replace("&&", "")))


def faults_of(catalogue):
    faults = []
    for context in ET.parse(catalogue).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            text = translation.text or "" if translation is not None else ""
            where = f"{catalogue.name}: {name}: \"{source}\""
            if translation is None or translation.get("type") == "unfinished" or not text:
                faults.append(f"{where} has no translation")
                continue
            if sorted(PLACEHOLDER.findall(source)) != sorted(PLACEHOLDER.findall(text)):
                faults.append(f"{where}: \"{text}\" has other placeholders")
            if mnemonics(source) != mnemonics(text):
                faults.append(f"{where}: \"{text}\" has no mnemonic, or more than one")
    return faults


def main(argv):
    source = Path(argv[1])
    committed = sorted((source / "resources" / "translations").glob("*.ts"))
    if not committed:
        print("no catalogues in resources/translations")
        return 1
    with tempfile.TemporaryDirectory() as folder:
        for catalogue in committed:
            shutil.copy(catalogue, folder)
        environment = dict(os.environ, KV_TRANSLATIONS_DIR=folder)
        subprocess.run([str(source / "scripts" / "update-translations.sh")], check=True,
                       env=environment)
        faults = [f for c in sorted(Path(folder).glob("*.ts")) for f in faults_of(c)]
    for fault in faults:
        print(fault)
    print(f"{len(committed)} catalogues, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
