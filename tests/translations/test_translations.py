#!/usr/bin/python3
"""The translation catalogues Vantor ships, and the tool that refreshes them from the sources.

Usage: test_translations.py <repository root>
"""
import os
import shutil
import subprocess
import sys
import tempfile
import textwrap
import unittest
import xml.etree.ElementTree as ET

ROOT = None
LANGUAGES = ["it_IT", "de_DE"]


def untranslated(ts_path):
    """(context, source) of every message the build would leave out or show in English: unfinished,
    vanished or obsolete entries and empty translations."""
    found = []
    for context in ET.parse(ts_path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            translation = message.find("translation")
            forms = translation.findall("numerusform") if translation is not None else []
            texts = [f.text for f in forms] if forms else [translation.text if translation is not None else None]
            if translation is None or translation.get("type") is not None or not all(texts):
                found.append((name, message.findtext("source")))
    return found


def translations(ts_path):
    """{(context, source): translation} of the finished messages."""
    result = {}
    for context in ET.parse(ts_path).getroot().iter("context"):
        for message in context.iter("message"):
            translation = message.find("translation")
            if translation.get("type") is None:
                result[(context.findtext("name"), message.findtext("source"))] = translation.text
    return result


class ShippedCatalogues(unittest.TestCase):
    def test_every_text_is_translated(self):
        folder = os.path.join(ROOT, "resources", "languages")
        catalogues = [os.path.join(folder, lang, name) for lang in sorted(os.listdir(folder))
                      for name in sorted(os.listdir(os.path.join(folder, lang))) if name.endswith(".ts")]
        self.assertTrue(catalogues)
        problems = ["%s: %s / %s" % (os.path.relpath(path, ROOT), context, source)
                    for path in catalogues for context, source in untranslated(path)]
        self.assertEqual(problems, [], "texts without a finished translation")

    def test_the_check_sees_unfinished_and_empty_entries(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "x.ts")
            with open(path, "w", encoding="utf-8") as f:
                f.write(textwrap.dedent("""\
                    <?xml version="1.0" encoding="utf-8"?>
                    <TS version="2.1" language="it_IT">
                    <context><name>A</name>
                        <message><source>done</source><translation>fatto</translation></message>
                        <message><source>open</source><translation type="unfinished">aperto</translation></message>
                        <message><source>gone</source><translation type="vanished">via</translation></message>
                        <message><source>empty</source><translation></translation></message>
                        <message numerus="yes"><source>%n runs</source>
                            <translation><numerusform>%n giro</numerusform><numerusform></numerusform></translation>
                        </message>
                    </context>
                    </TS>
                    """))
            self.assertEqual(untranslated(path), [("A", "open"), ("A", "gone"), ("A", "empty"), ("A", "%n runs")])


# A part of the program in the shape of the real ones: a class of the back-end namespace with its
# own texts, and a table whose texts name that class's context in full.
ENGINE_SOURCE = """\
#include <QObject>

namespace Vl::Tavix3::UI {

class Sema : public QObject
{
    Q_OBJECT
public:
    QString offText() const { return tr("Off"); }
    QString sequenceName(int i) const;
};

namespace {
const char* const kNames[] = {
    QT_TRANSLATE_NOOP("Vl::Tavix3::UI::Sema", "ALPINE SKI"),
    QT_TRANSLATE_NOOP("Vl::Tavix3::UI::Sema", "RALLY"),
};
}

QString Sema::sequenceName(int i) const { return tr(kNames[i]); }

} // namespace Vl::Tavix3::UI
"""

LAYOUT_SOURCE = """\
import QtQuick 2.15
Item {
    property string wait: qsTr("WAIT PLEASE")
}
"""

# Catalogues as the tool leaves them: every context qualified, layout contexts without ".ui".
STORED = {
    ("sequence", "it_IT"): {"Vl::Tavix3::UI::Sema": {"Off": "Spento", "ALPINE SKI": "SCI ALPINO", "RALLY": "RALLY"}},
    ("sequence", "de_DE"): {"Vl::Tavix3::UI::Sema": {"Off": "Aus", "ALPINE SKI": "SKI ALPIN", "RALLY": "RALLYE"}},
    ("qml", "it_IT"): {"MainForm": {"WAIT PLEASE": "ATTENDERE PREGO"}},
    ("qml", "de_DE"): {"MainForm": {"WAIT PLEASE": "BITTE WARTEN"}},
}


def write_catalogue(path, lang, contexts):
    root = ET.Element("TS", version="2.1", language=lang)
    for name, messages in contexts.items():
        context = ET.SubElement(root, "context")
        ET.SubElement(context, "name").text = name
        for source, text in messages.items():
            message = ET.SubElement(context, "message")
            ET.SubElement(message, "source").text = source
            ET.SubElement(message, "translation").text = text
    ET.ElementTree(root).write(path, encoding="utf-8", xml_declaration=True)


class UpdateTranslationsTool(unittest.TestCase):
    def setUp(self):
        self.tree = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.tree)
        os.makedirs(os.path.join(self.tree, "tools"))
        shutil.copy(os.path.join(ROOT, "tools", "update-translations.py"), os.path.join(self.tree, "tools"))
        self.write("src/vantor/sequence/sema.cpp", ENGINE_SOURCE)
        self.write("src/vantor/qml/MainForm.ui.qml", LAYOUT_SOURCE)
        for (part, lang), contexts in STORED.items():
            os.makedirs(os.path.join(self.tree, "resources", "languages", lang), exist_ok=True)
            write_catalogue(self.catalogue(lang, part), lang, contexts)

    def write(self, relative, text):
        path = os.path.join(self.tree, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)

    def catalogue(self, lang, part):
        return os.path.join(self.tree, "resources", "languages", lang, part + ".ts")

    def refresh(self):
        run = subprocess.run(["/usr/bin/python3", os.path.join(self.tree, "tools", "update-translations.py"),
                              "sequence", "qml"], capture_output=True, text=True)
        self.assertEqual(run.returncode, 0, run.stderr)
        return run.stdout

    def test_refresh_keeps_every_translation(self):
        self.refresh()
        for (part, lang), contexts in STORED.items():
            path = self.catalogue(lang, part)
            self.assertEqual(untranslated(path), [], path)
            expected = {(context, source): text for context, messages in contexts.items()
                        for source, text in messages.items()}
            self.assertEqual(translations(path), expected, path)

    def test_refresh_twice_changes_nothing(self):
        self.refresh()
        first = {key: open(self.catalogue(*key), encoding="utf-8").read() for key in
                 [(lang, part) for part, lang in STORED]}
        self.refresh()
        for key, text in first.items():
            self.assertEqual(open(self.catalogue(*key), encoding="utf-8").read(), text, key)

    def test_new_texts_come_unfinished_and_are_named(self):
        self.write("src/vantor/sequence/sema.cpp", ENGINE_SOURCE.replace(
            '"RALLY"),', '"RALLY"),\n    QT_TRANSLATE_NOOP("Vl::Tavix3::UI::Sema", "SHAKEDOWN"),').replace(
            'tr("Off")', 'tr("Off") + tr("On")'))
        output = self.refresh()
        for lang in LANGUAGES:
            self.assertEqual(sorted(untranslated(self.catalogue(lang, "sequence"))),
                             [("Vl::Tavix3::UI::Sema", "On"), ("Vl::Tavix3::UI::Sema", "SHAKEDOWN")])
            self.assertIn(os.path.join("resources", "languages", lang, "sequence.ts") + ": 2", output)


if __name__ == "__main__":
    ROOT = os.path.abspath(sys.argv.pop(1))
    unittest.main()
