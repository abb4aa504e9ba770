"""Writes the drawing the text dialog tests open, with ezdxf, into the folder given as the argument, and
handles.json there: the handle of each entity the tests name.

text_dialog.dxf  R2000, ANSI_1255. A text style for each font type (the tests' font table lists hebrew,
                 hebkeys and hebkeysr; "veltro1" is a Windows font by its name, arial.ttf TrueType), a
                 backwards style, a style of fixed height, a symbol font, a style with a big font only.
                 Texts in some of them (one turned by 30 degrees), a block reference with an attribute, and
                 two linear dimensions of the dimension style "HebDim", whose text style is "Win", one
                 without an override and one with; the current dimension style is another. A dimension
                 of the style "SymDim", whose text style is the symbol font's.
gone_text_style.dxf
                 R2000 whose header names a text style the drawing lacks ($DIMTXSTY "Gone"), with a
                 dimension whose dimension style names no text style.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from hebrew_drawings import new_drawing, write_handles  # noqa: E402


def main(out):
    doc = new_drawing(styles=[("DosHeb", "hebrew.shx"), ("Keys", "hebkeys.shx"), ("KeysR", "hebkeysr.shx"),
                              ("Win", "veltro1.shx"), ("Arial", "arial.ttf"), ("Back", "hebkeys.shx", 2)])
    doc.styles.new("Fixed", dxfattribs={"font": "hebrew.shx", "height": 5.0})
    doc.styles.new("Sym", dxfattribs={"font": "hebsym.shx"})
    doc.styles.new("BigOnly", dxfattribs={"font": "", "bigfont": "hebkeys.shx"})
    doc.dimstyles.new("HebDim", dxfattribs={"dimtxsty": "Win"})
    doc.dimstyles.new("SymDim", dxfattribs={"dimtxsty": "Sym"})
    # The current dimension style names its text style, as the header's $DIMTXSTY does.
    doc.dimstyles.get("Standard").dxf.dimtxsty = "Standard"
    doc.header["$DIMSTYLE"] = "Standard"
    doc.header["$TEXTSTYLE"] = "Keys"
    msp = doc.modelspace()
    handles = {}

    def text(name, value, style, pos, rotation=0.0):
        entity = msp.add_text(value, dxfattribs={"style": style, "height": 2.5, "rotation": rotation})
        entity.set_placement(pos)
        handles[name] = entity.dxf.handle

    text("keys", "ouka", "Keys", (10, 10))
    text("win", "םולש", "Win", (10, 30))
    text("turned", "ouka", "Keys", (10, 50), rotation=30.0)

    block = doc.blocks.new("TITLE")
    block.add_line((0, 0), (100, 0))
    block.add_attdef("NAME", (2, 2), dxfattribs={"prompt": "Name", "height": 2.0, "style": "Keys"})
    insert = msp.add_blockref("TITLE", (200, 0))
    insert.add_auto_attribs({"NAME": "ouka"})
    handles["attrib"] = insert.attribs[0].dxf.handle

    for name, y, style, override in (("dim", 100, "HebDim", None), ("dim_override", 120, "HebDim", "ouka"),
                                     ("dim_sym", 140, "SymDim", None)):
        dim = msp.add_linear_dim(base=(0, y + 5), p1=(0, y), p2=(40, y), dimstyle=style)
        dim.render()
        dim.dimension.dxf.text = override or ""
        handles[name] = dim.dimension.dxf.handle

    doc.saveas(os.path.join(out, "text_dialog.dxf"))

    # The header names a text style the drawing lacks, and a dimension's style names none.
    doc = new_drawing(hebrew=False)
    doc.dimstyles.get("Standard").dxf.dimtxsty = "Standard"
    doc.header["$DIMSTYLE"] = "Standard"
    doc.dimstyles.new("Plain")
    dim = doc.modelspace().add_linear_dim(base=(0, 5), p1=(0, 0), p2=(40, 0), dimstyle="Plain")
    dim.render()
    handles["dim_plain"] = dim.dimension.dxf.handle
    doc.header["$DIMTXSTY"] = "Gone"
    doc.saveas(os.path.join(out, "gone_text_style.dxf"))

    write_handles(out, handles)


if __name__ == "__main__":
    main(sys.argv[1])
