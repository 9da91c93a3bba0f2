"""Opening register spaces on real firmware: the PCI device list (F6), flat memory, the
CMOS bank (F9), the CPU MSR list of each processor vendor, and an option ROM reached
through a NIC's expansion ROM register.

Machine: q35 with an e1000 (which carries an option ROM with a legacy image and an EFI
image) and an e1000e behind a PCI Express root port; on x64 also a boot with
`-cpu Skylake-Client`. One boot per machine and architecture is shared by the tests.
"""

import datetime
import os
import re
import time

import pytest

from conftest import boot_zo, started

E1000_ROM = "/usr/lib/ipxe/qemu/efi-e1000.rom"
E1000 = "e1000" + (",romfile=" + E1000_ROM if os.path.isfile(E1000_ROM) else "")
DEVICES = ["-device", E1000, "-device", "pcie-root-port,id=rp1,chassis=1", "-device", "e1000e,bus=rp1"]
LIST_ROW = re.compile(r"^(.{46})   ([0-9A-F]{4})    ([0-9A-F]{4})      ([0-9A-F]{2})   ([0-9A-F]{2})   ([0-9A-F]{2})")
PCI_HEADER = re.compile(r"Type:PCI( Express)?\s+Bus ([0-9A-F]{2})\s+Device ([0-9A-F]{2})\s+Function ([0-9A-F]{2})")


def started_without_bitmap(vm):
    started(vm)
    # The bit map window would cover the row under the cursor cell.
    # (With it off the page refreshes on its own, so the serial line is never quiet.)
    vm.send_key("spc")
    settle()
    return vm


def settle(seconds=0.8):
    time.sleep(seconds)


@pytest.fixture(scope="module")
def q35(arch, zo_image):
    vm = started_without_bitmap(boot_zo(arch, zo_image, qemu_args=DEVICES, name="spaces-q35"))
    yield vm
    vm.close()


@pytest.fixture(scope="module")
def skylake(arch, zo_image):
    if arch != "x64":
        pytest.skip("the Skylake client CPU model is checked on x64")
    vm = started_without_bitmap(boot_zo("x64", zo_image, qemu_args=["-cpu", "Skylake-Client"], name="spaces-skylake"))
    yield vm
    vm.close()


def press(vm, key, until, what, timeout=30):
    vm.send_key(key)
    shown = vm.wait_for(until, timeout, what)
    vm.settle()  # the rest of the screen follows the part waited for
    return shown


def type_keys(vm, text):
    vm.send_keys(*[c.lower() for c in text])


def memory(vm, address, count):
    """`count` bytes of physical memory as the monitor reads them."""
    out = vm.monitor("xp /%dxb 0x%x" % (count, address))
    return [int(v, 16) for line in out.splitlines() for v in line.split(":")[1].split()]


def cell(vm, offset):
    """The two digits of the byte at `offset` of a 16-byte-row page of width 1."""
    return vm.row(6 + offset // 16)[6 + 3 * (offset % 16):8 + 3 * (offset % 16)]


def cursor_offset(vm):
    return int(vm.row(5)[1:5].strip(), 16) & 0xFF


def move_cursor(vm, offset):
    now = cursor_offset(vm)
    rows, columns = offset // 16 - now // 16, offset % 16 - now % 16
    vm.send_keys(*(["down"] * rows if rows > 0 else ["up"] * -rows))
    vm.send_keys(*(["right"] * columns if columns > 0 else ["left"] * -columns))
    vm.wait_for(lambda v: cursor_offset(v) == offset, 10, "the cursor on %02X" % offset)


def back_to_pci(vm):
    """Ctrl-Left until a PCI page is shown (every test starts from one)."""
    for _ in range(10):
        if PCI_HEADER.search(vm.row(23)):
            return
        before = vm.row(23)
        press(vm, "ctrl-left", lambda v: v.row(23) != before, "the previous space")
    raise AssertionError(vm.dump())


def open_memory(vm, address, header="Memory "):
    """F5, Memory (Flat), the address typed into the header line, Enter."""
    press(vm, "f5", lambda v: v.contains("  Access Type Selection"), "the access type menu")
    press(vm, "6", lambda v: v.row(23).startswith("Type:Memory    Address 00000000"), "the address field")
    type_keys(vm, "%X" % address)
    press(vm, "ret", lambda v: v.row(23).startswith("Type:%s   Address %08X" % (header, address)),
          "memory at %08X" % address)
    settle()


def list_rows(vm):
    rows = []
    for y in range(3, 22):
        m = LIST_ROW.match(vm.row(y))
        if m:
            rows.append((m.group(1).rstrip(),) + tuple(int(g, 16) for g in m.groups()[1:]))
    return rows


# ------------------------------------------------------------------------ PCI device list

def test_f6_lists_what_the_monitor_lists_and_opens_the_choice(q35):
    back_to_pci(q35)
    listed = q35.pci_functions()
    press(q35, "f6", lambda v: v.row(2).startswith("Name" + " " * 45 + "Vendor  Device   Bus# Dev# Fun#"),
          "the device list")
    settle()
    rows = list_rows(q35)
    assert len(listed) < 19, "one page holds the machine"
    assert sorted(r[3:] + r[1:3] for r in rows) == listed
    by_ids = {r[1:3]: r[0] for r in rows}
    assert by_ids[(0x8086, 0x10D3)].endswith("(PCI Express)"), "the e1000e sits behind a root port"
    assert by_ids[(0x8086, 0x29C0)].startswith("D0:F0   Intel ")
    assert not by_ids[(0x8086, 0x100E)].endswith("(PCI Express)")
    assert by_ids[(0x8086, 0x100E)].startswith("D%d:F0   Intel " % [r[4] for r in rows if r[1:3] == (0x8086, 0x100E)][0])
    # Choose the e1000: Down to its row, Enter.
    target = [r[1:3] for r in rows].index((0x8086, 0x100E))
    q35.send_keys(*["down"] * target)
    bus, device, function = rows[target][3:]
    press(q35, "ret", lambda v: v.row(23).startswith("Type:PCI   Bus %02X   Device %02X   Function %02X"
                                                       % (bus, device, function)), "the chosen function")
    settle()
    assert cell(q35, 0) + cell(q35, 1) + cell(q35, 2) + cell(q35, 3) == "86800E10"


# ------------------------------------------------------------------------ memory

def firmware_structure(vm):
    """(address, signature) of a firmware structure: an SMBIOS or ACPI anchor in the
    legacy BIOS area if the firmware put one there, else the firmware volume header at the
    start of the flash (OVMF leaves E0000h-FFFFFh empty)."""
    area = bytes(memory(vm, 0xE0000, 0x20000))
    for signature in (b"_SM3_", b"_SM_", b"RSD PTR "):
        at = area.find(signature)
        if at >= 0 and at % 16 == 0:
            return 0xE0000 + at, signature
    flash = 0xFFC00000  # the 4 MB flash image ends at 4 GB
    assert bytes(memory(vm, flash + 0x28, 4)) == b"_FVH"
    return flash, b"_FVH"


def test_memory_shows_a_firmware_structure_byte_for_byte(q35):
    back_to_pci(q35)
    address, signature = firmware_structure(q35)
    page = address & ~0xFF
    open_memory(q35, page)
    expected = memory(q35, page, 64)
    assert [int(cell(q35, i), 16) for i in range(64)] == expected
    offset = address - page + (0x28 if signature == b"_FVH" else 0)
    ascii_row = q35.row(6 + offset // 16)[56:72]
    assert signature.decode()[:4] in ascii_row, "the ASCII column shows the signature"


def test_typed_byte_reaches_scratch_ram(q35):
    back_to_pci(q35)
    scratch = 0x50000  # conventional memory below 1 MB that the firmware leaves free
    original = memory(q35, scratch + 0x10, 1)[0]
    open_memory(q35, scratch)
    value = 0xA5 if original != 0xA5 else 0x5A
    move_cursor(q35, 0x10)
    type_keys(q35, "%02X" % value)
    q35.send_key("ret")
    q35.wait_for(lambda v: memory(v, scratch + 0x10, 1)[0] == value, 10, "the byte in memory")
    q35.wait_for(lambda v: cell(v, 0x10) == "%02X" % value, 10, "the byte read back")
    type_keys(q35, "%02X" % original)
    q35.send_key("ret")
    q35.wait_for(lambda v: memory(v, scratch + 0x10, 1)[0] == original, 10, "the original byte back")


# ------------------------------------------------------------------------ CMOS

def test_f9_cmos_shows_the_clock_of_the_rtc(q35):
    back_to_pci(q35)
    press(q35, "f9", lambda v: v.contains("    ISA IO Sets    "), "the ISA IO sets")
    assert q35.contains("(0) CMOS") and q35.contains("(1) Cyrix CPU (586 class)")
    press(q35, "0", lambda v: v.row(23).startswith("Type:ISA   Port 0070,0071"), "the CMOS bank")
    # the header line comes first; the information line follows with the page
    q35.wait_for(lambda v: v.row(2)[3:15] == "Device: CMOS", 10, "isaSet 0 naming the set")
    settle()

    def agrees(v):
        clock = re.search(r"(\d\d):(\d\d):(\d\d) *$", v.row(24))
        if not clock:
            return False
        hours, minutes, seconds = cell(v, 4), cell(v, 2), cell(v, 0)
        shown = int(clock.group(3)) - int(seconds)
        return (hours, minutes) == clock.group(1, 2) and 0 <= shown % 60 <= 3

    q35.wait_for(agrees, 30, "hours, minutes and seconds as the clock on row 24")
    today = datetime.datetime.utcnow()
    assert (cell(q35, 9), cell(q35, 8), cell(q35, 7)) == (
        "%02d" % (today.year % 100), "%02d" % today.month, "%02d" % today.day)
    assert int(cell(q35, 0x0A), 16) & 0x7F == 0x26, "status register A of the RTC"


# ------------------------------------------------------------------------ CPU MSR

def msr_address(row):
    m = re.match(r"^ *\S.{0,15}:([0-9A-F]{8}) ", row)
    return int(m.group(1), 16) if m else None


def msr_row(vm, address):
    """(screen row, eight bytes) of the row of MSR `address`, paging down from the first page."""
    for _ in range(20):
        for y in range(6, 22):
            row = vm.row(y)
            if msr_address(row) == address:
                return y, row[29:29 + 24].split()
        before = vm.row(6)
        press(vm, "pgdn", lambda v: v.row(6) != before, "the next MSR page")
    raise AssertionError("no row for MSR %X:\n%s" % (address, vm.dump()))


def open_msrs(vm, vendor):
    press(vm, "alt-8", lambda v: v.row(23).startswith("Type:%s CPU MSRs" % vendor), "the %s MSR list" % vendor)
    settle()


def test_msr_list_of_the_default_processor(q35, arch):
    back_to_pci(q35)
    vendor, apic_name, sysenter_name = (("AMD", "APIC_BAR", "SYSENTER_CS") if arch == "x64"
                                        else ("Intel", "IA32_APIC_BASE", "IA32_SYSENTER_CS"))
    open_msrs(q35, vendor)
    y, value = msr_row(q35, 0x1B)
    assert q35.row(y)[:19].strip() == apic_name
    assert value == ["00", "09", "E0", "FE", "00", "00", "00", "00"], "IA32_APIC_BASE of the boot processor"
    y, before = msr_row(q35, 0x174)
    assert q35.row(y)[:19].strip() == sysenter_name
    # Byte 1 of the row: the cursor goes there from the row's first cell.
    row = y - 6
    q35.send_keys(*["down"] * row, "right")
    new = "%02X" % (int(before[1], 16) ^ 0x12)
    type_keys(q35, new)
    q35.send_key("ret")
    settle()
    after = q35.row(y)[29:29 + 24].split()
    assert after == before[:1] + [new] + before[2:]
    # Read again from the processor: to another space and back.
    press(q35, "ctrl-left", lambda v: not v.row(23).startswith("Type:%s CPU" % vendor), "the previous space")
    press(q35, "ctrl-right", lambda v: v.row(23).startswith("Type:%s CPU MSRs" % vendor), "the MSR list again")
    settle()
    assert q35.row(y)[29:29 + 24].split() == after
    # Put the register back as it was.
    type_keys(q35, before[1])
    q35.send_key("ret")
    q35.wait_for(lambda v: v.row(y)[29:29 + 24].split() == before, 10, "the MSR as before")


def test_skylake_client_gets_the_intel_table(skylake):
    open_msrs(skylake, "Intel")
    assert skylake.row(6)[:28] == "   TIME_STAMP_COUNT:00000010"
    y, value = msr_row(skylake, 0x1B)
    assert skylake.row(y)[:19].strip() == "IA32_APIC_BASE"
    assert value[:4] == ["00", "09", "E0", "FE"]


# ------------------------------------------------------------------------ option ROM

def rom_images(path):
    """Offsets of the images of an option ROM file (0xAA55 at 512-byte boundaries) and the
    offset of the first image's PnP header."""
    data = open(path, "rb").read()
    starts = [o for o in range(0, len(data), 512) if data[o:o + 2] == b"\x55\xaa"]
    pnp = int.from_bytes(data[0x1A:0x1C], "little")
    return starts, pnp if data[pnp:pnp + 4] == b"$PnP" else None


def free_window_address(vm, size):
    """An address in the PCI memory window above every assigned 32-bit BAR, aligned to `size`."""
    ends = [int(m.group(2), 16) for m in re.finditer(r"32 bit (prefetchable )?memory at 0x[0-9a-f]+ \[0x([0-9a-f]+)\]",
                                                      vm.monitor("info pci"))
            if int(m.group(2), 16) < 0xFE000000]
    top = max(ends) + 1
    return (top + size - 1) & ~(size - 1)


@pytest.mark.skipif(not os.path.isfile(E1000_ROM), reason="the e1000 option ROM file is missing")
def test_option_rom_of_the_nic(q35):
    back_to_pci(q35)
    starts, pnp = rom_images(E1000_ROM)
    size = 1 << (os.path.getsize(E1000_ROM) - 1).bit_length()
    address = free_window_address(q35, size)
    nic = [f for f in q35.pci_functions() if f[3:] == (0x8086, 0x100E)][0]
    press(q35, "f6", lambda v: v.row(2).startswith("Name"), "the device list")
    settle()
    index = [r[1:3] for r in list_rows(q35)].index((0x8086, 0x100E))
    q35.send_keys(*["down"] * index)
    press(q35, "ret", lambda v: v.row(23).startswith("Type:PCI   Bus %02X   Device %02X" % nic[:2]), "the e1000")
    settle()
    if not int(cell(q35, 4), 16) & 2:  # memory decoding is needed to see the ROM
        move_cursor(q35, 0x04)
        type_keys(q35, "%02X" % (int(cell(q35, 4), 16) | 2))
        q35.send_key("ret")
    for offset in (0x32, 0x33):
        move_cursor(q35, offset)
        type_keys(q35, "%02X" % (address >> (8 * (offset - 0x30)) & 0xFF))
        q35.send_key("ret")
        q35.wait_for(lambda v, o=offset: cell(v, o) == "%02X" % (address >> (8 * (o - 0x30)) & 0xFF), 10,
                     "ROM address byte %02X" % offset)
    move_cursor(q35, 0x30)
    press(q35, "ctrl-g", lambda v: v.row(23).startswith("Type:Memory    Address %08X" % address), "the ROM in memory")
    settle()
    assert "ROM: at 0x%08x" % address in q35.monitor("info pci") or \
        memory(q35, address, 2) == [0x55, 0xAA], "the ROM decodes at its address"
    assert (cell(q35, 0), cell(q35, 1)) == ("55", "AA")
    # Selected again from a memory view, the page is recognised as a ROM header.
    open_memory(q35, address, header="ROM    ")
    if pnp is not None:
        press(q35, "ctrl-pgdn", lambda v: v.row(23).startswith("Type:ROM       Address %08X" % (address + pnp)),
              "the PnP header")
        assert q35.row(6)[56:60] == "$PnP"
    later = [s for s in starts if s > 0]
    assert later, "the ROM carries a second image"
    press(q35, "ctrl-pgdn", lambda v: v.row(23).endswith("Address %08X" % (address + later[0]))
          or "Address %08X" % (address + later[0]) in v.row(23), "the next ROM image")
    assert (cell(q35, 0), cell(q35, 1)) == ("55", "AA")
    press(q35, "ctrl-pgup", lambda v: "Address %08X" % address in v.row(23), "back to the first image")
