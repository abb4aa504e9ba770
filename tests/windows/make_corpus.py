#!/usr/bin/env python3
"""Builds the conversion corpus of the Windows tests: drawing strings with their conversions by the Linux
build of zil, which the Windows build must reproduce.

Usage: make_corpus.py ZIL OUTPUT

OUTPUT gets one line per case, tab-separated: the conversion, its font type, the input and the expected
result, both as UTF-16 units in hex (four digits each; an empty string is "-"). Conversions:
  acadtostr, strtoacad        kinds 0..5 and 10, as the automation members run them (reordering under
                              right-to-left reading for kind 4)
  edit-form, drawing-form     font type 4 in stored order: the editors' reordering under left-to-right
                              reading

The bidi engines differ on a few classes of strings (Wine's Uniscribe against ICU); a case whose text
reaches the reordering in one of those classes is left out of the conversions that reorder, and only
those. The classes are defined in `departs` below.
"""
import json
import random
import re
import subprocess
import sys

HEBREW = "".join(chr(c) for c in range(0x05D0, 0x05EB))
POINTS = "".join(chr(c) for c in range(0x05B0, 0x05BA)) + "\u05BB\u05BC\u05BD\u05BF\u05C1\u05C2"
LATIN = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
DIGITS = "0123456789"
PUNCTUATION = " .,:;-+/()[]{}<>\"'%$#&*=_!?@|\\~^`\u20AA\u00D7\u00B0\u00B1\u00B2\u00B3\u00BD\u200E\u200F\u05BE\u05F3\u05F4\u00A0\u2013\u201C\u201D"
# DOS Hebrew letters as AutoCAD hands them over: the Windows-1255 characters of bytes 0x80..0x9A, among
# them C1 controls where Windows-1255 leaves the byte undefined.
DOS_LETTERS = bytes(range(0x80, 0x9B))

CURATED = [
    "שלום", "קומה 2", "חדר 12", "ק.ק. +3.50", "(א)", "1:50", "מ\"ר 25.5", "R=1.5 מ'", "100%", "\u20AA 250",
    "ABC אבג 123", "אבג ABC 123", "גוש 6942 חלקה 17", "ציר A-A", "[חתך 1-1]", "<כניסה>", "ouka", "a,v",
    "abc", "(a<b)", "קיר 20 ס\"מ", "מפלס \u00B10.00", "דירה 3 - 4 חד'", "שם: אבי", "tel 03-1234567 טל'",
    "\u200Fשלום\u200E", "בְּרֵאשִׁית", "א\u05BEב", "x", " ", "  שני  רווחים  ", "1.5.2024", "50x60 ס\"מ",
]


def to_bytes(text):
    """The Windows-1255 bytes zil converts: a character without a byte stands for itself below 256."""
    out = bytearray()
    for ch in text:
        try:
            out += ch.encode("cp1255")
        except UnicodeEncodeError:
            out.append(ord(ch) if ord(ch) < 256 else ord("?"))
    return bytes(out)


def from_bytes(data):
    return "".join(bytes([b]).decode("cp1255", errors="strict") if is_defined(b) else chr(b) for b in data)


def is_defined(byte):
    try:
        bytes([byte]).decode("cp1255")
        return True
    except UnicodeDecodeError:
        return False


def reverse_latin_runs(data):
    """Every run of bytes outside the Hebrew letters 0xE0..0xFA reversed where it stands."""
    return b"".join(run if run[0] >= 0xE0 and run[0] <= 0xFA else run[::-1]
                    for run in re.findall(rb"[\xE0-\xFA]+|[^\xE0-\xFA]+", data))


EN = "0-9\u00B2\u00B3\u00B9"
SEPARATORS = "+\\-,./:\u00A0"
RTL = "\u05BE\u05C0\u05C3\u05C6\u05D0-\u05EA\u05F0-\u05F4\u200F"
BOUNDARY_NEUTRALS = re.compile("[\u0000-\u0008\u000E-\u001B\u007F-\u0084\u0086-\u009F\u00AD]")
NUMBER_SEPARATORS = re.compile(f"[{EN}][{SEPARATORS}]{{2,}}[{EN}]")
NUMBER_BEFORE_RTL = re.compile(f"[{EN}][{RTL}]")
LEADING_POINT = re.compile(f"^[^A-Za-z{RTL}\u00C0-\u00FF]*[\u05B0-\u05C2\u05C4\u05C5\u05C7]")


def departs(text, right_to_left):
    """True when Wine's bidi engine and ICU order `text` differently, or may: boundary neutrals (C0 and C1
    controls, the soft hyphen) are placed differently; two numbers joined by more than one separator are
    kept together by Wine; under left-to-right reading Wine moves a number written right before a
    right-to-left character into the right-to-left run, and reverses marks that precede every letter."""
    if BOUNDARY_NEUTRALS.search(text) or NUMBER_SEPARATORS.search(text):
        return True
    return not right_to_left and (NUMBER_BEFORE_RTL.search(text) is not None or LEADING_POINT.search(text) is not None)


def random_strings(rng, count):
    pools = [HEBREW, LATIN, DIGITS, PUNCTUATION]
    for _ in range(count):
        length = 1 + rng.randrange(30)
        chars = []
        while len(chars) < length:
            pool = pools[rng.randrange(len(pools))]
            ch = pool[rng.randrange(len(pool))]
            chars.append(ch)
            if ch in HEBREW and rng.randrange(8) == 0:
                chars.append(POINTS[rng.randrange(len(POINTS))])
        yield "".join(chars)


def random_dos_strings(rng, count):
    pool = DOS_LETTERS + b"abc 0123456789.,:-()'"
    for _ in range(count):
        yield from_bytes(bytes(pool[rng.randrange(len(pool))] for _ in range(1 + rng.randrange(20))))


def run_zil(zil, args, texts):
    lines = "".join(json.dumps(t) + "\n" for t in texts)
    done = subprocess.run([zil, *args], input=lines.encode("utf-8"), stdout=subprocess.PIPE, check=True)
    results = [json.loads(line) for line in done.stdout.decode("utf-8").splitlines()]
    if len(results) != len(texts):
        sys.exit(f"zil {' '.join(args)} gave {len(results)} results for {len(texts)} strings")
    return results


def hex16(text):
    units = text.encode("utf-16-le")
    return "".join(f"{units[i + 1]:02X}{units[i]:02X}" for i in range(0, len(units), 2)) or "-"


def main():
    zil, output = sys.argv[1], sys.argv[2]
    rng = random.Random(1255)
    texts = list(dict.fromkeys(CURATED + list(random_strings(rng, 3000)) + list(random_dos_strings(rng, 300))))
    # The text that reaches the reordering in each conversion that reorders, and its reading order.
    engine_input = {
        ("acadtostr", 4): lambda t: (from_bytes(to_bytes(t)), True),
        ("strtoacad", 4): lambda t: (from_bytes(reverse_latin_runs(to_bytes(t))), True),
        ("edit-form", 4): lambda t: (from_bytes(to_bytes(t)), False),
        ("drawing-form", 4): lambda t: (from_bytes(to_bytes(t)), False),
    }
    jobs = [(name, kind, [name, "--kind", str(kind)]) for name in ("acadtostr", "strtoacad") for kind in (0, 1, 2, 3, 4, 5, 10)]
    jobs += [(name, 4, [name, "--type", "4", "--stored-order"]) for name in ("edit-form", "drawing-form")]
    cases = 0
    with open(output, "w", encoding="ascii") as out:
        for name, kind, args in jobs:
            chosen = texts
            if (name, kind) in engine_input:
                chosen = [t for t in texts if not departs(*engine_input[(name, kind)](t))]
            for text, result in zip(chosen, run_zil(zil, args, chosen)):
                out.write(f"{name}\t{kind}\t{hex16(text)}\t{hex16(result)}\n")
                cases += 1
    print(f"make_corpus: {cases} cases from {len(texts)} strings")


if __name__ == "__main__":
    main()
