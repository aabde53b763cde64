#!/usr/bin/python3
"""kvcad fix on a drawing with real content that ezdxf builds (blocks with attributes, paper space,
XDATA, an extension dictionary, a dimension, an ignored mark): the fixes of every kind are
applied (a line style the drawing lacks loaded from mm.lin), the --map renames and merges
layers, ignored marks are respected, and the written drawing passes ezdxf's audit with every
entity kept, on the layer it should be on. Also: exit codes, in place and --output-dir, the JSON
report, a drawing with nothing to fix is not written, standards files are never written.

Usage: test_fix_cli.py KVCAD WORKDIR
"""

import difflib
import json
import shutil
import subprocess
import sys
from pathlib import Path

import ezdxf

from checklist import Checklist

APP = "KVTEST"


def write_standards(path):
    doc = ezdxf.new("R2018", setup=False)
    doc.layers.add("Walls", color=3)
    doc.layers.add("Doors", color=1)
    doc.linetypes.add("DASHED", pattern=[1.5, 1.0, -0.5])
    # As mm.lin defines it: the drawing lacks it, the fix of Axis loads it from there.
    doc.linetypes.add("CENTER", pattern=[51.0, 31.8, -6.4, 6.4, -6.4])
    doc.layers.add("Axis", color=1, linetype="CENTER")
    doc.styles.add("Notes", font="arial.ttf").dxf.width = 0.8
    doc.dimstyles.add("Arch").dxf.dimasz = 0.25
    doc.saveas(path)


def write_drawing(path):
    doc = ezdxf.new("R2018", setup=False)
    for name, color in [("Walls", 1), ("Temp", 2), ("OldDoors", 4), ("Ignored", 5), ("Keep", 6),
                        ("Axis", 1)]:
        doc.layers.add(name, color=color)
    doc.linetypes.add("DASHED", pattern=[0.75, 0.5, -0.25])
    doc.styles.add("Notes", font="arial.ttf")
    doc.dimstyles.add("Arch").dxf.dimasz = 0.18
    doc.appids.add(APP)
    msp = doc.modelspace()
    msp.add_line((0, 0), (10, 0), dxfattribs={"layer": "Walls"}).set_xdata(
        APP, [(1000, "kept"), (1070, 7)])
    msp.add_line((0, 1), (10, 1), dxfattribs={"layer": "Temp", "linetype": "DASHED"})
    msp.add_text("door", dxfattribs={"layer": "OldDoors", "style": "Notes"})
    msp.add_line((0, 2), (1, 2), dxfattribs={"layer": "Ignored"})
    msp.add_line((0, 3), (1, 3), dxfattribs={"layer": "Keep"})
    msp.add_line((0, 4), (1, 4), dxfattribs={"layer": "Axis"})
    msp.add_linear_dim(base=(0, 5), p1=(0, 0), p2=(10, 0), dimstyle="Arch",
                       dxfattribs={"layer": "Walls"}).render()
    block = doc.blocks.new("Door")
    block.add_line((0, 0), (1, 1), dxfattribs={"layer": "Temp"})
    block.add_attdef("TAG", (0, 0), dxfattribs={"layer": "OldDoors"})
    insert = msp.add_blockref("Door", (5, 5), dxfattribs={"layer": "Walls"})
    insert.add_attrib("TAG", "D1", (5, 5), dxfattribs={"layer": "OldDoors"})
    doc.layout("Layout1").add_circle((0, 0), 2, dxfattribs={"layer": "Temp"})
    keep = doc.layers.get("Keep").new_extension_dict().dictionary
    keep.add_xrecord("NOTES").reset([(1, "owned by the user")])
    # Another program's ignored mark on "Ignored", as the Verify Standards dialog writes it.
    xdict = doc.layers.get("Ignored").new_extension_dict().dictionary
    standard = doc.objects.add_dictionary(owner=xdict.dxf.handle)
    xdict["AcStStandard"] = standard
    standard.add_xrecord("AcStFlags").reset([(300, "bob"), (90, 1)])
    doc.saveas(path)


def entities(doc):
    """Every entity of every layout and block (with attributes), by handle: (type, layer)."""
    found = {}
    for block in doc.blocks:
        for entity in block:
            found[entity.dxf.handle] = (entity.dxftype(), entity.dxf.layer)
            for attrib in getattr(entity, "attribs", []):
                found[attrib.dxf.handle] = ("ATTRIB", attrib.dxf.layer)
    return found


def pattern_length(linetype):
    return next(tag.value for tag in linetype.pattern_tags.tags if tag.code == 40)


def run(kvcad, *args, cwd=None):
    proc = subprocess.run([kvcad, "fix", *args], capture_output=True, text=True, timeout=120,
                          cwd=cwd)
    return proc.returncode, proc.stdout, proc.stderr


def fix_in_parallel(kvcad, workdir, original, standards, expect):
    """--jobs: the report and the drawings written are those of one job; two drawings whose fixed
    files would go to one place: the second is refused."""
    written = {}
    for jobs in ["1", "3"]:
        root = workdir / f"jobs{jobs}"
        for path in ["batch/one/drawing.dxf", "batch/two/drawing.dxf", "batch/three.dxf"]:
            (root / path).parent.mkdir(parents=True, exist_ok=True)
            shutil.copyfile(original, root / path)
        shutil.copyfile(standards, root / "standards.dws")
        code, out, err = run(kvcad, "batch", "--standards", "standards.dws", "--output-dir", "out",
                             "--jobs", jobs, "--format", "json", cwd=root)
        written[jobs] = (code, out, err, sorted((p.name, p.read_bytes())
                                                for p in (root / "out").iterdir()))
    code, out, err, files = written["3"]
    expect("--jobs 3: the report, messages and drawings of one job", written["1"] == written["3"],
           (written["1"][:3], written["3"][:3]))
    errors = {d["drawing"]: d.get("error", "") for d in (json.loads(out)["drawings"] if out else [])}
    expect("two drawings for one output: the second refused, exit 2, the others written",
           code == 2 and list(errors) == ["batch/one/drawing.dxf", "batch/three.dxf",
                                          "batch/two/drawing.dxf"] and
           errors["batch/two/drawing.dxf"].endswith("give the drawings different names") and
           [name for name, _ in files] == ["drawing.dxf", "three.dxf"], (errors, err))


def ignore_marks(kvcad, workdir, original, standards, expect):
    """kvcad ignore writes and clears the ignored mark of a record of a drawing with real content:
    the check reads it, ezdxf reads it where the Verify Standards dialog puts it, and nothing of
    the drawing is lost (only the handle seed changes of what was there)."""
    drawing = workdir / "ignore.dxf"
    shutil.copyfile(original, drawing)
    before = entities(ezdxf.readfile(drawing))
    # arguments, exit code, the mark of "Temp" the check reads afterwards (ignored, by)
    steps = [(["layer", "temp", "--user", "alice"], 0, (True, "alice")),
             (["LAYER", "Temp", "--user", "alice"], 1, (True, "alice")),
             (["layer", "Temp", "--user", "bob"], 0, (True, "bob")),
             (["layer", "Temp", "--off"], 0, (False, "")),
             (["layer", "Temp", "--off"], 1, (False, "")),
             (["layer", "Ghost"], 2, (False, ""))]
    for args, exit_code, mark in steps:
        what = "kvcad ignore " + " ".join(args)
        lines = drawing.read_text().splitlines()
        proc = subprocess.run([kvcad, "ignore", str(drawing), *args], capture_output=True,
                              text=True, timeout=60)
        expect(f"{what}: exit {exit_code}, the drawing written only when it changes",
               proc.returncode == exit_code and (lines != drawing.read_text().splitlines()) ==
               (exit_code == 0), proc.stderr)
        code, out, _ = run(kvcad, str(drawing), "--standards", standards, "--output-dir",
                           str(workdir / "ignore-fixed"), "--format", "json")
        left = {v["name"]: (v["ignored"], v["ignoredBy"]) for v in json.loads(out)["drawings"][0]
                ["left"]} if out else {}
        expect(f"{what}: the check reads the mark", left.get("Temp") == mark and
               left.get("Ignored") == (True, "bob"), left)
        if args[-1] != "alice" or exit_code != 0:
            continue
        doc = ezdxf.readfile(drawing)
        flags = doc.layers.get("Temp").get_extension_dict()["AcStStandard"]["AcStFlags"]
        expect(f"{what}: ezdxf reads the mark", [(t.code, t.value) for t in flags.tags] ==
               [(300, "alice"), (90, 1)], list(flags.tags))
        expect(f"{what}: ezdxf's audit finds no error, every entity kept",
               not doc.audit().errors and entities(doc) == before)
        removed = [line[2:] for line in difflib.ndiff(lines, drawing.read_text().splitlines())
                   if line.startswith("- ")]
        expect(f"{what}: of what was there only the handle seed changed", len(removed) == 1,
               removed)


# name, --map rows, into --output-dir, exit code, layers renamed or merged (old -> new),
# violations left, unmatched rows of the map.
CASES = [
    ("in place, the recommended fixes", None, False, 1, {},
     ["Temp", "OldDoors", "Ignored", "Keep"], []),
    ("into a folder, a map that renames, merges, skips an ignored record and misses",
     [("layer", "Temp", "walls"), ("LAYER", "olddoors", "Doors"), ("layer", "Ignored", "Walls"),
      ("layer", "Keep", "Bogus"), ("layer", "Ghost", "Walls")],
     True, 1, {"Temp": "Walls", "OldDoors": "Doors"}, ["Ignored", "Keep"],
     [["layer", "Keep", "Bogus"], ["layer", "Ghost", "Walls"]]),
    ("only an ignored violation left", [("layer", "Temp", "Walls"), ("layer", "OldDoors", "Doors"),
                                        ("layer", "Keep", "Doors")],
     False, 0, {"Temp": "Walls", "OldDoors": "Doors", "Keep": "Doors"}, ["Ignored"], []),
]


def main(argv):
    kvcad, workdir = argv[1], Path(argv[2])
    shutil.rmtree(workdir, ignore_errors=True)
    workdir.mkdir(parents=True)
    standards = str(workdir / "standards.dws")
    write_standards(standards)
    original = workdir / "original.dxf"
    write_drawing(original)
    before_doc = ezdxf.readfile(original)
    before = entities(before_doc)
    before_layers = [layer.dxf.name for layer in before_doc.layers]
    checklist = Checklist()
    expect = checklist.expect

    for name, rows, into_folder, exit_code, renamed, left, unmatched in CASES:
        case = workdir / name.split(",")[0].replace(" ", "-")
        case.mkdir()
        drawing = case / "drawing.dxf"
        shutil.copyfile(original, drawing)
        args = [str(drawing), "--standards", standards, "--format", "json"]
        if rows:
            (case / "map.csv").write_text("kind,name,standard\n" +
                                          "".join(",".join(row) + "\n" for row in rows))
            args += ["--map", str(case / "map.csv")]
        written = case / "out" / "drawing.dxf" if into_folder else drawing
        if into_folder:
            args += ["--output-dir", str(case / "out")]
        code, out, err = run(kvcad, *args)
        expect(f"{name}: exit {exit_code}", code == exit_code, f"exit {code}: {err}")
        report = json.loads(out)["drawings"][0] if code < 2 else {}
        expect(f"{name}: the report names the file written", report.get("output") == str(written),
               report.get("output"))
        expect(f"{name}: the original is untouched",
               not into_folder or drawing.read_bytes() == original.read_bytes())
        fixed = sorted(f["name"] for f in report.get("fixed", []))
        expected_fixed = sorted(["Walls", "Axis", "DASHED", "Notes", "Arch"] + list(renamed))
        expect(f"{name}: every violation with a fix is fixed", fixed == expected_fixed, fixed)
        found_left = sorted(v["name"] for v in report.get("left", []))
        expect(f"{name}: the violations left", found_left == sorted(left), found_left)
        expect(f"{name}: only the ignored one is marked so",
               all(v["ignored"] == (v["name"] == "Ignored") for v in report.get("left", [])))
        expect(f"{name}: unmatched rows", [[u["kind"], u["name"], u["standard"]]
                                           for u in report.get("unmatched", [])] == unmatched,
               report.get("unmatched"))

        doc = ezdxf.readfile(written)
        auditor = doc.audit()
        expect(f"{name}: ezdxf's audit finds no error", not auditor.errors,
               [str(e) for e in auditor.errors])
        layers = sorted(layer.dxf.name for layer in doc.layers)
        expected_layers = sorted({renamed.get(layer, layer) for layer in before_layers})
        expect(f"{name}: the layers", layers == expected_layers, layers)
        after = entities(doc)
        moved = {h: (t, renamed.get(layer, layer)) for h, (t, layer) in before.items()}
        expect(f"{name}: every entity kept, on its layer or the one it became", after == moved,
               {h: (moved.get(h), after.get(h)) for h in set(after) | set(moved)
                if moved.get(h) != after.get(h)})
        expect(f"{name}: the standards' values",
               doc.layers.get("Walls").color == 3 and
               abs(doc.styles.get("Notes").dxf.width - 0.8) < 1e-9 and
               abs(doc.dimstyles.get("Arch").dxf.dimasz - 0.25) < 1e-9 and
               pattern_length(doc.linetypes.get("DASHED")) == 1.5 and
               doc.layers.get("Axis").dxf.linetype == "CENTER" and
               pattern_length(doc.linetypes.get("CENTER")) == 51.0 and
               doc.linetypes.get("CENTER").dxf.description.startswith("Center __"))
        line = next(e for e in doc.modelspace() if e.dxftype() == "LINE")
        expect(f"{name}: XDATA and its application kept",
               line.get_xdata(APP) == [(1000, "kept"), (1070, 7)] and APP in doc.appids)
        if "Keep" not in renamed:
            keep = doc.layers.get("Keep")
            expect(f"{name}: the extension dictionary of a record kept",
                   keep.has_extension_dict and "NOTES" in keep.get_extension_dict())

    # Fixed once, nothing is left to fix: the drawing is not written again.
    fixed = workdir / "in-place" / "drawing.dxf"
    bytes_before = fixed.read_bytes()
    code, out, err = run(kvcad, str(fixed), "--standards", standards, "--format", "json")
    report = json.loads(out)["drawings"][0] if out else {}
    expect("nothing to fix: not written", code == 1 and report.get("output") is None and
           report.get("fixed") == [] and fixed.read_bytes() == bytes_before, err)

    # A drawing that cannot be read, a folder where a standards file lies: exit 2, the other
    # drawings fixed, the standards file never written.
    other = workdir / "other.dxf"
    shutil.copyfile(original, other)
    named_like = workdir / "named-like" / "standards.dws"
    named_like.parent.mkdir()
    shutil.copyfile(original, named_like)
    standards_bytes = Path(standards).read_bytes()
    code, out, err = run(kvcad, str(workdir / "missing.dxf"), str(other), str(named_like),
                         "--standards", standards, "--output-dir", str(workdir))
    expect("unreadable and refused drawings: exit 2", code == 2, err)
    expect("one line on stderr per refused drawing", len(err.strip().splitlines()) == 2 and
           "missing.dxf" in err and "standards file" in err, err)
    expect("the standards file is never written", Path(standards).read_bytes() == standards_bytes)
    expect("the other drawing is fixed", ezdxf.readfile(other).layers.get("Walls").color == 3)
    expect("the text report: a summary last", out.strip().splitlines()[-1].startswith(
        "1 drawing: 5 fixes applied, 1 drawing written"), out)

    code, _, err = run(kvcad, str(other), "--map", str(workdir / "absent.csv"))
    expect("a map that cannot be read: exit 2", code == 2 and "absent.csv" in err, err)
    (workdir / "bad.csv").write_text("layer,Temp\n")
    code, _, err = run(kvcad, str(other), "--map", str(workdir / "bad.csv"))
    expect("a map row without three fields: exit 2 naming the line",
           code == 2 and "bad.csv:1:" in err, err)

    fix_in_parallel(kvcad, workdir, original, standards, expect)
    ignore_marks(kvcad, workdir, original, standards, expect)
    return checklist.exit_code()


if __name__ == "__main__":
    sys.exit(main(sys.argv))
