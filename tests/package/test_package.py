"""scripts/package's zip of the built program: its checksums hold, and the
program unpacked from it starts under Wine and connects to its host."""

import hashlib
import os
import pathlib
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
            unpacked = pathlib.Path(folder, "Ravelin")
            with zipfile.ZipFile(os.path.join(folder, name)) as package:
                package.extractall(unpacked)
            # A line of each other file, as sha256sum writes it.
            self.assertEqual(sorted((unpacked / "SHA256SUMS").read_text().splitlines()), sorted(
                f"{hashlib.sha256((unpacked / f).read_bytes()).hexdigest()}  {f}"
                for f in set(os.listdir(unpacked)) - {"SHA256SUMS"}))

            (unpacked / "Ravelin.ini").write_text(
                f"hostname=127.0.0.1\nhostport={host.port}\nterminalid=12\n", newline="\r\n")
            terminal = subprocess.Popen([WINE_RUN, unpacked / "Ravelin.exe"],
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
