#!/usr/bin/python3
"""Every fix path of the real-content fixture, checked with ezdxf: each fixed drawing passes
ezdxf's audit, every reference by name and by handle resolves in ezdxf's view of it and every
pointer in the file as written, every XDATA application is registered, and no entity of the
drawing is lost.

Usage: test_fix_interop.py KV_FIX_INTEROP FIXTURE_DIR RESOURCES_DIR WORKDIR
"""

import subprocess
import sys
from pathlib import Path
from typing import List

import ezdxf

sys.path.insert(0, str(Path(__file__).resolve().parent))
import dxfcompare  # noqa: E402

POINTER_CODES = set(range(320, 370)) | set(range(390, 400)) | {1005}


def audit(doc) -> List[str]:
    auditor = doc.audit()
    return [f"audit: {e.message}" for e in auditor.errors + auditor.fixes]


def names(table) -> set:
    return {entry.dxf.name.lower() for entry in table}


def references(doc) -> List[str]:
    """References by name and by handle that do not resolve."""
    problems = []
    layers, linetypes = names(doc.layers), names(doc.linetypes)
    styles, dimstyles = names(doc.styles), names(doc.dimstyles)
    blocks = {block.name.lower() for block in doc.blocks}
    apps = names(doc.appids)

    def need(where, kind, known, name):
        if name and name.lower() not in known:
            problems.append(f"{where} names {kind} {name!r}, which is missing")

    for var, kind, known in [("$CLAYER", "layer", layers), ("$CELTYPE", "linetype", linetypes),
                             ("$TEXTSTYLE", "style", styles), ("$DIMSTYLE", "dimstyle", dimstyles),
                             ("$DIMTXSTY", "style", styles), ("$DIMLTYPE", "linetype", linetypes),
                             ("$DIMLTEX1", "linetype", linetypes),
                             ("$DIMLTEX2", "linetype", linetypes), ("$DIMBLK", "block", blocks),
                             ("$DIMBLK1", "block", blocks), ("$DIMBLK2", "block", blocks),
                             ("$DIMLDRBLK", "block", blocks)]:
        if var in doc.header:
            need(var, kind, known, doc.header[var])
    for entity in doc.entitydb.values():
        where = f"{entity.dxftype()} {entity.dxf.handle}"
        if entity.dxf.hasattr("layer"):
            need(where, "layer", layers, entity.dxf.layer)
        if entity.dxf.hasattr("linetype"):
            need(where, "linetype", linetypes, entity.dxf.linetype)
        kind = entity.dxftype()
        if kind in ("TEXT", "MTEXT", "ATTRIB", "ATTDEF"):
            need(where, "style", styles, entity.dxf.get("style"))
        if kind in ("DIMENSION", "LEADER"):
            need(where, "dimstyle", dimstyles, entity.dxf.get("dimstyle"))
        if kind in ("INSERT", "DIMENSION"):
            need(where, "block", blocks, entity.dxf.get("name" if kind == "INSERT" else "geometry"))
        if kind == "MLINESTYLE":
            for element in entity.elements:
                need(where, "linetype", linetypes, element.linetype)
        for app, tags in entity.xdata.data.items() if entity.xdata else []:
            need(where, "appid", apps, app)
            for tag in tags:
                if tag.code == 1003:
                    need(where, "layer", layers, tag.value)
                elif tag.code == 1005 and tag.value not in doc.entitydb and tag.value != "0":
                    problems.append(f"{where}: XDATA points at {tag.value}, which is missing")
        owner = entity.dxf.get("owner", "0")
        if owner != "0" and owner not in doc.entitydb:
            problems.append(f"{where}: owner {owner} is missing")
        if entity.has_extension_dict:
            xdict = entity.get_extension_dict().dictionary
            if xdict.dxf.owner != entity.dxf.handle:
                problems.append(f"{where}: its extension dictionary belongs to {xdict.dxf.owner}")
    for ltype in doc.linetypes:
        for tag in ltype.pattern_tags.tags if ltype.pattern_tags else []:
            if tag.code == 340 and doc.entitydb.get(tag.value) is None:
                problems.append(f"LTYPE {ltype.dxf.name}: element style {tag.value} is missing")
    for dimstyle in doc.dimstyles:
        for attrib in ("dimtxsty_handle", "dimblk_handle", "dimltype_handle", "dimltex1_handle"):
            handle = dimstyle.dxf.get(attrib)
            if handle not in (None, "0") and doc.entitydb.get(handle) is None:
                problems.append(f"DIMSTYLE {dimstyle.dxf.name}: {attrib} {handle} is missing")
    return problems


def dangling(path: Path) -> List[str]:
    """Pointers of the file as written to objects it does not hold."""
    handles = dxfcompare.scan_raw(str(path)).handles | {"0"}
    return [f"group {code} points at {value}, which is missing"
            for code, value in dxfcompare.raw_tags(str(path))
            if code in POINTER_CODES and str(value).strip().upper() not in handles]


def entity_handles(doc) -> set:
    return {e.dxf.handle for e in doc.entitydb.values() if e.dxf.hasattr("layer")}


def file_entities(path: Path) -> set:
    """The entities the file holds (ezdxf adds some of its own when it reads a file)."""
    return entity_handles(ezdxf.readfile(str(path))) & dxfcompare.scan_raw(str(path)).handles


def main(argv) -> int:
    if len(argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    program, fixtures, resources, workdir = argv[1], Path(argv[2]), argv[3], Path(argv[4])
    workdir.mkdir(parents=True, exist_ok=True)
    run = subprocess.run([program, str(fixtures), resources, str(workdir)],
                         capture_output=True, text=True, timeout=300)
    if run.returncode != 0:
        print(f"FAIL {program} exited {run.returncode}: {run.stderr}")
        return 1
    original = file_entities(fixtures / "real-content.dxf")
    failed = 0
    for line in run.stdout.splitlines():
        number, what = line.split("\t")
        fixed = workdir / f"fixed-{number}.dxf"
        doc = ezdxf.readfile(str(fixed))
        lost = sorted(original - entity_handles(doc))
        problems = (audit(doc) + references(doc) + dangling(fixed) +
                    ([f"entities lost: {lost}"] if lost else []))
        for problem in problems:
            print(f"FAIL {what}: {problem}")
        print(f"{'FAIL' if problems else 'ok  '} {what}")
        failed += bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
