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


def mtext_drawing(out):
    doc = ezdxf.new("R2000")
    doc.encoding = "cp1255"
    doc.header["$TEXTSIZE"] = 2.5
    for name, font, flags in [("DOSHEB", "hebdos.shx", 0), ("KEYS", "hebkeys.shx", 0), ("KEYSR", "hebkeysr.shx", 0),
                              ("WIN", "tri.shx", 0), ("TTF", "arial.ttf", 0), ("BACK", "veltro.shx", 2)]:
        doc.styles.new(name, dxfattribs={"font": font, "generation_flags": flags})
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
    with open(os.path.join(out, "handles.json"), "w") as f:
        json.dump(handles, f)


if __name__ == "__main__":
    main()
