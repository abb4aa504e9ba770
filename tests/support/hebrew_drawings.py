"""What the scripts that write drawings with ezdxf share: Hebrew stored the way a drafter's tools stored it
for each kind of font (worked out here on its own, not by zil), new drawings with their text styles, DOS
strings that ezdxf cannot write put in after it saved, and the handles.json beside fixture drawings.

The forms of a logical text:
  reversed_runs        Windows and DOS fonts: runs in reverse order, each Hebrew run reversed
  latin_runs_reversed  DosEnglishR: not reversed as a whole, each run of other characters reversed
  keys                 DosEnglish and DosEnglishR: the Hebrew letters on their Latin keys
  DosStrings.dos       DOS Hebrew: code page 862 letters (through a placeholder until the file is saved)

A script imports it with its own folder's way to tests/support on sys.path.
"""
import json
import os

import ezdxf

HEBREW = "אבגדהוזחטיךכלםמןנסעףפץצקרשת"
KEYS = "tcdsvuzjyhlfkonibxg;p.mera,"


def runs(text):
    """The text cut into runs of Hebrew letters and runs of everything else."""
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


def reversed_runs(text):
    """The string as a left-to-right SHX font must hold it: runs in reverse order, letters of each Hebrew
    run reversed, every other run kept as it reads."""
    return "".join(r[::-1] if r[0] in HEBREW else r for r in reversed(runs(text)))


def latin_runs_reversed(text):
    """Not reversed as a whole; every run of other characters reversed where it stands."""
    return "".join(r if r[0] in HEBREW else r[::-1] for r in runs(text))


def mirrored(text):
    """Round and angle brackets turned the other way, as a font drawn left to right shows Hebrew's."""
    return text.translate(str.maketrans("()<>", ")(><"))


def keys(stored):
    """A stored string with its Hebrew letters on their Latin keys."""
    return "".join(KEYS[HEBREW.index(c)] if c in HEBREW else c for c in stored)


def dos_bytes(stored):
    """A stored string with its Hebrew letters at their code page 862 codes."""
    return bytes(0x80 + HEBREW.index(c) if c in HEBREW else ord(c) for c in stored)


class DosStrings:
    """DOS strings go into a drawing as placeholders and are replaced by their bytes once ezdxf has written
    the file (ezdxf cannot write bytes that Windows-1255 leaves undefined)."""

    def __init__(self, digits=2):
        self.digits = digits
        self.strings = {}

    def placeholder(self, data):
        tag = "DOSTEXT%0*d" % (self.digits, len(self.strings))
        self.strings[tag] = data
        return tag

    def dos(self, text):
        """The placeholder of the DOS Hebrew form of a logical text."""
        return self.placeholder(dos_bytes(reversed_runs(text)))

    def put_in(self, path):
        """Replaces each placeholder in the saved file by its bytes; each must be there once."""
        if not self.strings:
            return
        with open(path, "rb") as f:
            data = f.read()
        for tag, value in self.strings.items():
            assert data.count(tag.encode()) == 1, tag
            data = data.replace(tag.encode(), value)
        with open(path, "wb") as f:
            f.write(data)


def new_drawing(version="R2000", styles=(), hebrew=True):
    """A new drawing; with `hebrew`, written in Windows-1255. `styles` are (name, font) or (name, font,
    generation flags) for text styles made in that order."""
    doc = ezdxf.new(version)
    if hebrew:
        doc.encoding = "cp1255"
    for style in styles:
        name, font = style[0], style[1]
        attribs = {"font": font}
        if len(style) > 2:
            attribs["generation_flags"] = style[2]
        doc.styles.new(name, dxfattribs=attribs)
    return doc


def save(doc, path, dos_strings=None):
    """Saves the drawing, then puts its DOS strings in."""
    doc.saveas(path)
    if dos_strings:
        dos_strings.put_in(path)


def write_handles(folder, handles, indent=None):
    """handles.json in `folder`: the handle of each entity a test names."""
    with open(os.path.join(folder, "handles.json"), "w") as f:
        json.dump(handles, f, indent=indent)
