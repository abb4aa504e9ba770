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
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from hebrew_drawings import (DosStrings, dos_bytes, keys, latin_runs_reversed, mirrored, new_drawing,  # noqa: E402
                             reversed_runs, save, write_handles)

handles = {}
dos_strings = DosStrings()
STYLES = [("DOSHEB", "hebdos.shx", 0), ("KEYS", "hebkeys.shx", 0), ("KEYSR", "hebkeysr.shx", 0), ("WIN", "tri.shx", 0),
          ("TTF", "arial.ttf", 0), ("BACK", "veltro.shx", 2)]


def stored(text):
    """The Windows-font form: runs reversed, letters of Hebrew runs reversed, round brackets mirrored."""
    return mirrored(reversed_runs(text))


def dos(text):
    """A DOS Hebrew drawing string: the Windows-font form with the letters at their DOS codes."""
    return dos_strings.placeholder(dos_bytes(stored(text)))


def keys_r(text):
    """A DosEnglishR drawing string: letters on their keys in reading order, other runs reversed."""
    return keys(mirrored(latin_runs_reversed(text)))


def replace_drawing(out):
    doc = new_drawing(styles=STYLES)
    doc.layers.new("LOCKED").lock()
    msp = doc.modelspace()

    def text(name, value, style, y, **attribs):
        attribs.update({"style": style, "height": 2.0})
        entity = msp.add_text(value, dxfattribs=attribs)
        entity.set_pos((0, y))
        handles[name] = entity.dxf.handle

    text("dos", dos("קומה 1"), "DOSHEB", 60)
    text("keys", keys(stored("חדר 12")), "KEYS", 50)
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
    insert.add_auto_attribs({"NAME": stored("בניין 1"), "NUM": keys(stored("גיליון 4"))})
    handles["insert"] = insert.dxf.handle
    for attrib in insert.attribs:
        handles["attrib_" + attrib.dxf.tag.lower()] = attrib.dxf.handle
    doc.blocks.new("EMPTY").add_line((0, 0), (1, 1))
    handles["bare"] = msp.add_blockref("EMPTY", (80, 80)).dxf.handle

    save(doc, os.path.join(out, "replace.dxf"), dos_strings)


def mtext_drawing(out):
    doc = new_drawing(styles=STYLES)
    doc.header["$TEXTSIZE"] = 2.5
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
    write_handles(out, handles)


if __name__ == "__main__":
    main()
