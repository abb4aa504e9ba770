"""Writes the DXF drawings the preview tests read, with ezdxf, into the folder given as the argument.

layers.dxf  what is drawn and in which colour: texts on a frozen, an off and a red layer, in an entity's
            own colour and in a true colour; block references whose layer-0 contents take the reference's
            layer and whose BYBLOCK contents take its colour, on a red, a frozen and an off layer (what the
            block holds on other layers shows); a block inside a block,
            each turned and scaled; a block that holds itself; an array of a block (columns and rows);
            attribute definitions, constant and not, in a block and on their own; a polyline with a bulge,
            a solid, entities the preview does not draw (a spline, a hatch).
mtext.dxf   MText: a paragraph wrapped at its reference width, attachment points, a turned text.
"""
import os
import sys

import ezdxf


def layers(path):
    doc = ezdxf.new("R2010")
    doc.styles.new("ARIAL", dxfattribs={"font": "arial.ttf"})
    doc.layers.new("FROZEN").freeze()
    doc.layers.new("OFF", dxfattribs={"color": 3}).off()
    doc.layers.new("RED", dxfattribs={"color": 1})
    doc.layers.new("BLUE", dxfattribs={"color": 5})
    msp = doc.modelspace()

    def text(s, pos, **attribs):
        attribs.setdefault("style", "ARIAL")
        attribs.setdefault("height", 2.0)
        return msp.add_text(s, dxfattribs=attribs).set_pos(pos)

    text("frozen", (0, 0), layer="FROZEN")
    text("off", (0, 5), layer="OFF")
    text("red", (0, 10), layer="RED")
    text("blue by entity", (0, 15), layer="RED", color=5)
    text("true colour", (0, 20), layer="RED", true_color=0x123456)

    tag = doc.blocks.new("TAG", base_point=(1, 1))
    tag.add_line((1, 1), (3, 1))                                   # layer 0, BYLAYER
    tag.add_line((1, 2), (3, 2), dxfattribs={"color": 0})          # layer 0, BYBLOCK
    tag.add_line((1, 3), (3, 3), dxfattribs={"layer": "BLUE"})     # its own layer
    tag.add_text("in block", dxfattribs={"style": "ARIAL", "height": 1.0}).set_pos((1, 1))
    msp.add_blockref("TAG", (50, 0), dxfattribs={"layer": "RED", "color": 3})
    msp.add_blockref("TAG", (50, 10), dxfattribs={"layer": "FROZEN"})
    msp.add_blockref("TAG", (50, 20), dxfattribs={"layer": "OFF"})

    outer = doc.blocks.new("OUTER")
    outer.add_blockref("TAG", (10, 0), dxfattribs={"xscale": 2, "yscale": 2, "rotation": 90})
    msp.add_blockref("OUTER", (100, 100), dxfattribs={"xscale": 0.5, "yscale": 0.5, "rotation": 30})

    loop = doc.blocks.new("LOOP")
    loop.add_line((0, 0), (1, 1))
    loop.add_blockref("LOOP", (5, 5))
    msp.add_blockref("LOOP", (200, 0))

    array = msp.add_blockref("TAG", (300, 0))
    array.dxf.column_count = 3
    array.dxf.row_count = 2
    array.dxf.column_spacing = 10
    array.dxf.row_spacing = 5

    fields = doc.blocks.new("FIELDS")
    fields.add_attdef("NORMAL", (0, 0), "normal default", dxfattribs={"style": "ARIAL", "height": 1.0})
    fields.add_attdef("CONSTANT", (0, 2), "constant value", dxfattribs={"style": "ARIAL", "height": 1.0, "flags": 2})
    ref = msp.add_blockref("FIELDS", (400, 0))
    ref.add_auto_attribs({"NORMAL": "given value"})
    msp.add_attdef("LONE_TAG", (400, 20), "lone default", dxfattribs={"style": "ARIAL", "height": 1.0})

    pl = msp.add_lwpolyline([(0, 50, 0, 0, 1), (10, 50, 0, 0, 0), (10, 60)], format="xyseb")
    pl.dxf.layer = "BLUE"
    msp.add_solid([(20, 50), (30, 50), (20, 60), (30, 60)], dxfattribs={"layer": "BLUE"})
    msp.add_spline([(0, 70), (10, 75), (20, 70)])
    hatch = msp.add_hatch()
    hatch.paths.add_polyline_path([(40, 70), (50, 70), (50, 80)])
    doc.saveas(path)


def mtext(path):
    doc = ezdxf.new("R2000")
    doc.styles.new("ARIAL", dxfattribs={"font": "arial.ttf"})
    msp = doc.modelspace()
    # 0.8 x 1.0 per glyph: a width of 8 holds 10 glyphs.
    msp.add_mtext("aaa bbb ccc dddddddddddd e", dxfattribs={"style": "ARIAL", "char_height": 1.0, "width": 8,
                                                          "attachment_point": 1}).set_location((0, 0))
    msp.add_mtext("centre\\Pmiddle line", dxfattribs={"style": "ARIAL", "char_height": 1.0,
                                                       "attachment_point": 5}).set_location((50, 0))
    msp.add_mtext("turned", dxfattribs={"style": "ARIAL", "char_height": 1.0, "rotation": 90,
                                        "attachment_point": 9}).set_location((100, 0))
    doc.saveas(path)


def main():
    folder = sys.argv[1]
    layers(os.path.join(folder, "layers.dxf"))
    mtext(os.path.join(folder, "mtext.dxf"))


if __name__ == "__main__":
    main()
