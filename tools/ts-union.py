#!/usr/bin/python3
"""Joins two versions of a catalogue into one: every message of either, and for each message
the finished translation where one of them has it. For merging branches that both added texts.

Usage: tools/ts-union.py <out.ts> <a.ts> <b.ts>
"""
import sys
import xml.etree.ElementTree as ET


def messages(path):
    found = {}
    root = ET.parse(path).getroot()
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            found[(name, message.findtext("source"))] = message
    return root, found


def finished(message):
    node = message.find("translation")
    return node is not None and node.get("type") is None and (node.text or "")


def main():
    out, first, second = sys.argv[1:4]
    root_a, msgs_a = messages(first)
    _, msgs_b = messages(second)
    contexts = {c.findtext("name"): c for c in root_a.iter("context")}
    for key, message_b in msgs_b.items():
        message_a = msgs_a.get(key)
        if message_a is None:
            context = contexts.get(key[0])
            if context is None:
                context = ET.SubElement(root_a, "context")
                ET.SubElement(context, "name").text = key[0]
                contexts[key[0]] = context
            context.append(message_b)
        elif not finished(message_a) and finished(message_b):
            message_a.remove(message_a.find("translation"))
            message_a.append(message_b.find("translation"))
    ET.ElementTree(root_a).write(out, encoding="utf-8", xml_declaration=True)


if __name__ == "__main__":
    main()
