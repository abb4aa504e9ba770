"""Writes the drawing the library window's tests open, with ezdxf, into the folder given as the argument,
and handles.json there: the handle of each entity the tests name.

library.dxf  R2000, ANSI_1255. A text style for each font type (the tests' font table lists hebrew,
             hebkeys and hebkeysr; "veltro1" is a Windows font by its name, arial.ttf TrueType), a
             backwards style, a style of fixed height and a style with a big font only; the current style
             "Keys", TEXTSIZE 2.5. Layers "Notes" and "Locked" (locked). Texts to pick in three styles and a
             line, which a pick of texts does not take.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from hebrew_drawings import new_drawing, write_handles  # noqa: E402


def main(out):
    doc = new_drawing(styles=[("DosHeb", "hebrew.shx"), ("Keys", "hebkeys.shx"), ("KeysR", "hebkeysr.shx"),
                              ("Win", "veltro1.shx"), ("Arial", "arial.ttf"), ("Back", "hebkeys.shx", 2)])
    doc.styles.new("Fixed", dxfattribs={"font": "hebrew.shx", "height": 5.0})
    doc.styles.new("BigOnly", dxfattribs={"font": "", "bigfont": "hebkeys.shx"})
    doc.layers.add("Notes")
    doc.layers.add("Locked").lock()
    doc.header["$TEXTSTYLE"] = "Keys"
    doc.header["$TEXTSIZE"] = 2.5
    msp = doc.modelspace()
    handles = {}

    def text(name, value, style, pos):
        entity = msp.add_text(value, dxfattribs={"style": style, "height": 2.5})
        entity.set_placement(pos)
        handles[name] = entity.dxf.handle

    text("keys", "ouka", "Keys", (10, 10))  # the edit form reads "shalom"
    text("win", "2 רוריק", "Win", (10, 30))
    text("bigonly", "ouka", "BigOnly", (10, 50))
    handles["line"] = msp.add_line((0, 0), (100, 0)).dxf.handle
    doc.saveas(os.path.join(out, "library.dxf"))
    write_handles(out, handles)


if __name__ == "__main__":
    main(sys.argv[1])
