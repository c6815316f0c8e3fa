#!/usr/bin/env python3
"""Checks the shipped binaries' PE headers, imports and exports with objdump (runs on the host)."""
import re
import subprocess
import sys
import unittest

BIN = sys.argv.pop(1) if len(sys.argv) > 1 else "build/bin"
OBJDUMP = "i686-w64-mingw32-objdump"
SYSTEM_DLLS = {"kernel32.dll", "msvcrt.dll", "user32.dll", "gdi32.dll", "advapi32.dll",
               "shell32.dll", "comctl32.dll", "comdlg32.dll", "hid.dll", "setupapi.dll",
               "ole32.dll", "oleaut32.dll"}


def headers(name):
    return subprocess.run([OBJDUMP, "-p", f"{BIN}/{name}"], check=True, capture_output=True,
                          text=True).stdout


def imported_dlls(dump):
    return [m.lower() for m in re.findall(r"DLL Name: (\S+)", dump)]


class CleanupProgram(unittest.TestCase):
    def test_is_a_32_bit_gui_program_importing_only_system_dlls(self):
        dump = headers("zokclean.exe")
        self.assertIn("file format pei-i386", dump)
        self.assertRegex(dump, r"Magic\s+010b\s+\(PE32\)")
        self.assertRegex(dump, r"Subsystem\s+00000002\s+\(Windows GUI\)")
        self.assertTrue(imported_dlls(dump))
        self.assertLessEqual(set(imported_dlls(dump)), SYSTEM_DLLS)
        self.assertNotIn(".rsrc", subprocess.run([OBJDUMP, "-h", f"{BIN}/zokclean.exe"],
                                                 capture_output=True, text=True).stdout)


class KeyBridgeProgram(unittest.TestCase):
    def test_imports_the_keyboard_library_by_ordinals_2_to_6_only(self):
        dump = headers("KeyBridge.exe")
        self.assertRegex(dump, r"Subsystem\s+00000002\s+\(Windows GUI\)")
        self.assertIn("zokusb.dll", imported_dlls(dump))
        block = re.search(r"DLL Name: ZOKUSB\.dll\n(.*?)\n\s*\n", dump, re.S).group(1)
        imports = re.findall(r"^\s*([0-9a-f]{8})\s+(\d+)\s+(\S+)", block, re.M)
        # By ordinal: the high bit of each thunk is set, and no name is imported.
        self.assertEqual([2, 3, 4, 5, 6], sorted(int(ordinal) for _, ordinal, _ in imports))
        for thunk, _, name in imports:
            self.assertTrue(int(thunk, 16) & 0x80000000, thunk)
            self.assertEqual("<none>", name)
        self.assertLessEqual(set(imported_dlls(dump)) - {"zokusb.dll"}, SYSTEM_DLLS)


class KeyboardLibraries(unittest.TestCase):
    """ZOKUSB.dll and YEVUSB.dll, shipped and simulated: exactly the five exports."""

    EXPORTS = {2: "InitDriver", 3: "SetKbdFeatures", 4: "RemoveDevice", 5: "ReadDevice",
               6: "DeviceArrival"}

    def exports(self, dump):
        table = re.search(r"Export Address Table -- Ordinal Base (\d+)\n(.*?)\n\s*\n", dump, re.S)
        base = int(table.group(1))
        names = re.search(r"\[Ordinal/Name Pointer\] Table\n(.*?)(?:\n\s*\n|\Z)", dump, re.S)
        ordinals = [base + int(i) for i in re.findall(r"^\s*\[\s*(\d+)\]", table.group(2), re.M)]
        named = {base + int(i): name for i, name in
                 re.findall(r"^\s*\[\s*(\d+)\]\s+(\S+)", names.group(1), re.M)}
        return ordinals, named

    def test_five_exports_at_ordinals_2_to_6_by_name_in_the_named_module(self):
        for module in ("ZOKUSB", "YEVUSB"):
            for folder in ("", "sim/"):
                with self.subTest(module=module, folder=folder):
                    dump = headers(f"{folder}{module}.dll")
                    self.assertIn("file format pei-i386", dump)
                    self.assertRegex(dump, rf"\nName\s+[0-9a-f]+ {module}\.dll\n")
                    ordinals, named = self.exports(dump)
                    self.assertEqual([2, 3, 4, 5, 6], ordinals)
                    self.assertEqual(self.EXPORTS, named)
                    if not folder:
                        self.assertIn("hid.dll", imported_dlls(dump))
                        self.assertIn("setupapi.dll", imported_dlls(dump))
                        self.assertLessEqual(set(imported_dlls(dump)), SYSTEM_DLLS)


if __name__ == "__main__":
    unittest.main(verbosity=1)
