#!/usr/bin/python3
# Checks a built Brevlin.exe image: PE header facts, imports, and exactly the resources it must
# carry (manifest, version block, icon groups), value by value. Prints every difference found.
# Usage: check_image.py --arch x86|amd64 [--max-size BYTES] Brevlin.exe
import argparse, struct, sys
import xml.etree.ElementTree as ET

import pefile

JAPANESE = 0x0411
RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"

STRINGS = {
    "FileDescription": "Brevlin",
    "FileVersion": "1, 0, 0, 0",
    "InternalName": "Brevlin",
    "OriginalFilename": "Brevlin.exe",
    "ProductName": " Brevlin",
    "ProductVersion": "1, 0, 0, 0",
    "SpecialBuild": "2006.11.24.01",
}
FIXED = {
    "Signature": 0xFEEF04BD, "FileVersionMS": 0x00010000, "FileVersionLS": 0,
    "ProductVersionMS": 0x00010000, "ProductVersionLS": 0, "FileFlagsMask": 0x37,
    "FileFlags": 0x20, "FileOS": 0x4, "FileType": 0x1, "FileSubtype": 0,
    "FileDateMS": 0, "FileDateLS": 0,
}


def expected_manifest(arch):
    """The manifest's element tree as (tag, attributes, text, children)."""
    privileges = (ASM_V3 + "requestedPrivileges", {}, "", [
        (ASM_V3 + "requestedExecutionLevel", {"level": "requireAdministrator", "uiAccess": "false"}, "", [])])
    return (ASM_V1 + "assembly", {"manifestVersion": "1.0"}, "", [
        (ASM_V1 + "assemblyIdentity", {"version": "1.0.0.0", "processorArchitecture": arch,
                                       "name": "Brevlin", "type": "win32"}, "", []),
        (ASM_V1 + "description", {}, "Description of your application", []),
        (ASM_V3 + "trustInfo", {}, "", [(ASM_V3 + "security", {}, "", [privileges])]),
    ])


class Check:
    def __init__(self):
        self.errors = []

    def equal(self, what, actual, expected):
        if actual != expected:
            self.errors.append(f"{what}: is {actual!r}, should be {expected!r}")

    def true(self, what, condition):
        if not condition:
            self.errors.append(what)


def compare_elements(check, element, expected, path):
    tag, attributes, text, children = expected
    here = f"{path}/{tag.split('}')[-1]}"
    check.equal(f"manifest {here} element", element.tag, tag)
    check.equal(f"manifest {here} attributes", dict(element.attrib), attributes)
    check.equal(f"manifest {here} text", (element.text or "").strip(), text)
    check.equal(f"manifest {here} children", [c.tag for c in element], [c[0] for c in children])
    for child, want in zip(element, children):
        compare_elements(check, child, want, here)


def resources(pe):
    """{(type, id): (language, bytes)} for every resource; a name or a second language is kept
    under a key that no expectation has, so it shows as extra."""
    found = {}
    if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
        return found
    for rtype in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for name in rtype.directory.entries:
            for lang in name.directory.entries:
                key = (rtype.id, name.id if name.id is not None else str(name.name))
                if key in found:
                    key = key + (lang.id,)
                data = pe.get_data(lang.data.struct.OffsetToData, lang.data.struct.Size)
                found[key] = (lang.id, data)
    return found


def check_icons(check, found):
    for group in (129, 130):
        lang, data = found.get((RT_GROUP_ICON, group), (None, b""))
        if len(data) < 6:
            check.errors.append(f"icon group {group}: missing or short")
            continue
        check.equal(f"icon group {group} header", struct.unpack_from("<HHH", data), (0, 1, 2))
        entries = [struct.unpack_from("<BBBBHHIH", data, 6 + 14 * i) for i in range(2)]
        check.equal(f"icon group {group} sizes", [(e[0], e[1]) for e in entries], [(32, 32), (16, 16)])
        for width, height, colours, _, planes, bits, size, icon in entries:
            what = f"icon group {group}, {width}x{height} image"
            check.equal(f"{what}: colours, planes, bits", (colours, planes, bits), (16, 1, 4))
            _, image = found.get((RT_ICON, icon), (None, b""))
            check.equal(f"{what}: size of icon {icon}", len(image), size)
            if len(image) >= 40:
                header = struct.unpack_from("<IiiHH", image)
                check.equal(f"{what}: bitmap header of icon {icon}", header, (40, width, height * 2, 1, 4))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--arch", choices=["x86", "amd64"], required=True)
    parser.add_argument("--max-size", type=int)
    parser.add_argument("image")
    args = parser.parse_args()
    with open(args.image, "rb") as f:
        raw = f.read()
    pe = pefile.PE(data=raw)
    check = Check()

    x86 = args.arch == "x86"
    check.equal("optional header magic", pe.OPTIONAL_HEADER.Magic, 0x10B if x86 else 0x20B)
    check.equal("machine", pe.FILE_HEADER.Machine, 0x14C if x86 else 0x8664)
    check.equal("subsystem", pe.OPTIONAL_HEADER.Subsystem, 2)
    check.equal("subsystem version", (pe.OPTIONAL_HEADER.MajorSubsystemVersion,
                                      pe.OPTIONAL_HEADER.MinorSubsystemVersion), (4, 0))
    check.equal("time stamp", pe.FILE_HEADER.TimeDateStamp, 0)
    flags = pe.OPTIONAL_HEADER.DllCharacteristics
    check.true("DYNAMIC_BASE is not set", flags & 0x40)
    check.true("NX_COMPAT is not set", flags & 0x100)
    dlls = [e.dll.decode() for e in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])]
    check.equal("imported DLLs", dlls, ["KERNEL32.dll"])
    if args.max_size is not None:
        check.true(f"image is {len(raw)} bytes, more than {args.max_size}", len(raw) <= args.max_size)

    found = resources(pe)
    expected = {(RT_ICON, 1), (RT_ICON, 2), (RT_GROUP_ICON, 129), (RT_GROUP_ICON, 130),
                (RT_VERSION, 1), (RT_MANIFEST, 1)}
    check.equal("resources", sorted(map(str, found)), sorted(map(str, expected)))
    for key, (lang, _) in sorted(found.items(), key=str):
        check.equal(f"language of resource {key}", lang, JAPANESE)

    manifest = found.get((RT_MANIFEST, 1), (None, b""))[1]
    declaration = manifest.split(b"?>")[0]
    check.true("manifest: no UTF-8 declaration", b'encoding="UTF-8"' in declaration)
    check.true("manifest: not declared standalone", b'standalone="yes"' in declaration)
    try:
        compare_elements(check, ET.fromstring(manifest), expected_manifest("X86" if x86 else "amd64"), "")
    except ET.ParseError as e:
        check.errors.append(f"manifest does not parse: {e}")

    fixed = pe.VS_FIXEDFILEINFO[0] if hasattr(pe, "VS_FIXEDFILEINFO") else None
    for field, value in FIXED.items():
        check.equal(f"version {field}", getattr(fixed, field, None), value)
    tables, translations = [], []
    for info in getattr(pe, "FileInfo", [[]])[0]:
        for table in getattr(info, "StringTable", []):
            tables.append((table.LangID.decode(), {k.decode(): v.decode() for k, v in table.entries.items()}))
        for var in getattr(info, "Var", []):
            translations.append(var.entry.get(b"Translation"))
    check.equal("version string tables", [t[0] for t in tables], ["041104b0"])
    if tables:
        strings = dict(tables[0][1])
        copyright_text = strings.pop("LegalCopyright", "")
        check.true(f"LegalCopyright {copyright_text!r} names no 2006", "2006" in copyright_text)
        check.equal("version strings", strings, STRINGS)
    check.equal("version translations", translations, ["0x0411 0x04b0"])

    check_icons(check, found)

    if check.errors:
        print(f"{args.image}: {len(check.errors)} differences")
        for e in check.errors:
            print("  " + e)
        return 1
    print(f"{args.image}: image as expected ({len(raw)} bytes)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
