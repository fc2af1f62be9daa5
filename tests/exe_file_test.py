#!/usr/bin/env python3
"""Checks a built jumplet.exe as a file, without running it, so that what ships is checked
on every machine, also where no 32-bit Windows program can run.

    exe_file_test.py ships PATH   the 32-bit program the zip holds
    exe_file_test.py x64 PATH     the 64-bit build the tests run where the 32-bit one cannot
"""
import re
import struct
import sys

SIZE_BUDGET = 200 * 1024
# DLLs that Windows always takes from the system folder, whatever lies beside the program.
KNOWN_DLLS = {"advapi32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll",
              "ole32.dll", "shell32.dll", "user32.dll"}
RT_MANIFEST = 24
IMAGE_SUBSYSTEM_WINDOWS_GUI = 2
BUILDS = {  # machine, optional header magic, processors the common controls may be named for
    "ships": (0x14C, 0x10B, {"x86"}),
    "x64": (0x8664, 0x20B, {"amd64", "*"}),
}


class PeFile:
    def __init__(self, data):
        self.data = data
        (pe_at,) = struct.unpack_from("<I", data, 0x3C)
        if data[:2] != b"MZ" or data[pe_at:pe_at + 4] != b"PE\0\0":
            raise ValueError("no PE file")
        self.machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe_at + 4)
        optional_at = pe_at + 24
        (self.magic,) = struct.unpack_from("<H", data, optional_at)
        (self.subsystem,) = struct.unpack_from("<H", data, optional_at + 68)
        directories_at = optional_at + (96 if self.magic == 0x10B else 112)
        self.directories = [struct.unpack_from("<II", data, directories_at + 8 * i) for i in range(3)]
        self.sections = [struct.unpack_from("<IIII", data, optional_at + optional_size + 40 * i + 8)
                         for i in range(sections)]

    def offset(self, rva):
        for virtual_size, virtual_at, raw_size, raw_at in self.sections:
            if virtual_at <= rva < virtual_at + max(virtual_size, raw_size):
                return raw_at + rva - virtual_at
        raise ValueError("address 0x%x lies in no section" % rva)

    def text_at(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode("ascii")

    def imported_dlls(self):
        rva, _ = self.directories[1]
        names = []
        while rva:
            name_rva = struct.unpack_from("<5I", self.data, self.offset(rva))[3]
            if name_rva == 0:
                break
            names.append(self.text_at(name_rva).lower())
            rva += 20
        return names

    def resource(self, kind, ident):
        """The first language's bytes of a resource given by number, or None."""
        root_rva, _ = self.directories[2]
        if not root_rva:
            return None
        root = self.offset(root_rva)

        def entry(directory, wanted):
            named, numbered = struct.unpack_from("<HH", self.data, root + directory + 12)
            for i in range(named + numbered):
                name, target = struct.unpack_from("<II", self.data, root + directory + 16 + 8 * i)
                if wanted is None or (not name & 0x80000000 and name == wanted):
                    return target
            return None

        at = 0
        for wanted in (kind, ident):
            target = entry(at, wanted)
            if target is None or not target & 0x80000000:
                return None
            at = target & 0x7FFFFFFF
        language = entry(at, None)
        if language is None or language & 0x80000000:
            return None
        data_rva, size = struct.unpack_from("<II", self.data, root + language)
        start = self.offset(data_rva)
        return self.data[start:start + size]


def problems(build, data):
    machine, magic, processors = BUILDS[build]
    found = []
    try:
        pe = PeFile(data)
    except (ValueError, struct.error) as error:
        return ["not a readable PE file: %s" % error]
    if pe.machine != machine or pe.magic != magic:
        found.append("built for machine 0x%x (PE magic 0x%x), not 0x%x (0x%x)" % (pe.machine, pe.magic, machine, magic))
    if pe.subsystem != IMAGE_SUBSYSTEM_WINDOWS_GUI:
        found.append("subsystem %d, not a GUI program" % pe.subsystem)
    for dll in pe.imported_dlls():
        if dll not in KNOWN_DLLS:
            found.append("imports %s, which is no known DLL (a runtime DLL, or one a planted copy could stand in for)" % dll)
    manifest = pe.resource(RT_MANIFEST, 1)
    if manifest is None:
        return found + ["has no manifest"]
    manifest = manifest.decode("utf-8", "replace")
    if 'level="asInvoker"' not in manifest:
        found.append("the manifest does not run it asInvoker")
    if not re.search(r"<dpiAware[^>]*>\s*true/pm\s*</dpiAware>", manifest) or "PerMonitorV2" not in manifest:
        found.append("the manifest does not declare per-monitor DPI awareness")
    controls = re.search(r'<assemblyIdentity[^>]*name="Microsoft\.Windows\.Common-Controls"[^>]*>', manifest)
    named = re.search(r'processorArchitecture="([^"]*)"', controls.group(0)) if controls else None
    if not named:
        found.append("the manifest asks for no common controls 6 with a processor")
    elif named.group(1) not in processors:
        found.append('the common controls are asked for processor "%s", not %s: Windows would give the old ones'
                     % (named.group(1), " or ".join(sorted(processors))))
    if build == "ships" and len(data) > SIZE_BUDGET:
        found.append("%d bytes, over the budget of %d" % (len(data), SIZE_BUDGET))
    return found


def main(argv):
    if len(argv) != 3 or argv[1] not in BUILDS:
        print(__doc__, file=sys.stderr)
        return 2
    with open(argv[2], "rb") as exe:
        found = problems(argv[1], exe.read())
    for problem in found:
        print("%s: %s" % (argv[2], problem))
    print("%s (%s): %s" % (argv[2], argv[1], "FAILED" if found else "as it should be"))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
