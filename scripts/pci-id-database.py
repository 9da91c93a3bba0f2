#!/usr/bin/python3
"""Writes the C++ source of the built-in PCI name database.

Usage: pci-id-database.py OUTPUT.cpp [PCI_IDS]

The vendors and their order are fixed below. Their device lines come from Debian's
pci.ids (package pci.ids, default /usr/share/misc/pci.ids); when that file is missing a
small built-in set is used instead, so the build never fails for want of it. Device names
are cut to 32 characters; devices of one vendor that end up with the same name share a
line ("2815+2850:ICH8M"). Standard library only.
"""
import sys

DEFAULT_PCI_IDS = "/usr/share/misc/pci.ids"
NAME_CHARS = 32

# The vendor blocks of the database, in text order, with the names the program shows.
VENDORS = [
    ("1113", "Accton"), ("8888", "Utron"), ("1011", "DECchip"), ("8086", "Intel"),
    ("1060", "UMC"), ("10b9", "ALI"), ("1039", "SiS"), ("1045", "OPTi"), ("1022", "AMD"),
    ("1000", "NCR"), ("9004", "Adaptec"), ("5333", "S3"), ("1023", "Trident"),
    ("1013", "Cirrus"), ("1002", "ATI"), ("102c", "C&T"), ("100c", "Tseng Labs"),
    ("1005", "Avance Logic"), ("1095", "CMD"), ("1142", "ProMotion"), ("100e", "Weitek"),
    ("0e11", "Compaq"), ("102b", "Matrox"), ("105d", "Number Nine"), ("1163", "Rendition"),
    ("1097", "Appian"), ("1C1C", "DTC"), ("100b", "NS"), ("1042", "PC Technology"),
    ("10ad", "Symphony"), ("1106", "VIA"), ("1004", "VLSI"), ("1014", "IBM"),
    ("1025", "Acer"), ("1080", "CONTAQ"), ("10AA", "ACC"), ("1179", "Toshiba"),
    ("1066", "VESUVIUS"), ("1078", "Cyrix"), ("1033", "NEC"), ("104c", "Texas Instruments"),
    ("121A", "3Dfx"), ("197b", "JMicron"),
]

# Lines the database has always had; they come first in their block, so they win over the
# generated names of the same IDs.
FIXED_LINES = {
    "8086": ["2815+2850:ICH8M"],
    "1002": ["4742+4744+4747+4749:3D Rage Pro (R3)"],
    "102b": ["0518+0d10:MGA Ultima/Impression"],
    "5333": ["8812:Aurora64V+ (767)"],
}

# Vendors listed without devices.
NO_DEVICES = {"197b"}

# Used without pci.ids: the devices of QEMU's pc and q35 machines and of its common extra
# devices, and a few chipset, storage, network and display devices.
FALLBACK_DEVICES = {
    "8086": [
        ("1237", "440FX - 82441FX PMC [Natoma]"), ("7000", "82371SB PIIX3 ISA"),
        ("7010", "82371SB PIIX3 IDE"), ("7020", "82371SB PIIX3 USB"),
        ("7113", "82371AB/EB/MB PIIX4 ACPI"), ("7111", "82371AB/EB/MB PIIX4 IDE"),
        ("29c0", "82G33/G31/P35/P31 DRAM Controller"), ("2918", "82801IB (ICH9) LPC Interface"),
        ("2922", "82801IR (ICH9R) SATA [AHCI mode]"), ("2930", "82801I (ICH9 Family) SMBus"),
        ("2934", "82801I (ICH9) USB UHCI #1"), ("2935", "82801I (ICH9) USB UHCI #2"),
        ("2936", "82801I (ICH9) USB UHCI #3"), ("293a", "82801I (ICH9) USB2 EHCI #1"),
        ("293e", "82801I (ICH9) HD Audio"), ("2668", "82801FB (ICH6) HD Audio"),
        ("24cd", "82801DB (ICH4) USB2 EHCI"), ("25ab", "6300ESB Watchdog Timer"),
        ("100e", "82540EM Gigabit Ethernet"), ("10d3", "82574L Gigabit Network"),
        ("1209", "8255xER/82551IT Fast Ethernet"), ("2411", "82801AA IDE Controller"),
    ],
    "1000": [("0012", "53c895a"), ("0060", "MegaRAID SAS 1078"), ("005b", "MegaRAID SAS 2208")],
    "1022": [("2000", "79c970 [PCnet32 LANCE]"), ("1450", "Family 17h Root Complex")],
    "1013": [("00b8", "GD 5446")],
    "1033": [("0194", "uPD720200 USB 3.0 Host")],
    "1106": [("3038", "VT82xx UHCI USB 1.1"), ("3104", "USB 2.0")],
    "10b9": [("5229", "M5229 IDE")],
    "1039": [("0900", "SiS900 PCI Fast Ethernet")],
}


def cut_name(name):
    """The name in at most 32 characters, cut at a blank where that keeps most of it."""
    name = "".join(ch if ch.isprintable() else " " for ch in name)
    name = "".join(ch if ord(ch) <= 0xFFFF else "?" for ch in name).strip()
    if len(name) <= NAME_CHARS:
        return name
    blank = name.rfind(" ", 0, NAME_CHARS + 1)
    cut = blank if blank >= NAME_CHARS // 2 else NAME_CHARS
    name = name[:cut].rstrip()
    # A bracket left open by the cut goes, with what follows it.
    for opening, closing in ("[]", "()"):
        start = name.rfind(opening)
        if start > 0 and name.find(closing, start) < 0:
            name = name[:start].rstrip()
    return name


def read_pci_ids(path, wanted):
    """Device (id, name) pairs of the wanted vendors, in file order."""
    devices = {vendor: [] for vendor in wanted}
    vendor = None
    with open(path, encoding="utf-8", errors="replace") as ids:
        for line in ids:
            line = line.rstrip("\n")
            if not line or line.startswith("#") or line.startswith("\t\t"):
                continue
            if not line.startswith("\t"):
                # A class section ("C 01  ...") ends the vendor list.
                vendor = None if line.startswith("C ") else line[:4].lower()
                continue
            if vendor in devices:
                device_id, _, name = line.strip().partition(" ")
                if len(device_id) == 4:
                    devices[vendor].append((device_id.lower(), name.strip()))
    return devices


def ids_of_fixed_lines(lines):
    taken = set()
    for line in lines:
        taken.update(part.lower() for part in line.split(":", 1)[0].split("+"))
    return taken


def block_lines(vendor, devices):
    """The device lines of one vendor: fixed lines, then one line per distinct name."""
    fixed = FIXED_LINES.get(vendor.lower(), [])
    taken = ids_of_fixed_lines(fixed)
    grouped = {}
    for device_id, name in devices:
        name = cut_name(name)
        if not name or device_id in taken:
            continue
        taken.add(device_id)
        grouped.setdefault(name, []).append(device_id)
    return fixed + ["+".join(ids) + ":" + name for name, ids in grouped.items()]


def database_lines(devices_by_vendor):
    lines = []
    for vendor, name in VENDORS:
        lines.append(vendor + "=" + name)
        if vendor.lower() not in NO_DEVICES:
            lines.extend(block_lines(vendor, devices_by_vendor.get(vendor.lower(), [])))
        lines.append("")
    return lines


def cpp_literal(line):
    out = []
    for ch in line + "\n":
        if ch == "\n":
            out.append("\\n")
        elif ch in "\\\"?":
            out.append("\\" + ch)
        elif 0x20 <= ord(ch) < 0x7F:
            out.append(ch)
        else:
            out.append("\\u%04X" % ord(ch))
    return 'u"' + "".join(out) + '"'


def write_source(path, lines, origin):
    with open(path, "w", encoding="ascii") as source:
        source.write("// Generated by scripts/pci-id-database.py from %s; do not edit.\n" % origin)
        source.write('#include "spaces/PciIds.h"\n\nconst char16_t PciIdDatabase[] =\n')
        for line in lines:
            source.write("    %s\n" % cpp_literal(line))
        source.write("    ;\n")


def main(argv):
    if len(argv) not in (2, 3):
        sys.stderr.write(__doc__)
        return 2
    pci_ids = argv[2] if len(argv) == 3 else DEFAULT_PCI_IDS
    wanted = [vendor.lower() for vendor, _ in VENDORS]
    try:
        devices = read_pci_ids(pci_ids, wanted)
        origin = "pci.ids"
    except OSError:
        devices = FALLBACK_DEVICES
        origin = "its built-in device list (no %s)" % pci_ids
    write_source(argv[1], database_lines(devices), origin)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
