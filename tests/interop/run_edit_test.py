#!/usr/bin/python3
"""Drives the SDK edit test: build the input with ezdxf, let the edit
program work on it, check its output with ezdxf.

Usage: run_edit_test.py SDK_INTEROP_EDIT LIN_FILE WORKDIR
"""

import subprocess
import sys
from pathlib import Path

from make_edit_input import source_path

HERE = Path(__file__).resolve().parent
EDIT_TIMEOUT_S = 120


def main(argv) -> int:
    if len(argv) != 4:
        print("usage: run_edit_test.py SDK_INTEROP_EDIT LIN_FILE WORKDIR", file=sys.stderr)
        return 2
    edit_program, lin_file, workdir = argv[1], argv[2], Path(argv[3])
    workdir.mkdir(parents=True, exist_ok=True)
    original = workdir / "edit-input.dxf"
    edited = workdir / "edit-output.dxf"
    if edited.exists():
        edited.unlink()

    subprocess.run([sys.executable, str(HERE / "make_edit_input.py"), str(original)], check=True)
    try:
        proc = subprocess.run(
            [edit_program, str(original), str(edited), str(source_path(original)), lin_file],
            stdin=subprocess.DEVNULL,
            timeout=EDIT_TIMEOUT_S,
        )
    except subprocess.TimeoutExpired:
        print(f"FAIL {edit_program} gave no result after {EDIT_TIMEOUT_S} s")
        return 1
    if proc.returncode != 0:
        print(f"FAIL {edit_program} exited {proc.returncode}")
        return 1
    check = [sys.executable, str(HERE / "check_edit_output.py"), str(original), str(edited)]
    return subprocess.run(check).returncode


if __name__ == "__main__":
    sys.exit(main(sys.argv))
