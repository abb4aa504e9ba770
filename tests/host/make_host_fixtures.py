"""Writes the drawings the stand-in host tests open, with ezdxf, into the folder given as the argument,
and handles.json there: the handle of each entity the tests name.

hebrew.dxf       R2000, ANSI_1255, the model space view centred on (50, 25), 10 units high. Text styles of
                 every kind of font: DOS Hebrew SHX, key-mapped SHX (listed in the tests' font table),
                 "VELTRO" Windows fonts, TrueType (.ttf and .TTF), no font file, a big font only, no
                 extension, backward and backward-upside-down styles. Texts in each, MTEXT, a block with
                 attribute definitions and an INSERT with attributes, a line, a frozen and a locked layer.
no_texts.dxf     R2000 with lines and a circle only.
paper.dxf        R2000 whose layout tab is active ($TILEMODE 0), with a text in paper space.
gone_layer.dxf   R2000 whose current layer ($CLAYER) is not in the layer table.
r12.dxf          R12 with a key-mapped text and a block with an attribute.
kinds.dxf        R2000 with the entities whose class comes from their flags: a linear and a radius
                 dimension, 2D and 3D polylines, a polyface mesh and a polygon mesh.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from hebrew_drawings import DosStrings, new_drawing, save, write_handles  # noqa: E402

handles = {}


def styles(doc):
    doc.styles.new("DosHeb", dxfattribs={"font": "hebrew.shx"})
    doc.styles.new("Keys", dxfattribs={"font": "hebkeys.shx"})
    doc.styles.new("VeltroWin", dxfattribs={"font": "veltro1.shx"})
    doc.styles.new("Arial", dxfattribs={"font": "arial.ttf"})
    doc.styles.new("ArialUpper", dxfattribs={"font": "C:\\Fonts\\ARIAL.TTF"})
    doc.styles.new("NoFont", dxfattribs={"font": ""})
    doc.styles.new("BigOnly", dxfattribs={"font": "", "bigfont": "hebkeys.shx"})
    doc.styles.new("NoExtension", dxfattribs={"font": "hebrew"})
    doc.styles.new("Backward", dxfattribs={"font": "hebkeys.shx", "generation_flags": 2})
    doc.styles.new("UpsideBack", dxfattribs={"font": "hebkeys.shx", "generation_flags": 6})
    doc.styles.new("Upside", dxfattribs={"font": "hebkeys.shx", "generation_flags": 4})


def hebrew(out):
    doc = new_drawing()
    dos_strings = DosStrings()
    styles(doc)
    doc.layers.new("Frozen").freeze()
    doc.layers.new("Locked").lock()
    doc.set_modelspace_vport(height=10, center=(50, 25))
    msp = doc.modelspace()

    def text(name, value, style, pos, **attribs):
        attribs.update({"style": style, "height": attribs.get("height", 2.0)})
        entity = msp.add_text(value, dxfattribs=attribs)
        entity.set_pos(pos)
        handles[name] = entity.dxf.handle
        return entity

    text("keys", "ouka", "Keys", (0, 0))
    text("keys_backward", "ouka", "Backward", (0, 10))
    text("keys_upside_back", "ouka", "UpsideBack", (0, 20))
    text("big_only", "ouka", "BigOnly", (0, 30))
    text("arial", "שלום עולם", "Arial", (0, 40))
    text("arial_upper", "שלום 12", "ArialUpper", (0, 50))
    text("no_font", "אבג דהו", "NoFont", (0, 60))
    text("no_extension", "שלום", "NoExtension", (0, 70))
    text("dos", dos_strings.dos("שלום"), "DosHeb", (0, 80))
    text("windows", "םולש", "VeltroWin", (0, 90))
    text("centered", "abcd", "Standard", (0, 0), height=1.0).set_pos((10, 20), align="CENTER")
    m = msp.add_mtext("שורה אחת\\Pשורה שתיים", dxfattribs={"style": "Arial", "char_height": 2.0})
    m.set_location((100, 100))
    handles["mtext_arial"] = m.dxf.handle
    m = msp.add_mtext("ouka", dxfattribs={"style": "Keys", "char_height": 2.0})
    m.set_location((100, 120))
    handles["mtext_keys"] = m.dxf.handle
    line = msp.add_line((0, 0), (10, 0))
    handles["line"] = line.dxf.handle

    block = doc.blocks.new("TITLE")
    block.add_line((0, 0), (100, 0))
    block.add_attdef("NAME", (2, 2), dxfattribs={"prompt": "Name", "height": 2.0, "style": "Keys"})
    block.add_attdef("CITY", (2, 6), dxfattribs={"prompt": "City", "height": 2.0, "style": "Arial"})
    handles["attdef"] = block.get_attdef("NAME").dxf.handle
    insert = msp.add_blockref("TITLE", (300, 0))
    insert.add_auto_attribs({"NAME": "ouka", "CITY": "חיפה"})
    handles["insert"] = insert.dxf.handle
    for attrib in insert.attribs:
        handles["attrib_" + attrib.dxf.tag.lower()] = attrib.dxf.handle

    # DOS Hebrew "shalom" stored reversed, as DOS fonts keep it: final mem, vav, lamed, shin (cp862).
    save(doc, os.path.join(out, "hebrew.dxf"), dos_strings)


def no_texts(out):
    doc = new_drawing("R2000", hebrew=False)
    msp = doc.modelspace()
    msp.add_line((0, 0), (10, 10))
    msp.add_circle((5, 5), 3)
    doc.saveas(os.path.join(out, "no_texts.dxf"))


def paper(out):
    doc = new_drawing("R2000", hebrew=False)
    doc.header["$TILEMODE"] = 0
    doc.modelspace().add_text("model", dxfattribs={"height": 1}).set_pos((0, 0))
    psp = doc.layout("Layout1")
    psp.add_text("paper", dxfattribs={"height": 1}).set_pos((1, 1))
    doc.saveas(os.path.join(out, "paper.dxf"))


def gone_layer(out):
    doc = new_drawing("R2000", hebrew=False)
    doc.header["$CLAYER"] = "Gone"
    doc.modelspace().add_line((0, 0), (1, 1))
    doc.saveas(os.path.join(out, "gone_layer.dxf"))


def r12(out):
    doc = new_drawing("R12", hebrew=False)
    doc.styles.new("Keys", dxfattribs={"font": "hebkeys.shx"})
    msp = doc.modelspace()
    t = msp.add_text("ouka", dxfattribs={"style": "Keys", "height": 2.0})
    t.set_pos((1, 2))
    handles["r12_keys"] = t.dxf.handle
    block = doc.blocks.new("TAG")
    block.add_attdef("ID", (0, 0), dxfattribs={"prompt": "Id", "height": 1.0, "style": "Keys"})
    insert = msp.add_blockref("TAG", (10, 10))
    insert.add_auto_attribs({"ID": "ouka"})
    handles["r12_attrib"] = insert.attribs[0].dxf.handle
    doc.saveas(os.path.join(out, "r12.dxf"))


def kinds(out):
    doc = new_drawing("R2000", hebrew=False)
    msp = doc.modelspace()
    linear = msp.add_linear_dim(base=(0, 5), p1=(0, 0), p2=(10, 0))
    linear.render()
    handles["dim_linear"] = linear.dimension.dxf.handle
    radius = msp.add_radius_dim(center=(20, 0), radius=3, angle=45)
    radius.render()
    handles["dim_radius"] = radius.dimension.dxf.handle
    handles["polyline_2d"] = msp.add_polyline2d([(0, 0), (1, 1), (2, 0)]).dxf.handle
    handles["polyline_3d"] = msp.add_polyline3d([(0, 0, 0), (1, 1, 1)]).dxf.handle
    polyface = msp.add_polyface()
    polyface.append_face([(0, 0, 0), (1, 0, 0), (1, 1, 0)])
    handles["polyface"] = polyface.dxf.handle
    handles["polymesh"] = msp.add_polymesh((2, 2)).dxf.handle
    doc.saveas(os.path.join(out, "kinds.dxf"))


def main(out):
    os.makedirs(out, exist_ok=True)
    hebrew(out)
    no_texts(out)
    paper(out)
    gone_layer(out)
    r12(out)
    kinds(out)
    write_handles(out, handles, indent=1)


if __name__ == "__main__":
    main(sys.argv[1])
