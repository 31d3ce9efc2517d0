#!/usr/bin/env python3
"""plutil against test data nobody here wrote: CPython's plistlib test suite (read where Debian
installs it) and libplist's plistutil, plus the tool's own promises (formats kept on edit, safe
writes, edits beside a concurrent writer).

    check_plutil.py PLUTIL VALUES_EDITOR
"""
import datetime
import importlib.util
import os
import plistlib
import shutil
import subprocess
import sys
import tempfile
import threading
import unittest

# CPython's plistlib tests where Debian installs them (libpython3.11-testsuite).
CPYTHON_SUITE = "/usr/lib/python3.11/test/test_plistlib.py"


def load_cpython_suite():
    if not os.path.exists(CPYTHON_SUITE):
        return None
    found = importlib.util.spec_from_file_location("debian_test_plistlib", CPYTHON_SUITE)
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module


cpython = load_cpython_suite()

# The 10,000-app values file, made as the benchmark makes it.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "bench"))
from plutil_convert import app_values  # noqa: E402

PLUTIL = None
VALUES_EDITOR = None
PLISTUTIL = shutil.which("plistutil")


# Paths are of this machine unless a test names a device root.
HOST_ENVIRONMENT = {k: v for k, v in os.environ.items() if k != "MORVANE_DEVICE_ROOT"}


def plutil(*arguments, env=None, cwd=None):
    return subprocess.run([PLUTIL, *arguments], capture_output=True, timeout=60,
                          env=env or HOST_ENVIRONMENT, cwd=cwd)


class Files(unittest.TestCase):
    def setUp(self):
        self.directory = tempfile.mkdtemp(prefix="plutil-check-")

    def tearDown(self):
        shutil.rmtree(self.directory, ignore_errors=True)

    def path(self, *names):
        return os.path.join(self.directory, *names)

    def put(self, name, data):
        path = self.path(name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as stream:
            stream.write(data)
        return path

    def read(self, path):
        with open(path, "rb") as stream:
            return stream.read()

    def assertDone(self, result):
        self.assertEqual(result.returncode, 0, result.stderr.decode(errors="replace"))


@unittest.skipUnless(cpython, "CPython's test suite (libpython3.11-testsuite) is not installed")
class CPythonSamples(Files):
    def samples(self):
        return {"xml": cpython.TESTDATA[plistlib.FMT_XML],
                "binary": cpython.TESTDATA[plistlib.FMT_BINARY]}

    def test_samples_lint_and_convert_to_what_plistlib_reads(self):
        for name, data in self.samples().items():
            expected = plistlib.loads(data)
            source = self.put(name + ".plist", data)
            lint = plutil("-lint", source)
            self.assertDone(lint)
            self.assertEqual(lint.stdout.decode(), f"{source}: OK\n")
            for form, magic in (("xml1", b"<?xml"), ("binary1", b"bplist00")):
                with self.subTest(sample=name, form=form):
                    out = self.path(f"{name}.{form}.out")
                    self.assertDone(plutil("-convert", form, "-o", out, source))
                    written = self.read(out)
                    self.assertTrue(written.startswith(magic))
                    self.assertEqual(plistlib.loads(written), expected)
                    self.assertEqual(plistlib.loads(written)["aBigInt2"], 2 ** 63 + 44)

    def test_converting_in_place_keeps_the_content(self):
        data = self.samples()["binary"]
        path = self.put("inplace.plist", data)
        self.assertDone(plutil("-convert", "xml1", path))
        self.assertTrue(self.read(path).startswith(b"<?xml"))
        self.assertDone(plutil("-convert", "binary1", path))
        self.assertTrue(self.read(path).startswith(b"bplist00"))
        self.assertEqual(plistlib.loads(self.read(path)), plistlib.loads(data))

    def test_every_invalid_binary_plist_is_refused_without_a_crash(self):
        self.assertEqual(len(cpython.INVALID_BINARY_PLISTS), 40)
        for index, (name, data) in enumerate(cpython.INVALID_BINARY_PLISTS):
            with self.subTest(name=name):
                path = self.put(f"invalid{index}.plist", b"bplist00" + data)
                result = plutil("-lint", path)
                self.assertEqual(result.returncode, 1, result.stderr)
                line = result.stdout.decode()
                self.assertTrue(line.startswith(path + ": ") and "OK" not in line, line)

    def test_xml_with_an_entity_is_refused(self):
        path = self.put("entity.plist", cpython.XML_PLIST_WITH_ENTITY)
        result = plutil("-lint", path)
        self.assertEqual(result.returncode, 1)
        self.assertIn(b"entities", result.stdout)
        self.assertEqual(plutil("-p", path).returncode, 1)

    def test_plistlib_written_values_of_every_kind_read_back(self):
        created = cpython.TestPlistlib._create(None)
        created["unsignedMaximum"] = 2 ** 64 - 1
        created["signedMinimum"] = -2 ** 63
        for fmt, name in ((plistlib.FMT_XML, "xml"), (plistlib.FMT_BINARY, "binary")):
            source = self.put(f"created.{name}", plistlib.dumps(created, fmt=fmt))
            for form in ("xml1", "binary1"):
                with self.subTest(source=name, form=form):
                    out = self.path(f"created.{name}.{form}")
                    self.assertDone(plutil("-convert", form, "-o", out, source))
                    self.assertEqual(plistlib.loads(self.read(out)), created)


@unittest.skipUnless(PLISTUTIL, "libplist's plistutil (libplist-utils) is not installed")
class PlistutilRoundTrips(Files):
    def round_trip(self, name, value):
        """ours XML -> ours binary -> plistutil XML; and plistutil binary -> ours XML."""
        source = self.put(name + ".xml", plistlib.dumps(value, fmt=plistlib.FMT_XML))
        ours_binary = self.path(name + ".ours.bin")
        theirs_xml = self.path(name + ".theirs.xml")
        self.assertDone(plutil("-convert", "binary1", "-o", ours_binary, source))
        subprocess.run([PLISTUTIL, "-i", ours_binary, "-o", theirs_xml, "-f", "xml"], check=True)
        self.assertEqual(plistlib.loads(self.read(theirs_xml)), value)
        theirs_binary = self.path(name + ".theirs.bin")
        ours_xml = self.path(name + ".ours.xml")
        subprocess.run([PLISTUTIL, "-i", source, "-o", theirs_binary, "-f", "bin"], check=True)
        self.assertDone(plutil("-convert", "xml1", "-o", ours_xml, theirs_binary))
        self.assertEqual(plistlib.loads(self.read(ours_xml)), value)

    @unittest.skipUnless(cpython, "CPython's test suite is not installed")
    def test_cpython_samples(self):
        self.round_trip("sample", plistlib.loads(cpython.TESTDATA[plistlib.FMT_BINARY]))

    def test_ten_thousand_app_values_file(self):
        self.round_trip("values", app_values())


class Commands(Files):
    def sample(self, fmt=plistlib.FMT_XML):
        value = {"name": "Doodah", "count": 3, "apps": [{"id": "a"}, {"id": "b"}],
                 "when": datetime.datetime(2004, 10, 26, 10, 33, 33), "blob": b"\x00\xff"}
        return self.put("sample.plist", plistlib.dumps(value, fmt=fmt)), value

    def test_edits_keep_the_format_and_change_only_what_they_name(self):
        for fmt, magic in ((plistlib.FMT_XML, b"<?xml"), (plistlib.FMT_BINARY, b"bplist00")):
            with self.subTest(format=magic):
                path, value = self.sample(fmt)
                self.assertDone(plutil("-insert", "apps.1", "-json", '{"id": "new"}', path))
                self.assertDone(plutil("-replace", "count", "-integer", "18446744073709551615", path))
                self.assertDone(plutil("-insert", "flags", "-xml", "<array><true/></array>", path))
                self.assertDone(plutil("-remove", "blob", path))
                self.assertTrue(self.read(path).startswith(magic))
                value["apps"].insert(1, {"id": "new"})
                value["count"] = 2 ** 64 - 1
                value["flags"] = [True]
                del value["blob"]
                self.assertEqual(plistlib.loads(self.read(path)), value)

    def test_an_edit_that_does_not_fit_changes_nothing(self):
        path, _ = self.sample()
        before = self.read(path)
        for arguments, status in ((("-insert", "name", "-string", "x"), 1),  # already there
                                  (("-remove", "missing"), 1),
                                  (("-replace", "apps.7.id", "-string", "x"), 1),
                                  (("-insert", "count.x", "-bool", "YES"), 1),
                                  (("-replace", "count", "-integer", "12abc"), 1),
                                  (("-replace", "name", "-string", "bell\x07"), 1),  # not XML
                                  (("-replace", "count", "-frobnicate", "1"), 2)):
            with self.subTest(arguments=arguments):
                result = plutil(*arguments, path)
                self.assertEqual(result.returncode, status, result.stderr)
                self.assertTrue(result.stderr)
                self.assertEqual(self.read(path), before)

    def test_extract_and_print(self):
        path, _ = self.sample(plistlib.FMT_BINARY)
        self.assertEqual(plutil("-extract", "apps.1.id", "raw", path).stdout, b"b\n")
        self.assertEqual(plutil("-extract", "count", "raw", "-o", "-", path).stdout, b"3\n")
        extracted = plutil("-extract", "apps", "xml1", path)
        self.assertEqual(plistlib.loads(extracted.stdout), [{"id": "a"}, {"id": "b"}])
        self.assertEqual(plutil("-extract", "apps.2", "raw", path).returncode, 1)
        self.assertEqual(plutil("-extract", "apps", "raw", path).returncode, 1)
        printed = plutil("-p", path).stdout.decode()
        self.assertIn('  "apps" => [\n    0 => {\n      "id" => "a"\n    }\n', printed)
        self.assertIn('"blob" => {length = 2, bytes = 0x00ff}', printed)
        self.assertIn('"when" => 2004-10-26T10:33:33Z', printed)

    def test_json_refuses_dates_and_data_and_keeps_the_file(self):
        path, _ = self.sample()
        before = self.read(path)
        result = plutil("-convert", "json", path)
        self.assertEqual(result.returncode, 1)
        self.assertIn(b"JSON cannot hold", result.stderr)
        self.assertEqual(self.read(path), before)
        self.assertDone(plutil("-remove", "when", path))
        self.assertDone(plutil("-remove", "blob", path))
        self.assertDone(plutil("-convert", "json", path))
        import json
        self.assertEqual(json.loads(self.read(path))["apps"][1], {"id": "b"})
        self.assertDone(plutil("-convert", "binary1", path))
        self.assertEqual(plistlib.loads(self.read(path))["count"], 3)

    def test_usage_and_unreadable_files(self):
        self.assertEqual(plutil("-help").returncode, 0)
        self.assertIn(b"-extract", plutil("-help").stdout)
        for arguments in ((), ("-convert", "yaml", "x"), ("-p",), ("-lint",), ("-bogus", "x"),
                          ("-convert", "xml1", "-o", "out", "a", "b")):
            with self.subTest(arguments=arguments):
                self.assertEqual(plutil(*arguments).returncode, 2)
        good, _ = self.sample()
        missing = self.path("missing.plist")
        empty = self.put("empty.plist", b"")
        result = plutil("-lint", good, missing, empty)
        self.assertEqual(result.returncode, 1)
        lines = result.stdout.decode().splitlines()
        self.assertEqual(lines[0], f"{good}: OK")
        self.assertTrue(lines[1].startswith(missing + ": ") and "OK" not in lines[1])
        self.assertEqual(lines[2], f"{empty}: the file is empty")


class SafeWrites(Files):
    def test_a_planted_link_or_fifo_is_never_written_through(self):
        outside = self.put("outside.plist", plistlib.dumps({"keep": True}))
        link = self.path("link.plist")
        os.symlink(outside, link)
        result = plutil("-insert", "x", "-bool", "YES", link)
        self.assertEqual(result.returncode, 1)
        self.assertIn(b"link", result.stderr)
        self.assertTrue(os.path.islink(link))
        self.assertEqual(plistlib.loads(self.read(outside)), {"keep": True})
        fifo = self.path("fifo.plist")
        os.mkfifo(fifo)
        for arguments in (("-convert", "xml1", "-o", fifo, outside), ("-lint", fifo),
                          ("-convert", "xml1", "-o", link, outside)):
            with self.subTest(arguments=arguments):
                self.assertEqual(plutil(*arguments).returncode, 1)  # and no hang on the FIFO
        self.assertTrue(os.path.islink(link))
        self.assertEqual(sorted(os.listdir(self.directory)),
                         ["fifo.plist", "link.plist", "outside.plist"], "no temporary left")

    def test_a_replaced_file_keeps_its_permissions(self):
        path = self.put("mode.plist", plistlib.dumps({"a": 1}))
        os.chmod(path, 0o600)
        self.assertDone(plutil("-replace", "a", "-integer", "2", path))
        self.assertEqual(os.stat(path).st_mode & 0o777, 0o600)


class PreferenceFiles(Files):
    """Edits of a device root's preference file beside another writer of it."""

    def test_edits_beside_a_concurrent_writer_lose_nothing(self):
        root = self.path("root")
        devicePath = "/var/mobile/Library/Preferences/com.kelvrin.morvane.plist"
        prefs = self.put("root" + devicePath, plistlib.dumps({"start": True}, fmt=plistlib.FMT_BINARY))
        environment = dict(HOST_ENVIRONMENT)
        environment["MORVANE_PREFERENCE_LOCK_WAIT_MS"] = "20000"
        failures = []

        def ours(index):
            result = plutil("-insert", f"plutil{index}", "-integer", str(index), prefs,
                            env=environment)
            if result.returncode != 0:
                failures.append(result.stderr)

        def theirs(index):
            result = subprocess.run([VALUES_EDITOR, "--root", root, "setting", f"other{index}",
                                     "on"], capture_output=True, timeout=60, env=environment)
            if result.returncode != 0:
                failures.append(result.stderr)

        threads = [threading.Thread(target=work, args=(index,))
                   for index in range(12) for work in (ours, theirs)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        self.assertEqual(failures, [])
        stored = plistlib.loads(self.read(prefs))
        for index in range(12):
            self.assertEqual(stored.get(f"plutil{index}"), index)
            self.assertIs(stored.get(f"other{index}"), True)
        self.assertIs(stored["start"], True)

    def test_a_relative_path_to_a_preference_file_takes_the_writers_lock(self):
        prefs = self.put("root/var/mobile/Library/Preferences/com.example.plist",
                         plistlib.dumps({"a": 1}))
        library = os.path.dirname(os.path.dirname(prefs))
        self.assertDone(plutil("-insert", "b", "-bool", "NO", "Preferences/com.example.plist",
                               cwd=library))
        self.assertTrue(os.path.exists(prefs + ".lock"))
        ordinary = self.put("elsewhere/com.example.plist", plistlib.dumps({"a": 1}))
        self.assertDone(plutil("-insert", "b", "-bool", "NO", ordinary))
        self.assertFalse(os.path.exists(ordinary + ".lock"), "no lock beside an ordinary file")

    def test_device_paths_within_a_root(self):
        root = self.path("root")
        devicePath = "/var/mobile/Library/Preferences/com.example.plist"
        self.put("root" + devicePath, plistlib.dumps({"a": 1}))
        os.symlink("/var/mobile/Library/Preferences/com.example.plist",
                   self.path("root", "shortcut.plist"))
        self.assertEqual(plutil("--root", root, "-extract", "a", "raw", "/shortcut.plist").stdout,
                         b"1\n", "an absolute link inside the root resolves inside it")
        self.assertDone(plutil("--root", root, "-replace", "a", "-integer", "5", devicePath))
        self.assertEqual(plistlib.loads(self.read(self.path("root") + devicePath)), {"a": 5})
        self.assertEqual(plutil("--root", root, "-p", "/../../etc/passwd").returncode, 1)
        launched = plutil("-lint", devicePath, env=dict(HOST_ENVIRONMENT, MORVANE_DEVICE_ROOT=root))
        self.assertEqual(launched.stdout.decode(), f"{devicePath}: OK\n",
                         "a program the phone launches names device paths")


def main():
    global PLUTIL, VALUES_EDITOR
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    PLUTIL, VALUES_EDITOR = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    unittest.main(argv=[sys.argv[0], "-v", *sys.argv[3:]])


if __name__ == "__main__":
    main()
