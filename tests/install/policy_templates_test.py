#!/usr/bin/env python3
"""installer/Quenmark.admx and each language's Quenmark.adml: well-formed XML, and every text
and presentation the template names is defined in every language, no more and no fewer.
(Which registry values the template sets is checked against the program's own table by the
unit test PolicyTemplate.)"""
import re
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

INSTALLER = Path(__file__).resolve().parents[2] / "installer"
NS = {"p": "http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions"}


def main():
    faults = []
    admx_path = INSTALLER / "Quenmark.admx"
    admx = ET.parse(admx_path).getroot()
    text = admx_path.read_text(encoding="utf-8")
    strings = set(re.findall(r"\$\(string\.([^)]+)\)", text))
    presentations = set(re.findall(r"\$\(presentation\.([^)]+)\)", text))
    # The ids of the elements each presentation shows.
    elements = {}
    for policy in admx.iterfind(".//p:policy", NS):
        ref = policy.get("presentation")
        if ref:
            name = re.match(r"\$\(presentation\.([^)]+)\)", ref).group(1)
            elements[name] = {e.get("id") for e in policy.find("p:elements", NS)}
    admls = sorted(INSTALLER.glob("*/Quenmark.adml"))
    if not any(p.parent.name == "en-US" for p in admls):
        faults.append("no en-US/Quenmark.adml")
    for adml_path in admls:
        culture = adml_path.parent.name
        if not re.fullmatch(r"[a-z]{2}-[A-Z]{2}", culture):
            faults.append(f"{culture}: not a culture name Group Policy looks for")
        try:
            adml = ET.parse(adml_path).getroot()
        except ET.ParseError as e:
            faults.append(f"{culture}: {e}")
            continue
        defined = {s.get("id") for s in adml.iterfind(".//p:stringTable/p:string", NS)}
        if defined != strings:
            faults.append(f"{culture}: strings missing {sorted(strings - defined)}, "
                          f"not used {sorted(defined - strings)}")
        empty = [s.get("id") for s in adml.iterfind(".//p:stringTable/p:string", NS)
                 if not (s.text or "").strip()]
        if empty:
            faults.append(f"{culture}: empty strings {empty}")
        shown = {p.get("id"): {c.get("refId") for c in p}
                 for p in adml.iterfind(".//p:presentationTable/p:presentation", NS)}
        if set(shown) != presentations:
            faults.append(f"{culture}: presentations {sorted(shown)}, not {sorted(presentations)}")
        for name, ids in elements.items():
            if shown.get(name) != ids:
                faults.append(f"{culture}: presentation {name} shows {shown.get(name)}, not {ids}")
    for f in faults:
        print("FAILED:", f)
    print(f"{len(admls)} languages checked against {len(strings)} strings")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
