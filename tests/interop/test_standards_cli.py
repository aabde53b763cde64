#!/usr/bin/python3
"""kvcad standards add/up/down/remove/list round-trips a drawing's standards association through
saved DXF files that ezdxf reads: files are stored by their absolute paths and found however the
same path is spelt; what cannot be a standards file is refused; the preferred standards file is
kept as the association keeps it.

Usage: test_standards_cli.py KVCAD EXAMPLE_DRAWING WORKDIR
"""

import json
import os
import shutil
import subprocess
import sys
from pathlib import Path

import ezdxf

from checklist import Checklist


def run(kvcad, *args, cwd=None):
    proc = subprocess.run([kvcad, "standards", *args], capture_output=True, text=True, timeout=60,
                          cwd=cwd)
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
    shutil.rmtree(workdir, ignore_errors=True)
    (workdir / "std").mkdir(parents=True)
    drawing = str(workdir / "associated.dxf")
    shutil.copyfile(example, drawing)
    a, b = str(workdir / "std" / "a.dws"), str(workdir / "std" / "b.dws")
    shutil.copyfile(example, a)
    shutil.copyfile(example, b)
    (workdir / "README.md").write_text("# not a drawing\n")
    checklist = Checklist()
    expect = checklist.expect

    original = Path(drawing).read_bytes()
    refused = [("a file that does not exist", str(workdir / "std" / "missing.dws")),
               ("a folder", str(workdir / "std")),
               ("a file that is no drawing", str(workdir / "README.md")),
               ("the drawing itself", drawing)]
    for what, file in refused:
        code, _, err = run(kvcad, "add", drawing, file)
        expect(f"add refuses {what}: exit 2 naming it", code == 2 and file in err and
               len(err.strip().splitlines()) == 1, err)
    expect("a refused file leaves the drawing as it was", Path(drawing).read_bytes() == original)

    # Relative to the current folder: stored absolute, so that it works from any folder.
    expect("add a file by a relative path", run(kvcad, "add", drawing, "std/a.dws",
                                                cwd=workdir)[0] == 0)
    expect("add a second file with backslashes",
           run(kvcad, "add", drawing, b.replace("/", "\\"))[0] == 0)
    code, _, err = run(kvcad, "add", drawing, str(workdir / "std" / "." / "b.dws"))
    expect("adding the same file spelt otherwise changes nothing and says so",
           code == 1 and "already" in err, err)
    paths, errors = stored_with_ezdxf(drawing)
    expect("ezdxf reads the association: absolute paths, in order", paths == [a, b], paths)
    expect("ezdxf finds no audit error", errors == 0)

    spellings = [("up", "std/b.dws", [b, a]), ("down", b.replace("/", "\\"), [a, b]),
                 ("up", os.path.join("..", workdir.name, "std", "b.dws"), [b, a])]
    for action, spelling, order in spellings:
        code, _, err = run(kvcad, action, drawing, spelling, cwd=workdir)
        paths, _ = stored_with_ezdxf(drawing)
        expect(f"{action} finds {spelling}", code == 0 and paths == order, (err, paths))

    code, out, err = run(kvcad, "list", drawing, "--json")
    listed = json.loads(out) if code == 0 else {}
    expect("list --json gives the stored and the resolved paths",
           listed.get("stored") == [b, a] and listed.get("resolved") == [b, a], (listed, err))
    expect("list says nothing on stderr", err == "")

    config = {**os.environ, "XDG_CONFIG_HOME": str(workdir / "config")}
    proc = subprocess.run([kvcad, "standards", "settings", "--preferred", "std/a.dws"],
                          capture_output=True, text=True, timeout=60, cwd=workdir, env=config)
    expect("the preferred file is kept by its absolute path", f"preferred: {a}" in proc.stdout,
           proc.stdout + proc.stderr)
    proc = subprocess.run([kvcad, "standards", "list", drawing, "--json"], capture_output=True,
                          text=True, timeout=60, env=config)
    expect("the preferred file comes first", proc.returncode == 0 and
           json.loads(proc.stdout).get("resolved") == [a, b], proc.stdout + proc.stderr)

    expect("remove by a relative path", run(kvcad, "remove", drawing, "std/a.dws",
                                            cwd=workdir)[0] == 0)
    paths, _ = stored_with_ezdxf(drawing)
    expect("ezdxf reads the association after removing", paths == [b], paths)
    code, _, err = run(kvcad, "remove", drawing, a)
    expect("removing a file not associated changes nothing and says so",
           code == 1 and "not associated" in err, err)
    code, _, err = run(kvcad, "add", str(workdir / "missing.dxf"), a)
    expect("an unreadable drawing gives exit 2 and one line", code == 2 and
           len(err.strip().splitlines()) == 1, err)

    # Many drawings in one call: a folder, a pattern, a list; the others done whatever one does.
    for name in ["one.dxf", "sub/two.dxf"]:
        (workdir / "many" / name).parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(example, workdir / "many" / name)
    (workdir / "many.txt").write_text("many/one.dxf\n")
    many = [str(workdir / "many" / name) for name in ["one.dxf", "sub/two.dxf"]]
    calls = [(["add", "many", "missing.dxf", a], 2, True), (["add", "many/**/*.dxf", a], 1, True),
             (["remove", "@many.txt", "many/sub/two.dxf", a], 0, False)]
    for args, exit_code, associated in calls:
        code, _, err = run(kvcad, *args, cwd=workdir)
        found = [stored_with_ezdxf(path)[0] for path in many]
        expect(f"{' '.join(args[:2])}: exit {exit_code}, every drawing done", code == exit_code and
               all((a in paths) == associated for paths in found), (err, found))
    return checklist.exit_code()


if __name__ == "__main__":
    sys.exit(main(sys.argv))
