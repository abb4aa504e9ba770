"""Writes drawings whose fonts keep Hebrew in known ways, for the tests of the font classifier, into the
folder given as the first argument, with truth.json there: for each drawing, each font's type ("DosHebrew",
"DosEnglish", "DosEnglishR", "WindowsHeb", "TrueType", or "Latin" for a font without Hebrew) and how many
texts use it.

set_NN.dxf    drawings of many fonts, each font of a random type with 1 to 50 texts: single-line texts,
              MText with formatting codes and paragraphs, attribute definitions and attributes, in model
              space, paper space and a block, some on a frozen layer. The Hebrew texts are made of real
              words (a vocabulary of drawings and words of the Hebrew word list, some with the prefixes
              Hebrew joins to words), with digits, Latin and punctuation mixed in, and stored as a drafter's
              tools stored them for the font's type, worked out here on its own (not by zil); a few are
              names no word list knows, and a tenth of a Hebrew font's texts hold no Hebrew; some styles
              draw backwards, their strings stored the other way round. Three of four drawings are R2000
              (Windows-1255), the others R2013 (UTF-8).
latin_only.dxf  an English drawing: several fonts, none holding Hebrew.

Usage: /usr/bin/python3 make_font_guess_drawings.py FOLDER [DRAWINGS] [SEED]
"""
import json
import os
import random
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from hebrew_drawings import (HEBREW, DosStrings, dos_bytes, latin_runs_reversed, mirrored,  # noqa: E402
                             new_drawing, reversed_runs, save)
from hebrew_drawings import keys as letters_on_keys  # noqa: E402

TYPES = ["DosHebrew", "DosEnglish", "DosEnglishR", "WindowsHeb", "TrueType", "Latin"]

VOCABULARY = """
קיר קירות חדר חדרים קומה קומות מפלס חזית חזיתות חתך חתכים תכנית תכניות מטבח שירותים אמבטיה מקלחת מדרגות
מעלית חניה חניון דלת דלתות חלון חלונות בטון ברזל עמוד עמודים קורה קורות תקרה רצפה גג מרפסת מחסן כניסה
יציאה מסדרון פרוזדור סלון פינת אוכל שינה הורים ילדים עבודה משרד משרדים לובי מבואה ממ"ד מקלט גינה חצר גדר
שער מדרכה כביש רחוב שביל מגרש בניין מבנה יסודות כלונסאות רפסודה חשמל מיזוג אוויר אוורור ביוב ניקוז מים
צנרת פרט פרטים ראה לפי תכנון אדריכל מהנדס מודד תאריך גיליון קנה מידה מידות גובה רוחב אורך עובי שטח נפח
מ"ר מ"ק ס"מ מ"מ צפון דרום מזרח מערב צפונית דרומית מזרחית מערבית ראשי ראשית עליון תחתון קיים חדש הריסה
בנייה שיפוץ תוספת הרחבה בידוד איטום טיח צבע ריצוף חיפוי אבן שיש קרמיקה עץ זכוכית אלומיניום פלדה מעקה
סורג תריס מראה כיור אסלה ברז ארון ארונות מדף שולחן כיסא מיטה ספה מקרר תנור כיריים מדיח מכונת כביסה דוד
שמש מזגן פיר פתח פתחים נישה קשת מרתף חנות חנויות מסחר מגורים דירה דירות יחידה יחידות מספר סימון הערה
הערות כללי כלליות מקרא סעיף שלב שלבים ביצוע אישור היתר בקשה ועדה מקומית גוש חלקה קו גבול
""".split()
PREFIXES = ["ה", "ו", "ב", "ל", "מ", "ש", "וה", "ול", "ומ", "שה", "כש"]
NUMBERS = ["1", "2", "3", "4", "12", "20", "+3.50", "-1.20", "0.00", "1:50", "1:100", "2.40", "15/20", "#3"]
LATIN_LOWER = ["cm", "mm", "pvc", "m", "kg", "max", "min", "typ"]
LATIN_CAPITALS = ["RC", "PVC", "HVAC", "B", "A", "CM", "MM", "ROOM", "PLAN", "N.T.S"]
ENGLISH = """
room kitchen bedroom bathroom living dining stair stairs elevator parking door window wall concrete steel
column beam ceiling floor roof balcony storage entrance exit corridor office plan section elevation detail
scale level north south east west existing new demolish see drawing sheet date revision notes general all
dimensions are to be verified on site main lobby shaft duct pipe water drain electric panel garden fence
gate road street building foundation slab tile paint glass wood stone marble railing shutter sink toilet
""".split()


# The punctuation the Hebrew keyboard's map moves to other keys.
MOVED = str.maketrans({"'": "w", ",": "'", ".": "/", "/": "q"})


def keys(text):
    """Hebrew letters on their keys, and the punctuation the keys' map moves."""
    return letters_on_keys(text.translate(MOVED))


def dos_char(letter_or_char):
    """A DOS letter as the drawing's decoder gives it: the Windows-1255 character of its byte, or the code
    point of the same value where Windows-1255 has none."""
    if letter_or_char not in HEBREW:
        return letter_or_char
    byte = bytes([0x80 + HEBREW.index(letter_or_char)])
    try:
        return byte.decode("cp1255")
    except UnicodeDecodeError:
        return chr(byte[0])


def stored(text, kind, backwards):
    """The drawing form of a logical text for a font of `kind`."""
    if kind == "TrueType" or kind == "Latin":
        return text
    if kind == "DosEnglishR":
        form = keys(latin_runs_reversed(text))
    else:
        form = reversed_runs(text)
        if kind == "DosEnglish":
            form = keys(form)
    if backwards:
        form = form[::-1]
    return mirrored(form)


class Words:
    def __init__(self, rng):
        self.rng = rng
        self.dictionary = []
        path = "/usr/share/hunspell/he_IL.dic"
        with open(path, encoding="utf-8") as f:
            next(f)
            for line in f:
                word = line.split("/")[0].strip()
                if 3 <= len(word) <= 8 and all(c in HEBREW for c in word) and "j" not in line.split("/")[-1]:
                    self.dictionary.append(word)

    def hebrew_word(self):
        rng = self.rng
        if rng.random() < 0.05:  # a name or a code no word list knows
            return "".join(rng.choice(HEBREW) for _ in range(rng.randint(2, 6)))
        word = rng.choice(VOCABULARY) if rng.random() < 0.7 else rng.choice(self.dictionary)
        if rng.random() < 0.2 and not word.startswith("ו") and '"' not in word:
            word = rng.choice(PREFIXES) + word
        return word

    def hebrew_text(self, kind):
        rng = self.rng
        parts = [self.hebrew_word() for _ in range(rng.choice([1, 1, 2, 2, 2, 3, 3, 4]))]
        if rng.random() < 0.5:
            parts.insert(rng.randrange(len(parts) + 1), rng.choice(NUMBERS))
        if rng.random() < 0.2:
            latin = LATIN_CAPITALS if kind in ("DosEnglish", "DosEnglishR") else LATIN_LOWER + LATIN_CAPITALS
            parts.insert(rng.randrange(len(parts) + 1), rng.choice(latin))
        if rng.random() < 0.15:
            parts.append(rng.choice(HEBREW[:10]) + "'")  # a storey or a sheet: א'
        text = " ".join(parts)
        p = rng.random()
        if p < 0.1:
            text = "(" + text + ")"
        elif p < 0.2:
            text = text.replace(" ", ": ", 1)
        elif p < 0.3:
            text = text.replace(" ", " - ", 1)
        elif p < 0.4:
            text += rng.choice([".", ",", ":"])
        return text

    def english_text(self):
        rng = self.rng
        words = [rng.choice(ENGLISH) for _ in range(rng.choice([1, 1, 2, 2, 3, 4]))]
        case = rng.random()
        if case < 0.4:
            text = " ".join(words)
        elif case < 0.7:
            text = " ".join(words).capitalize()
        else:
            text = " ".join(words).upper()
        if rng.random() < 0.5:
            text += " " + rng.choice(NUMBERS)
        if rng.random() < 0.1:
            text = rng.choice(["1:50", "A-A", "+0.00", "N.T.S", "B-2"])
        return text


class Drawing:
    def __init__(self, path, version, rng):
        self.path = path
        self.rng = rng
        self.r2000 = version == "R2000"
        self.doc = new_drawing(version, hebrew=self.r2000)
        if self.r2000:
            self.doc.header["$DWGCODEPAGE"] = "ANSI_1255"
        self.doc.layers.new("COLD").freeze()
        self.msp = self.doc.modelspace()
        self.psp = self.doc.layout("Layout1")
        self.block = self.doc.blocks.new("NOTES")
        self.dos_strings = DosStrings(digits=5)
        self.fonts = {}
        self.count = 0

    def value(self, text, kind):
        """What ezdxf writes: DOS letters through placeholders in R2000 (ezdxf cannot write bytes that
        Windows-1255 leaves undefined), as their characters in UTF-8 drawings."""
        if kind != "DosHebrew":
            return text
        if not self.r2000:
            return "".join(dos_char(c) for c in text)
        return self.dos_strings.placeholder(dos_bytes(text))

    def add_font(self, font, kind, n_texts, words):
        rng = self.rng
        backwards_ok = kind not in ("TrueType", "Latin")
        styles = []
        for s in range(rng.choice([1, 1, 2, 3])):
            name = "%s_S%d" % (os.path.splitext(font)[0].upper(), s)
            backwards = backwards_ok and rng.random() < 0.3
            self.doc.styles.new(name, dxfattribs={"font": font, "generation_flags": 2 if backwards else 0})
            styles.append((name, backwards))
        self.fonts[font] = {"type": kind, "texts": n_texts}
        for _ in range(n_texts):
            style, backwards = rng.choice(styles)
            self.add_text(style, backwards, kind, words)

    def logical(self, kind, words):
        if kind == "Latin":
            return words.english_text()
        if self.rng.random() < 0.1:  # a Hebrew font holds some texts without Hebrew too
            text = self.rng.choice(["A-A", "1:50", "+3.50", "B-2", "PVC 110", "N.T.S"])
            return text if kind in ("DosEnglish", "DosEnglishR") else self.rng.choice([text, words.english_text()])
        return words.hebrew_text(kind)

    def add_text(self, style, backwards, kind, words):
        rng = self.rng
        self.count += 1
        p = rng.random()
        where = rng.random()
        space = self.msp if where < 0.8 else (self.psp if where < 0.9 else self.block)
        pos = (rng.uniform(0, 500), rng.uniform(0, 500))
        if p < 0.72:
            layer = "COLD" if rng.random() < 0.05 else "0"
            value = self.value(stored(self.logical(kind, words), kind, backwards), kind)
            space.add_text(value, dxfattribs={"style": style, "height": 2.5, "layer": layer}).set_pos(pos)
        elif p < 0.85:
            paragraphs = [stored(self.logical(kind, words), kind, backwards) for _ in range(rng.choice([1, 2]))]
            value = self.value("\\P".join(paragraphs), kind)
            value = rng.choice(["{\\fArial|b0|i0;%s}", "\\H2.5x;%s", "{\\C1;%s}", "%s"]) % value
            self.msp.add_mtext(value, dxfattribs={"style": style, "char_height": 2.0, "width": 80}).set_location(pos)
        elif p < 0.93:
            # An attribute definition in a block of its own, with a default in the font.
            block = self.doc.blocks.new("TAG%05d" % self.count)
            value = self.value(stored(self.logical(kind, words), kind, backwards), kind)
            block.add_attdef("T", (0, 0), text=value, dxfattribs={"style": style, "height": 2.0})
        else:
            # A block reference with an attribute in the font (its definition's default left empty).
            name = "ATT%05d" % self.count
            block = self.doc.blocks.new(name)
            block.add_attdef("V", (0, 0), dxfattribs={"style": "Standard", "height": 2.0})
            insert = self.msp.add_blockref(name, pos)
            attrib = insert.add_attrib("V", self.value(stored(self.logical(kind, words), kind, backwards), kind), (0, 0))
            attrib.dxf.style = style

    def save(self):
        save(self.doc, self.path, self.dos_strings)


def make_set(folder, drawings, rng, words, truth):
    for d in range(drawings):
        name = "set_%02d.dxf" % d
        drawing = Drawing(os.path.join(folder, name), "R2013" if d % 4 == 3 else "R2000", rng)
        for f in range(rng.randint(25, 40)):
            kind = rng.choice(TYPES)
            font = "tt%02d_%02d.ttf" % (d, f) if kind == "TrueType" else "f%02d_%02d.shx" % (d, f)
            drawing.add_font(font, kind, rng.randint(1, 50), words)
        drawing.save()
        truth[name] = drawing.fonts


def make_latin_only(folder, rng, words, truth):
    drawing = Drawing(os.path.join(folder, "latin_only.dxf"), "R2000", rng)
    for font in ["txt.shx", "romans.shx", "simplex.shx", "isocp.shx", "arial.ttf"]:
        drawing.add_font(font, "Latin", 40, words)
    drawing.save()
    truth["latin_only.dxf"] = drawing.fonts


def main():
    folder = sys.argv[1]
    drawings = int(sys.argv[2]) if len(sys.argv) > 2 else 12
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 27)
    words = Words(rng)
    truth = {}
    make_set(folder, drawings, rng, words, truth)
    make_latin_only(folder, rng, words, truth)
    with open(os.path.join(folder, "truth.json"), "w", encoding="utf-8") as f:
        json.dump(truth, f, ensure_ascii=False, indent=1)


if __name__ == "__main__":
    main()
