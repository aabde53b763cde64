#!/usr/bin/python3
"""kvcad as a user runs it, on drawings ezdxf writes: arguments and exit codes, messages that name
each file once, which standards files a check uses (the association, --standards, stored paths
resolved), ignored marks shown in the text report, reports that would replace a file read,
plug-in selection, --require-standards, kvcad run, and kvcad standards editing a drawing's
association.

Usage: test_app_cli.py KVCAD WORKDIR EXAMPLE_DRAWING
"""

import json
import os
import shutil
import stat
import subprocess
import sys
from pathlib import Path

import ezdxf

from checklist import Checklist


class Scope:
    """A folder of drawings and the user settings (XDG_CONFIG_HOME) of one group of checks."""

    def __init__(self, kvcad, root):
        self.kvcad, self.root = kvcad, Path(root).resolve()
        shutil.rmtree(self.root, ignore_errors=True)
        self.root.mkdir(parents=True)
        self.env = dict(os.environ, XDG_CONFIG_HOME=str(self.root / ".config"),
                        QT_QPA_PLATFORM="offscreen")

    def path(self, relative):
        path = self.root / relative
        path.parent.mkdir(parents=True, exist_ok=True)
        return str(path)

    def drawing(self, relative, layers=(), standards=(), broken_association=False):
        """Layers as (name, colour index); the association stores `standards` as given."""
        doc = ezdxf.new("R2018", setup=False)
        for name, color in layers:
            doc.layers.add(name, color=color)
        if broken_association:  # another program's object where the association belongs
            doc.rootdict.add_xrecord("AcStStandard")
        elif standards:
            association = doc.rootdict.add_new_dict("AcStStandard")
            for number, stored in enumerate(standards, 1):
                association.add_xrecord(f"{number:06d}").reset([(1, str(stored))])
        path = self.path(relative)
        doc.saveas(path)
        return path

    def garbage(self, relative):
        path = self.path(relative)
        Path(path).write_text("this is not a drawing\n")
        return path

    def run(self, *args, env=None):
        proc = subprocess.run([self.kvcad, *args], capture_output=True, text=True, timeout=120,
                              cwd=self.root, env=env or self.env)
        return proc.returncode, proc.stdout, proc.stderr

    def report(self, *args):
        """Exit code, the drawings of the JSON report of kvcad check, stderr."""
        code, out, err = self.run("check", *args, "--format", "json")
        return code, (json.loads(out)["drawings"] if out.startswith("{") else []), err


def violation(drawing, name):
    return next((v for v in drawing["violations"] if v["name"] == name), {})


def arguments(scope, expect):
    drawing = scope.drawing("a.dxf")
    # (what, arguments, exit code, part of stdout, or of stderr with exit 2)
    cases = [("no drawing", ["check"], 2, "DRAWING"),
             ("unknown option", ["check", drawing, "--fast"], 2, "--fast"),
             ("unknown format", ["check", drawing, "--format", "xml"], 2, "xml"),
             ("format without a value", ["check", drawing, "--format"], 2, "--format"),
             ("output twice", ["check", drawing, "--output", "a", "--output", "b"], 2, "--output"),
             ("empty standards name", ["check", drawing, "--standards", ""], 2, "--standards"),
             ("a shard beyond the parts", ["check", drawing, "--shard", "4/3"], 2, "--shard"),
             ("no jobs", ["fix", drawing, "--jobs", "0"], 2, "--jobs"),
             ("no command", [], 2, "usage: kvcad"),
             ("unknown command", ["verify", drawing], 2, "verify"),
             ("an edit without its file", ["standards", "add", drawing], 2,
              "usage: kvcad standards add"),
             ("the version", ["--version"], 0, "kvcad "),
             ("help of a command", ["check", "--help"], 0, "usage: kvcad check"),
             ("help of a standards action", ["standards", "plugins", "--help"], 0, "--enable")]
    for what, args, exit_code, said in cases:
        code, out, err = scope.run(*args)
        shown, quiet = (out, err) if exit_code == 0 else (err, out)
        expect(f"{what}: exit {exit_code}, {said!r} said, nothing else",
               code == exit_code and said in shown and quiet == "" and
               (exit_code == 0 or args[:1] != ["check"] or "usage: kvcad check" in err),
               (code, out, err))


def files_named_once(scope, expect):
    standards = scope.drawing("std.dws", [("Walls", 1)])
    read_only = scope.drawing("read-only.dxf", [("Walls", 2)], [standards])
    os.chmod(read_only, stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
    folder = str(Path(scope.path("folder.dxf/x")).parent)
    missing, garbage = scope.path("missing.dxf"), scope.garbage("garbage.dws")
    for what, args, file in [
            ("info of a folder", ["info", folder], folder),
            ("convert of a missing file", ["convert", missing, scope.path("out.dxf")], missing),
            ("a read-only drawing fixed", ["fix", read_only], read_only),
            ("a relative standards file that is no drawing",
             ["standards", "add", read_only, "garbage.dws"], "garbage.dws"),
            ("a read-only drawing's association edited",
             ["standards", "remove", read_only, standards], read_only),
            ("a standards file that is no drawing", ["check", read_only, "--standards", garbage],
             garbage),
            ("a map that is a folder", ["fix", read_only, "--map", folder], folder)]:
        code, out, err = scope.run(*args)
        expect(f"{what}: exit 2, the file named once a line",
               code == 2 and file in err and
               all(line.count(file) <= 1 for line in (out + err).splitlines()), (code, err))

    # A standards file shared by many drawings: said once, each drawing in error.
    broken, nowhere = scope.garbage("broken.dws"), scope.path("nowhere.dws")
    for what, associated, options, failing in [
            ("an associated file that is no DXF", [broken], [], broken),
            ("a missing file given after a good one", [],
             ["--standards", standards, "--standards", nowhere], nowhere)]:
        drawings = [scope.drawing(name, [("Temp", 2)], associated)
                    for name in ("a.dxf", "b.dxf", "c.dxf")]
        code, report, err = scope.report(*drawings, *options)
        expect(f"{what}: one line on stderr, every drawing in error, exit 2",
               code == 2 and len(err.splitlines()) == 1 and err.startswith(failing) and
               len(report) == 3 and all(failing in d.get("error", "") and not d["violations"]
                                        for d in report), (code, err))


def standards_used(scope, expect):
    associated = scope.drawing("std/associated.dws", [("Walls", 2)])
    red = scope.drawing("std/red.dws", [("Walls", 1)])
    yellow = scope.drawing("std/yellow.dws", [("Walls", 2)])
    drawing = scope.drawing("drawing.dxf", [("Walls", 2)], [associated])
    # (what, --standards, standards used, exit code, file of the recommended fix of Walls)
    for what, given, used, exit_code, fix_file in [
            ("the association", [], [associated], 0, None),
            ("one file instead", [red], [red], 1, red),
            ("the first file's layer is the standard", [red, yellow], [red, yellow], 1, red),
            ("in the order given", [yellow, red], [yellow, red], 0, None)]:
        options = [arg for file in given for arg in ("--standards", file)]
        code, report, err = scope.report(drawing, *options)
        walls = violation(report[0], "Walls") if report else {}
        expect(f"--standards, {what}", code == exit_code and report[0]["standards"] == used and
               (walls.get("fix") or {}).get("standardsFile") == fix_file, (code, report, err))

    beside = scope.drawing("project/office.dws")
    elsewhere = scope.drawing("elsewhere/office.dws")
    moved = "C:\\standards\\office.dws"
    # (what, paths stored, resolved, files found nowhere)
    for what, stored, resolved, lost in [
            ("a bare file name, found beside the drawing", ["office.dws"], [beside], None),
            ("a moved file, found beside the drawing by its name", [moved], [beside], None),
            ("two moved files found in one place: the file once", [moved, "D:\\old\\office.dws"],
             [beside], None),
            ("a file stored as it is and as it was before it moved: once", [beside, moved],
             [beside], None),
            ("a file that exists as stored", [elsewhere], [elsewhere], None),
            ("a file found nowhere", ["/srv/none/absent.dws"], [], "/srv/none/absent.dws"),
            ("every file found nowhere named", [elsewhere, "/srv/a.dws", "/srv/b.dws"], [],
             "/srv/a.dws, /srv/b.dws")]:
        drawing = scope.drawing("project/drawing.dxf", standards=stored)
        code, report, err = scope.report(drawing)
        found = bool(report) and (report[0]["standards"] == resolved if lost is None else
                                  lost in report[0].get("error", "") and
                                  err.startswith(drawing) and lost in err)
        expect(f"association: {what}", found and code == (2 if lost else 0), (code, report, err))

    # An association another program broke: every command says so, naming the drawing.
    good = scope.drawing("good.dxf", [("Temp", 2)], [red])
    broken = scope.drawing("broken.dxf", [("Temp", 2)], broken_association=True)
    report = scope.path("out/report.json")
    for what, args in [
            ("check, with a drawing after it", ["check", broken, good, "--output", report]),
            ("fix", ["fix", broken, good, "--output", report]), ("info", ["info", broken]),
            ("standards list", ["standards", "list", broken]),
            ("standards add", ["standards", "add", broken, red]),
            ("run", ["run", broken, "INTERSTATEVERIFY"])]:
        code, out, err = scope.run(*args)
        whole = (args[-1] != report or os.listdir(Path(report).parent) == ["report.json"] and
                 '"Temp"' in Path(report).read_text())
        expect(f"broken association, {what}: exit 2 naming the drawing and the entry, the other "
               "drawing done", code == 2 and err.startswith(broken + ": ") and
               '"AcStStandard"' in err and whole, (code, err))
    expect("the other program's object is kept",
           "XRECORD" in scope.run("info", broken, "--json")[1])


def ignored_marks(scope, expect):
    standards = scope.drawing("std.dws", [("Walls", 1)])
    # Every violation ignored: the drawing is OK, exit 0, the ignored ones counted.
    drawing = scope.drawing("drawing.dxf", [("Temp", 2), ("Walls", 3)], [standards])
    for layer in ("Temp", "Walls"):
        scope.run("ignore", drawing, "layer", layer, "--user", "alice")
    code, out, err = scope.run("check", drawing)
    lines = out.splitlines()
    expect("all ignored: OK, exit 0, counted apart", code == 0 and
           f"{drawing}: OK (2 ignored)" in lines and "2 ignored" in lines[-1] and
           f"standards files: {standards}" in lines and "plug-ins: Dimension Styles 1.0, "
           "Layers 1.0, Line Styles 1.0, Text Styles 1.0" in lines, out)

    # A mark another program broke does not hide the violation; the message names the record.
    drawing = scope.drawing("broken-mark.dxf", [("Temp", 2)], [standards])
    doc = ezdxf.readfile(drawing)
    doc.layers.get("Temp").new_extension_dict().dictionary.add_xrecord("AcStStandard")
    doc.saveas(drawing)
    code, report, err = scope.report(drawing)
    temp = violation(report[0], "Temp") if report else {}
    expect("a broken mark: the violation counts, one line naming the record",
           code == 1 and temp and not temp["ignored"] and len(err.splitlines()) == 1 and
           'Layer "Temp"' in err, (code, err))


def reports_and_plugins(scope, expect):
    standards = scope.drawing("std.dws", [("Walls", 1)])
    associated = scope.drawing("associated.dws", [("Walls", 1)])
    drawing = scope.drawing("drawing.dxf", [("Temp", 2)], [associated])
    for what, options, target in [
            ("a folder that does not exist", [], scope.path("absent") + "/report.json"),
            ("the drawing", [], drawing),
            ("a standards file given", ["--standards", standards], standards),
            ("the drawing's associated standards file", [], associated)]:
        before = Path(target).read_bytes() if os.path.exists(target) else None
        code, _, err = scope.run("check", drawing, "--output", target, *options)
        after = Path(target).read_bytes() if os.path.exists(target) else None
        expect(f"a report onto {what}: exit 2 naming it, nothing written",
               code == 2 and target in err and after == before and
               not list(scope.root.glob("*.tmp-*")), (code, err))

    drawing = scope.drawing("layers.dxf", [("Temp", 2)], [standards])
    # (what, arguments of kvcad standards plugins, its exit code, exit code of the check)
    for what, args, plugins_exit, check_exit in [
            ("layers disabled by name", ["--disable", "layers"], 0, 0),
            ("an unknown plug-in changes nothing", ["--enable", "Layers", "--disable", "Hatches"],
             2, 0),
            ("every plug-in disabled: nothing is checked",
             [arg for name in ("Layers", "Line Styles", "Text Styles", "Dimension Styles")
              for arg in ("--disable", name)], 0, 2),
            ("layers enabled by class id", ["--enable", "e81a7eb1-a22c-4bd4-96f8-725d0798de29"],
             0, 1)]:
        code = scope.run("standards", "plugins", *args)[0]
        check = scope.run("check", drawing)[0]
        expect(f"{what}: exits {plugins_exit} and {check_exit}",
               (code, check) == (plugins_exit, check_exit), (code, check))
    scope.run("standards", "plugins", "--disable", "Layers")
    # (what, --plugins, exit code, said on stdout, or on stderr with exit 2)
    for what, plugins, exit_code, said in [
            ("a disabled plug-in by name, in any case", "layers", 1, "plug-ins: Layers 1.0\n"),
            ("by class id, with another", "Text Styles,E81A7EB1-a22c-4bd4-96f8-725d0798de29", 1,
             "plug-ins: Layers 1.0, Text Styles 1.0\n"),
            ("others only", "Text Styles", 0, "plug-ins: Text Styles 1.0\n"),
            ("an unknown one", "Layers,Hatches", 2, 'no standards plug-in "Hatches"')]:
        for command in ("check", "fix"):
            code, out, err = scope.run(command, drawing, "--plugins", plugins)
            expect(f"{command} --plugins, {what}: exit {exit_code}", code == exit_code and
                   (command == "fix" and exit_code != 2 or said in (err if code == 2 else out)),
                   (code, out, err))
    listed = scope.run("standards", "plugins")[1].splitlines()
    expect("--plugins leaves the user's flags as they were",
           any(line.split()[:2] == ["off", "Layers"] for line in listed), listed)


def require_standards(scope, expect):
    standards = scope.drawing("std.dws", [("Walls", 1)])
    associated = scope.drawing("associated.dxf", [("Walls", 1)], [standards])
    alone = scope.drawing("alone.dxf", [("Walls", 1)])
    shard = scope.path("shard.json")
    for what, args, exit_code, said in [
            ("associated", ["check", associated, "--require-standards"], 0, ": OK"),
            ("not required", ["check", alone], 0, "note: no standards files"),
            ("text", ["check", alone, "--require-standards"], 1, "violation: no standards file"),
            ("junit", ["check", alone, "--require-standards", "--format", "junit"], 1,
             '<failure message="no standards file'),
            ("html", ["check", alone, "--require-standards", "--format", "html"], 1,
             'class="failed">no standards file'),
            ("json, merged into text", ["check", alone, "--require-standards", "--format", "json",
                                        "--output", shard], 1, ""),
            ("the merge", ["report", "merge", shard], 1, "violation: no standards file"),
            ("fix", ["fix", alone, "--require-standards"], 1, "violation: no standards file")]:
        code, out, err = scope.run(*args)
        expect(f"--require-standards, {what}: exit {exit_code}", code == exit_code and said in out,
               (code, out, err))


def run_command(scope, expect):
    standards = scope.drawing("std.dws", [("Walls", 1)])
    drawing = scope.drawing("drawing.dxf", [("Walls", 1)], [standards])
    for what, args, exit_code, said in [
            ("a module command", [drawing, "INTERSTATEVERIFY"], 0, None),
            ("an unknown command", [drawing, "NOSUCH"], 1, '"NOSUCH" is not a command'),
            ("the host's configuration, with a page it does not have",
             [drawing, "_DWGSTANDARDS 7"], 1, '"_DWGSTANDARDS 7" ended with an error'),
            ("several, one failing", [drawing, "INTERSTATEVERIFY", "NOSUCH"], 1, "NOSUCH"),
            ("no command", [drawing], 2, "usage: kvcad run"),
            ("an unreadable drawing", [scope.path("missing.dxf"), "INTERSTATEVERIFY"], 2,
             "missing.dxf")]:
        code, _, err = scope.run("run", *args)
        expect(f"run, {what}: exit {exit_code}",
               code == exit_code and (err == "" if said is None else said in err), (code, err))
    headless = {k: v for k, v in scope.env.items()
                if k not in ("QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY")}
    code, _, err = scope.run("run", drawing, "INTERSTATEVERIFY", env=headless)
    expect("run without a display refuses rather than wait on a dialog nobody sees",
           code == 2 and "no display" in err and "kvcad check and kvcad fix" in err, err)
    os.utime(drawing, (0, 0))
    code = scope.run("run", drawing, "INTERSTATEVERIFY")[0]
    expect("run does not write the drawing unasked", code == 0 and os.stat(drawing).st_mtime == 0)
    scope.run("run", drawing, "INTERSTATEVERIFY", "--save")
    code, report, err = scope.report(drawing)
    expect("run --save writes it back, still associated with its standards",
           os.stat(drawing).st_mtime > 0 and code == 0 and report[0]["standards"] == [standards],
           (code, err))


def stored_with_ezdxf(path):
    doc = ezdxf.readfile(path)
    errors = len(doc.audit().errors)
    if "AcStStandard" not in doc.rootdict:
        return [], errors
    entries = sorted(doc.rootdict["AcStStandard"].items())
    return [xrecord.tags[0].value for _, xrecord in entries if xrecord.tags[0].code == 1], errors


def association_edits(scope, expect, example):
    """kvcad standards add/up/down/remove/list round-trip the association of a drawing with real
    content through saved files that ezdxf reads: files stored by their absolute paths and found
    however the same path is spelt; what cannot be a standards file refused; the preferred
    standards file kept as the association keeps it."""
    drawing, a, b = scope.path("associated.dxf"), scope.path("std/a.dws"), scope.path("std/b.dws")
    for path in (drawing, a, b):
        shutil.copyfile(example, path)
    (scope.root / "README.md").write_text("# not a drawing\n")
    original = Path(drawing).read_bytes()
    refused = [("a file that does not exist", str(scope.root / "std" / "missing.dws")),
               ("a folder", str(scope.root / "std")),
               ("a file that is no drawing", str(scope.root / "README.md")),
               ("the drawing itself", drawing)]
    for what, file in refused:
        code, _, err = scope.run("standards", "add", drawing, file)
        expect(f"add refuses {what}: exit 2 naming it", code == 2 and file in err and
               len(err.strip().splitlines()) == 1, err)
    expect("a refused file leaves the drawing as it was", Path(drawing).read_bytes() == original)

    # Relative to the current folder: stored absolute, so that it works from any folder.
    expect("add a file by a relative path",
           scope.run("standards", "add", drawing, "std/a.dws")[0] == 0)
    expect("add a second file with backslashes",
           scope.run("standards", "add", drawing, b.replace("/", "\\"))[0] == 0)
    code, _, err = scope.run("standards", "add", drawing, str(scope.root / "std" / "." / "b.dws"))
    expect("adding the same file spelt otherwise changes nothing and says so",
           code == 1 and "already" in err, err)
    paths, errors = stored_with_ezdxf(drawing)
    expect("ezdxf reads the association: absolute paths, in order", paths == [a, b], paths)
    expect("ezdxf finds no audit error", errors == 0)

    spellings = [("up", "std/b.dws", [b, a]), ("down", b.replace("/", "\\"), [a, b]),
                 ("up", os.path.join("..", scope.root.name, "std", "b.dws"), [b, a])]
    for action, spelling, order in spellings:
        code, _, err = scope.run("standards", action, drawing, spelling)
        paths, _ = stored_with_ezdxf(drawing)
        expect(f"{action} finds {spelling}", code == 0 and paths == order, (err, paths))

    code, out, err = scope.run("standards", "list", drawing, "--json")
    listed = json.loads(out) if code == 0 else {}
    expect("list --json gives the stored and the resolved paths",
           listed.get("stored") == [b, a] and listed.get("resolved") == [b, a], (listed, err))
    expect("list says nothing on stderr", err == "")

    code, out, err = scope.run("standards", "settings", "--preferred", "std/a.dws")
    expect("the preferred file is kept by its absolute path", f"preferred: {a}" in out, out + err)
    code, out, err = scope.run("standards", "list", drawing, "--json")
    expect("the preferred file comes first",
           code == 0 and json.loads(out).get("resolved") == [a, b], out + err)

    expect("remove by a relative path",
           scope.run("standards", "remove", drawing, "std/a.dws")[0] == 0)
    paths, _ = stored_with_ezdxf(drawing)
    expect("ezdxf reads the association after removing", paths == [b], paths)
    code, _, err = scope.run("standards", "remove", drawing, a)
    expect("removing a file not associated changes nothing and says so",
           code == 1 and "not associated" in err, err)
    code, _, err = scope.run("standards", "add", str(scope.root / "missing.dxf"), a)
    expect("an unreadable drawing gives exit 2 and one line", code == 2 and
           len(err.strip().splitlines()) == 1, err)

    # Many drawings in one call: a folder, a pattern, a list; the others done whatever one does.
    for name in ["one.dxf", "sub/two.dxf"]:
        (scope.root / "many" / name).parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(example, scope.root / "many" / name)
    (scope.root / "many.txt").write_text("many/one.dxf\n")
    many = [str(scope.root / "many" / name) for name in ["one.dxf", "sub/two.dxf"]]
    calls = [(["add", "many", "missing.dxf", a], 2, True), (["add", "many/**/*.dxf", a], 1, True),
             (["remove", "@many.txt", "many/sub/two.dxf", a], 0, False)]
    for args, exit_code, associated in calls:
        code, _, err = scope.run("standards", *args)
        found = [stored_with_ezdxf(path)[0] for path in many]
        expect(f"{' '.join(args[:2])}: exit {exit_code}, every drawing done", code == exit_code and
               all((a in paths) == associated for paths in found), (err, found))


def main(argv):
    kvcad, workdir, example = os.path.abspath(argv[1]), Path(argv[2]), argv[3]
    checklist = Checklist()
    for part in (arguments, files_named_once, standards_used, ignored_marks, reports_and_plugins,
                 require_standards, run_command):
        part(Scope(kvcad, workdir / part.__name__), checklist.expect)
    association_edits(Scope(kvcad, workdir / "association_edits"), checklist.expect, example)
    return checklist.exit_code()


if __name__ == "__main__":
    sys.exit(main(sys.argv))
