#!/usr/bin/env python3
"""Fills the untranslated entries of a Qt Linguist .ts file.

    apply-phrasebook.py <file.ts> <phrasebook.qph>

An entry without a translation takes the translation of an entry with the same English
text elsewhere in the file (another context), or else the phrase book's. Entries that
already have a translation are left alone, so work done in Linguist is never overwritten.
"""
import sys
import xml.etree.ElementTree as ET


# Linguist keeps characters that XML cannot carry (the carriage return) as
# <byte value="xd"/> elements inside the text.
def text_of(element):
    if element is None:
        return None
    parts = [element.text or ""]
    for child in element:
        if child.tag == "byte":
            parts.append(chr(int(child.get("value").lstrip("x"), 16)))
        parts.append(child.tail or "")
    return "".join(parts)


def set_text(element, text):
    for child in list(element):
        element.remove(child)
    pieces = text.split("\r")
    element.text = pieces[0]
    for piece in pieces[1:]:
        byte = ET.SubElement(element, "byte", value="xd")
        byte.tail = piece


def main(ts_path, qph_path):
    phrases = {}
    for phrase in ET.parse(qph_path).getroot().iter("phrase"):
        phrases[text_of(phrase.find("source"))] = text_of(phrase.find("target"))

    tree = ET.parse(ts_path)
    messages = list(tree.getroot().iter("message"))
    known = {}
    for m in messages:
        t = m.find("translation")
        if t is not None and t.get("type") is None and text_of(t):
            known.setdefault(text_of(m.find("source")), text_of(t))

    filled = missing = 0
    for m in messages:
        t = m.find("translation")
        if t is None or t.get("type") != "unfinished":
            continue
        source = text_of(m.find("source"))
        text = known.get(source) or phrases.get(source)
        if text:
            set_text(t, text)
            del t.attrib["type"]
            filled += 1
        else:
            missing += 1
            print(f"{ts_path}: untranslated: {source!r}", file=sys.stderr)
    tree.write(ts_path, encoding="utf-8", xml_declaration=True)
    print(f"{ts_path}: {filled} filled, {missing} still untranslated")
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
