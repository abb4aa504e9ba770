"""Writes the drawings of the multi-line editors' tests, with ezdxf, into the folder given as the argument,
and handles.json there: the handle of each entity the tests name.

mtext.dxf   R2000, ANSI_1255, TEXTSIZE 2.5, the active style WIN. Styles of the five font types by the
            tests' font table: DOSHEB (hebdos.shx, not in the table: DOS Hebrew), KEYS (hebkeys.shx,
            DosEnglish), KEYSR (hebkeysr.shx, DosEnglishR), WIN (tri.shx, Windows), TTF (arial.ttf), and
            BACK (veltro.shx, Windows, drawn backwards).
            Texts in WIN, height 2, on four places of three lines: "top" (10, 30), "right" (30, 20),
            "left" (5, 20.0005, on layer NOTES), "bottom" (10, 10).
            MText in WIN: "group" (a leading format group, two paragraphs, attachment top left),
            "gap" (three paragraphs, the middle one empty, ending with a paragraph mark, top right).
replace.dxf R2000, ANSI_1255, the same styles. A text in each font type, each holding a number, from the
            top down (y 60 to 0, x 0): "dos" (DOSHEB), "keys" (KEYS), "keysr" (KEYSR), "win" (WIN, Latin
            "aXaXaX"), "ab" (WIN, "ab ab ab"), "ttf" (TTF), "back" (BACK), "locked" (WIN, on the locked
            layer LOCKED); a block reference "insert" at (50, 60) with the attributes "attrib_name" (WIN)
            and "attrib_num" (KEYS); a block reference "bare" of a block without attributes.
"""
import json
import os
import sys

import ezdxf

HEBREW = "אבגדהוזחטיךכלםמןנסעףפץצקרשת"
handles = {}


def runs(text):
    out, current, hebrew = [], "", None
    for ch in text:
        h = ch in HEBREW
        if current and h != hebrew:
            out.append(current)
            current = ""
        current += ch
        hebrew = h
    if current:
        out.append(current)
    return out


def stored(text):
    """The Windows-font form: runs reversed, letters of Hebrew runs reversed, round brackets mirrored."""
    reordered = "".join(r[::-1] if r[0] in HEBREW else r for r in reversed(runs(text)))
    return reordered.translate(str.maketrans("()<>", ")(><"))


KEYS = "tcdsvuzjyhlfkonibxg;p.mera,"
dos_strings = {}


def dos(text):
    """A DOS Hebrew drawing string: the Windows-font form with the letters at their DOS codes."""
    tag = "DOSTEXT%02d" % len(dos_strings)
    dos_strings[tag] = bytes(0x80 + HEBREW.index(c) if c in HEBREW else ord(c) for c in stored(text))
    return tag


def keys(text):
    """A DosEnglish drawing string: the Windows-font form with the letters on their keys."""
    return "".join(KEYS[HEBREW.index(c)] if c in HEBREW else c for c in stored(text))


def keys_r(text):
    """A DosEnglishR drawing string: letters on their keys in reading order, other runs reversed."""
    mirrored = "".join(r if r[0] in HEBREW else r[::-1] for r in runs(text)).translate(str.maketrans("()<>", ")(><"))
    return "".join(KEYS[HEBREW.index(c)] if c in HEBREW else c for c in mirrored)


def styles(doc):
    for name, font, flags in [("DOSHEB", "hebdos.shx", 0), ("KEYS", "hebkeys.shx", 0), ("KEYSR", "hebkeysr.shx", 0),
                              ("WIN", "tri.shx", 0), ("TTF", "arial.ttf", 0), ("BACK", "veltro.shx", 2)]:
        doc.styles.new(name, dxfattribs={"font": font, "generation_flags": flags})


def replace_drawing(out):
    doc = ezdxf.new("R2000")
    doc.encoding = "cp1255"
    styles(doc)
    doc.layers.new("LOCKED").lock()
    msp = doc.modelspace()

    def text(name, value, style, y, **attribs):
        attribs.update({"style": style, "height": 2.0})
        entity = msp.add_text(value, dxfattribs=attribs)
        entity.set_pos((0, y))
        handles[name] = entity.dxf.handle

    text("dos", dos("קומה 1"), "DOSHEB", 60)
    text("keys", keys("חדר 12"), "KEYS", 50)
    text("keysr", keys_r("גובה -2.5"), "KEYSR", 40)
    text("win", "aXaXaX", "WIN", 30)
    text("ab", "ab ab ab", "WIN", 25)
    text("ttf", "מידה 120", "TTF", 20)
    text("back", stored("שלום 1")[::-1], "BACK", 10)
    text("locked", stored("נעול 1"), "WIN", 0, layer="LOCKED")

    block = doc.blocks.new("TB")
    block.add_attdef("NAME", (0, 0), dxfattribs={"style": "WIN", "height": 2.0})
    block.add_attdef("NUM", (0, 5), dxfattribs={"style": "KEYS", "height": 2.0})
    insert = msp.add_blockref("TB", (50, 60))
    insert.add_auto_attribs({"NAME": stored("בניין 1"), "NUM": keys("גיליון 4")})
    handles["insert"] = insert.dxf.handle
    for attrib in insert.attribs:
        handles["attrib_" + attrib.dxf.tag.lower()] = attrib.dxf.handle
    doc.blocks.new("EMPTY").add_line((0, 0), (1, 1))
    handles["bare"] = msp.add_blockref("EMPTY", (80, 80)).dxf.handle

    path = os.path.join(out, "replace.dxf")
    doc.saveas(path)
    data = open(path, "rb").read()
    for tag, value in dos_strings.items():
        data = data.replace(tag.encode(), value)
    open(path, "wb").write(data)


def mtext_drawing(out):
    doc = ezdxf.new("R2000")
    doc.encoding = "cp1255"
    doc.header["$TEXTSIZE"] = 2.5
    styles(doc)
    doc.header["$TEXTSTYLE"] = "WIN"
    doc.layers.new("NOTES")
    msp = doc.modelspace()

    def text(name, value, pos, **attribs):
        attribs.update({"style": "WIN", "height": 2.0})
        entity = msp.add_text(stored(value), dxfattribs=attribs)
        entity.set_pos(pos)
        handles[name] = entity.dxf.handle

    text("top", "שורה ראשונה", (10, 30))
    text("right", "ימין", (30, 20))
    text("left", "שמאל", (5, 20.0005), layer="NOTES")
    text("bottom", "שורה אחרונה", (10, 10))

    def mtext(name, value, pos, attachment):
        entity = msp.add_mtext(value, dxfattribs={"style": "WIN", "char_height": 2.0, "width": 60,
                                                  "attachment_point": attachment})
        entity.set_location(pos)
        handles[name] = entity.dxf.handle

    mtext("group", "{\\fArial|b0|i0;" + stored("שלום (1)") + "\\P" + stored("עולם 2") + "}", (50, 40), 1)
    mtext("gap", stored("אחת") + "\\P\\P" + stored("שלוש") + "\\P", (50, 20), 3)
    doc.saveas(os.path.join(out, "mtext.dxf"))


def main():
    out = sys.argv[1]
    mtext_drawing(out)
    replace_drawing(out)
    with open(os.path.join(out, "handles.json"), "w") as f:
        json.dump(handles, f)


if __name__ == "__main__":
    main()
