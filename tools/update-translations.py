#!/usr/bin/python3
"""Refreshes the translation catalogues from the sources, keeping the translations already made.

One catalogue per part of the program (src/vantor/<part>) and language, in
resources/languages/<language>/<part>.ts. The back-end classes live in the namespace
Vl::Tavix3::UI, which is the context their texts are looked up in at run time; lupdate does not
follow nested namespace definitions, so the contexts of C++ parts are qualified here.
The QML engine looks the texts of a layout file "XForm.ui.qml" up in the context "XForm", while
lupdate names that context "XForm.ui"; the contexts of layout files are renamed here.

Usage: tools/update-translations.py [part...]    (default: every part)
"""
import os
import re
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


def layout_files(src):
    names = set()
    for folder, _, files in os.walk(src):
        names.update(f[:-len(".ui.qml")] for f in files if f.endswith(".ui.qml"))
    return names


def rename_layout_contexts(ts_path, names, for_lupdate):
    """Edits only the context names, so that the rest of the catalogue stays as lupdate wrote it."""
    if not os.path.exists(ts_path):
        return
    with open(ts_path, encoding="utf-8") as f:
        text = f.read()
    if for_lupdate:
        text = re.sub(r"<name>([^<]*)</name>",
                      lambda m: "<name>%s.ui</name>" % m.group(1) if m.group(1) in names else m.group(0), text)
    else:
        text = re.sub(r"<name>([^<:]*)\.ui</name>", r"<name>\1</name>", text)
    with open(ts_path, "w", encoding="utf-8") as f:
        f.write(text)


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
            else:
                rename_layout_contexts(ts, layout_files(src), for_lupdate=True)
            subprocess.run(["lupdate", "-silent", "-no-obsolete", "-locations", "none",
                            "-extensions", "cpp,h,qml,js", "-target-language", lang, src, "-ts", ts],
                           check=True, stderr=subprocess.DEVNULL)
            if cpp:
                rename_contexts(ts, qualify=True)
            else:
                rename_layout_contexts(ts, layout_files(src), for_lupdate=False)


if __name__ == "__main__":
    main()
