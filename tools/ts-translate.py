#!/usr/bin/python3
"""Fills translations into a catalogue.

Usage: tools/ts-translate.py <file.ts> <table.tsv>
Each line of the table is: context<TAB>source text<TAB>translation. A "\\n" in a field stands
for a line break. Messages not in the table are left as they are.
"""
import sys
import xml.etree.ElementTree as ET


def main():
    ts_path, table_path = sys.argv[1], sys.argv[2]
    table = {}
    with open(table_path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            context, source, translation = line.split("\t")
            table[(context, source.replace("\\n", "\n"))] = translation.replace("\\n", "\n")
    tree = ET.parse(ts_path)
    for context in tree.getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            key = (name, message.findtext("source"))
            if key in table:
                node = message.find("translation")
                node.text = table[key]
                node.attrib.pop("type", None)
    tree.write(ts_path, encoding="utf-8", xml_declaration=True)


if __name__ == "__main__":
    main()
