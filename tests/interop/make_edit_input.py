#!/usr/bin/python3
"""Builds the drawings the SDK edit test starts from.

Usage: make_edit_input.py OUT

Writes OUT, a drawing with the layers, linetypes, styles, blocks and
objects sdk_interop_edit works on, and OUT-source.dxf (OUT with its ".dxf"
replaced), a second drawing holding the BORDER linetype to clone from.
"""

import sys
from pathlib import Path

import ezdxf
from ezdxf.lldxf.types import DXFTag

VERSION = "R2018"


def source_path(out: Path) -> Path:
    return out.with_name(out.stem + "-source.dxf")


def add_tables(doc) -> None:
    doc.linetypes.new(
        "DASHED",
        dxfattribs={"description": "Dashed __ __ __", "pattern": [0.75, 0.5, -0.25]},
    )
    doc.linetypes.new(
        "HIDDEN",
        dxfattribs={"description": "Hidden _ _ _", "pattern": [0.375, 0.25, -0.125]},
    )
    doc.layers.add("Walls", color=1, linetype="DASHED", lineweight=50)
    doors = doc.layers.add("Doors", linetype="Continuous")
    doors.rgb = (255, 128, 0)
    doc.layers.add("Old", color=3)

    doc.styles.new("Notes", dxfattribs={"font": "arial.ttf"})
    doc.styles.new("Titles", dxfattribs={"font": "romans.shx"})

    doc.dimstyles.new("ISO-25")
    arch = doc.dimstyles.new("Arch")
    arch.dxf.dimtxt = 0.125
    arch.dxf.dimtxsty = "Notes"


def add_geometry(layout, layer: str, x: float) -> None:
    attribs = {"layer": layer}
    layout.add_line((x, 0), (x + 10, 0), dxfattribs=attribs)
    layout.add_circle((x + 5, 5), 2, dxfattribs=attribs)
    layout.add_arc((x + 5, 10), 3, 0, 90, dxfattribs=attribs)
    layout.add_lwpolyline([(x, 15), (x + 4, 15), (x + 4, 19)], dxfattribs=attribs)


def add_door_block(doc) -> None:
    door = doc.blocks.new("Door")
    door.add_line((0, 0), (0, 1), dxfattribs={"layer": "Walls"})
    door.add_arc((0, 0), 1, 0, 90, dxfattribs={"layer": "Old"})
    door.add_attdef(
        "TAG", (0.2, 0.2), text="D-1", dxfattribs={"style": "Notes", "height": 0.25}
    )
    msp = doc.modelspace()
    insert = msp.add_blockref("Door", (40, 0), dxfattribs={"layer": "Doors"})
    insert.add_attrib("TAG", "D-7", (40.2, 0.2), dxfattribs={"style": "Notes", "layer": "Doors"})


def add_annotations(doc) -> None:
    msp = doc.modelspace()
    msp.add_text("Ground floor", dxfattribs={"style": "Notes", "layer": "Walls"}).set_placement(
        (0, 25)
    )
    msp.add_mtext("Walls are\\Pload bearing", dxfattribs={"style": "Notes", "layer": "Old"})
    msp.add_text("PLAN", dxfattribs={"style": "Titles", "insert": (0, 30)})
    dim = msp.add_linear_dim(base=(0, -3), p1=(0, 0), p2=(10, 0), dimstyle="Arch")
    dim.render()
    msp.add_leader([(20, 20), (25, 25), (30, 25)], dimstyle="Arch")


def add_objects(doc) -> None:
    doc.appids.new("KVTEST")
    msp = doc.modelspace()
    tagged = msp.add_line((0, 40), (10, 40), dxfattribs={"layer": "Walls"})
    tagged.set_xdata("KVTEST", [(1000, "tagged wall"), (1070, 7), (1040, 1.5)])

    walls = doc.layers.get("Walls")
    xdict = walls.new_extension_dict()
    record = xdict.add_xrecord("KV_LAYER_INFO")
    record.extend([DXFTag(1, "load bearing"), DXFTag(90, 3)])

    data = doc.rootdict.add_new_dict("KV_DATA")
    entry = data.add_xrecord("SETTINGS")
    entry.extend([DXFTag(1, "metric"), DXFTag(40, 0.5)])


def build_input(path: Path) -> None:
    doc = ezdxf.new(VERSION, setup=False)
    add_tables(doc)
    msp = doc.modelspace()
    add_geometry(msp, "Walls", 0)
    add_geometry(msp, "Old", 20)
    add_door_block(doc)
    add_annotations(doc)
    add_objects(doc)
    doc.header["$CLAYER"] = "Old"
    doc.saveas(path)


def build_source(path: Path) -> None:
    doc = ezdxf.new(VERSION, setup=False)
    doc.linetypes.new(
        "BORDER",
        dxfattribs={
            "description": "Border __ __ . __ __ .",
            "pattern": [1.75, 0.5, -0.25, 0.5, -0.25, 0.0, -0.25],
        },
    )
    doc.modelspace().add_line((0, 0), (1, 0), dxfattribs={"linetype": "BORDER"})
    doc.saveas(path)


def main(argv) -> int:
    if len(argv) != 2:
        print("usage: make_edit_input.py OUT", file=sys.stderr)
        return 2
    out = Path(argv[1])
    build_input(out)
    build_source(source_path(out))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
