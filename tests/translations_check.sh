#!/usr/bin/env bash
# Every text of the program has a finished translation in every language: lupdate brings copies
# of translations/*.ts up to date with the sources, and no entry may be new, unfinished or empty,
# nor lose or gain a placeholder (%1, %2, ...).
#   translations_check.sh LUPDATE SOURCES_LIST TRANSLATIONS_DIR
set -euo pipefail
lupdate=$1 sources=$2 translations=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp "$translations"/*.ts "$work"/
"$lupdate" -silent -locations none -no-obsolete -I "$translations/.." "@$sources" -ts "$work"/*.ts
/usr/bin/env python3 - "$work"/*.ts <<'PY'
import re, sys, xml.etree.ElementTree as ET
faults = []
for path in sys.argv[1:]:
    name = path.rsplit("/", 1)[-1]
    messages = list(ET.parse(path).getroot().iter("message"))
    if not messages:
        faults.append(f"{name}: no texts at all")
    for message in messages:
        source = message.findtext("source")
        translation = message.find("translation")
        text = translation.text if translation is not None else None
        if translation is None or translation.get("type") or not text:
            faults.append(f"{name}: no finished translation of {source!r}")
        elif sorted(re.findall(r"%\d", source)) != sorted(re.findall(r"%\d", text)):
            faults.append(f"{name}: placeholders differ: {source!r} -> {text!r}")
print("\n".join(faults) or f"PASS: {len(sys.argv) - 1} languages, every text translated")
sys.exit(1 if faults else 0)
PY
