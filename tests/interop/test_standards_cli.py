#!/usr/bin/python3
"""kvcad standards add/up/remove/list round-trips a drawing's standards association through
saved DXF files that ezdxf reads.

Usage: test_standards_cli.py KVCAD EXAMPLE_DRAWING WORKDIR
"""

import json
import shutil
import subprocess
import sys
from pathlib import Path

import ezdxf


def run(kvcad, *args):
    proc = subprocess.run([kvcad, "standards", *args], capture_output=True, text=True, timeout=60)
    return proc.returncode, proc.stdout, proc.stderr


def stored_with_ezdxf(path):
    doc = ezdxf.readfile(path)
    errors = len(doc.audit().errors)
    if "AcStStandard" not in doc.rootdict:
        return [], errors
    entries = sorted(doc.rootdict["AcStStandard"].items())
    return [xrecord.tags[0].value for _, xrecord in entries if xrecord.tags[0].code == 1], errors


def main(argv):
    kvcad, example, workdir = argv[1], argv[2], Path(argv[3])
    workdir.mkdir(parents=True, exist_ok=True)
    drawing = str(workdir / "associated.dxf")
    shutil.copyfile(example, drawing)
    failures = []
    checks = []

    def expect(what, condition):
        checks.append(what)
        print(("ok   " if condition else "FAIL ") + what)
        if not condition:
            failures.append(what)

    windows = "C:\\standards\\office.dws"
    expect("add a Windows path", run(kvcad, "add", drawing, windows)[0] == 0)
    expect("add a second file", run(kvcad, "add", drawing, "/srv/std/b.dxf")[0] == 0)
    code, _, err = run(kvcad, "add", drawing, "/srv/std/b.dxf")
    expect("adding twice changes nothing and says so", code == 1 and "already" in err)
    expect("move up", run(kvcad, "up", drawing, "/srv/std/b.dxf")[0] == 0)
    paths, errors = stored_with_ezdxf(drawing)
    expect("ezdxf reads the association in order", paths == ["/srv/std/b.dxf", windows])
    expect("ezdxf finds no audit error", errors == 0)
    code, out, _ = run(kvcad, "list", drawing, "--json")
    listed = json.loads(out) if code == 0 else {}
    expect("list --json gives the stored paths", listed.get("stored") == ["/srv/std/b.dxf", windows])
    expect("files found nowhere are not resolved", listed.get("resolved") == [])
    standards = workdir / "standards.dxf"
    shutil.copyfile(example, standards)
    run(kvcad, "add", drawing, str(standards).replace("/", "\\"))
    code, out, err = run(kvcad, "list", drawing, "--json")
    listed = json.loads(out) if code == 0 else {}
    expect("the module resolves an existing file, written with slashes",
           listed.get("resolved") == [str(standards)])
    expect("list says nothing on stderr", err == "")
    run(kvcad, "remove", drawing, str(standards).replace("/", "\\"))
    expect("remove", run(kvcad, "remove", drawing, windows)[0] == 0)
    paths, _ = stored_with_ezdxf(drawing)
    expect("ezdxf reads the association after removing", paths == ["/srv/std/b.dxf"])
    code, _, err = run(kvcad, "add", str(workdir / "missing.dxf"), "/x.dxf")
    expect("an unreadable drawing gives exit 2 and one line", code == 2 and
           len(err.strip().splitlines()) == 1)
    print(f"{len(checks) - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
