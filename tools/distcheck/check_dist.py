#!/usr/bin/env python3
"""Checks a folder laid out for Windows PCs (build/dist/<architecture>) from the files' own headers.

    check_dist.py FOLDER ARCHITECTURE PACKED_SKIN

Every .exe and .dll below FOLDER must be a PE image of ARCHITECTURE (i686: PE32 for i386; x86_64: PE32+ for
AMD64), import only system libraries and the folder's own libraries, and a program that carries a skin
resource must carry exactly PACKED_SKIN. Warden.exe and Clipview.exe must carry it. Prints one line per
fault and exits 1 if there is any.
"""
import os
import struct
import sys

MACHINES = {"i686": (0x14C, 0x10B), "x86_64": (0x8664, 0x20B)}

# What a bare Windows has. The runtime is linked statically, so no compiler runtime belongs here.
SYSTEM_LIBRARIES = {
    "advapi32.dll", "avifil32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "imm32.dll", "kernel32.dll",
    "msimg32.dll", "msvcrt.dll", "msvfw32.dll", "ole32.dll", "oleaut32.dll", "shell32.dll", "shlwapi.dll",
    "user32.dll", "uxtheme.dll", "version.dll", "winmm.dll", "winspool.drv", "ws2_32.dll", "wsock32.dll",
}

SKIN_PROGRAMS = {"warden.exe", "clipview.exe"}


class Image:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        if self.data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = self.u32(0x3C)
        if self.data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        self.machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", self.data, pe + 4)
        optional = pe + 24
        self.magic = self.u16(optional)
        directories = optional + (96 if self.magic == 0x10B else 112)
        self.directories = [struct.unpack_from("<II", self.data, directories + 8 * i) for i in range(16)]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            _, vsize, rva, raw_size, raw = struct.unpack_from("<8sIIII", self.data, table + 40 * i)
            self.sections.append((rva, max(vsize, raw_size), raw))

    def u16(self, offset):
        return struct.unpack_from("<H", self.data, offset)[0]

    def u32(self, offset):
        return struct.unpack_from("<I", self.data, offset)[0]

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError("address %#x lies in no section" % rva)

    def text(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode("ascii", "replace")

    def imports(self):
        rva, size = self.directories[1]
        names = []
        if not size:
            return names
        at = self.offset(rva)
        while True:
            lookup, _, _, name, thunks = struct.unpack_from("<IIIII", self.data, at)
            if not (lookup or name or thunks):
                return names
            names.append(self.text(name))
            at += 20

    def resource(self, type_name, name):
        """The first language's bytes of a resource named by strings, or None."""
        rva, size = self.directories[2]
        if not size:
            return None
        base = self.offset(rva)

        def entry(directory, wanted):
            named = self.u16(directory + 12)
            for i in range(named):
                key, target = struct.unpack_from("<II", self.data, directory + 16 + 8 * i)
                at = base + (key & 0x7FFFFFFF)
                length = self.u16(at)
                if self.data[at + 2:at + 2 + 2 * length].decode("utf-16-le").upper() == wanted:
                    return target
            return None

        types = entry(base, type_name)
        if types is None or not types & 0x80000000:
            return None
        names = entry(base + (types & 0x7FFFFFFF), name)
        if names is None or not names & 0x80000000:
            return None
        languages = base + (names & 0x7FFFFFFF)
        if self.u16(languages + 12) + self.u16(languages + 14) == 0:
            return None
        _, leaf = struct.unpack_from("<II", self.data, languages + 16)
        data_rva, data_size = struct.unpack_from("<II", self.data, base + leaf)
        at = self.offset(data_rva)
        return self.data[at:at + data_size]


def check(folder, architecture, skin):
    machine, magic = MACHINES[architecture]
    files = []
    for root, _, names in os.walk(folder):
        files += [os.path.join(root, n) for n in names if n.lower().endswith((".exe", ".dll"))]
    own = {os.path.basename(f).lower() for f in files}
    faults = []
    carried = set()
    for path in sorted(files):
        shown = os.path.relpath(path, folder)
        try:
            image = Image(path)
            if (image.machine, image.magic) != (machine, magic):
                faults.append("%s: machine %#x, optional header %#x; %s needs %#x, %#x"
                              % (shown, image.machine, image.magic, architecture, machine, magic))
                continue
            for library in image.imports():
                if library.lower() not in SYSTEM_LIBRARIES and library.lower() not in own:
                    faults.append("%s imports %s, which is neither a system library nor ours" % (shown, library))
            packed = image.resource("TESSARINE", "DEFAULT")
        except (ValueError, struct.error, IndexError) as error:
            faults.append("%s: unreadable image (%s)" % (shown, error))
            continue
        if packed is not None:
            carried.add(os.path.basename(path).lower())
            if packed != skin:
                faults.append("%s carries a skin of %d bytes that is not the packed default skin (%d bytes)"
                              % (shown, len(packed), len(skin)))
    for program in sorted(SKIN_PROGRAMS - carried):
        faults.append("%s is missing or carries no default skin" % program)
    return len(files), faults


def main():
    if len(sys.argv) != 4 or sys.argv[2] not in MACHINES:
        sys.exit(__doc__)
    with open(sys.argv[3], "rb") as f:
        skin = f.read()
    count, faults = check(sys.argv[1], sys.argv[2], skin)
    for fault in faults:
        print("check_dist: " + fault)
    if count == 0:
        print("check_dist: no programs in " + sys.argv[1])
        sys.exit(1)
    if faults:
        sys.exit(1)
    print("check_dist: %d programs and libraries in %s are %s, import only system libraries and their own, "
          "and carry the packed default skin" % (count, sys.argv[1], architecture_name(sys.argv[2])))


def architecture_name(architecture):
    return {"i686": "PE32 for i386", "x86_64": "PE32+ for x86-64"}[architecture]


if __name__ == "__main__":
    main()
