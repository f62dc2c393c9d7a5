#!/usr/bin/python3
"""Refreshes the translation catalogues from the sources, keeping the translations already made.

One catalogue per part of the program (src/vantor/<part>) and language, in
resources/languages/<language>/<part>.ts. The back-end classes live in the namespace
Vl::Tavix3::UI, which is the context their texts are looked up in at run time; lupdate does not
follow nested namespace definitions, so the contexts of C++ parts are qualified here.

Usage: tools/update-translations.py [part...]    (default: every part)
"""
import os
import subprocess
import sys
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PARTS = ["core", "time", "sequence", "events", "remote", "device", "qml"]
LANGUAGES = ["it_IT", "de_DE"]
NAMESPACE = "Vl::Tavix3::UI::"


def rename_contexts(ts_path, qualify):
    if not os.path.exists(ts_path):
        return
    tree = ET.parse(ts_path)
    for context in tree.getroot().iter("context"):
        name = context.find("name")
        if qualify and "::" not in name.text:
            name.text = NAMESPACE + name.text
        elif not qualify and name.text.startswith(NAMESPACE):
            name.text = name.text[len(NAMESPACE):]
    tree.write(ts_path, encoding="utf-8", xml_declaration=True)


def main():
    parts = sys.argv[1:] or PARTS
    for lang in LANGUAGES:
        for part in parts:
            src = os.path.join(ROOT, "src", "vantor", part)
            if not os.path.isdir(src):
                continue
            ts = os.path.join(ROOT, "resources", "languages", lang, part + ".ts")
            cpp = part != "qml"
            if cpp:
                rename_contexts(ts, qualify=False)
            subprocess.run(["lupdate", "-silent", "-no-obsolete", "-locations", "none",
                            "-extensions", "cpp,h,qml,js", "-target-language", lang, src, "-ts", ts],
                           check=True, stderr=subprocess.DEVNULL)
            if cpp:
                rename_contexts(ts, qualify=True)


if __name__ == "__main__":
    main()
