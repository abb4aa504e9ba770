"""Writes the drawing the attribute grid tests open, with ezdxf, into the folder given as the argument, and
handles.json there: the handle of each entity the tests name.

attribute_grid.dxf  R2000, ANSI_1255. A text style for each font type (the tests' font table lists hebrew,
                    hebkeys and hebkeysr; "veltro1" is a Windows font by its name, arial.ttf TrueType) and a
                    style with a big font only; a layer "Locked" (not locked yet).
  PANEL   a block whose attributes use every style, one drawn backwards by its own generation flag while
          its style is not; a tag defined twice (the later prompt wins), one defined with an empty prompt,
          and an attribute whose tag the block does not define. The tests fill the values.
  DOOR    a block whose defaults document is in the library database: MAT (picks a code and fills DESC),
          DESC, FIN, BAD (an entry that is no pick list), NOTE (no entry).
  GATE    a block whose defaults document is only in the registry file: KIND.
  EMPTY   a block without attributes.
  HEADER  an attribute definition in model space, style Keys, with a prompt and a default value.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from hebrew_drawings import new_drawing, write_handles  # noqa: E402


def main(out):
    doc = new_drawing(styles=[("DosHeb", "hebrew.shx"), ("Keys", "hebkeys.shx"), ("KeysR", "hebkeysr.shx"),
                              ("Win", "veltro1.shx"), ("Arial", "arial.ttf")])
    doc.styles.new("BigOnly", dxfattribs={"font": "", "bigfont": "hebkeys.shx"})
    doc.layers.add("Locked")
    msp = doc.modelspace()
    handles = {}

    def block(name, attdefs):
        b = doc.blocks.new(name)
        b.add_line((0, 0), (100, 0))
        for i, (tag, prompt, style, flag) in enumerate(attdefs):
            b.add_attdef(tag, (2, 2 + 4 * i), dxfattribs={"prompt": prompt, "style": style, "height": 2.0,
                                                          "text_generation_flag": flag})
        return b

    def insert(name, at, attribs):
        ref = msp.add_blockref(name, at)
        for i, (tag, style, flag, value) in enumerate(attribs):
            ref.add_attrib(tag, value, (at[0] + 2, at[1] + 2 + 4 * i),
                           dxfattribs={"style": style, "height": 2.0, "text_generation_flag": flag})
        handles[name.lower()] = ref.dxf.handle
        return ref

    panel = [("HEB", "DosHeb", 0), ("KEYS", "Keys", 0), ("KEYSR", "KeysR", 0), ("WIN", "Win", 0),
             ("TTF", "Arial", 0), ("BACK", "Keys", 2), ("BIG", "BigOnly", 0)]
    block("PANEL", [(tag, "Prompt of " + tag, style, flag) for tag, style, flag in panel] +
          [("DUP", "first", "Keys", 0), ("EMPTYP", "", "Keys", 0), ("DUP", "second", "Keys", 0)])
    insert("PANEL", (0, 0), [(tag, style, flag, "") for tag, style, flag in panel] +
           [("DUP", "Keys", 0, ""), ("EMPTYP", "Keys", 0, ""), ("ORPHAN", "Keys", 0, "")])

    door = [("MAT", "Keys"), ("DESC", "Win"), ("FIN", "Arial"), ("BAD", "Keys"), ("NOTE", "Win")]
    block("DOOR", [(tag, tag.capitalize(), style, 0) for tag, style in door])
    insert("DOOR", (0, 100), [(tag, style, 0, "") for tag, style in door])

    block("GATE", [("KIND", "Kind", "Win", 0)])
    insert("GATE", (0, 200), [("KIND", "Win", 0, "")])

    block("EMPTY", [])
    insert("EMPTY", (0, 300), [])

    header = msp.add_attdef("HEADER", (0, 400), text="ouka",
                            dxfattribs={"prompt": "Title", "style": "Keys", "height": 2.5})
    handles["header"] = header.dxf.handle

    doc.saveas(os.path.join(out, "attribute_grid.dxf"))
    write_handles(out, handles)


if __name__ == "__main__":
    main(sys.argv[1])
