"""Runs the Linux zil's `zil script --drawing` on the sample drawing and the stand-in host's test drawings,
for the Windows chain test (chain_test.cpp) to run the same calls through zil.dll, the AutoCAD adapter and
the COM test host, and compare. Usage: make_chain_cases.py ZIL SOURCE_DIR OUT_DIR

Writes into OUT_DIR: data/HebFonts.txt (the font table of both runs), drawings/*.dxf, and for each case NAME
NAME.script (the calls), NAME.linux.jsonl (what zil printed) and NAME.linux.dxf (the drawing it saved),
then cases.tsv: NAME, drawing, script, output and saved drawing, one case a line.
"""
import os
import shutil
import subprocess
import sys
import tempfile

import ezdxf


def text_handles(path):
    """The handles the conversions with kinds above 10 take: texts, attributes, and one MText and one line,
    whose kinds the conversions pass over."""
    doc = ezdxf.readfile(path)
    handles, others = [], []
    for layout in [doc.modelspace()] + [doc.layout(name) for name in doc.layout_names() if name != "Model"]:
        for e in layout:
            if e.dxftype() == "TEXT":
                handles.append(e.dxf.handle)
            elif e.dxftype() == "INSERT":
                handles.extend(a.dxf.handle for a in e.attribs)
            elif e.dxftype() in ("MTEXT", "LINE") and len(others) < 2:
                others.append(e.dxf.handle)
    return handles + others


def script_for(path):
    lines = ["# the calls of the chain test"]
    for h in text_handles(path):
        for kind in (11, 12):
            lines += [f"acadtostr {h} {kind}", "Hebstr", f"strtoacad {h} {kind}", "Hebstr"]
    lines += ["acadtostr 7FFFFF 11", "Hebstr", "HShowfont", "Hplot", "Hebstr"]
    return "\n".join(lines) + "\n"


# The database verbs on a file of their own (DBFILE: a new file in the run's data folder), with Hebrew text,
# reals, integers, NULL and quotes.
DATABASE_SCRIPT = """Cmd db_sqlexec DBFILE 'CREATE TABLE t (name TEXT, width REAL, n INTEGER, note)'
Cmd db_sqlexec DBFILE "INSERT INTO t VALUES ('קיר \\"חיצוני\\"', 2.5, 3, NULL)"
Cmd db_sqlexec DBFILE "INSERT INTO t VALUES ('דלת', 0.125, -7, 1.5e20)"
Cmd db_gettable DBFILE 'SELECT * FROM t ORDER BY n'
Hebstr
Cmd db_sqlexec DBFILE 'SELECT * FROM t'
Cmd db_gettable DBFILE 'SELECT name FROM t WHERE n > 100'
Hebstr
"""


def locked(out):
    """A key-mapped text on a locked layer: the host refuses to change it."""
    doc = ezdxf.new("R2000")
    doc.styles.new("Keys", dxfattribs={"font": "hebkeys.shx"})
    doc.layers.new("Locked").lock()
    doc.modelspace().add_text("ouka", dxfattribs={"style": "Keys", "height": 2.0, "layer": "Locked"}).set_pos((0, 0))
    doc.saveas(os.path.join(out, "locked.dxf"))


def main(zil, source, out):
    drawings = os.path.join(out, "drawings")
    os.makedirs(drawings, exist_ok=True)
    subprocess.run([sys.executable, os.path.join(source, "tests", "host", "make_host_fixtures.py"), drawings],
                   check=True, stdout=subprocess.DEVNULL)
    shutil.copy(os.path.join(source, "samples", "hebrew-sample.dxf"), drawings)
    locked(drawings)
    data = os.path.join(out, "data")
    os.makedirs(data, exist_ok=True)
    with open(os.path.join(source, "samples", "data", "HebFonts.txt"), encoding="utf-8") as f:
        fonts = f.read().rstrip("\n") + "\nhebrew=DosHebrew\n"
    with open(os.path.join(data, "HebFonts.txt"), "w", encoding="utf-8") as f:
        f.write(fonts)

    cases = []
    for name in ["hebrew-sample", "hebrew", "paper", "no_texts", "r12", "locked"]:
        drawing = os.path.join(drawings, name + ".dxf")
        script = os.path.join(out, name + ".script")
        with open(script, "w", encoding="utf-8") as f:
            f.write(script_for(drawing))
        saved = os.path.join(out, name + ".linux.dxf")
        with tempfile.TemporaryDirectory() as folder:
            shutil.copy(os.path.join(data, "HebFonts.txt"), folder)
            env = dict(os.environ, ZIL_DATA_FOLDER=folder, LC_ALL="C.UTF-8")
            env.pop("DISPLAY", None)
            env.pop("WAYLAND_DISPLAY", None)
            # Some calls of the chain fail on purpose: the script then ends with exit code 1, having run them
            # all and saved the drawing; any other code is a failure of the run itself.
            run = subprocess.run([zil, "script", "--drawing", drawing, "--save", saved, script], env=env,
                                 capture_output=True)
            if run.returncode not in (0, 1) or not os.path.exists(saved):
                sys.exit(f"zil script failed on {drawing} (exit code {run.returncode}):\n"
                         + run.stderr.decode("utf-8", "replace"))
        output = os.path.join(out, name + ".linux.jsonl")
        with open(output, "wb") as f:
            f.write(run.stdout)
        cases.append("\t".join([name, drawing, script, output, saved]))
    with tempfile.TemporaryDirectory() as folder:
        script = os.path.join(out, "database.script")
        with open(script, "w", encoding="utf-8") as f:
            f.write(DATABASE_SCRIPT)
        linux_script = os.path.join(folder, "database.script")
        with open(linux_script, "w", encoding="utf-8") as f:
            f.write(DATABASE_SCRIPT.replace("DBFILE", os.path.join(folder, "t.db")))
        shutil.copy(os.path.join(data, "HebFonts.txt"), folder)
        env = dict(os.environ, ZIL_DATA_FOLDER=folder, LC_ALL="C.UTF-8")
        run = subprocess.run([zil, "script", linux_script], env=env, capture_output=True)
        if run.returncode not in (0, 1):
            sys.exit(f"zil script failed on the database script (exit code {run.returncode}):\n"
                     + run.stderr.decode("utf-8", "replace"))
        output = os.path.join(out, "database.linux.jsonl")
        with open(output, "wb") as f:
            f.write(run.stdout.replace(os.path.join(folder, "t.db").encode(), b"DBFILE"))
        cases.append("\t".join(["database", "-", script, output, "-"]))
    with open(os.path.join(out, "cases.tsv"), "w", encoding="utf-8") as f:
        f.write("\n".join(cases) + "\n")


if __name__ == "__main__":
    main(*sys.argv[1:4])
