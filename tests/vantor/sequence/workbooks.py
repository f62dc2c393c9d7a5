#!/usr/bin/python3
"""Writes the workbooks the starting-list import tests read into the folder given as argument:
real workbooks written by openpyxl, hand-made packages with the less common parts of the format,
and damaged or hostile files."""
import datetime
import io
import os
import sys
import zipfile

import openpyxl
from openpyxl.utils.datetime import CALENDAR_MAC_1904

OUT = sys.argv[1]


def path(name):
    return os.path.join(OUT, name)


def sheet_of(rows, title=None):
    book = openpyxl.Workbook()
    sheet = book.active
    if title:
        sheet.title = title
    for row in rows:
        sheet.append(list(row))
    return book, sheet


def save(name, rows, formats=None):
    """rows: lists of cell values; formats: {cell reference: number format}."""
    book, sheet = sheet_of(rows)
    for ref, fmt in (formats or {}).items():
        sheet[ref].number_format = fmt
    book.save(path(name))


def starts():
    save("times.xlsx", [
        [12, datetime.time(9, 30), datetime.date(2024, 5, 12)],
        [15, "10:01:30", "13/05/2024"],
        ["7", datetime.datetime(2024, 5, 12, 10, 2, 0), None],
        [3, 10 / 24 + 3 / 1440, 45425],
        [4, "10:04:00.25", "14/05/24"],
    ], {"A1": "0", "B1": "hh:mm", "C1": "DD/MM/YYYY", "B3": "hh:mm:ss", "B4": "[h]:mm", "C4": "d-mmm-yy"})
    save("header.xlsx", [["Bib", "Time", "Date"], [12, "09:00:00"]])
    save("bibzero.xlsx", [[12, "09:00:00"], [0, "09:01:00"], [15, "09:02:00"]])
    save("dayfraction.xlsx", [[12, 0.3958333333], [13, 0.3965277777]], {"B1": "h:mm", "B2": "0.00"})
    save("quotedformat.xlsx", [[12, 0.3958333333]], {"B1": '"Day" 0.00'})
    save("baddate.xlsx", [[12, "09:00:00", "31/02/2024"], [13, "09:01:00", "tomorrow"]])
    save("fractionalbib.xlsx", [[12.5, "09:00:00"]])
    save("negativebib.xlsx", [[-4, "09:00:00"], [" 8 ", "09:01:00"]])
    save("badtime.xlsx", [[12, "09:00:00"], [13, "25:00:00"]])
    # A time of day stored as a plain number (a day fraction without a time format).
    save("ninefraction.xlsx", [[11, "08:59:00"], [12, 0.375], [13, "09:01:00"]])
    save("noonfraction.xlsx", [[14, 0.5]])
    save("wholenumbertime.xlsx", [[15, 9]])
    # Rows that are neither empty nor a start, and empty rows between starts.
    save("gap.xlsx", [[12, "09:00:00"], [None, None], [14, "09:02:00"]])
    save("bibonly.xlsx", [[12, "09:00:00"], [13, None], [14, "09:02:00"]])
    save("timeonly.xlsx", [[12, "09:00:00"], [None, "09:01:00"], [14, "09:02:00"]])
    save("lastbibonly.xlsx", [[12, "09:00:00"], [13, None]])
    save("dateonly.xlsx", [[12, "09:00:00"], [None, None, "12/05/2024"]])
    save("gapbeforedate.xlsx", [[12, "09:00:00"], [None, None], [None, None, "12/05/2024"]])
    # Empty rows after the last start end the list, whatever formats they carry.
    save("trailing.xlsx", [[12, "09:00:00"], [13, "09:01:00"], [None, None], [None, None]],
         {"A5": "0", "B6": "hh:mm", "C7": "dd/mm/yyyy"})
    # The last suffix makes a workbook, whatever dots the name holds before it.
    save("Race 12.05.2027.xlsx", [[31, "10:00:00", "12/05/2027"]])
    save("othercolumns.xlsx", [[12, "09:00:00", None, "note", 1, 2, 3]])
    empty = openpyxl.Workbook()
    empty.save(path("empty.xlsx"))

    book, first = sheet_of([["not", "read"]], "Notes")
    second = book.create_sheet("Race")
    second.append([21, "11:00:00"])
    book.active = 1
    book.save(path("activetab.xlsx"))

    book, sheet = sheet_of([[5, datetime.datetime(2024, 5, 12, 9, 45, 0), datetime.date(2024, 5, 12)]])
    book.epoch = CALENDAR_MAC_1904
    sheet["B1"].number_format = "hh:mm:ss"
    sheet["C1"].number_format = "dd/mm/yyyy"
    book.save(path("date1904.xlsx"))

    # A workbook under the older suffix is read all the same.
    save("renamed.xls", [[9, "08:00:00"]])
    # Only the exact suffixes count: this one is read as JSON.
    save("upper.XLSX", [[9, "08:00:00"]])


def package(name, parts):
    with zipfile.ZipFile(path(name), "w", zipfile.ZIP_DEFLATED) as z:
        for part, text in parts.items():
            z.writestr(part, text)


MAIN = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
RELS = 'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"'
RELTYPE = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"


def handmade_parts(sheet_xml, shared=None, workbook_pr="", styles=None):
    parts = {
        "[Content_Types].xml": "<Types/>",
        "_rels/.rels": '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
                       '<Relationship Id="rId1" Type="' + RELTYPE + 'officeDocument" Target="book/main.xml"/>'
                       '</Relationships>',
        "book/main.xml": '<workbook ' + MAIN + ' ' + RELS + '>' + workbook_pr +
                         '<sheets><sheet name="Only" sheetId="1" r:id="rS"/></sheets></workbook>',
        "book/_rels/main.xml.rels":
            '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
            '<Relationship Id="rS" Type="' + RELTYPE + 'worksheet" Target="/book/sheets/one.xml"/>'
            '<Relationship Id="rT" Type="' + RELTYPE + 'sharedStrings" Target="texts.xml"/>'
            '<Relationship Id="rY" Type="' + RELTYPE + 'styles" Target="../book/styles.xml"/>'
            '</Relationships>',
        "book/sheets/one.xml": sheet_xml,
    }
    if shared is not None:
        parts["book/texts.xml"] = '<sst ' + MAIN + '>' + shared + '</sst>'
    if styles is not None:
        parts["book/styles.xml"] = '<styleSheet ' + MAIN + '>' + styles + '</styleSheet>'
    return parts


def sheet(rows_xml):
    return '<worksheet ' + MAIN + '><sheetData>' + rows_xml + '</sheetData></worksheet>'


def handmade():
    # Parts where few writers put them, rich and inline texts, cells and rows without references,
    # a formula's text result and the 1904 date system with a custom time format.
    shared = ('<si><r><t>1</t></r><r><rPr><b/></rPr><t>1</t></r><rPh><t>x</t></rPh></si>'
              '<si><t xml:space="preserve">09:00:00</t></si>')
    styles = ('<numFmts count="1"><numFmt numFmtId="200" formatCode="hh&quot;h&quot;mm"/></numFmts>'
              '<cellStyleXfs count="1"><xf numFmtId="14"/></cellStyleXfs>'
              '<cellXfs count="2"><xf numFmtId="0"/><xf numFmtId="200"/></cellXfs>')
    rows = ('<row><c t="s"><v>0</v></c><c t="s"><v>1</v></c></row>'
            '<row><c><v>22</v></c><c t="inlineStr"><is><t>09:01:00</t></is></c></row>'
            '<row r="3"><c r="A3" t="str"><f>A2+1</f><v>23</v></c><c r="B3" s="1"><v>0.3763888888888889</v></c></row>')
    package("handmade.xlsx", handmade_parts(sheet(rows), shared, '<workbookPr date1904="1"/>', styles))

    # A template's empty cells: an empty shared text, a formula that yields "", an empty inline text
    # and texts of blanks, in the rows after the last start.
    shared = '<si><t>09:00:00</t></si><si><t/></si><si><t xml:space="preserve">  </t></si>'
    rows = ('<row r="1"><c r="A1"><v>12</v></c><c r="B1" t="s"><v>0</v></c></row>'
            '<row r="2"><c r="A2" t="str"><f>IF(TRUE,"","")</f><v></v></c><c r="B2" t="s"><v>1</v></c>'
            '<c r="C2" t="s"><v>2</v></c></row>'
            '<row r="3"><c r="A3" t="inlineStr"><is><t></t></is></c><c r="B3" t="str"><f>""</f><v/></c></row>')
    package("emptytexts.xlsx", handmade_parts(sheet(rows), shared))
    # The same empty texts between two starts: the row is empty, and the start after it is not lost.
    rows = ('<row r="1"><c r="A1"><v>12</v></c><c r="B1" t="s"><v>0</v></c></row>'
            '<row r="2"><c r="A2" t="s"><v>1</v></c><c r="B2" t="str"><f>""</f><v></v></c></row>'
            '<row r="3"><c r="A3"><v>13</v></c><c r="B3" t="s"><v>0</v></c></row>')
    package("emptytextgap.xlsx", handmade_parts(sheet(rows), shared))
    # A blank text is no time of day: read as one it would be midnight.
    rows = '<row r="1"><c r="A1"><v>12</v></c><c r="B1" t="s"><v>2</v></c></row>'
    package("blanktime.xlsx", handmade_parts(sheet(rows), shared))

    package("badshared.xlsx", handmade_parts(sheet('<row r="1"><c r="A1" t="s"><v>99</v></c></row>'), ""))
    package("badxml.xlsx", handmade_parts('<worksheet><sheetData><row r="1"><c r="A1"><v>1</v></row>'))
    package("badreference.xlsx", handmade_parts(sheet('<row r="1"><c r="1A"><v>1</v></c></row>')))
    package("badnumber.xlsx", handmade_parts(sheet('<row r="1"><c r="A1"><v>twelve</v></c></row>')))
    laughs = ('<?xml version="1.0"?><!DOCTYPE lolz [<!ENTITY lol "lol">'
              + "".join('<!ENTITY lol%d "%s">' % (i, ("&lol%d;" % (i - 1) if i else "&lol;") * 10) for i in range(10))
              + ']><worksheet ' + MAIN + '><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>&lol9;</t></is></c>'
              '</row></sheetData></worksheet>')
    package("laughs.xlsx", handmade_parts(laughs))

    # A sheet that inflates beyond the bound from a small file.
    with zipfile.ZipFile(path("bomb.xlsx"), "w", zipfile.ZIP_DEFLATED) as z:
        for part, text in handmade_parts("").items():
            if part != "book/sheets/one.xml":
                z.writestr(part, text)
        with z.open("book/sheets/one.xml", "w", force_zip64=True) as member:
            member.write(('<worksheet ' + MAIN + '><sheetData>').encode())
            block = b" " * (1024 * 1024)
            for _ in range(65):
                member.write(block)
            member.write(b"</sheetData></worksheet>")

    # More cells than are kept: 62 rows of 16384.
    row = "<c><v>1</v></c>" * 16384
    package("manycells.xlsx", handmade_parts(sheet("".join('<row r="%d">%s</row>' % (r, row) for r in range(1, 63)))))


def damaged():
    with open(path("notzip.xlsx"), "w") as f:
        f.write('{"StartingListName": "not a workbook"}')
    open(path("zerobytes.xlsx"), "w").close()
    with open(path("legacy.xls"), "wb") as f:
        f.write(b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + b"\0" * 504)
    with zipfile.ZipFile(path("nobook.xlsx"), "w") as z:
        z.writestr("hello.txt", "hello")

    save("complete.xlsx", [[12, "09:00:00"]])
    with zipfile.ZipFile(path("complete.xlsx")) as source, zipfile.ZipFile(path("nosheet.xlsx"), "w") as z:
        for item in source.infolist():
            if not item.filename.startswith("xl/worksheets/"):
                z.writestr(item, source.read(item.filename))
    with open(path("complete.xlsx"), "rb") as f:
        data = f.read()
    with open(path("truncated.xlsx"), "wb") as f:
        f.write(data[: len(data) // 2])
    # A sheet whose stored bytes are damaged: the inflated text no longer matches its checksum.
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w", zipfile.ZIP_STORED) as z:
        for part, text in handmade_parts(sheet('<row r="1"><c r="A1"><v>12</v></c><c r="B1" t="inlineStr">'
                                               '<is><t>09:00:00</t></is></c></row>')).items():
            z.writestr(part, text)
    corrupt = bytearray(buffer.getvalue())
    at = corrupt.find(b"09:00:00")
    corrupt[at:at + 2] = b"19"
    with open(path("checksum.xlsx"), "wb") as f:
        f.write(bytes(corrupt))


os.makedirs(OUT, exist_ok=True)
starts()
handmade()
damaged()
