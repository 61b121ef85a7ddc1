"""scripts/package's zip of the built program: its checksums hold, and the
program unpacked from it starts under Wine and connects to its host."""

import hashlib
import os
import re
import subprocess
import tempfile
import unittest
import zipfile

from ravelin_host import Host
from terminal import EXE, TIMEOUT, WINE_RUN

PACKAGE = os.environ.get("RAVELIN_PACKAGE", "")


class PackageTest(unittest.TestCase):
    def test_unpacked_program_checks_out_and_connects(self):
        with tempfile.TemporaryDirectory() as folder, Host(0) as host:
            subprocess.run([PACKAGE, "--exe", EXE, "--out", folder], check=True,
                           stdout=subprocess.DEVNULL)
            (name,) = os.listdir(folder)
            self.assertRegex(name, r"^Ravelin-\d+\.\d+\.\d+\.\d+-win64\.zip$")
            unpacked = os.path.join(folder, "Ravelin")
            with zipfile.ZipFile(os.path.join(folder, name)) as package:
                package.extractall(unpacked)
            with open(os.path.join(unpacked, "SHA256SUMS")) as sums:
                listed = dict(reversed(re.fullmatch(r"([0-9a-f]{64})  (\S+)\n", line).groups())
                              for line in sums)
            self.assertEqual(sorted(listed), sorted(set(os.listdir(unpacked)) - {"SHA256SUMS"}))
            for file, digest in listed.items():
                with open(os.path.join(unpacked, file), "rb") as data:
                    self.assertEqual(hashlib.sha256(data.read()).hexdigest(), digest, file)

            with open(os.path.join(unpacked, "Ravelin.ini"), "w", newline="\r\n") as settings:
                settings.write(f"hostname=127.0.0.1\nhostport={host.port}\nterminalid=12\n")
            terminal = subprocess.Popen([WINE_RUN, os.path.join(unpacked, "Ravelin.exe")],
                                        cwd=unpacked, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.STDOUT)
            try:
                host.accept(TIMEOUT)
                host.expect(b"12I", TIMEOUT)
            finally:
                terminal.kill()
                terminal.wait()


if __name__ == "__main__":
    unittest.main()
