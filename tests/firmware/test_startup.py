"""Start-up and exit of ZO as a user sees them on the firmware console."""

import datetime
import re
import time

import pytest

from conftest import ABOUT_DISMISS_KEY, boot_zo

MENU_TITLES = (("File", 0), ("Config", 6), ("Go", 14), ("Tools", 18), ("System", 25), ("Quit", 33))
COMPANY, COMPANY_COLUMN = "Northwinds Firmware, Inc.", 54


def _menu_row():
    row = [" "] * 80
    for text, column in MENU_TITLES + ((COMPANY, COMPANY_COLUMN),):
        row[column:column + len(text)] = text
    return "".join(row)


MENU_ROW = _menu_row()
HOT_COLUMNS = {column for _, column in MENU_TITLES}
CLOCK = re.compile(r"([01]\d|2[0-3]):[0-5]\d:[0-5]\d")
DAY = 24 * 3600


def clock_seconds(vm):
    text = vm.row(24)[71:79]
    assert CLOCK.fullmatch(text), "no clock in row 24, columns 71-78: %r" % text
    hours, minutes, seconds = map(int, text.split(":"))
    return hours * 3600 + minutes * 60 + seconds


def test_menu_bar(zo):
    assert zo.row(0) == MENU_ROW
    wrong = ["column %d: %02X" % (x, zo.attr(x, 0)) for x in range(80)
             if zo.attr(x, 0) != (0x7C if x in HOT_COLUMNS else 0x70)]
    assert wrong == [], "menu bar must be black on light grey, title initials light red"


def test_blank_work_area_is_yellow_on_blue(zo):
    # Row 1, the margin column 0 and row 22 left of the right panel stay blank
    # on the main screen; they show the work area's clearing colour.
    blank = [(x, 1) for x in range(80)] + [(0, y) for y in range(2, 23)] + \
        [(x, 22) for x in range(1, 56)]
    wrong = ["%d,%d: %r %02X" % (x, y, zo.row(y)[x], zo.attr(x, y)) for x, y in blank
             if zo.row(y)[x] != " " or zo.attr(x, y) != 0x1E]
    assert wrong == []


def test_clock_shows_the_time_of_day(zo):
    shown = clock_seconds(zo)
    now = datetime.datetime.now(datetime.timezone.utc)  # QEMU's RTC runs on UTC
    now_seconds = now.hour * 3600 + now.minute * 60 + now.second
    off = (shown - now_seconds + DAY // 2) % DAY - DAY // 2
    assert abs(off) <= 3, "clock shows %s, UTC is %s" % (zo.row(24)[71:79], now.strftime("%H:%M:%S"))
    assert zo.attrs(71, 24, 78, 24) == {0x70}


def test_clock_advances(zo):
    first = clock_seconds(zo)
    time.sleep(2.5)
    second = clock_seconds(zo)
    assert 1 <= (second - first) % DAY <= 4


@pytest.mark.parametrize("key", ["f10", "alt-x", "alt-q"])
def test_exit_key_gives_the_console_back(zo_session, key):
    vm = zo_session.zo()
    vm.send_key(key)
    vm.wait_shell_prompt("FS0:\\>", timeout=30)
    x, y = vm.cursor()
    others = [(r, text) for r, text in enumerate(vm.rows()) if r != y and text.strip()]
    assert others == [], "ZO's screen must be gone"
    assert vm.row(y).rstrip() == "FS0:\\>"
    # Everything but the shell's own yellow prompt is light grey on black, as before ZO ran.
    coloured = ["%d,%d: %02X" % (c, r, vm.attr(c, r)) for r in range(25) for c in range(80)
                if not (r == y and c < x) and vm.attr(c, r) != 0x07]
    assert coloured == [], "the screen must be cleared in light grey on black"
    assert vm.current_attr() == 0x07


def test_keys_pressed_while_zo_starts_are_harmless(arch, zo_image):
    # From the firmware's first output on, a key every 0.2 s until ZO's menu bar shows.
    with boot_zo(arch, zo_image, key_delay=0.2, name="early-keys") as vm:
        vm.wait_for(lambda vm: vm.raw(), 60, "the firmware's first output")
        keys = ("z", "y", "down")
        pressed = 0
        while not vm.main_screen_up() and pressed < 100:
            vm.send_key(keys[pressed % len(keys)])
            pressed += 1
        assert 0 < pressed < 100, "keys must come while ZO starts, before its main screen"
        vm.wait_main_screen(60, dismiss=ABOUT_DISMISS_KEY)
        assert vm.row(0) == MENU_ROW
        vm.send_key("alt-x")
        vm.wait_boot_manager(30)
        assert not vm.contains(COMPANY)
