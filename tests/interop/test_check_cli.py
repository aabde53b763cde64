#!/usr/bin/python3
"""kvcad check against drawings that ezdxf builds: one drawing per kind of record, each with a
name violation, a properties violation and records that conform, checked against one standards
drawing. The JSON report must list exactly those violations with the descriptions, recommended
fixes and property differences of the standards rules; the record handles must be the ones ezdxf
gave; the JUnit report must be well-formed XML that says the same.

Usage: test_check_cli.py KVCAD WORKDIR
"""

import html.parser
import json
import os
import pty
import shutil
import signal
import subprocess
import sys
import time
import xml.etree.ElementTree as ET
from pathlib import Path

import ezdxf

from checklist import Checklist


def new_drawing():
    # setup=False: only the records every drawing has, so that nothing else takes part.
    return ezdxf.new("R2018", setup=False)


def write_standards(path):
    doc = new_drawing()
    doc.layers.add("Walls", color=3)
    doc.layers.add("Doors", color=1)
    doc.linetypes.add("DASHED", pattern=[1.5, 1.0, -0.5])
    doc.linetypes.add("CENTER", pattern=[2.0, 1.25, -0.25, 0.25, -0.25])
    doc.styles.add("Notes", font="arial.ttf").dxf.width = 0.8
    doc.styles.add("Labels", font="romans.shx")
    doc.dimstyles.add("Arch").dxf.dimasz = 0.25
    doc.dimstyles.add("Civil").dxf.dimasz = 0.1
    doc.saveas(path)


def add_layers(doc):
    doc.layers.add("Walls", color=1)  # green in the standards
    doc.layers.add("DOORS", color=1)  # conforms: names are compared ignoring case
    doc.layers.add("Temp", color=2)  # not a standard


def add_linestyles(doc):
    doc.linetypes.add("DASHED", pattern=[0.75, 0.5, -0.25])  # pattern length 1.5 in standards
    doc.linetypes.add("CENTER", pattern=[2.0, 1.25, -0.25, 0.25, -0.25])
    doc.linetypes.add("MYDOTS", pattern=[0.2, 0.0, -0.2])


def add_textstyles(doc):
    doc.styles.add("Notes", font="arial.ttf")  # width 1, 0.8 in the standards
    doc.styles.add("Labels", font="romans.shx")
    doc.styles.add("Headings", font="arial.ttf")


def add_dimstyles(doc):
    doc.dimstyles.add("Arch").dxf.dimasz = 0.18  # 0.25 in the standards
    doc.dimstyles.add("Civil").dxf.dimasz = 0.1
    doc.dimstyles.add("Custom")
    # A child style holds overrides of its parent and is checked through it.
    doc.dimstyles.add("Arch$0").dxf.dimasz = 0.5


class PageTags(html.parser.HTMLParser):
    """What a page holds: its texts, the elements still open or closed out of order, and every
    reference to something outside the page."""
    VOID = {"meta", "br", "input", "rect", "link", "img"}

    def __init__(self):
        super().__init__()
        self.unclosed, self.misnested, self.fetched, self.texts, self.seen = [], [], [], [], set()

    def handle_starttag(self, tag, attrs):
        self.seen.add(tag)
        self.fetched += [value for name, value in attrs
                         if name in ("src", "href") and not (value or "").startswith("#")]
        if tag not in self.VOID:
            self.unclosed.append(tag)

    def handle_endtag(self, tag):
        if tag in self.VOID:
            return
        if self.unclosed and self.unclosed[-1] == tag:
            self.unclosed.pop()
        else:
            self.misnested.append(tag)

    def handle_data(self, data):
        self.texts.append(data)


def number(text):
    try:
        return float(text)
    except ValueError:
        return None


# What each drawing must report: (kind, what it holds, category, object type, table of the drawing,
# name violations, properties violations). A properties violation lists its differing
# properties as (names the difference may go by, key of the value among the record's values,
# current, standard); a float value compares as a number, a str exactly. Dimension style
# differences go by the variable's description, the values by the variable's name.
KINDS = [
    ("layers", add_layers, "Layers", "Layer", "layers", ["Temp"],
     {"Walls": [(["LineColor"], "LineColor", "red", "green")]}),
    ("linestyles", add_linestyles, "Line Styles", "LineStyle", "linetypes", ["MYDOTS"],
     {"DASHED": [(["Pattern Length"], "Pattern Length", "0.7500", "1.5000")]}),
    ("textstyles", add_textstyles, "Text Styles", "TextStyle", "styles", ["Headings"],
     {"Notes": [(["Width"], "Width", 1.0, 0.8)]}),
    ("dimstyles", add_dimstyles, "Dimension Styles", "DimensionStyle", "dimstyles", ["Custom"],
     {"Arch": [(["DIMASZ", "Arrow size"], "DIMASZ", "0.18", "0.25")]}),
]


def run(kvcad, *args, cwd=None, command="check"):
    proc = subprocess.run([kvcad, command, *args], capture_output=True, text=True, timeout=120,
                          cwd=cwd)
    return proc.returncode, proc.stdout, proc.stderr


def with_terminal(args, cwd):
    """stderr of a run whose stderr is a terminal."""
    main, side = pty.openpty()
    proc = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=side, cwd=cwd)
    os.close(side)
    said = b""
    while True:
        try:
            chunk = os.read(main, 65536)
        except OSError:  # the terminal is gone with the program
            break
        if not chunk:
            break
        said += chunk
    proc.wait()
    os.close(main)
    return said.decode()


def many_drawings(kvcad, workdir, standards, expect):
    """Drawings from folders, patterns and lists; --jobs and --shard give the report one run
    gives."""
    for path in ["plans/a.dxf", "plans/b/C.DXF", "plans/b/ref.Dws", "plans/.old/x.dxf"]:
        (workdir / path).parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(workdir / "layers.dxf", workdir / path)
    (workdir / "plans/b/notes.txt").write_text("not a drawing\n")
    (workdir / "list.txt").write_text("# the batch\n\nplans/a.dxf\nmissing.dxf\r\nplans/a.dxf\n")
    whole = ["plans/a.dxf", "plans/b/C.DXF", "plans/b/ref.Dws"]
    sources = [(["plans"], whole), (["plans/*"], whole), (["plans/**/*.dxf"], ["plans/a.dxf"]),
               (["@list.txt", "plans/b", "plans/a.dxf"], ["plans/a.dxf", "missing.dxf"] + whole[1:]),
               (["nothing/*.dxf"], ["nothing/*.dxf"])]
    for args, drawings in sources:
        code, out, err = run(kvcad, *args, "--standards", standards, "--format", "json",
                             cwd=workdir)
        found = [d["drawing"] for d in json.loads(out)["drawings"]] if out else []
        expect(f"{' '.join(args)}: the drawings in order, each once", found == drawings,
               (found, err))
    expect("a pattern that matches nothing is said", "nothing/*.dxf: no file matches" in err, err)

    batch = ["plans", "@list.txt", "--standards"]
    for name, standards_file in [("checked", standards), ("standards unreadable", "list.txt")]:
        for fmt in ["text", "json", "junit", "html"]:
            args = [*batch, standards_file, "--format", fmt]
            one = run(kvcad, *args, cwd=workdir)
            many = run(kvcad, *args, "--jobs", "3", cwd=workdir)
            expect(f"{name} {fmt}: --jobs 3 reports as one job does, exit 2",
                   many == one and one[0] == 2, (one, many))
            shards = [run(kvcad, *args[:-1], "json", "--shard", f"{k}/3", "--output",
                          f"shard{k}.json", cwd=workdir) for k in (1, 2, 3)]
            merged = run(kvcad, "merge", "shard1.json", "shard2.json", "shard3.json",
                         "--format", fmt, cwd=workdir, command="report")
            expect(f"{name} {fmt}: the merged shards report as the whole batch does",
                   merged[:2] == one[:2], merged)
        expect(f"{name}: what is said once is said once with --jobs",
               len(one[2].splitlines()) == len(set(one[2].splitlines())) == 1 + (name != "checked"),
               one[2])

    said = with_terminal([kvcad, "check", *batch, standards, "--jobs", "2", "--output", "r.txt"],
                         workdir)
    expect("a progress line on a terminal", "4 of 4 drawings" in said and "\r" in said and
           "missing.dxf: not found" in said, said)
    expect("no progress line elsewhere", "\r" not in run(kvcad, *batch, standards, cwd=workdir)[2])


def children_of(pid):
    """The ids of the processes whose parent is `pid`."""
    found = []
    for entry in Path("/proc").iterdir():
        try:
            stat = (entry / "stat").read_text()
        except OSError:
            continue
        # "pid (name) state ppid ...": the name may hold spaces and parentheses.
        if entry.name.isdigit() and int(stat.rsplit(")", 1)[1].split()[1]) == pid:
            found.append(int(entry.name))
    return found


def has_open(pid, path):
    try:
        return any(os.path.realpath(fd) == os.path.realpath(path)
                   for fd in (Path(f"/proc/{pid}") / "fd").iterdir())
    except OSError:
        return False


def dying_worker(kvcad, workdir, standards, expect):
    """A worker killed while on a drawing, as the system's memory killer would: that drawing is
    reported as not checked, saying why, and a new worker checks the rest."""
    folder = workdir / "dying"
    folder.mkdir()
    before, big, after = folder / "a.dxf", folder / "big.dxf", folder / "c.dxf"
    shutil.copyfile(workdir / "layers.dxf", before)
    shutil.copyfile(workdir / "layers.dxf", after)
    # Large enough that checking it takes a while: many lines in model space.
    doc = ezdxf.readfile(workdir / "layers.dxf")
    text = (workdir / "layers.dxf").read_text()
    owner = doc.modelspace().block_record.dxf.handle
    lines = "".join(f"  0\nLINE\n  5\n{h:X}\n330\n{owner}\n100\nAcDbEntity\n  8\n0\n100\n"
                    f"AcDbLine\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 11\n1.0\n 21\n1.0\n 31\n0.0\n"
                    for h in range(0x100000, 0x100000 + 300000))
    start = text.index("ENTITIES\n") + len("ENTITIES\n")
    big.write_text(text[:start] + lines + text[start:])
    # Tried again when the worker was through the drawing before it was seen on it.
    for _ in range(5):
        proc = subprocess.Popen([kvcad, "check", str(before), str(big), str(after),
                                 "--standards", standards, "--format", "json", "--jobs", "2"],
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        killed = False
        while proc.poll() is None and not killed:
            for worker in children_of(proc.pid):
                if has_open(worker, big):
                    os.kill(worker, signal.SIGKILL)
                    killed = True
            time.sleep(0.002)
        out, err = proc.communicate(timeout=120)
        if killed:
            break
    report = json.loads(out)["drawings"] if out else []
    found = {Path(d["drawing"]).name: d.get("error", "") for d in report}
    expect("a killed worker: its drawing is not checked, the others are, exit 2",
           killed and proc.returncode == 2 and found.get("a.dxf") == "" and
           found.get("c.dxf") == "" and
           "the worker process on it was ended by signal 9" in found.get("big.dxf", ""),
           (killed, proc.returncode, found, err))


def same_value(expected, actual):
    if isinstance(expected, float):
        return number(actual) is not None and abs(number(actual) - expected) < 1e-9
    return actual == expected


def project_file(kvcad, workdir, standards, expect):
    """kvcad.toml (or --config FILE) says what to check and how; the command line wins."""
    project = workdir / "project"
    (project / "plans").mkdir(parents=True)
    for name in ["a.dxf", "b.dxf"]:
        shutil.copyfile(workdir / "layers.dxf", project / "plans" / name)
    shutil.copyfile(standards, project / "std.dws")
    (project / "kvcad.toml").write_text(
        'drawings = ["plans"]\nstandards = ["std.dws"]\nplugins = ["Layers"]\njobs = 2\n'
        '[check]\nall-fixes = true\nmax-fixes = 1\nreports = [{format = "junit", output = '
        '"out/check.xml"}, {format = "json", output = "out/check.json"}]\n'
        '[fix]\noutput-dir = "fixed"\nreports = [{format = "json", output = "out/fix.json"}]\n')
    (project / "out").mkdir()
    code, out, err = run(kvcad, cwd=project)
    report = json.loads((project / "out/check.json").read_text()) if code == 1 else {}
    violations = [v for d in report.get("drawings", []) for v in d["violations"]]
    expect("kvcad.toml: its drawings, standards, plug-ins and reports", code == 1 and out == "" and
           [d["drawing"] for d in report["drawings"]] == ["plans/a.dxf", "plans/b.dxf"] and
           {v["category"] for v in violations} == {"Layers"} and
           all(len(v["fixes"]) == 1 and v["fixesNotListed"] == v["fixCount"] - 1 and
               v["fixes"][0]["standardsFile"] == "std.dws" for v in violations) and
           ET.parse(project / "out/check.xml").getroot().tag == "testsuites", (code, err))
    code, out, err = run(kvcad, "plans/b.dxf", "--plugins", "Text Styles", "--format", "json",
                         cwd=project)
    expect("the command line wins", code == 0 and
           [d["drawing"] for d in json.loads(out)["drawings"]] == ["plans/b.dxf"], (code, err))
    code, out, err = run(kvcad, "--config", "project/kvcad.toml", cwd=workdir, command="fix")
    fixed = json.loads((project / "out/fix.json").read_text()) if code == 1 else {}
    expect("--config: paths relative to its folder, the [fix] section",
           [d["output"] for d in fixed.get("drawings", [])] ==
           ["project/fixed/a.dxf", "project/fixed/b.dxf"], (code, err))
    bad = [("jobs = 0\n", "kvcad.toml:1: jobs: expected a whole number"),
           ("drawings = [\"plans\"]\n\n[check]\nmax-fixes = 1\nformat = \"json\"\n",
            'kvcad.toml:5: unknown key "format"'),
           ("[fix]\nreports = [{format = \"html\"}]\n", "kvcad.toml:2: format: expected one of"),
           ("standards = \"std.dws\"\n", "kvcad.toml:1: standards: expected a list"),
           ("plugins = [\"Layers\"\n", "kvcad.toml:")]
    for text, said in bad:
        (project / "kvcad.toml").write_text(text)
        code, out, err = run(kvcad, cwd=project)
        expect(f"a bad project file: exit 2 naming the file and line ({said})",
               code == 2 and err.startswith(said) and len(err.splitlines()) == 1, err)


def main(argv):
    kvcad, workdir = argv[1], Path(argv[2])
    shutil.rmtree(workdir, ignore_errors=True)
    workdir.mkdir(parents=True)
    standards = str(workdir / "standards.dws")
    write_standards(standards)
    checklist = Checklist()
    expect = checklist.expect

    drawings = {}
    for kind, add, category, object_type, table, names, properties in KINDS:
        path = str(workdir / f"{kind}.dxf")
        doc = new_drawing()
        add(doc)
        doc.saveas(path)
        drawings[kind] = path
        code, out, err = run(kvcad, path, "--standards", standards, "--format", "json")
        expect(f"{kind}: exit 1 for violations", code == 1, f"exit {code}: {err}")
        try:
            report = json.loads(out)
        except json.JSONDecodeError as e:
            expect(f"{kind}: the report is JSON", False, str(e))
            continue
        expect(f"{kind}: report version 1", report.get("version") == 1)
        entry = report["drawings"][0]
        expect(f"{kind}: standards as given", entry["standards"] == [standards])
        mine = [v for v in entry["violations"] if v["category"] == category]
        others = [v for v in entry["violations"] if v["category"] != category]
        expect(f"{kind}: no violation of another kind", others == [], others)
        found = sorted(v["name"] for v in mine)
        expect(f"{kind}: exactly the expected records", found == sorted(names + list(properties)),
               found)
        for v in mine:
            name = v["name"]
            what = f"{kind} {name}"
            expect(f"{what}: object type", v["objectType"] == object_type, v["objectType"])
            record = getattr(doc, table).get(name)
            expect(f"{what}: the handle ezdxf gave the record",
                   record is not None and v["handle"] == record.dxf.handle, v["handle"])
            expect(f"{what}: not ignored", v["ignored"] is False and v["ignoredBy"] == "")
            expect(f"{what}: the record's values", v["properties"].get("Name") in (None, name) and
                   len(v["properties"]) > 0, v["properties"])
            if name in names:
                expect(f"{what}: name violation described",
                       v["description"] == f"{object_type} name is non-standard.",
                       v["description"])
                expect(f"{what}: no recommended fix",
                       v["recommendedFix"] == -1 and v["fix"] is None and v["diff"] == [], v)
                continue
            expect(f"{what}: properties violation described",
                   v["description"] == f"{object_type} properties are non-standard.",
                   v["description"])
            fix = v["fix"] or {}
            expect(f"{what}: the same-named standards record is recommended",
                   0 <= v["recommendedFix"] < v["fixCount"] and
                   fix.get("name", "").lower() == name.lower() and
                   fix.get("standardsFile") == standards, v)
            diff = {d["property"]: (d["current"], d["standard"]) for d in v["diff"]}
            expected = properties[name]
            expect(f"{what}: as many differing properties as made", len(diff) == len(expected),
                   diff)
            for names_, key, current, standard in expected:
                prop = next((n for n in names_ if n in diff), names_[0])
                got = diff.get(prop, (None, None))
                expect(f"{what}: {prop} current -> standard",
                       same_value(current, got[0]) and same_value(standard, got[1]), diff)
                expect(f"{what}: {key} among the record's values",
                       same_value(current, v["properties"].get(key, "")), v["properties"])

    # A record of each kind marked with kvcad ignore: the drawing saved, read again and checked
    # whole reports that violation ignored and no other; ezdxf finds the mark on the record.
    for kind, _, _, object_type, table, names, properties in KINDS:
        path = workdir / f"ignored-{kind}.dxf"
        shutil.copyfile(drawings[kind], path)
        marked_name = names[0]
        ignored = run(kvcad, str(path), kind[:-1], marked_name, "--user", "carol", command="ignore")
        code, out, err = run(kvcad, str(path), "--standards", standards, "--format", "json")
        marks = {v["name"]: (v["ignored"], v["ignoredBy"])
                 for v in (json.loads(out)["drawings"][0]["violations"] if out else [])}
        expected = {n: (n == marked_name, "carol" if n == marked_name else "")
                    for n in names + list(properties)}
        text = run(kvcad, str(path), "--standards", standards)[1]
        record = getattr(ezdxf.readfile(path), table).get(marked_name)
        flags = record.get_extension_dict()["AcStStandard"]["AcStFlags"]
        expect(f"{kind}: the mark of kvcad ignore is honoured by the next check",
               ignored[0] == 0 and code == 1 and marks == expected and
               [(t.code, t.value) for t in flags.tags] == [(300, "carol"), (90, 1)] and
               f'ignored (by carol): {object_type} "{marked_name}"' in text and
               "1 ignored" in text.splitlines()[-1], (ignored, marks, err, text))

    # Another program's ignored mark on "Temp": reported as ignored, skipped in JUnit.
    marked = str(workdir / "odd & <\"marked\">.dxf")
    doc = ezdxf.readfile(drawings["layers"])
    xdict = doc.layers.get("Temp").new_extension_dict().dictionary
    # Built from the objects section: ExtensionDict.add_dictionary() of ezdxf 0.18 fails.
    standard = doc.objects.add_dictionary(owner=xdict.dxf.handle)
    xdict["AcStStandard"] = standard
    standard.add_xrecord("AcStFlags").reset([(300, "bob"), (90, 1)])
    doc.saveas(marked)
    code, out, err = run(kvcad, marked, "--standards", standards, "--format", "json")
    entry = json.loads(out)["drawings"][0] if out else {"violations": []}
    temp = [v for v in entry["violations"] if v["name"] == "Temp"]
    expect("an ignored mark written by ezdxf is read",
           len(temp) == 1 and temp[0]["ignored"] is True and temp[0]["ignoredBy"] == "bob", temp)
    expect("the other violation still counts", code == 1, err)

    # A difference below the four decimals the text shows: the JSON has the numbers in full.
    fine_standards, fine = str(workdir / "fine.dws"), str(workdir / "fine.dxf")
    for path, height in [(fine_standards, 19.05), (fine, 19.0500001)]:
        doc = new_drawing()
        doc.styles.add("Fine", font="arial.ttf").dxf.height = height
        doc.saveas(path)
    code, out, err = run(kvcad, fine, "--standards", fine_standards, "--format", "json")
    diff = json.loads(out)["drawings"][0]["violations"][0]["diff"] if code == 1 else [{}]
    expect("numbers in full beside their text", diff[0].get("current") == diff[0].get("standard")
           and diff[0].get("currentValue") == 19.0500001 and diff[0].get("standardValue") == 19.05,
           diff)

    # Old drawings are checked like new ones: R12 layers keep their line styles, a drawing older
    # than R10 is upgraded and given what it lacks.
    old = ezdxf.new("R12")
    old.layers.add("Walls", color=3)
    old.layers.add("Doors", color=1)
    old_path = str(workdir / "old-r12.dxf")
    old.saveas(old_path)
    older_path = str(workdir / "older-r2.dxf")
    text = Path(old_path).read_text(encoding="cp1252")
    Path(older_path).write_text(text.replace("AC1009", "AC2.10"), encoding="cp1252")
    for path in (old_path, older_path):
        code, out, err = run(kvcad, path, "--standards", standards, "--format", "json")
        name = Path(path).name
        expect(f"{name}: checked", code in (0, 1) and out, f"exit {code}: {err}")
        found = json.loads(out)["drawings"][0]["violations"] if out else []
        layers = [v["name"] for v in found if v["objectType"] == "Layer"]
        expect(f"{name}: conforming layers conform", layers == [], layers)

    conforming = str(workdir / "conforming.dxf")
    shutil.copyfile(standards, conforming)
    missing = str(workdir / "missing.dxf")
    paths = [drawings[kind] for kind, *_ in KINDS] + [marked, conforming, missing]
    code, out, err = run(kvcad, *paths, "--standards", standards, "--format", "junit")
    expect("junit: exit 2 with an unreadable drawing", code == 2, err)
    expect("junit: one line on stderr naming it", err.strip().splitlines() == [err.strip()] and
           missing in err, err)
    try:
        root = ET.fromstring(out)
    except ET.ParseError as e:
        expect("junit: well-formed XML", False, str(e))
        root = ET.Element("none")
    expect("junit: a testsuites root", root.tag == "testsuites", root.tag)
    suites = root.findall("testsuite")
    expect("junit: one suite per drawing", [s.get("name") for s in suites] == paths,
           [s.get("name") for s in suites])
    for suite, path in zip(suites, paths):
        cases = suite.findall("testcase")
        failed = [c for c in cases if c.find("failure") is not None]
        skipped = [c for c in cases if c.find("skipped") is not None]
        errors = [c for c in cases if c.find("error") is not None]
        name = Path(path).name
        expect(f"junit {name}: counts match the cases",
               suite.get("tests") == str(len(cases)) and
               suite.get("failures") == str(len(failed)) and
               suite.get("skipped") == str(len(skipped)) and
               suite.get("errors") == str(len(errors)))
        if path == missing:
            expect(f"junit {name}: an error case", len(cases) == 1 and len(errors) == 1)
            continue
        if path == conforming:
            expect(f"junit {name}: one passing case", len(cases) == 1 and not failed and
                   not skipped and not errors)
            continue
        kind = KINDS[0] if path == marked else next(k for k in KINDS if drawings[k[0]] == path)
        expected_failures = len(kind[5]) + len(kind[6]) - (1 if path == marked else 0)
        expect(f"junit {name}: one failing case per violation", len(failed) == expected_failures,
               len(failed))
        expect(f"junit {name}: ignored violations skipped",
               len(skipped) == (1 if path == marked else 0))
        expect(f"junit {name}: cases named by plug-in", all(c.get("classname") == kind[2]
                                                            for c in cases))
        messages = sorted(c.find("failure").get("message") for c in failed)
        expect(f"junit {name}: failure messages are the descriptions",
               all(m.startswith(kind[3] + " ") for m in messages), messages)

    # The same drawings as one page: every drawing and record on it, nothing fetched from
    # elsewhere, the elements closed as they were opened.
    code, out, err = run(kvcad, *paths, "--standards", standards, "--format", "html")
    page = PageTags()
    page.feed(out)
    expect("html: exit 2 with an unreadable drawing", code == 2, err)
    expect("html: elements nest", page.unclosed == [] and page.misnested == [],
           (page.unclosed, page.misnested))
    expect("html: nothing fetched from elsewhere", page.fetched == [], page.fetched)
    expect("html: a chart of the categories", "svg" in page.seen)
    texts = " ".join(page.texts)
    expect("html: every drawing and record named", all(path in texts for path in paths) and all(
        name in texts for *_, names, props in KINDS for name in names + list(props)), texts[:300])
    expect("html: the passing drawing OK, the ignored mark shown",
           "OK" in texts and "ignored by bob" in texts)
    many_drawings(kvcad, workdir, standards, expect)
    dying_worker(kvcad, workdir, standards, expect)
    project_file(kvcad, workdir, standards, expect)
    return checklist.exit_code()


if __name__ == "__main__":
    sys.exit(main(sys.argv))
