#!/usr/bin/env python3
"""Counts the test cases of one CTest run from the programs' XML reports.

    count_cases.py BUILD REPORT-DIR CTEST-LOG

Every <testcase> that ran counts once (GoogleTest leaves out what its filter
skipped; skipped cases count neither way). A program that CTest saw fail
without a failing case in its report (a crash, a time-out), or that wrote no
report, counts as one failed case of its own. Prints "failed: BUILD: NAME" for
each failure, then "N passed, N failed".
"""

import os
import re
import sys
import xml.etree.ElementTree as ET

PROGRAM = re.compile(r"Test\s+#\d+: (\S+) \.*\s*(\*\*\*)?(\w+)")


def read_report(path):
    """(passed, [failed case names]) of one XML report."""
    passed, failed = 0, []
    try:
        root = ET.parse(path).getroot()
    except (ET.ParseError, OSError) as error:
        return 0, [f"{os.path.basename(path)} (unreadable report: {error})"]
    for case in root.iter("testcase"):
        if case.get("status", "run") != "run" or case.get("result") in ("skipped", "suppressed"):
            continue
        if case.find("skipped") is not None:
            continue
        name = f"{case.get('classname')}.{case.get('name')}"
        if case.find("failure") is not None or case.find("error") is not None:
            failed.append(name)
        else:
            passed += 1
    return passed, failed


def main(argv):
    build, reports, log = argv[1:4]
    programs = {}  # CTest name -> "Passed", "Failed", "Timeout", ...
    try:
        with open(log, errors="replace") as lines:
            for line in lines:
                match = PROGRAM.search(line)
                if match:
                    programs[match.group(1)] = match.group(3)
    except OSError:
        pass
    passed, failures = 0, []
    for program, outcome in programs.items():
        path = os.path.join(reports, program + ".xml")
        if not os.path.exists(path):
            failures.append(f"{program} (wrote no report; CTest: {outcome})")
            continue
        case_passed, case_failed = read_report(path)
        passed += case_passed
        failures += case_failed
        if outcome != "Passed" and not case_failed:
            failures.append(f"{program} (CTest: {outcome}, see build/{build}-ctest.log)")
    for name in failures:
        print(f"failed: {build}: {name}")
    print(f"{passed} passed, {len(failures)} failed")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
