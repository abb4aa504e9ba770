"""Writes the DXF drawings the drawing tests read, with ezdxf, into the folder given as the argument.

r2000_ansi_1255.dxf  R2000, $DWGCODEPAGE ANSI_1255: styles with SHX and TrueType fonts and a backward
                     style, rotated and aligned TEXT, MTEXT with format groups, \\P and \\U+ escapes, a
                     block with ATTDEFs and an INSERT with ATTRIBs, an anonymous block, a DIMENSION with
                     overrides, frozen and locked layers, paper space; DOS Hebrew letters and caret
                     escapes written as bytes after ezdxf (which cannot write them).
r2018.dxf            the same drawing in R2018 (UTF-8).
r12.dxf              an R12 drawing: texts, a block with attributes, layers.
r2000_crlf.dxf       r2000_ansi_1255.dxf with CRLF line ends, comments, padded numbers and a section
                     no program knows.
"""
import os
import sys

import ezdxf

# Windows-1255 bytes of DOS code page 862 letters on bytes Windows-1255 leaves undefined:
# bet, final kaf, lamed, final mem, mem, final nun, nun, tav.
DOS_LETTERS = b"\x81\x8a\x8c\x8d\x8e\x8f\x90\x9a"


def build(version, encoding=None):
    doc = ezdxf.new(version)
    if encoding:
        doc.encoding = encoding
    doc.styles.new("HebrewShx", dxfattribs={"font": "hebrew.shx", "bigfont": "bigheb.shx"})
    doc.styles.new("Arial", dxfattribs={"font": "arial.ttf"})
    doc.styles.new("Backward", dxfattribs={"font": "heb_back.shx", "generation_flags": 2})
    doc.layers.new("Frozen").freeze()
    doc.layers.new("Locked").lock()
    doc.layers.new("שכבה")
    msp = doc.modelspace()
    msp.add_text("שלום עולם", dxfattribs={"style": "Arial", "height": 2.5, "rotation": 30, "layer": "שכבה"}).set_pos((10, 20))
    msp.add_text("aligned", dxfattribs={"style": "HebrewShx", "height": 1.5}).set_pos((0, 0), (40, 0), align="ALIGNED")
    msp.add_text("DOSPLACE", dxfattribs={"style": "Backward", "height": 3.0, "layer": "Frozen"}).set_pos((5, 5))
    msp.add_text("CARETPLACE", dxfattribs={"layer": "Locked"}).set_pos((7, 7))
    msp.add_mtext("{\\fArial|b1|i0;מודגש}\\Pשורה שנייה \\U+05D0 Ω", dxfattribs={"style": "Arial", "char_height": 2.0, "width": 50, "attachment_point": 3}).set_location((100, 100))
    msp.add_mtext("long " + "אבגדהוזחטי " * 60, dxfattribs={"char_height": 1.0}).set_location((0, 200))

    block = doc.blocks.new("TITLE")
    block.add_line((0, 0), (100, 0))
    block.add_attdef("NAME", (2, 2), dxfattribs={"prompt": "שם הפרויקט", "height": 2.0})
    block.add_attdef("DATE", (2, 6), dxfattribs={"prompt": "Date", "height": 2.0})
    insert = msp.add_blockref("TITLE", (300, 0))
    insert.add_auto_attribs({"NAME": "בניין א", "DATE": "2024-01-01"})

    anonymous = doc.blocks.new_anonymous_block()
    anonymous.add_circle((0, 0), 5)
    msp.add_blockref(anonymous.name, (50, 50))

    dim = msp.add_linear_dim(base=(0, 30), p1=(0, 0), p2=(40, 0), text="<> מ\"מ", override={"dimtxt": 3.5, "dimclrt": 1})
    dim.render()

    psp = doc.layout("Layout1")
    psp.add_text("paper space", dxfattribs={"height": 5}).set_pos((20, 20))
    psp.add_solid([(0, 0), (10, 0), (0, 10), (10, 10)])
    return doc


def patch(path, replacements):
    with open(path, "rb") as f:
        data = f.read()
    for old, new in replacements:
        assert old in data, old
        data = data.replace(old, new)
    with open(path, "wb") as f:
        f.write(data)


def main(out):
    os.makedirs(out, exist_ok=True)
    r2000 = os.path.join(out, "r2000_ansi_1255.dxf")
    build("R2000", "cp1255").saveas(r2000)
    patch(r2000, [(b"DOSPLACE", DOS_LETTERS + b" 12"), (b"CARETPLACE", b"tab^Ihere, caret^ there")])

    r2018 = os.path.join(out, "r2018.dxf")
    build("R2018").saveas(r2018)
    patch(r2018, [(b"DOSPLACE", "אבג 😀".encode("utf-8")), (b"CARETPLACE", b"tab^Ihere, caret^ there \\U+05d1")])

    doc = ezdxf.new("R12")
    doc.layers.new("Frozen").freeze()
    block = doc.blocks.new("TAG")
    block.add_attdef("ID", (0, 0), dxfattribs={"prompt": "Id", "height": 1.0})
    msp = doc.modelspace()
    msp.add_text("R12 text", dxfattribs={"height": 2.0, "rotation": 45}).set_pos((1, 2))
    msp.add_blockref("TAG", (10, 10)).add_auto_attribs({"ID": "42"})
    doc.saveas(os.path.join(out, "r12.dxf"))

    with open(r2000, "rb") as f:
        data = f.read()
    data = b"999\nwritten by the fixture script\n" + data
    data = data.replace(b"  0\nEOF\n", b"  0\nSECTION\n  2\nZILTEST\n999\na section no program knows\n  1\nhello\n  0\nENDSEC\n  0\nEOF\n")
    data = data.replace(b" 40\n2.5\n", b" 40\n2.50000\n", 1)
    with open(os.path.join(out, "r2000_crlf.dxf"), "wb") as f:
        f.write(data.replace(b"\n", b"\r\n"))


if __name__ == "__main__":
    main(sys.argv[1])
