#!/usr/bin/env python3
"""Runs Python unittest cases like "python3 -m unittest discover" and writes
each case's outcome to a JUnit-style XML report, so that scripts/test can
count cases of Python and GoogleTest alike.

    run_unittests.py REPORT.xml START-DIR [PATTERN]

The report is rewritten after every case: a run that times out still shows
the cases it finished.
"""

import sys
import time
import unittest
import xml.etree.ElementTree as ET


class ReportingResult(unittest.TextTestResult):
    def __init__(self, report, *args, **kwargs):
        super().__init__(*args, **kwargs)
        self.report = report
        self.cases = []  # (test id, outcome, message)
        self.outcomes = {}  # test id -> index in cases
        self.started_at = 0.0

    def record(self, test, outcome, message=""):
        test_id = test.id()
        if test_id in self.outcomes:
            # Several subtests of one case: the first failure names it.
            index = self.outcomes[test_id]
            if self.cases[index][1] == "passed":
                self.cases[index] = (test_id, outcome, message)
        else:
            self.outcomes[test_id] = len(self.cases)
            self.cases.append((test_id, outcome, message))

    def startTest(self, test):
        self.started_at = time.monotonic()
        super().startTest(test)

    def stopTest(self, test):
        super().stopTest(test)
        if test.id() not in self.outcomes:
            self.record(test, "passed")
        self.write()

    def addFailure(self, test, err):
        super().addFailure(test, err)
        self.record(test, "failure", self._exc_info_to_string(err, test))

    def addError(self, test, err):
        super().addError(test, err)
        # A module that fails to import comes as an error of a made-up case.
        self.record(test, "failure", self._exc_info_to_string(err, test))
        self.write()

    def addSubTest(self, test, subtest, err):
        super().addSubTest(test, subtest, err)
        if err is not None:
            self.record(test, "failure", f"{subtest}: {self._exc_info_to_string(err, test)}")

    def addSkip(self, test, reason):
        super().addSkip(test, reason)
        self.record(test, "skipped", reason)

    def addExpectedFailure(self, test, err):
        super().addExpectedFailure(test, err)
        self.record(test, "passed")

    def addUnexpectedSuccess(self, test):
        super().addUnexpectedSuccess(test)
        self.record(test, "failure", "unexpected success")

    def write(self):
        root = ET.Element("testsuites")
        suite = ET.SubElement(root, "testsuite", name="unittest")
        for test_id, outcome, message in self.cases:
            classname, _, name = test_id.rpartition(".")
            case = ET.SubElement(suite, "testcase", classname=classname, name=name,
                                 status="run", result="completed")
            if outcome == "failure":
                ET.SubElement(case, "failure", message=message.splitlines()[-1][:200]
                              if message else "").text = message
            elif outcome == "skipped":
                case.set("result", "skipped")
                ET.SubElement(case, "skipped", message=message)
        ET.ElementTree(root).write(self.report, encoding="utf-8", xml_declaration=True)


def main(argv):
    if len(argv) not in (3, 4):
        print(__doc__, file=sys.stderr)
        return 2
    report, start = argv[1], argv[2]
    pattern = argv[3] if len(argv) == 4 else "test_*.py"
    tests = unittest.defaultTestLoader.discover(start, pattern=pattern, top_level_dir=start)
    runner = unittest.TextTestRunner(
        verbosity=2, resultclass=lambda *a, **k: ReportingResult(report, *a, **k))
    result = runner.run(tests)
    result.write()
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
