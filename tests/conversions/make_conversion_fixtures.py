"""Writes the drawings the conversion tests convert, with ezdxf, into the folder given as the argument,
and handles.json there: the handle of each entity the tests name.

mixed.dxf      R2000, ANSI_1255. Styles: DOS (hebdos.shx, not in the tests' font table: DOS Hebrew),
               WIN1, WIN2, WIN3 (all tri.shx, a "Windows" font: one font of three styles), KEYSR
               (hebkeysr.shx, DosEnglishR), BACK (veltro.shx, backwards), TTF (arial.ttf), TARGET
               (times.ttf). Texts in each, horizontal, rotated by 30 degrees and by a full turn; MText
               with a leading format group and two paragraphs, one ending with its paragraph mark, one
               without marks; a block with attribute definitions and an INSERT with attributes; an
               anonymous block holding a text; a text on a frozen and locked layer; a text in paper space.
all_ttf.dxf    R2000 whose every style uses a TrueType font, with a text.
autocad_2018.dxf  R2018 (UTF-8) as AutoCAD 2018 saves a TrueType style: its font file the bare name "arial",
               its family in the style's XDATA; Hebrew texts in it in logical order, and a Latin text with
               brackets in the standard style (txt, a font the tests' font table does not list).
without_styles.dxf  R12 as some programs write it: only an ENTITIES section, so no text style at all; a
               text in the default style and one in a style the drawing does not define.
placements.dxf R2000: one text of every kind of placement in every SHX font type: styles DOS (hebdos.shx),
               KEYS (hebkeys.shx, DosEnglish), KEYSR (hebkeysr.shx, DosEnglishR), WIN (tri.shx), WINBACK
               (tri2.shx, a Windows font, the style backwards); each with its own flag 0 and 2 (backwards),
               at 0, 30 and 200 degrees, left, centred, right, top left and middle. Their strings are
               "PLACEHOLDER": the tests write each text's string for its font. Target styles of every
               type: TO_DOS (dos2.shx), TO_KEYS (keys2.shx), TO_KEYSR (rtl2.shx), TO_WIN (tri3.shx),
               TO_WINBACK (tri4.shx, backwards) and TO_TTF (arial.ttf). handles.json lists the texts under
               "placements" as [handle, style, flag, angle, alignment].
bad_height.dxf R12 with a text whose height is not a number, beside a good one.
bad_style.dxf  R12 whose standard style's width factor is not a number.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from hebrew_drawings import DosStrings, new_drawing, save, write_handles  # noqa: E402
from hebrew_drawings import reversed_runs as stored  # noqa: E402

handles = {}
dos_strings = DosStrings()
dos = dos_strings.dos


def mixed(out):
    doc = new_drawing(styles=[("DOS", "hebdos.shx", 0), ("WIN1", "tri.shx", 0), ("WIN2", "tri.shx", 0),
                              ("WIN3", "tri.shx", 0), ("KEYSR", "hebkeysr.shx", 0), ("BACK", "veltro.shx", 2),
                              ("TTF", "arial.ttf", 0), ("TARGET", "times.ttf", 0)])
    doc.layers.new("COLD").freeze()
    doc.layers.get("COLD").lock()
    msp = doc.modelspace()

    def text(name, value, style, pos, space=msp, **attribs):
        attribs.update({"style": style, "height": 2.0})
        entity = space.add_text(value, dxfattribs=attribs)
        entity.set_pos(pos)
        handles[name] = entity.dxf.handle
        return entity

    text("dos", dos("שלום עולם"), "DOS", (0, 0))
    text("win1", stored("תכנית קומה"), "WIN1", (0, 10))
    text("win2_rotated", stored("חתך א"), "WIN2", (10, 20), rotation=30)
    text("win3_full_turn", stored("חזית"), "WIN3", (0, 30), rotation=360)
    text("keysr", "akuo", "KEYSR", (0, 40))
    text("back", "שלום", "BACK", (0, 50))
    text("ttf", "שלום", "TTF", (0, 60))
    text("cold", stored("קפוא"), "WIN1", (0, 70), layer="COLD")

    def mtext(name, value, style, pos):
        entity = msp.add_mtext(value, dxfattribs={"style": style, "char_height": 2.0, "width": 60})
        entity.set_location(pos)
        handles[name] = entity.dxf.handle

    mtext("mtext_group", "{\\fArial|b0|i0;" + stored("הערות כלליות") + "\\P" + stored("מידות") + "}", "WIN1", (50, 0))
    mtext("mtext_end_mark", stored("שורה") + "\\P", "WIN2", (50, 20))
    mtext("mtext_single", stored("אחת שתיים"), "WIN3", (50, 40))
    mtext("mtext_dos", stored("לא נבחר"), "DOS", (50, 60))

    block = doc.blocks.new("TB")
    block.add_attdef("NAME", (0, 0), dxfattribs={"style": "WIN2", "height": 2.0})
    block.add_attdef("NUM", (0, 5), dxfattribs={"style": "WIN3", "height": 2.0})
    insert = msp.add_blockref("TB", (100, 0))
    insert.add_auto_attribs({"NAME": stored("בניין"), "NUM": stored("גיליון 4")})
    handles["insert"] = insert.dxf.handle
    for attrib in insert.attribs:
        handles["attrib_" + attrib.dxf.tag.lower()] = attrib.dxf.handle

    anonymous = doc.blocks.new_anonymous_block()
    anonymous_text = anonymous.add_text(stored("בלוק"), dxfattribs={"style": "WIN1", "height": 2.0})
    handles["anonymous_text"] = anonymous_text.dxf.handle
    msp.add_blockref(anonymous.name, (150, 0))

    text("paper", stored("גיליון"), "WIN1", (10, 10), space=doc.layout("Layout1"))

    save(doc, os.path.join(out, "mixed.dxf"), dos_strings)


def placements(out):
    doc = new_drawing(styles=[("DOS", "hebdos.shx", 0), ("KEYS", "hebkeys.shx", 0), ("KEYSR", "hebkeysr.shx", 0),
                              ("WIN", "tri.shx", 0), ("WINBACK", "tri2.shx", 2), ("TO_DOS", "dos2.shx", 0),
                              ("TO_KEYS", "keys2.shx", 0), ("TO_KEYSR", "rtl2.shx", 0), ("TO_WIN", "tri3.shx", 0),
                              ("TO_WINBACK", "tri4.shx", 2), ("TO_TTF", "arial.ttf", 0)])
    msp = doc.modelspace()
    alignments = {"left": (0, 0), "center": (1, 0), "right": (2, 0), "top_left": (0, 3), "middle": (4, 0)}
    listed = []
    y = 0
    for style in ["DOS", "KEYS", "KEYSR", "WIN", "WINBACK"]:
        for flag in [0, 2]:
            for angle in [0, 30, 200]:
                for alignment, (h, v) in alignments.items():
                    entity = msp.add_text("PLACEHOLDER", dxfattribs={
                        "style": style, "height": 2.0, "rotation": angle, "text_generation_flag": flag,
                        "halign": h, "valign": v})
                    entity.dxf.insert = (100, y)
                    entity.dxf.align_point = (100, y)
                    listed.append([entity.dxf.handle, style, flag, angle, alignment])
                    y += 40
    handles["placements"] = listed
    doc.saveas(os.path.join(out, "placements.dxf"))


def all_ttf(out):
    doc = new_drawing(styles=[("TT", "tahoma.ttf")])
    doc.styles.get("Standard").dxf.font = "arial.ttf"
    entity = doc.modelspace().add_text("שלום", dxfattribs={"style": "TT", "height": 2.0})
    entity.set_pos((0, 0))
    handles["all_ttf_text"] = entity.dxf.handle
    doc.saveas(os.path.join(out, "all_ttf.dxf"))


def autocad_2018(out):
    doc = new_drawing("R2018", styles=[("HEBREW_TTF", "arial")], hebrew=False)
    doc.styles.get("HEBREW_TTF").set_extended_font_data("Arial", italic=False, bold=False)
    msp = doc.modelspace()
    for name, value, style_name, y in [("autocad_project", ":פרויקט", "HEBREW_TTF", 0),
                                       ("autocad_floor", "קומה 2 (מפלס 3)", "HEBREW_TTF", 5),
                                       ("autocad_latin", "%%c25 (TYP.)", "Standard", 10)]:
        entity = msp.add_text(value, dxfattribs={"style": style_name, "height": 2.5})
        entity.set_pos((0, y))
        handles[name] = entity.dxf.handle
    doc.saveas(os.path.join(out, "autocad_2018.dxf"))


def r12(sections, out, name):
    """A hand-written R12 file: `sections` is a list of (section name, [tags]) with tags as (code, value)."""
    lines = []
    for section, tags in sections:
        lines += ["  0", "SECTION", "  2", section]
        for code, value in tags:
            lines += ["%3d" % code, str(value)]
        lines += ["  0", "ENDSEC"]
    lines += ["  0", "EOF"]
    with open(os.path.join(out, name), "w", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")


def text(value, y, height=2.5, style=None):
    tags = [(0, "TEXT"), (8, "0"), (10, 0.0), (20, y), (30, 0.0), (40, height), (1, value)]
    return tags + ([(7, style)] if style else [])


def standard_style(width):
    return ("TABLES", [(0, "TABLE"), (2, "STYLE"), (70, 1), (0, "STYLE"), (2, "STANDARD"), (70, 0), (40, 0.0),
                       (41, width), (50, 0.0), (71, 0), (42, 2.5), (3, "txt"), (4, ""), (0, "ENDTAB")])


def foreign_r12(out):
    r12([("ENTITIES", text("%%c25 (TYP.)", 0.0) + text("dimensions", 5.0, style="unicode2"))], out,
        "without_styles.dxf")
    r12([standard_style(1.0), ("ENTITIES", text("good", 0.0) + text("bad", 5.0, height="high"))], out,
        "bad_height.dxf")
    r12([standard_style("wide"), ("ENTITIES", text("abc", 0.0))], out, "bad_style.dxf")


def main():
    out = sys.argv[1]
    mixed(out)
    placements(out)
    all_ttf(out)
    autocad_2018(out)
    foreign_r12(out)
    write_handles(out, handles)


if __name__ == "__main__":
    main()
