#!/usr/bin/python3
"""Writes office-standards.dws, the standards drawing of office.dxf, from office.dxf's own
records, changed so that checking office.dxf against it finds one name and one properties
violation of each kind of record and leaves the other records conforming:

  layers          "furniture" is not a standard; "A-DOOR" should be red (1), not green (3)
  line styles     "DIVIDE2" is not a standard; "CENTER" has a longer pattern in the standards
  text styles     "Titles" is not a standard; "Notes" is narrower (width 0.8) in the standards
  dim. styles     "EZ_CURVED" is not a standard; "EZ_RADIUS" has larger arrows (DIMASZ 0.35)

A standards drawing holds records, not geometry, so the entities are left out.

Usage: make_office_standards.py [OFFICE_DXF [STANDARDS_DWS]]
Then associate it, by file name so that it is found beside the drawing wherever the examples
are: kvcad standards add examples/office.dxf office-standards.dws
"""

import sys
from pathlib import Path

import ezdxf

HERE = Path(__file__).resolve().parent


def main(argv):
    office = Path(argv[1]) if len(argv) > 1 else HERE / "office.dxf"
    target = Path(argv[2]) if len(argv) > 2 else HERE / "office-standards.dws"
    doc = ezdxf.readfile(office)
    for layout in doc.layouts:
        layout.delete_all_entities()
    # A standards drawing is associated with nothing itself.
    if "AcStStandard" in doc.rootdict:
        del doc.rootdict["AcStStandard"]

    doc.layers.remove("furniture")
    doc.layers.get("A-DOOR").dxf.color = 1
    doc.layers.add("A-GRID", color=8, linetype="CENTER")

    doc.linetypes.remove("DIVIDE2")
    doc.linetypes.get("CENTER").setup_pattern([6.35, 4.445, -0.635, 0.635, -0.635])

    doc.styles.remove("Titles")
    doc.styles.get("Notes").dxf.width = 0.8

    doc.dimstyles.remove("EZ_CURVED")
    doc.dimstyles.get("EZ_RADIUS").dxf.dimasz = 0.35

    doc.saveas(target)
    print(f"wrote {target}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
