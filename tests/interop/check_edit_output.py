#!/usr/bin/python3
"""Checks with ezdxf what sdk_interop_edit did to the make_edit_input.py drawing.

Usage: check_edit_output.py IN_ORIGINAL OUT_EDITED

The expected linetype BORDER is read from IN_ORIGINAL's companion
IN_ORIGINAL-source.dxf. Prints one "ok"/"FAIL" line per check and exits 1
if any check fails.
"""

import logging
import sys
from collections import Counter
from pathlib import Path
from typing import Callable, List, Optional

import ezdxf
from ezdxf.entities import DXFGraphic

sys.path.insert(0, str(Path(__file__).resolve().parent))
import dxfcompare  # noqa: E402
from make_edit_input import source_path  # noqa: E402

ADDED_RECORD = [(1, "hello"), (90, 42), (40, 2.5)]
TEXT_STYLE_FONT = ("Notes", "arial.ttf")


def pattern(ltype) -> List[float]:
    return dxfcompare.linetype_pattern(ltype)[1]


def tags_of(xrecord) -> list:
    return [(t.code, t.value) for t in xrecord.tags]


def on_layer(doc, layer: str) -> List[str]:
    """Handles of every live entity on `layer`, in layouts and blocks alike."""
    return sorted(
        e.dxf.handle
        for e in doc.entitydb.values()
        if e.is_alive
        and e.dxf.is_supported("layer")
        and e.dxf.get("layer", "").lower() == layer.lower()
    )


class Checker:
    def __init__(self, original_path: str, edited_path: str) -> None:
        self.a = ezdxf.readfile(original_path)
        self.b = ezdxf.readfile(edited_path)
        # Handles the input file really holds; ezdxf hands out others to objects it makes on load.
        self.file_handles = dxfcompare.scan_raw(original_path).handles
        self.source = ezdxf.readfile(str(source_path(Path(original_path))))
        self.raw_a = dxfcompare.scan_raw(original_path)
        self.raw_b = dxfcompare.scan_raw(edited_path)
        self.failed = 0

    def check(self, name: str, test: Callable[[], Optional[str]]) -> None:
        """`test` returns None when the check holds, else what is wrong."""
        try:
            problem = test()
        except Exception as exc:  # a missing object fails the check, not the run
            problem = f"{type(exc).__name__}: {exc}"
        if problem:
            self.failed += 1
            print(f"FAIL {name}: {problem}")
        else:
            print(f"ok   {name}")

    def layers_moved(self, old: str, new: str) -> Optional[str]:
        expected = on_layer(self.a, old)
        moved = [h for h in expected if self.b.entitydb.get(h) is None]
        wrong = [
            h for h in expected if h not in moved and self.b.entitydb[h].dxf.layer != new
        ]
        if not expected:
            return f"the input has nothing on {old}"
        if moved or wrong:
            return f"gone: {moved}, not on {new}: {wrong}"
        return None

    # a. Walls renamed to A-WALL
    def walls_renamed(self) -> Optional[str]:
        if self.b.layers.has_entry("Walls"):
            return "layer Walls still there"
        if not self.b.layers.has_entry("A-WALL"):
            return "no layer A-WALL"
        layer = self.b.layers.get("A-WALL")
        if layer.dxf.name != "A-WALL":
            return f"named {layer.dxf.name!r}"
        if layer.dxf.handle != self.a.layers.get("Walls").dxf.handle:
            return "A-WALL is a new record, not the renamed Walls"
        got = (layer.dxf.color, layer.dxf.linetype, layer.dxf.lineweight)
        return None if got == (1, "DASHED", 50) else f"colour, linetype, lineweight {got}"

    # b. Old merged into Doors
    def old_merged(self) -> Optional[str]:
        if self.b.layers.has_entry("Old"):
            return "layer Old still there"
        if self.b.entitydb.get(self.a.layers.get("Old").dxf.handle) is not None:
            return "the Old layer record is still in the drawing"
        return None

    def clayer(self) -> Optional[str]:
        value = self.b.header.get("$CLAYER")
        return None if value == "Doors" else f"$CLAYER is {value!r}"

    # c, d, e. linetypes
    def hidden_purged(self) -> Optional[str]:
        handle = self.a.linetypes.get("HIDDEN").dxf.handle
        if self.b.linetypes.has_entry("HIDDEN") or self.b.entitydb.get(handle):
            return "HIDDEN still there"
        return None

    def center_loaded(self) -> Optional[str]:
        ltype = self.b.linetypes.get("CENTER")
        if len(pattern(ltype)) < 4:
            return f"pattern {pattern(ltype)}"
        return None if ltype.dxf.description else "no description"

    def border_cloned(self) -> Optional[str]:
        expected = pattern(self.source.linetypes.get("BORDER"))
        got = pattern(self.b.linetypes.get("BORDER"))
        if not dxfcompare.same_value(expected, got):
            return f"pattern {got}, expected {expected}"
        return None

    # f. new XRECORD in the root dictionary
    def record_added(self) -> Optional[str]:
        record = self.b.rootdict.get("KV_ADDED")
        if record is None or record.dxftype() != "XRECORD":
            return f"root dictionary holds {record!r} under KV_ADDED"
        if record.dxf.owner != self.b.rootdict.dxf.handle:
            return f"owner {record.dxf.owner}"
        got = tags_of(record)
        return None if dxfcompare.same_value(got, ADDED_RECORD) else f"tags {got}"

    # g. styles in use keep their settings
    def notes_font(self) -> Optional[str]:
        name, font = TEXT_STYLE_FONT
        got = self.b.styles.get(name).dxf.font
        return None if got == font else f"font {got!r}"

    def dimstyles_kept(self) -> Optional[str]:
        wrong = []
        for e in self.a.modelspace().query("DIMENSION LEADER"):
            got = self.b.entitydb[e.dxf.handle].dxf.dimstyle
            if got != e.dxf.dimstyle:
                wrong.append(f"{e.dxftype()} #{e.dxf.handle}: {got!r}")
        return ", ".join(wrong) or None

    # h. everything else unchanged
    def expected_removed(self) -> set:
        return {
            self.a.layers.get("Old").dxf.handle,
            self.a.linetypes.get("HIDDEN").dxf.handle,
        }

    def expected_added(self) -> set:
        names = [n for n in ("CENTER", "BORDER") if self.b.linetypes.has_entry(n)]
        added = [self.b.linetypes.get(n) for n in names]
        added.append(self.b.rootdict.get("KV_ADDED"))
        return {e.dxf.handle for e in added if e is not None}

    def handles_kept(self) -> Optional[str]:
        # what ezdxf makes up on load is not in the files
        before = set(self.a.entitydb.keys()) & self.raw_a.handles
        after = set(self.b.entitydb.keys()) & self.raw_b.handles
        removed = before - after - self.expected_removed()
        added = after - before - self.expected_added()
        if removed or added:
            return f"lost {sorted(removed)}, unexpected {sorted(added)}"
        return None

    def entities_unchanged(self) -> Optional[str]:
        """Every entity keeps its attributes; only the layer may change."""
        changed = []
        for handle, ea in self.a.entitydb.items():
            eb = self.b.entitydb.get(handle)
            if eb is None or not isinstance(ea, DXFGraphic) or handle not in self.file_handles:
                continue
            da, db = ea.dxfattribs(drop={"layer"}), eb.dxfattribs(drop={"layer"})
            keys = [
                k for k in set(da) | set(db) if not dxfcompare.same_value(da.get(k), db.get(k))
            ]
            if keys:
                changed.append(f"{ea.dxftype()} #{handle} {sorted(keys)}")
        return ", ".join(changed) or None

    def xdata_kept(self) -> Optional[str]:
        tagged = [e for e in self.a.entitydb.values() if e.has_xdata("KVTEST")]
        if not tagged:
            return "the input has no KVTEST xdata"
        for ea in tagged:
            eb = self.b.entitydb[ea.dxf.handle]
            got, want = list(eb.get_xdata("KVTEST")), list(ea.get_xdata("KVTEST"))
            if not dxfcompare.same_value(got, want):
                return f"#{ea.dxf.handle} xdata {got}"
        return None

    def layer_xdict_kept(self) -> Optional[str]:
        before = self.a.layers.get("Walls").get_extension_dict()
        layer = self.b.layers.get("A-WALL")
        xdict = layer.get_extension_dict()
        if xdict.dictionary.dxf.handle != before.dictionary.dxf.handle:
            return "extension dictionary replaced"
        if xdict.dictionary.dxf.owner != layer.dxf.handle:
            return f"extension dictionary owned by {xdict.dictionary.dxf.owner}"
        return self.dictionary_same(before.dictionary, xdict.dictionary)

    def named_dict_kept(self) -> Optional[str]:
        before, after = self.a.rootdict["KV_DATA"], self.b.rootdict["KV_DATA"]
        if after.dxf.handle != before.dxf.handle:
            return "KV_DATA replaced"
        if after.dxf.owner != self.b.rootdict.dxf.handle:
            return f"KV_DATA owned by {after.dxf.owner}"
        return self.dictionary_same(before, after)

    @staticmethod
    def dictionary_same(before, after) -> Optional[str]:
        if sorted(before.keys()) != sorted(after.keys()):
            return f"keys {sorted(after.keys())}"
        for key, old in before.items():
            new = after[key]
            if new.dxf.handle != old.dxf.handle or new.dxf.owner != after.dxf.handle:
                return f"{key}: handle {new.dxf.handle}, owner {new.dxf.owner}"
            if not dxfcompare.same_value(tags_of(new), tags_of(old)):
                return f"{key}: tags {tags_of(new)}"
        return None

    # i. no new audit errors
    def audit_clean(self) -> Optional[str]:
        before = Counter(e.code for e in self.a.audit().errors)
        after = Counter(e.code for e in self.b.audit().errors)
        new = after - before
        return f"new audit errors by code: {dict(new)}" if new else None

    def run(self) -> int:
        c = self.check
        c("a. layer Walls renamed to A-WALL, settings kept", self.walls_renamed)
        c("a. entities of Walls are on A-WALL", lambda: self.layers_moved("Walls", "A-WALL"))
        c("b. entities of Old are on Doors", lambda: self.layers_moved("Old", "Doors"))
        c("b. layer Old purged", self.old_merged)
        c("b. $CLAYER is Doors", self.clayer)
        c("c. unused linetype HIDDEN purged", self.hidden_purged)
        c("d. linetype CENTER loaded from inch.lin", self.center_loaded)
        c("e. linetype BORDER cloned with its pattern", self.border_cloned)
        c("f. XRECORD KV_ADDED in the root dictionary", self.record_added)
        c("g. text style Notes keeps its font", self.notes_font)
        c("g. DIMENSION and LEADER keep dimension style", self.dimstyles_kept)
        c("h. no other object added or removed", self.handles_kept)
        c("h. entities unchanged but for their layer", self.entities_unchanged)
        c("h. XDATA of KVTEST kept", self.xdata_kept)
        c("h. extension dictionary of A-WALL kept", self.layer_xdict_kept)
        c("h. named dictionary KV_DATA kept", self.named_dict_kept)
        # auditing repairs the drawings, so it comes last
        c("i. no new ezdxf audit errors", self.audit_clean)
        return 1 if self.failed else 0


def main(argv) -> int:
    if len(argv) != 3:
        print("usage: check_edit_output.py IN_ORIGINAL OUT_EDITED", file=sys.stderr)
        return 2
    logging.getLogger("ezdxf").setLevel(logging.ERROR)
    try:
        checker = Checker(argv[1], argv[2])
    except Exception as exc:
        print(f"FAIL reading the drawings: {type(exc).__name__}: {exc}")
        return 1
    return checker.run()


if __name__ == "__main__":
    sys.exit(main(sys.argv))
