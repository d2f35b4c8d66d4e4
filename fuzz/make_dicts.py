#!/usr/bin/env python3
"""Writes the fuzz targets' dictionaries (fuzz/dict/*.dict) from the names the
bundled content and the chapter saves use: element and attribute names, item
names from the items guide, and scene names from the worlds. Run from the
repository root after the content changes; the result is committed."""

import glob
import os
import re
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def parse(path):
    try:
        return ET.parse(path).getroot()
    except ET.ParseError:
        return None


def names_of(roots):
    elements, attributes = set(), set()
    for root in roots:
        for node in root.iter():
            elements.add(node.tag)
            attributes.update(node.attrib)
    return elements, attributes


def item_and_scene_names():
    items, scenes = set(), set()
    guide = parse(os.path.join(ROOT, "content/cfg/items_guide.xml"))
    if guide is not None:
        items.update(child.tag for child in guide)
    for world in glob.glob(os.path.join(ROOT, "content/worlds/*/world.xml")):
        root = parse(world)
        if root is not None:
            scenes.update(s.get("name") for s in root.iter("scene") if s.get("name"))
    return items, scenes


def quoted(token):
    out = []
    for ch in token:
        if ch in '"\\':
            out.append("\\" + ch)
        elif 32 <= ord(ch) < 127:
            out.append(ch)
        else:
            out.extend("\\x%02x" % b for b in ch.encode("utf-8"))
    return '"' + "".join(out) + '"'


def write(name, elements, attributes, words):
    tokens = set()
    for e in elements:
        tokens.update({"<" + e, "</" + e + ">", e})
    for a in attributes:
        tokens.add(" " + a + '="')
    tokens.update(w for w in words if w)
    tokens = sorted(t for t in tokens if re.fullmatch(r"[^\x00]{1,64}", t))
    path = os.path.join(ROOT, "fuzz/dict", name + ".dict")
    with open(path, "w", encoding="utf-8") as out:
        out.write("# Written by fuzz/make_dicts.py; do not edit.\n")
        for t in tokens:
            out.write(quoted(t) + "\n")


# Numbers at the edges of what the readers convert them to.
NUMBERS = {"-1", "0", "2147483647", "-2147483648", "4294967296", "99999999999", "1e39", "-1e39", "nan", "inf",
           "0.0000001", "0x10"}


def main():
    items, scenes = item_and_scene_names()
    content = [r for r in (parse(p) for p in glob.glob(os.path.join(ROOT, "content/**/*.xml"), recursive=True))
               if r is not None]
    elements, attributes = names_of(content)
    write("fuzz_content_xml", elements, attributes, items | scenes | NUMBERS | {"true", "false", "mini_game", "flash"})

    saves = [r for r in (parse(p) for p in sorted(glob.glob(os.path.join(ROOT, "tests/fixtures/saves/*.xml"))))
             if r is not None]
    elements, attributes = names_of(saves)
    write("fuzz_save", elements, attributes, items | scenes | NUMBERS | {"home", "vethra", "old_keep", "true", "false"})

    keys = {"curuser", "fullscreen", "name", "soundlevel", "musiclevel", "soundoff", "musicoff",
            "autosaveoff", "save", "save_damaged", "save_damaged.1"}
    write("fuzz_prefs", {"prefs", "global", "user", "value", "save_data", "save"}, {"key"},
          keys | NUMBERS | {'key="' + k + '"' for k in keys} | {"&lt;", "&amp;", "<![CDATA["})


if __name__ == "__main__":
    main()
