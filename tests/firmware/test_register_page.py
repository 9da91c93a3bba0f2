"""The register page on real firmware: the first page, the walk over every function
that QEMU's `info pci` lists, a PCI Express function behind a root port with its 4 KB
window, editing, the widths, the ASCII column, the bit map window and Ctrl-G.

Machines: q35 (both architectures) with `-device pcie-root-port,id=rp1,chassis=1
-device e1000e,bus=rp1`; `-machine pc` (i440FX/PIIX3) on x64. One boot per
machine and architecture is shared by the tests of this module.
"""

import re

import pytest

from conftest import boot_zo, started

EXPRESS_DEVICES = ["-device", "pcie-root-port,id=rp1,chassis=1", "-device", "e1000e,bus=rp1"]
HEADER = re.compile(r"Type:PCI( Express)?\s+Bus ([0-9A-F]{2})\s+Device ([0-9A-F]{2})\s+Function ([0-9A-F]{2})")


@pytest.fixture(scope="module")
def q35(arch, zo_image):
    vm = started(boot_zo(arch, zo_image, qemu_args=EXPRESS_DEVICES, name="page-q35"))
    yield vm
    vm.close()


@pytest.fixture(scope="module")
def pc(arch, zo_image):
    if arch != "x64":
        pytest.skip("the older PC machine is checked on x64")
    # On this machine the firmware does not boot the disk by itself: start ZO from the shell.
    vm = boot_zo("x64", zo_image, shell=True, qemu_args=["-machine", "pc"], name="page-pc")
    vm.skip_startup_delay()
    vm.start_from_shell()
    yield started(vm)
    vm.close()


def position(vm):
    m = HEADER.search(vm.row(23))
    return (int(m.group(2), 16), int(m.group(3), 16), int(m.group(4), 16), bool(m.group(1))) if m else None


def shown_ids(vm):
    """Vendor and device ID as the first grid row shows them (bytes 0-3)."""
    b = vm.row(6)[6:17].split()
    return int(b[1] + b[0], 16), int(b[3] + b[2], 16)


def cell(vm, offset):
    """The two digits of the byte at `offset` of a width-1 page."""
    x, y = 6 + 3 * (offset % 16), 6 + offset // 16
    return vm.row(y)[x:x + 2]


def press(vm, key, until, what):
    vm.send_key(key)
    shown = vm.wait_for(until, 30, what)
    vm.settle()  # the rest of the screen follows the part waited for
    return shown


def go_to(vm, target):
    """PgDn until the page shows bus/device/function `target`."""
    for _ in range(40):
        if position(vm) and position(vm)[:3] == target:
            return
        before = vm.row(23)
        press(vm, "pgdn", lambda v: v.row(23) != before, "the next function")
    raise AssertionError("never reached %s:\n%s" % (target, vm.dump()))


def move_cursor(vm, offset):
    """From where the corner label says the cursor is to `offset`, with the arrows (width 1)."""
    now = int(vm.row(5)[1:5].strip(), 16) & 0xFF
    rows, columns = offset // 16 - now // 16, offset % 16 - now % 16
    vm.send_keys(*(["down"] * rows if rows > 0 else ["up"] * -rows))
    vm.send_keys(*(["right"] * columns if columns > 0 else ["left"] * -columns))
    vm.wait_for(lambda v: v.row(5)[1:5].strip().endswith("%02X" % (offset & 0xFF)), 10, "corner label %02X" % offset)


def walk(vm, key, steps):
    seen = []
    for _ in range(steps):
        before = vm.row(23)
        press(vm, key, lambda v: v.row(23) != before and position(v), "the header of the next function")
        vm.wait_quiet(0.3)
        p = position(vm)
        seen.append(p[:3] + shown_ids(vm))
    return seen


def test_first_page_is_the_host_bridge(q35):
    listed = q35.pci_functions()
    assert position(q35) == (0, 0, 0, False)
    assert q35.row(23).startswith("Type:PCI   Bus 00   Device 00   Function 00")
    assert (0, 0, 0) + shown_ids(q35) == listed[0]
    assert shown_ids(q35) == (0x8086, 0x29C0)
    assert q35.row(2)[3:].startswith("Device: D0:F0")
    assert "Host bridge" in q35.row(2)
    assert q35.row(9)[56:75] == "VID:DID = 8086:29C0"
    assert q35.row(5)[56:69] == "Refresh    : "
    assert q35.row(5)[1:5] == "  00"
    # PCIEXBAR (60h) holds the window the firmware set up, with its enable bit.
    assert cell(q35, 0x60) == "01"
    assert [q35.row(5)[5 + 3 * i:8 + 3 * i] for i in (0, 10, 15)] == [" 00", " 0A", " 0F"]


def test_pgdn_visits_every_listed_function_in_order_and_wraps(q35):
    go_to(q35, (0, 0, 0))
    listed = q35.pci_functions()
    seen = walk(q35, "pgdn", len(listed))
    assert seen == listed[1:] + listed[:1]
    back = walk(q35, "pgup", len(listed))
    assert back == list(reversed(listed))


def test_express_function_behind_the_root_port_has_16_pages(q35):
    nic = [f for f in q35.pci_functions() if f[3:] == (0x8086, 0x10D3)][0]
    go_to(q35, nic[:3])
    assert position(q35)[3], "the e1000e must be shown as PCI Express"
    assert q35.row(23).startswith("Type:PCI Express   Bus %02X" % nic[0])
    assert q35.row(2).startswith(" PCI Express: D0:F0")
    assert q35.row(6)[1:5] == "0000"
    assert b"Scanning PCIe ECAM" not in q35.raw(), "the base comes from the host bridge, without a scan"
    press(q35, "ctrl-pgdn", lambda v: v.row(6)[1:5] == "0100", "page 1")
    # Offset 100h is the first extended capability, which the configuration ports cannot reach.
    assert cell(q35, 0) != "FF" or cell(q35, 1) != "FF"
    for page in range(2, 16):
        press(q35, "ctrl-pgdn", lambda v, p=page: v.row(6)[1:5] == "%02X00" % p, "page %d" % page)
    press(q35, "ctrl-pgdn", lambda v: v.row(6)[1:5] == "0000", "page 0 after page 15")
    press(q35, "ctrl-pgup", lambda v: v.row(6)[1:5] == "0000", "page 0 stays")
    assert shown_ids(q35) == (0x8086, 0x10D3)


def test_typed_byte_is_written_and_esc_writes_nothing(q35):
    nic = [f for f in q35.pci_functions() if f[3:] == (0x8086, 0x10D3)][0]
    go_to(q35, (0, 0, 0))
    go_to(q35, nic[:3])
    move_cursor(q35, 0x3C)
    q35.send_keys("5", "a", "ret")
    q35.wait_for(lambda v: "IRQ 90" in v.monitor("info pci"), 10, "Interrupt Line 5Ah in the device")
    q35.wait_for(lambda v: cell(v, 0x3C) == "5A", 10, "the value read back")
    q35.send_keys("7", "esc")
    q35.wait_quiet(0.5)
    assert cell(q35, 0x3C) == "5A"
    assert "IRQ 90" in q35.monitor("info pci")


def test_widths_ascii_column_and_bitmap_window(q35):
    nic = [f for f in q35.pci_functions() if f[3:] == (0x8086, 0x10D3)][0]
    go_to(q35, (0, 0, 0))
    go_to(q35, nic[:3])
    move_cursor(q35, 0x12)
    press(q35, "f7", lambda v: v.row(5)[5:15] == " 0100 0302", "16-bit column headers")
    assert q35.row(7)[56:76] == "Data Width : 16 bits"
    assert q35.row(5)[1:5] == "0012"  # the cursor stays on the cell that holds its byte
    press(q35, "f7", lambda v: v.row(5)[5:23] == " 03020100 07060504", "32-bit column headers")
    assert q35.row(5)[1:5] == "0010"
    press(q35, "f7", lambda v: v.row(5)[5:11] == " 00 01", "8-bit column headers")
    # F4: the ASCII column instead of the panel, then back.
    press(q35, "f4", lambda v: "VID:DID" not in v.text(56, 5, 79, 22), "the ASCII column")
    assert q35.row(5)[56:69] == "Refresh    : "
    press(q35, "f4", lambda v: "VID:DID" in v.text(56, 5, 79, 22), "the panel again")
    # The bit map window under the cursor cell (offset 12h: row 7, column 12).
    move_cursor(q35, 0x12)
    value = int(cell(q35, 0x12), 16)
    q35.wait_for(lambda v: v.row(8)[12:20] == format(value, "08b"), 10, "the bit map of the cursor cell")
    press(q35, "spc", lambda v: v.row(8)[12:14] == cell(v, 0x22), "the bit map window switched off")
    press(q35, "spc", lambda v: v.row(8)[12:20] == format(value, "08b"), "the bit map window back")


def test_ctrl_g_on_a_memory_bar_opens_memory(q35):
    nic = [f for f in q35.pci_functions() if f[3:] == (0x8086, 0x10D3)][0]
    go_to(q35, (0, 0, 0))
    go_to(q35, nic[:3])
    bar0 = int("".join(reversed(q35.row(7)[6:17].split())), 16)
    assert bar0 and not bar0 & 1
    assert ("BAR0: 32 bit memory at 0x%08x" % (bar0 & ~0xF)) in q35.monitor("info pci")
    move_cursor(q35, 0x10)
    press(q35, "ctrl-g", lambda v: v.row(23).startswith("Type:Memory "), "the memory view")
    assert q35.row(23).startswith("Type:Memory    Address %08X" % bar0)
    press(q35, "ctrl-left", lambda v: position(v) == nic[:3] + (True,), "back to the function")


def test_older_pc_machine_walk_and_page(pc):
    listed = pc.pci_functions()
    assert shown_ids(pc) == (0x8086, 0x1237)
    assert pc.row(23).startswith("Type:PCI   Bus 00   Device 00   Function 00")
    seen = walk(pc, "pgdn", len(listed))
    assert seen == listed[1:] + listed[:1]
