"""The benchmark drawing and ezdxf's time on it.

make_text_drawing.py make OUT [N]  writes an R2000 drawing (ANSI_1255) with N TEXT entities (default 100,000,
                                   ~17 MB)
make_text_drawing.py ezdxf IN OUT  loads IN and saves it as OUT with ezdxf; prints the seconds taken
make_text_drawing.py ezdxf-revit IN OUT
                                   loads IN, rewrites every TEXT's string and style, saves it as OUT with
                                   ezdxf; prints the seconds taken (what `zil revit` is measured against)
"""
import re
import sys
import time

import ezdxf


def make(out, count=100_000):
    doc = ezdxf.new("R2000")
    doc.encoding = "cp1255"
    doc.layers.new("TEXTS")
    msp = doc.modelspace()
    for i in range(count):
        msp.add_text(
            f"חדר {i} קומה {i % 40} room {i:06d}",
            dxfattribs={"height": 2.5, "layer": "TEXTS", "rotation": (i % 8) * 45.0, "width": 0.8,
                        "insert": (round(i * 0.731 % 5000, 3), round(i * 0.137 % 3000, 3))},
        )
    doc.saveas(out)
    settle(out)


# What ezdxf writes differently every time (dates, GUIDs, its own stamp), set to fixed values, so that the
# same N always makes the same bytes and the outputs of zil on the drawing can be compared with recorded ones.
FIXED = {
    b"$TDCREATE": b"2460000.5", b"$TDUPDATE": b"2460000.5",
    b"$FINGERPRINTGUID": b"{00000000-0000-4000-8000-000000000001}",
    b"$VERSIONGUID": b"{00000000-0000-4000-8000-000000000002}",
}


def settle(path):
    with open(path, "rb") as f:
        data = f.read()
    for name, value in FIXED.items():
        # "  9\n$NAME\n CODE\nVALUE\n": the value line is replaced.
        data = re.sub(rb"(\n" + re.escape(name) + rb"\r?\n[ 0-9]+\r?\n)[^\r\n]*", lambda m: m.group(1) + value, data,
                      count=1)
    data = re.sub(rb"(\n)[0-9.]+ @ [0-9T:.+-]+(\r?\n)", rb"\g<1>ezdxf @ 2023-02-25T00:00:00+00:00\g<2>", data)
    with open(path, "wb") as f:
        f.write(data)


def time_ezdxf(path, out):
    start = time.perf_counter()
    doc = ezdxf.readfile(path)
    doc.saveas(out)
    print(f"{time.perf_counter() - start:.3f}")


def time_ezdxf_revit(path, out):
    start = time.perf_counter()
    doc = ezdxf.readfile(path)
    if "ARIALREVIT" not in doc.styles:
        doc.styles.new("ARIALREVIT", dxfattribs={"font": "arial.ttf"})
    for text in doc.modelspace().query("TEXT"):
        text.dxf.text = text.dxf.text[::-1]
        text.dxf.style = "ARIALREVIT"
    doc.saveas(out)
    print(f"{time.perf_counter() - start:.3f}")


if __name__ == "__main__":
    if sys.argv[1] == "make":
        make(sys.argv[2], int(sys.argv[3]) if len(sys.argv) > 3 else 100_000)
    elif sys.argv[1] == "ezdxf-revit":
        time_ezdxf_revit(sys.argv[2], sys.argv[3])
    else:
        time_ezdxf(sys.argv[2], sys.argv[3])
