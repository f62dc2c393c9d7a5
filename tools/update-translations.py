#!/usr/bin/python3
"""Refreshes the translation catalogues from the sources, keeping the translations already made.

One catalogue per part of the program (src/vantor/<part>) and language, in
resources/languages/<language>/<part>.ts. The back-end classes live in the namespace
Vl::Tavix3::UI, which is the context their texts are looked up in at run time; lupdate does not
follow nested namespace definitions, so the contexts of C++ parts are qualified here. Texts whose
context the sources name in full (QT_TRANSLATE_NOOP("Vl::Tavix3::UI::Sema", ...)) already carry it
and keep it.
The QML engine looks the texts of a layout file "XForm.ui.qml" up in the context "XForm", while
lupdate names that context "XForm.ui"; the contexts of layout files are renamed here.

Usage: tools/update-translations.py [part...]    (default: every part)
The environment variable LUPDATE names the lupdate program to run (default: lupdate).
"""
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PARTS = ["core", "time", "ui", "events", "sequence", "remote", "device", "qml", "app"]
LANGUAGES = ["it_IT", "de_DE"]
NAMESPACE = "Vl::Tavix3::UI::"
LUPDATE = os.environ.get("LUPDATE") or "lupdate"


def run_lupdate(src, ts_path, lang):
    subprocess.run([LUPDATE, "-silent", "-no-obsolete", "-locations", "none",
                    "-extensions", "cpp,h,qml,js", "-target-language", lang, src, "-ts", ts_path],
                   check=True, stderr=subprocess.DEVNULL)


def message_key(context_name, message):
    """What lupdate matches a stored translation by: context, source text and comment."""
    return (context_name, message.findtext("source") or "", message.findtext("comment") or "")


def source_texts(src, lang):
    """The key of every text of the sources under the context lupdate gives it."""
    with tempfile.TemporaryDirectory() as folder:
        probe = os.path.join(folder, "probe.ts")
        run_lupdate(src, probe, lang)
        keys = set()
        for context in ET.parse(probe).getroot().iter("context"):
            keys.update(message_key(context.findtext("name"), m) for m in context.findall("message"))
        return keys


def unqualify_contexts(ts_path, qualified_in_sources):
    """Gives each stored message the context lupdate will look for: the bare class name, except for
    the texts the sources themselves place in the qualified context."""
    if not os.path.exists(ts_path):
        return
    tree = ET.parse(ts_path)
    root = tree.getroot()
    for context in list(root.findall("context")):
        name = context.findtext("name")
        if not name.startswith(NAMESPACE):
            continue
        moving = [m for m in context.findall("message") if message_key(name, m) not in qualified_in_sources]
        if not moving:
            continue
        bare = ET.SubElement(root, "context")
        ET.SubElement(bare, "name").text = name[len(NAMESPACE):]
        for message in moving:
            context.remove(message)
            bare.append(message)
        if not context.findall("message"):
            root.remove(context)
    tree.write(ts_path, encoding="utf-8", xml_declaration=True)


def qualify_contexts(ts_path):
    if not os.path.exists(ts_path):
        return
    tree = ET.parse(ts_path)
    for context in tree.getroot().iter("context"):
        name = context.find("name")
        if "::" not in name.text:
            name.text = NAMESPACE + name.text
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


def unfinished_count(ts_path):
    if not os.path.exists(ts_path):
        return 0
    return sum(1 for t in ET.parse(ts_path).getroot().iter("translation") if t.get("type") == "unfinished")


def main():
    parts = sys.argv[1:] or PARTS
    for lang in LANGUAGES:
        for part in parts:
            src = os.path.join(ROOT, "src", "vantor", part)
            if not os.path.isdir(src):
                continue
            ts = os.path.join(ROOT, "resources", "languages", lang, part + ".ts")
            existed = os.path.exists(ts)
            cpp = part != "qml"
            if cpp:
                unqualify_contexts(ts, {k for k in source_texts(src, lang) if k[0].startswith(NAMESPACE)})
            else:
                rename_layout_contexts(ts, layout_files(src), for_lupdate=True)
            run_lupdate(src, ts, lang)
            if cpp:
                qualify_contexts(ts)
            else:
                rename_layout_contexts(ts, layout_files(src), for_lupdate=False)
            if not existed and not ET.parse(ts).getroot().findall("context"):
                os.remove(ts)  # a part without texts needs no catalogue
                continue
            missing = unfinished_count(ts)
            if missing:
                print("%s: %d text(s) to translate" % (os.path.relpath(ts, ROOT), missing))


if __name__ == "__main__":
    main()
