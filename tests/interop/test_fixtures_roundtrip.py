#!/usr/bin/python3
"""Round-trips every real-world DXF fixture through `kvcad convert`.

Usage: test_fixtures_roundtrip.py KVCAD FIXTURE_DIR WORKDIR

For each *.dxf in FIXTURE_DIR, `KVCAD convert f out1.dxf` must either
succeed (exit 0) with a file that ezdxf finds equal to the original
(dxfcompare) and that converts again to a byte-identical out2.dxf, or refuse
the file (exit 2) with one stderr line that names it. Anything else fails.
A conversion prints the repairs `KVCAD info` lists for the file; the second
one needs none (what is kept as written is listed again).
"""

import logging
import os
import subprocess
import sys
from pathlib import Path
from typing import List, Optional, Tuple

sys.path.insert(0, str(Path(__file__).resolve().parent))
import dxfcompare  # noqa: E402

SKIPPED = 77  # ctest's SKIP_RETURN_CODE for this test

CONVERT_TIMEOUT_S = 300
MAX_LINES_PER_FILE = 40


def run_convert(kvcad: str, source: Path, target: Optional[Path]) -> Tuple[int, str, str]:
    """Returns (exit code or negative signal, stderr, problem); problem is
    non-empty when the program did not end by itself. Without a target: info."""
    if target is not None and target.exists():
        target.unlink()
    command = ["convert", str(source), str(target)] if target else ["info", str(source)]
    try:
        proc = subprocess.run(
            [kvcad, *command],
            stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL,
            stderr=subprocess.PIPE,
            timeout=CONVERT_TIMEOUT_S,
        )
    except subprocess.TimeoutExpired:
        return -1, "", f"no result after {CONVERT_TIMEOUT_S} s"
    stderr = proc.stderr.decode("utf-8", errors="replace")
    if proc.returncode < 0:
        return proc.returncode, stderr, f"killed by signal {-proc.returncode}"
    return proc.returncode, stderr, ""


def check_refusal(source: Path, stderr: str) -> List[str]:
    lines = stderr.splitlines()
    if len(lines) != 1 or not lines[0].strip():
        return [f"refusal must print exactly one non-empty line, got {stderr!r}"]
    if source.name not in lines[0]:
        return [f"refusal does not name the file: {lines[0]!r}"]
    return []


def check_file(kvcad: str, source: Path, workdir: Path) -> Tuple[str, List[str]]:
    """Returns (outcome line, failures)."""
    out1 = workdir / f"{source.stem}.out1.dxf"
    out2 = workdir / f"{source.stem}.out2.dxf"
    code, stderr, problem = run_convert(kvcad, source, out1)
    if problem:
        return "", [f"convert: {problem}; stderr: {stderr.strip()!r}"]
    if code == 2:
        failures = check_refusal(source, stderr)
        return f"refused: {stderr.strip()}", failures
    if code != 0:
        return "", [f"convert exited {code}; stderr: {stderr.strip()!r}"]
    if not out1.is_file():
        return "", ["convert exited 0 but wrote no file"]

    try:
        differences, skip = dxfcompare.compare(str(source), str(out1))
    except Exception as exc:  # whatever breaks the comparison is the converted file's fault
        differences, skip = [f"comparison broke: {type(exc).__name__}: {exc}"], None
    failures = [f"differs: {d}" for d in differences]
    _, listed, _ = run_convert(kvcad, source, None)
    if stderr != listed:
        failures.append(f"convert reports {stderr!r}, info lists {listed!r}")

    code, stderr, problem = run_convert(kvcad, out1, out2)
    if problem or code != 0:
        failures.append(f"second convert: {problem or f'exit {code}'}; stderr: {stderr.strip()!r}")
    elif out1.read_bytes() != out2.read_bytes():
        failures.append("second convert is not byte-identical to the first")
    elif any("kept as written" not in line for line in stderr.splitlines()):
        failures.append(f"second convert repairs again: {stderr.strip()!r}")
    outcome = f"ok (not compared, {skip})" if skip else "ok"
    return outcome, failures


def main() -> int:
    kvcad, fixture_dir, workdir = os.path.abspath(sys.argv[1]), Path(sys.argv[2]), Path(sys.argv[3])
    logging.getLogger("ezdxf").setLevel(logging.ERROR)  # recovery chatter
    fixtures = sorted(fixture_dir.glob("*.dxf"))
    if not fixtures:
        if not os.path.isdir(fixture_dir):
            # A checkout without the shared samples beside it, as the C++ tests skip them.
            print(f"skipped: no folder {fixture_dir}", file=sys.stderr)
            return SKIPPED
        print(f"no fixture to check in {fixture_dir}", file=sys.stderr)
        return 1
    workdir.mkdir(parents=True, exist_ok=True)

    passed = failed = 0
    for fixture in fixtures:
        outcome, failures = check_file(kvcad, fixture, workdir)
        if failures:
            failed += 1
            print(f"{fixture.name}: FAIL")
            for failure in failures[:MAX_LINES_PER_FILE]:
                print(f"    {failure}")
            if len(failures) > MAX_LINES_PER_FILE:
                print(f"    ... and {len(failures) - MAX_LINES_PER_FILE} more")
        else:
            passed += 1
            print(f"{fixture.name}: {outcome}")
        sys.stdout.flush()
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
