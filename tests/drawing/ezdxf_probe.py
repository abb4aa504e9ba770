"""Reads a DXF file with ezdxf and prints, as one JSON object: the audit's errors and fixes, the header's
$HANDSEED, and the strings of every TEXT, MTEXT, ATTRIB, ATTDEF and
DIMENSION by handle. ezdxf leaves the DXF escapes in its strings, so this script resolves them as DXF
defines them: \\U+XXXX (hex digits of either case) and caret escapes; undefined code-page bytes (which
ezdxf reads as surrogates U+DC80..U+DCFF) are shown as the code point of the byte."""
import json
import re
import sys

import ezdxf


UNICODE_ESCAPE = re.compile(r"\\U\+([0-9A-Fa-f]{4})|\^([ @-_])")


def unescape(match):
    if match.group(1):
        return chr(int(match.group(1), 16))
    return "^" if match.group(2) == " " else chr(ord(match.group(2)) - 0x40)


def plain(s):
    s = UNICODE_ESCAPE.sub(unescape, s)
    return "".join(chr(ord(c) - 0xDC00) if 0xDC80 <= ord(c) <= 0xDCFF else c for c in s)


def main(path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    strings = {}
    for entity in doc.entitydb.values():
        kind = entity.dxftype()
        if kind in ("TEXT", "ATTRIB", "ATTDEF"):
            strings[entity.dxf.handle] = {"type": kind, "text": plain(entity.dxf.text)}
            if kind != "TEXT":
                strings[entity.dxf.handle]["tag"] = plain(entity.dxf.tag)
        elif kind == "MTEXT":
            strings[entity.dxf.handle] = {"type": kind, "text": plain(entity.text)}
        elif kind == "DIMENSION":
            strings[entity.dxf.handle] = {"type": kind, "text": plain(entity.dxf.text)}
    result = {
        "errors": [str(e.message) for e in auditor.errors],
        "fixes": [str(f.message) for f in auditor.fixes],
        "handseed": int(doc.header["$HANDSEED"], 16),
        "strings": strings,
    }
    print(json.dumps(result, ensure_ascii=True))


if __name__ == "__main__":
    main(sys.argv[1])
