"""The text user interface on real firmware: the about box of the start, the pull-down
menus, the help window, the colour sets, the command-list editor and the usage text of
`ZO.EFI /?` typed by the shell's start-up script."""

import os
import time

import pytest

from conftest import image_path
from zo_vm import ZoVM

ABOUT_TITLE = "Zoquel Chipset Reading"
HELP_TITLE = "Zoquel Help"
GRID_FIRST_ROW = "   00 86 80"  # the host bridge's IDs at the start of the first grid row
PCI_HINTS = ("<PgDn>/<PgUp> Next/Prev PCI", "<Space> to toggle binary bitmap window",
             "<0-9,A-F> Value, <Arrows> Move, <ESC> Cancel", "<TAB>/<SHIFT-TAB> Next/Prev group of registers")


def pick_menu_up(vm):
    """Waits for the colour-set menu (its blinking key character never lets the line rest)."""
    vm.wait_for("(1) User Defined", 20)
    time.sleep(0.3)


def settle(vm, what, timeout=20):
    vm.wait_for(what, timeout)
    vm.wait_quiet(0.3)


def test_about_box_at_start_up_takes_one_key_that_runs_nothing(zo_session):
    vm = zo_session.prompt()
    vm.type_text("zo.efi\n")
    vm.wait_for(lambda v: v.main_screen_up() and v.about_box_up(), 60, "the about box")
    settle(vm, ABOUT_TITLE)
    assert vm.row(7)[19:60] == " " * 9 + ABOUT_TITLE + " " * 10
    assert vm.row(9)[21:59] == "An useful tool to read/write chipsets!"
    assert vm.row(10)[21:31] == "04.95 Beta"
    assert vm.attrs(21, 9, 58, 16) == {0x5F}, "white on magenta"
    assert vm.attrs(19, 7, 59, 7) == {0x2F}, "title bar: the background inverted"
    assert vm.attr(60, 8) == 0x08 and vm.attr(21, 18) == 0x08, "drop shadow"
    vm.send_key("f1")
    vm.wait_for(lambda v: v.row(24).startswith(PCI_HINTS[0]), 20, "the hints of the PCI space")
    vm.wait_quiet(0.3)
    assert not vm.contains(ABOUT_TITLE)
    assert not vm.contains(HELP_TITLE), "the closing key opens no help"
    assert vm.row(9).startswith("   30 ") and vm.row(6).startswith(GRID_FIRST_ROW)
    shown = set()

    def rotated(v):
        text = v.row(24)[:70].rstrip()
        if text in PCI_HINTS:
            shown.add(text)
        return len(shown) == len(PCI_HINTS)
    vm.wait_for(rotated, 10, "the status line to show every PCI hint in turn")


def test_pull_down_menu_follows_the_arrows(zo):
    zo.send_key("alt-f")
    settle(zo, "Load    <F3")
    assert zo.text(1, 1, 11, 5) == "Load    <F3\nSave    <F2\nCompare <F8\n" + "\u2500" * 11 + "\nAbout      "
    assert zo.attr(1, 1) == 0x21 and zo.attr(9, 1) == 0x2C, "selection bar, its key hint kept"
    assert zo.attr(1, 2) == 0x70 and zo.attr(9, 2) == 0x7C
    assert zo.attr(1, 0) == 0x20, "the File title marked"
    zo.send_keys("down", "down", "down")
    zo.wait_quiet(0.3)
    assert zo.attr(1, 5) == 0x21 and zo.attr(1, 1) == 0x70, "the bar jumped over the separator to About"
    zo.send_key("right")
    settle(zo, "PCI             <Alt 1")
    assert zo.row(1)[7:29] == "PCI             <Alt 1"
    assert zo.row(14)[7:29] == "AHCI MMIO      <Alt F5"
    assert not zo.contains("Load    <F3")
    assert zo.attr(1, 0) == 0x70 and zo.attr(7, 0) == 0x20, "the Config title marked instead"
    zo.send_key("esc")
    zo.wait_for(lambda v: not v.contains("PCI             <Alt 1"), 20, "the menu to close")
    zo.wait_quiet(0.3)
    assert zo.attr(7, 0) == 0x70 and zo.row(6).startswith(GRID_FIRST_ROW)


def test_help_scrolls_to_its_last_line(zo):
    zo.send_key("f1")
    settle(zo, HELP_TITLE)
    assert zo.row(5)[12:67] == " " * 21 + HELP_TITLE + " " * 23
    assert zo.attr(12, 5) == 0x7F and zo.attr(13, 6) == 0x0F
    assert zo.row(6)[13:56] == "It can help you to read chipset easier than"
    assert zo.row(24).startswith("Use <Arrow>,<PgUp>,<PgDn> to look up help")
    zo.send_keys(*["pgdn"] * 7)
    settle(zo, "OFF      : Turn OFF system")
    assert zo.row(6)[13:39] == "OFF      : Turn OFF system"
    assert zo.text(13, 7, 66, 18).strip() == "", "nothing under the last line"
    zo.send_keys("up", "up")
    zo.wait_quiet(0.3)
    assert zo.row(8)[13:39] == "OFF      : Turn OFF system"
    zo.send_key("esc")
    zo.wait_for(lambda v: not v.contains(HELP_TITLE), 20, "the help window to close")
    assert zo.row(6).startswith(GRID_FIRST_ROW)


def test_colour_sets_switch_the_whole_screen(zo):
    assert zo.attr(40, 1) == 0x1E and zo.attr(0, 0) == 0x7C
    zo.send_key("ctrl-l")
    pick_menu_up(zo)
    assert zo.row(10)[31:49] == "   Color Sets     " and zo.row(12)[32:42] == "(0) Normal"
    assert zo.attr(32, 13) == 0x5F
    zo.send_key("1")
    zo.wait_for(lambda v: not v.contains("(1) User Defined"), 20, "the colour menu to close")
    zo.wait_quiet(0.5)
    assert zo.attr(40, 1) == 0x07, "work area light grey on black"
    assert zo.attr(0, 0) == 0x78 and zo.attr(1, 0) == 0x70, "menu bar with dark grey initials"
    assert zo.attr(3, 7) == 0x70, "grid frame"
    assert zo.row(0).startswith(ZoVM.MENU_BAR) and zo.row(6).startswith(GRID_FIRST_ROW)
    zo.send_key("f1")
    settle(zo, HELP_TITLE)
    assert zo.attr(13, 6) == 0x7F, "the help window in the grey set"
    assert zo.attr(69, 10) == 0x0F, "white drop shadow"
    zo.send_key("esc")
    zo.wait_for(lambda v: not v.contains(HELP_TITLE), 20)
    zo.send_key("ctrl-l")
    pick_menu_up(zo)
    zo.send_key("0")
    zo.wait_for(lambda v: not v.contains("(1) User Defined"), 20, "the colour menu to close")
    zo.wait_quiet(0.5)
    assert zo.attr(40, 1) == 0x1E and zo.attr(0, 0) == 0x7C and zo.attr(3, 7) == 0x1C


def test_error_box_for_a_register_set_that_is_not_there(zo):
    # QEMU has no Cyrix processor registers at ports 22h/23h: choosing that set fails.
    message = "Cyrix CPU (586 class) not found!"
    zo.send_key("f9")
    zo.wait_for("(1) Cyrix CPU (586 class)", 20)  # a pick menu blinks: no quiet moment
    time.sleep(0.3)
    zo.send_key("1")
    settle(zo, message)
    y = next(y for y in range(25) if message in zo.row(y))
    x = zo.row(y).index(message)
    assert zo.attrs(x, y, x + len(message) - 1, y) == {0x4F}, "white on red"
    assert any(zo.row(title_row).strip().startswith("Error") or " Error " in zo.row(title_row)
               for title_row in range(max(0, y - 2), y)), "the box is titled Error"
    zo.send_key("spc")  # any key closes it
    zo.wait_for(lambda v: not v.contains(message), 20, "the error box to close")
    zo.wait_quiet(0.3)
    assert zo.row(23).startswith("Type:PCI"), "the space stays as it was"


def test_command_list_editor_keeps_what_was_typed(zo):
    zo.send_key("ctrl-o")
    settle(zo, "Commands to Open Config")
    assert zo.row(24).startswith("<ESC> Exit  <Ctrl-D> Delete  <Ctrl-A> Clear all  <Arrows> Move")
    assert zo.attr(20, 8) == 0x3F
    zo.type_text("o 2e 87\n")
    zo.type_text("o 2e 87")
    zo.wait_quiet(0.3)
    assert zo.row(8)[20:27] == "o 2e 87" and zo.row(9)[20:27] == "o 2e 87"
    assert zo.cursor() == (27, 9), "the console cursor at the caret"
    zo.send_key("ctrl-d")
    zo.wait_quiet(0.3)
    assert zo.row(9)[20:41].strip() == ""
    zo.send_key("esc")
    zo.wait_for(lambda v: not v.contains("Commands to Open Config"), 20)
    zo.send_key("ctrl-o")
    settle(zo, "Commands to Open Config")
    assert zo.row(8)[20:27] == "o 2e 87", "the list lives for the run"
    zo.send_key("ctrl-a")
    zo.wait_quiet(0.3)
    assert zo.row(8)[20:41].strip() == ""
    zo.send_key("esc")
    zo.wait_for(lambda v: not v.contains("Commands to Open Config"), 20)


def test_usage_from_the_shell_start_up_script():
    image = image_path("x64")
    if not os.path.isfile(image):
        pytest.skip("%s is missing: build it with `make efi`" % image)
    script = "fs0:\r\nzo.efi /?\r\n"
    with ZoVM(image, "x64", shell=True, files={"startup.nsh": script}, name="usage") as vm:
        vm.skip_startup_delay()
        vm.wait_for("/X - Turn off power (ACPI S5)", 60, "the usage text")
        vm.wait_shell_prompt("FS0:\\>")
        rows = vm.rows()
        first = next(i for i, r in enumerate(rows) if r.startswith("+--------+"))
        assert rows[first + 1].startswith("| ZO.EXE | ")
        assert [r.rstrip() for r in rows[first + 2:first + 7]] == [
            "+--------+",
            "ZO.EXE [/L RegFile]",
            "/L - Load RegFile saved by ZO",
            "/A - Force not to use KBC command for legacy free system",
            "/X - Turn off power (ACPI S5)",
        ]
        assert not any(r.startswith(ZoVM.MENU_BAR) for r in rows), "ZO's screen never came up"
