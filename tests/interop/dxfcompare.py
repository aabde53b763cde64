#!/usr/bin/python3
"""Compares a DXF file with a converted copy of it, using ezdxf as the oracle.

Usage: dxfcompare.py ORIGINAL CONVERTED

Prints every difference and exits 1 if there is any, 0 otherwise. An
original that ezdxf cannot read at all is skipped ("skip: ..."), exit 0.

A converted file may be an upgrade: drawings older than AC1015 are written
as AC1015. Upgrades gain objects the old format has no place for (layouts,
dictionaries, block records), so for them the handles and table records of
the original only have to be present in the converted file.
"""

import io
import logging
import math
import re
import sys
from collections import Counter
from dataclasses import dataclass, field
from typing import Dict, List, Optional, Set, Tuple

import ezdxf
from ezdxf import recover
from ezdxf.filemanagement import dxf_file_info
from ezdxf.lldxf.encoding import decode_dxf_unicode, has_dxf_unicode
from ezdxf.lldxf.tagger import ascii_tags_loader, binary_tags_loader

REL_TOL = 1e-9
UPGRADE_VERSION = "AC1015"
BINARY_SENTINEL = b"AutoCAD Binary DXF\r\n\x1a\x00"
TABLES = ("LAYER", "LTYPE", "STYLE", "DIMSTYLE", "BLOCK_RECORD")
HEADER_VARS = ("$DWGCODEPAGE", "$CLAYER", "$CELTYPE", "$TEXTSTYLE", "$DIMSTYLE", "$MEASUREMENT",
               "$INSUNITS")
TEXT_TYPES = ("TEXT", "MTEXT", "ATTRIB", "ATTDEF")
# What every drawing has; a drawing that lacks it gets it on reading, as in CAD programs.
SUPPLIED_RECORDS = {"LAYER": {"0"}, "LTYPE": {"BYBLOCK", "BYLAYER", "CONTINUOUS"},
                    "STYLE": {"STANDARD"}, "DIMSTYLE": {"STANDARD"}, "APPID": {"ACAD"},
                    "BLOCK_RECORD": {"*MODEL_SPACE", "*PAPER_SPACE"}}
SUPPLIED_OBJECTS = ("TABLE", "DICTIONARY", "LAYOUT")


def same_value(a, b) -> bool:
    """Equality with a relative tolerance for floats, also inside vectors."""
    if isinstance(a, float) or isinstance(b, float):
        if isinstance(a, (int, float)) and isinstance(b, (int, float)):
            return math.isclose(a, b, rel_tol=REL_TOL, abs_tol=1e-12)
        return False
    if hasattr(a, "__iter__") and hasattr(b, "__iter__") and not isinstance(a, str):
        if isinstance(b, str):
            return False
        la, lb = list(a), list(b)
        return len(la) == len(lb) and all(same_value(x, y) for x, y in zip(la, lb))
    return a == b


def attrib(entity, name: str):
    """The value a reader sees: an attribute the file leaves out has its default."""
    value = entity.dxf.get(name)
    return entity.dxf.get_default(name) if value is None else value


def normalise_name(name: str) -> str:
    return decode_dxf_unicode(name) if has_dxf_unicode(name) else name


@dataclass
class RawScan:
    """What the file itself says, before ezdxf adds its defaults."""

    header: Dict[str, str] = field(default_factory=dict)
    handles: Set[str] = field(default_factory=set)
    # Handles that occur more than once: readers give the later objects new handles, each in
    # its own way, so nothing can be matched by handle in such a file.
    duplicates: Set[str] = field(default_factory=set)
    names: Dict[str, Counter] = field(default_factory=lambda: {t: Counter() for t in TABLES})
    error: Optional[str] = None


def raw_tags(path: str):
    with open(path, "rb") as fp:
        data = fp.read()
    if data.startswith(BINARY_SENTINEL):
        return binary_tags_loader(data)
    encoding = dxf_file_info(path).encoding
    text = data.decode(encoding, errors="surrogateescape")
    return ascii_tags_loader(io.StringIO(text, newline=None))


def scan_raw(path: str) -> RawScan:
    """Collects header values, entity handles and table record names by
    walking the tags of the file; stops with `error` set at a broken tag."""
    scan = RawScan()
    section = ""
    table = ""
    record_open = False  # a table record whose name is not seen yet
    pending_var = None
    expect_section_name = expect_table_name = False
    try:
        for code, value in raw_tags(path):
            value = value.strip() if isinstance(value, str) else str(value)
            if code == 0:
                upper = value.upper()
                record_open = False
                expect_section_name = upper == "SECTION"
                expect_table_name = upper == "TABLE"
                if upper == "ENDSEC":
                    section = table = ""
                elif upper == "ENDTAB":
                    table = ""
                elif section == "TABLES" and table and upper == table:
                    record_open = True
                continue
            if code == 2 and expect_section_name:
                section = value.upper()
                expect_section_name = False
                continue
            if code == 2 and expect_table_name:
                table = value.upper()
                expect_table_name = False
                continue
            if section == "HEADER":
                if code == 9:
                    pending_var = value
                elif pending_var is not None:
                    scan.header.setdefault(pending_var, value)
                    pending_var = None
                continue
            if code in (5, 105):
                if value.upper() in scan.handles:
                    scan.duplicates.add(value.upper())
                scan.handles.add(value.upper())
            elif code == 2 and record_open:
                if table in scan.names:
                    scan.names[table][normalise_name(value)] += 1
                record_open = False
    except Exception as exc:  # a broken file stops the scan; say where
        scan.error = f"{type(exc).__name__}: {exc}"
    return scan


@dataclass
class Loaded:
    doc: object
    how: str  # "readfile" or "recover"
    audit_errors: Optional[int]  # known for recovered files, counted later otherwise
    raw: RawScan


def load(path: str) -> Tuple[Optional[Loaded], str]:
    """Loads like a careful user would: plain read first, recovery second."""
    try:
        doc = ezdxf.readfile(path)
        return Loaded(doc, "readfile", None, scan_raw(path)), ""
    except Exception as first:
        reason = f"readfile: {type(first).__name__}: {first}"
    try:
        doc, auditor = recover.readfile(path)
        return Loaded(doc, "recover", len(auditor.errors), scan_raw(path)), reason
    except Exception as second:
        return None, f"{reason}; recover: {type(second).__name__}: {second}"


class Report(list):
    def diff(self, what: str, original, converted) -> None:
        self.append(f"{what}: original {original!r}, converted {converted!r}")

    note = list.append


def version_of(loaded: Loaded) -> str:
    return loaded.raw.header.get("$ACADVER", loaded.doc.dxfversion)


def compare_header(a: Loaded, b: Loaded, upgraded: bool, report: Report) -> None:
    va, vb = version_of(a), version_of(b)
    if va != vb and not upgraded:
        report.diff(f"$ACADVER (only older than {UPGRADE_VERSION} may change)", va, vb)
    for var in HEADER_VARS:
        if var not in a.raw.header:
            continue  # a writer may add what the original leaves out; ezdxf fills in its own
        original = a.doc.header.get(var)
        converted = b.doc.header.get(var)
        if not same_value(original, converted):
            report.diff(f"header {var}", original, converted)


def layer_of(entity) -> str:
    return entity.dxf.get("layer", "") if entity.dxf.is_supported("layer") else ""


def tally(entities) -> Counter:
    return Counter((e.dxftype(), layer_of(e)) for e in entities)


def containers(doc, upgraded: bool) -> Dict[str, Counter]:
    result = {"modelspace": tally(doc.modelspace())}
    paperspaces = [n for n in doc.layouts.names_in_taborder() if n.upper() != "MODEL"]
    for index, name in enumerate(paperspaces):
        key = f"paperspace #{index}" if upgraded else f"paperspace {name!r}"
        result[key] = tally(doc.layouts.get(name))
    for block in doc.blocks:
        if block.block_record.is_any_layout:
            continue
        result[f"block {normalise_name(block.name)!r}"] = tally(block)
    return result


def raw_has_block(loaded: Loaded, key: str) -> bool:
    """Whether the file itself defines the block of a containers() key."""
    names = loaded.raw.names.get("BLOCK_RECORD", Counter())
    return any(key == f"block {normalise_name(n)!r}" for n in names) or not names


def compare_counts(a: Loaded, b: Loaded, upgraded: bool, report: Report) -> None:
    ca, cb = containers(a.doc, upgraded), containers(b.doc, upgraded)
    for name in sorted(set(ca) | set(cb)):
        if upgraded and name.startswith("block ") and name not in cb and not raw_has_block(a, name):
            continue  # a block ezdxf made (arrow heads) while upgrading the original on load
        if name not in cb:
            report.note(f"{name}: missing in converted")
            continue
        if name not in ca:
            report.note(f"{name}: not in original")
            continue
        for key in sorted(set(ca[name]) | set(cb[name])):
            if ca[name][key] != cb[name][key]:
                report.diff(f"{name} count of {key}", ca[name][key], cb[name][key])


def file_handles(loaded: Loaded) -> Set[str]:
    """Handles the file really contains, without those ezdxf made on load."""
    return {h.upper() for h in loaded.doc.entitydb.keys()} & loaded.raw.handles


def has_handles(loaded: Loaded) -> bool:
    return bool(loaded.raw.handles) and not loaded.raw.duplicates


def is_supplied(entity) -> bool:
    """Whether an object is among what every drawing has (a table, a standard record, the layout
    blocks, the named-objects dictionary and its layouts)."""
    kind = entity.dxftype()
    if kind in SUPPLIED_OBJECTS:
        return True
    if kind in ("BLOCK", "ENDBLK"):
        return entity.dxf.owner in entity.doc.entitydb and is_supplied(
            entity.doc.entitydb[entity.dxf.owner]
        )
    name = str(entity.dxf.get("name", "") if entity.dxf.is_supported("name") else "").upper()
    return name in SUPPLIED_RECORDS.get(kind, ())


def compare_handles(a: Loaded, b: Loaded, upgraded: bool, report: Report) -> None:
    if not has_handles(a):
        return  # nothing to keep: old files without handles get new ones
    ha, hb = file_handles(a), file_handles(b)
    missing = sorted(ha - hb)
    extra = [] if upgraded else sorted(h for h in hb - ha if not is_supplied(b.doc.entitydb[h]))
    if missing:
        report.note(f"handles missing in converted ({len(missing)}): {' '.join(missing[:20])}")
    if extra:
        report.note(f"handles not in original ({len(extra)}): {' '.join(extra[:20])}")


def records(doc, table: str) -> Dict[str, object]:
    source = {"LAYER": doc.layers, "LTYPE": doc.linetypes, "STYLE": doc.styles,
              "DIMSTYLE": doc.dimstyles, "BLOCK_RECORD": doc.block_records}[table]
    return {normalise_name(r.dxf.name): r for r in source}


def layer_key(layer, get) -> dict:
    # Names compare ignoring case: R12 files spell the built-in line style CONTINUOUS, and ezdxf
    # names it Continuous in the newer files it reads.
    linetype = get(layer, "linetype")
    return {
        "color": get(layer, "color"),
        "linetype": None if linetype is None else str(linetype).upper(),
        "lineweight": get(layer, "lineweight"),
        "flags": get(layer, "flags"),
        "plot": get(layer, "plot"),
        "true_color": get(layer, "true_color"),
    }


def linetype_pattern(ltype) -> Tuple[Optional[float], List[float]]:
    tags = getattr(ltype, "pattern_tags", None)
    tags = getattr(tags, "tags", None) or []
    length = next((t.value for t in tags if t.code == 40), None)
    return length, [t.value for t in tags if t.code == 49]


def linetype_key(ltype, get) -> dict:
    length, elements = linetype_pattern(ltype)
    return {
        "description": get(ltype, "description"),
        "pattern length": length,
        "elements": len(elements),
    }


def style_key(style, get) -> dict:
    names = ("font", "bigfont", "height", "width", "oblique", "generation_flags")
    return {n: get(style, n) for n in names}


def dimstyle_key(dimstyle, get, upgraded: bool, names) -> dict:
    names = set(names) - {"handle", "owner"}
    if upgraded:  # old files name what new ones point at by handle
        names = {n for n in names if not n.endswith("_handle")}
    return {n: get(dimstyle, n) for n in names}


def record_key(table: str, record, get, upgraded: bool, names=()) -> Optional[dict]:
    """The values of a record through `get`: attrib (as a reader sees them) or what is written."""
    keys = {"LAYER": layer_key, "LTYPE": linetype_key, "STYLE": style_key}
    if table == "DIMSTYLE":
        return dimstyle_key(record, get, upgraded, names)
    return keys[table](record, get) if table in keys else None


def compare_tables(a: Loaded, b: Loaded, upgraded: bool, report: Report) -> None:
    """Every record of the original is in the converted file with the values it has: a value
    the original writes is written, one it leaves out reads the same (upgrades may derive it)."""
    for table in TABLES:
        na, nb = a.raw.names[table], b.raw.names[table]
        for name in sorted(set(na) | set(nb)):
            supplied = na[name] == 0 and name.upper() in SUPPLIED_RECORDS.get(table, ())
            if na[name] > nb[name] or (na[name] < nb[name] and not upgraded and not supplied):
                report.diff(f"{table} records named {name!r}", na[name], nb[name])
        ra, rb = records(a.doc, table), records(b.doc, table)
        for name in sorted(set(na) & set(nb)):
            if name not in ra or name not in rb:
                continue  # a record ezdxf refused to load on both sides
            attribs = set(ra[name].dxfattribs()) | set(rb[name].dxfattribs())
            by_name_only = upgraded or bool(a.raw.duplicates)
            keys = [record_key(table, r, get, by_name_only, attribs)
                    for r in (ra[name], rb[name]) for get in (attrib, lambda e, n: e.dxf.get(n))]
            if keys[0] is None:
                continue
            (ka, ka_written, kb, kb_written) = keys
            for prop in sorted(set(ka) | set(kb)):
                if ka_written.get(prop) is not None:
                    if not same_value(ka_written[prop], kb_written.get(prop)):
                        report.diff(f"{table} {name!r} {prop}", ka_written[prop],
                                    kb_written.get(prop))
                elif not upgraded and not same_value(ka.get(prop), kb.get(prop)):
                    report.diff(f"{table} {name!r} {prop}", ka.get(prop), kb.get(prop))


def text_of(entity) -> str:
    if entity.dxftype() == "MTEXT":
        return entity.text
    return entity.dxf.get("text", "")


def all_texts(doc):
    for entity in doc.entitydb.values():
        if entity.dxftype() in TEXT_TYPES and entity.is_alive:
            yield entity


def compare_texts(a: Loaded, b: Loaded, by_handle: bool, report: Report) -> None:
    if by_handle:
        ta = {e.dxf.handle.upper(): e for e in all_texts(a.doc)}
        tb = {e.dxf.handle.upper(): e for e in all_texts(b.doc)}
        kept = file_handles(a)
        for handle in sorted(h for h in ta if h in kept):
            ea, eb = ta[handle], tb.get(handle)
            if eb is None:
                report.note(f"{ea.dxftype()} #{handle}: missing in converted")
                continue
            for what, va, vb in (
                ("type", ea.dxftype(), eb.dxftype()),
                ("text", text_of(ea), text_of(eb)),
                ("style", attrib(ea, "style"), attrib(eb, "style")),
            ):
                if va != vb:
                    report.diff(f"{ea.dxftype()} #{handle} {what}", va, vb)
        return
    # Without handles in the original the texts are matched as a collection. Recovery replaces
    # styles the drawing does not define by Standard, so after recovery only texts compare.
    def key(e):
        return (e.dxftype(), text_of(e), None if a.how == "recover" else attrib(e, "style"))

    sa = Counter(key(e) for e in all_texts(a.doc))
    sb = Counter(key(e) for e in all_texts(b.doc))
    for key in sorted((sa - sb).keys()):
        report.note(f"text {key!r}: missing in converted")
    if a.raw.duplicates:
        return  # ezdxf keeps one object of a repeated handle; the converted file has them all
    for key in sorted((sb - sa).keys()):
        report.note(f"text {key!r}: not in original")


def audit_error_count(loaded: Loaded) -> int:
    if loaded.audit_errors is None:
        loaded.audit_errors = len(loaded.doc.audit().errors)
    return loaded.audit_errors


def compare(original_path: str, converted_path: str) -> Tuple[List[str], Optional[str]]:
    """Returns (differences, skip reason)."""
    report = Report()
    a, reason = load(original_path)
    if a is None:
        return [], f"original unreadable by ezdxf ({reason})"
    b, reason = load(converted_path)
    if b is None:
        return [f"converted unreadable by ezdxf: {reason}"], None
    if a.how == "readfile" and b.how != "readfile":
        report.note(f"converted needs recovery, original does not: {reason}")
    if a.raw.error is None and b.raw.error is not None:
        report.note(f"converted has broken tags: {b.raw.error}")

    # Older drawings may come back as the oldest version we write.
    old = re.fullmatch(r"AC(\d{4})", version_of(a).strip())
    upgraded = (version_of(a) != version_of(b) and version_of(b) == UPGRADE_VERSION and
                (old is None or int(old.group(1)) < int(UPGRADE_VERSION[2:])))
    compare_header(a, b, upgraded, report)
    compare_counts(a, b, upgraded, report)
    if a.raw.error is None:
        compare_handles(a, b, upgraded, report)
        compare_tables(a, b, upgraded, report)
    compare_texts(a, b, has_handles(a) and a.raw.error is None, report)

    # Auditing repairs the documents, so it comes last.
    errors_a, errors_b = audit_error_count(a), audit_error_count(b)
    if errors_b > errors_a:
        report.diff("ezdxf audit errors", errors_a, errors_b)
    return list(report), None


def main(argv: List[str]) -> int:
    if len(argv) != 3:
        print("usage: dxfcompare.py ORIGINAL CONVERTED", file=sys.stderr)
        return 2
    logging.getLogger("ezdxf").setLevel(logging.ERROR)  # recovery chatter
    differences, skip = compare(argv[1], argv[2])
    if skip:
        print(f"skip: {skip}")
        return 0
    for line in differences:
        print(line)
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
