"""Writes the bundled sample drawing, hebrew-sample.dxf: an R2000 drawing ($DWGCODEPAGE ANSI_1255) that
holds Hebrew in all five ways fonts keep it, as old and new drawings of an Israeli office do.

Every Hebrew text is stored here the way a drafter's tools stored it for its font, worked out in this
script on its own (not by zil):
  hebdos.shx   DosHebrew    code page 862 letters, the whole string reversed, other runs kept in order
  hebkeys.shx  DosEnglish   the Latin keys of the Hebrew keyboard, stored as DosHebrew is
  hebkeysr.shx DosEnglishR  the Latin keys, not reversed as a whole, runs of other characters reversed
  veltro.shx   Windows      Windows-1255 letters, stored as DosHebrew is
  arial.ttf    TrueType     Windows-1255 letters in logical order (the platform lays them out)
The data folder beside it (data/HebFonts.txt) tells zil which font is which.

Usage: /usr/bin/python3 samples/make_sample.py [OUT.dxf]
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "support"))
from hebrew_drawings import DosStrings, keys, latin_runs_reversed, new_drawing, reversed_runs, save  # noqa: E402

dos_strings = DosStrings()
dos = dos_strings.dos


def build():
    doc = new_drawing(styles=[
        ("HEB_DOS", "hebdos.shx", 0),
        ("HEB_KEYS", "hebkeys.shx", 0),
        ("HEB_KEYSR", "hebkeysr.shx", 0),
        ("HEB_WIN", "veltro.shx", 0),
        ("HEB_WIN_BACK", "veltro.shx", 2),
        ("HEB_TTF", "arial.ttf", 0),
    ])
    doc.header["$DWGCODEPAGE"] = "ANSI_1255"
    doc.layers.new("TEXTS", dxfattribs={"color": 7})
    doc.layers.new("TITLES", dxfattribs={"color": 3})
    doc.layers.new("FROZEN").freeze()
    doc.layers.new("LOCKED", dxfattribs={"color": 1}).lock()
    msp = doc.modelspace()

    def text(s, style, pos, height=2.5, **attribs):
        attribs.update({"style": style, "height": height, "layer": attribs.get("layer", "TEXTS")})
        return msp.add_text(s, dxfattribs=attribs).set_pos(pos)

    # The same line in each font type, one under the other.
    line = "תכנית קומה א - מפלס 3"
    text(dos(line), "HEB_DOS", (0, 50))
    text(keys(reversed_runs(line)), "HEB_KEYS", (0, 45))
    text(keys(latin_runs_reversed(line)), "HEB_KEYSR", (0, 40))
    text(reversed_runs(line), "HEB_WIN", (0, 35))
    # A backwards style draws its string mirrored, so the string is stored the other way round.
    text(latin_runs_reversed(line), "HEB_WIN_BACK", (60, 30))
    text(line, "HEB_TTF", (0, 25))

    # Rotated, aligned, centred and right-aligned texts.
    text(dos("חתך 1-1"), "HEB_DOS", (70, 50), rotation=30)
    msp.add_text(reversed_runs("חזית צפונית"), dxfattribs={"style": "HEB_WIN", "height": 2.0, "layer": "TEXTS"}).set_pos(
        (0, 15), (40, 15), align="ALIGNED")
    msp.add_text(keys(reversed_runs("מטבח")), dxfattribs={"style": "HEB_KEYS", "height": 2.0, "layer": "TEXTS"}).set_pos(
        (60, 15), align="MIDDLE_CENTER")
    msp.add_text(reversed_runs("חדר שינה 2"), dxfattribs={"style": "HEB_WIN", "height": 2.0, "layer": "TEXTS",
                                                          "rotation": 90}).set_pos((100, 10), align="BOTTOM_RIGHT")

    # Texts that read differently once converted for a left-to-right TrueType line: one that begins with
    # a number, one with Latin letters inside Hebrew.
    text(reversed_runs("3 חדרים"), "HEB_WIN", (0, 5), height=2.0)
    text(reversed_runs("קיר RC עובי 20"), "HEB_WIN", (40, 5), height=2.0)

    # Layers the conversions must open and close again.
    text(dos("שכבה קפואה"), "HEB_DOS", (0, -5), height=2.0, layer="FROZEN")
    text(reversed_runs("שכבה נעולה"), "HEB_WIN", (40, -5), height=2.0, layer="LOCKED")

    # MText with a leading format group and two paragraphs, in a Windows style and in TrueType.
    msp.add_mtext("{\\fArial|b0|i0;" + reversed_runs("הערות כלליות") + "\\P" + reversed_runs("מידות בסמ") + "}",
                  dxfattribs={"style": "HEB_WIN", "char_height": 2.0, "width": 60}).set_location((0, 80))
    msp.add_mtext("הערה: לבדוק באתר\\Pשורה שנייה", dxfattribs={"style": "HEB_TTF", "char_height": 2.0, "width": 60}).set_location((70, 80))

    # A title block with attributes.
    block = doc.blocks.new("TITLE")
    block.add_lwpolyline([(0, 0), (80, 0), (80, 20), (0, 20)], close=True)
    block.add_attdef("PROJECT", (2, 12), dxfattribs={"prompt": "שם הפרויקט", "height": 3.0, "style": "HEB_KEYS"})
    block.add_attdef("SHEET", (2, 4), dxfattribs={"prompt": "גיליון", "height": 2.5, "style": "HEB_WIN"})
    insert = msp.add_blockref("TITLE", (0, -40), dxfattribs={"layer": "TITLES"})
    insert.add_auto_attribs({"PROJECT": keys(reversed_runs("בית ספר")), "SHEET": reversed_runs("גיליון 4")})

    # Paper space.
    psp = doc.layout("Layout1")
    psp.add_text(reversed_runs("קנה מידה 1:50"), dxfattribs={"style": "HEB_WIN", "height": 3.0}).set_pos((20, 20))

    # For the previews: a text drawn backwards by its own flag as well as its style's, then a site beside
    # the texts with the other kinds of entities the previews draw.
    text(latin_runs_reversed("חניה 12"), "HEB_WIN_BACK", (150, 55), text_generation_flag=2)

    # A door tag (a circle and a Hebrew text) inside a room block, the room turned and scaled, the tag
    # turned and scaled again inside it; the room's lines on layer 0 take the reference's layer.
    door = doc.blocks.new("DOOR_TAG")
    door.add_circle((0, 0), 2)
    door.add_text(reversed_runs("דלת"), dxfattribs={"style": "HEB_WIN", "height": 1.5}).set_pos((0, 0), align="MIDDLE_CENTER")
    room = doc.blocks.new("ROOM")
    room.add_lwpolyline([(0, 0), (20, 0), (20, 12), (0, 12)], close=True)
    room.add_line((8, 0), (12, 0), dxfattribs={"color": 1})
    room.add_arc((8, 0), 4, 0, 90)
    room.add_blockref("DOOR_TAG", (10, 6), dxfattribs={"xscale": 0.8, "yscale": 0.8, "rotation": 15})
    msp.add_blockref("ROOM", (120, 20), dxfattribs={"layer": "TITLES", "xscale": 1.5, "yscale": 1.5, "rotation": 20})

    # A north arrow: a circle and a filled triangle; a path with a bulge; a dimension (through its block).
    msp.add_circle((160, 70), 5, dxfattribs={"color": 5})
    msp.add_solid([(157, 66), (163, 66), (160, 74)], dxfattribs={"color": 5})
    msp.add_polyline2d([(115, 5), (135, 5), (145, 15)], dxfattribs={"color": 30}).vertices[1].dxf.bulge = 0.5
    msp.add_linear_dim(base=(115, -8), p1=(115, -2), p2=(145, -2), dxfattribs={"layer": "TITLES"}).render()

    # One more text that reads differently once converted for a left-to-right TrueType line: a number
    # joined to Latin letters inside Hebrew.
    text(reversed_runs("חדר 2B שינה"), "HEB_WIN", (66, 5), height=2.0)
    return doc


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "samples/hebrew-sample.dxf"
    save(build(), out, dos_strings)


if __name__ == "__main__":
    main()
