"""Boots a UEFI image under QEMU/OVMF and lets tests look at its serial console.

The firmware's serial terminal is fed into an 80x25 pyte screen; keys are typed
on the emulated PS/2 keyboard through QMP (`sendkey`), so Alt, Ctrl and Shift
combinations reach the application with their shift state.

    with ZoVM("build/x64/ZO.EFI", "x64") as vm:
        vm.wait_for("Northwinds Firmware")
        vm.send_keys("alt-x")

Only Debian's interpreter (/usr/bin/python3) with python3-pyte is needed.
"""

import atexit
import collections
import json
import os
import re
import shutil
import socket
import subprocess
import tempfile
import threading
import time

import pyte

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
OVMF_DIR = "/usr/share/OVMF"
COLUMNS, ROWS = 80, 25

# Per architecture: emulator, machine options, firmware code and variable store,
# and the removable-media boot path the firmware looks for.
ARCHS = {
    "x64": {
        "qemu": "qemu-system-x86_64",
        "machine": ["-machine", "q35"],
        "code": os.path.join(OVMF_DIR, "OVMF_CODE_4M.fd"),
        "vars": os.path.join(OVMF_DIR, "OVMF_VARS_4M.fd"),
        "boot_file": "BOOTX64.EFI",
    },
    "ia32": {
        "qemu": "qemu-system-i386",
        "machine": ["-machine", "q35,smm=on",
                    "-global", "driver=cfi.pflash01,property=secure,value=on"],
        "code": os.path.join(OVMF_DIR, "OVMF32_CODE_4M.secboot.fd"),
        "vars": os.path.join(OVMF_DIR, "OVMF32_VARS_4M.fd"),
        "boot_file": "BOOTIA32.EFI",
    },
}

# UEFI colour numbers of the eight ANSI colours (SGR 30-37 / 40-47).
_ANSI_TO_UEFI = {"black": 0, "red": 4, "green": 2, "brown": 6, "yellow": 6,
                 "blue": 1, "magenta": 5, "cyan": 3, "white": 7}

# The firmware's serial terminal speaks PC-ANSI: one byte per character, box
# drawing and the blocks U+2588/U+2591 as code page 437 bytes; characters it has
# no byte for (U+2592, U+2593, U+2580, U+2584, Latin-1, ...) arrive as "?", arrows
# and triangles as ^ v < >. Colours: ESC[0m or ESC[1m (bright foreground), then
# ESC[3Xm and ESC[4Xm. Nothing is sent for showing or hiding the cursor.
# Control bytes a terminal does not act on are shown as their CP437 glyphs here
# (pyte would otherwise drop the rest of the chunk).
_KEPT_CONTROLS = {0x07, 0x08, 0x0A, 0x0D, 0x1B}
_CP437_LOW = "\u0000☺☻♥♦♣♠•◘○◙♂♀♪♫☼►◄↕‼¶§▬↨↑↓→←∟↔▲▼"


def _cp437_table():
    table = {}
    for b in range(256):
        if b in _KEPT_CONTROLS:
            ch = chr(b)
        elif b == 0:
            ch = ""
        elif b < 0x20:
            ch = _CP437_LOW[b]
        elif b == 0x7F:
            ch = "⌂"
        else:
            ch = bytes([b]).decode("cp437")
        table[b] = ch
    return table


_DECODE = _cp437_table()


def decode_serial(data):
    """Turns bytes from the firmware's serial terminal into text for pyte."""
    return "".join(_DECODE[b] for b in data)


def _uefi_colour(name, default):
    if name == "default":
        return default, False
    bright = name.startswith("bright")
    if bright:
        name = name[len("bright"):]
    return _ANSI_TO_UEFI.get(name, default), bright


def cell_attr(char):
    """UEFI text attribute (foreground | background << 4) of a pyte cell."""
    fg, bright_fg = _uefi_colour(char.fg, 7)
    bg, _ = _uefi_colour(char.bg, 0)
    if char.bold or bright_fg:
        fg |= 8
    if char.reverse:
        fg, bg = bg, fg & 7
    return fg | (bg << 4)


class _Screen(pyte.Screen):
    """pyte screen whose "erase display" gives every cell of the erased rows the
    current colours (pyte itself recolours only cells written before)."""

    def erase_in_display(self, how=0, *args, **kwargs):
        super().erase_in_display(how, *args, **kwargs)
        rows = {0: range(self.cursor.y + 1, self.lines), 1: range(self.cursor.y)}.get(
            how, range(self.lines))
        for y in rows:
            line = self.buffer[y]
            for x in range(self.columns):
                line[x] = self.cursor.attrs


def make_boot_disk(path, efi_image, arch, boot_name=None, files=None, size_mb=None):
    """Writes a FAT image with the EFI image as \\EFI\\BOOT\\<boot_name> plus `files`.

    boot_name defaults to the removable-media name the firmware boots by itself
    (BOOTX64.EFI / BOOTIA32.EFI); efi_image None leaves it out. files maps a
    path on the disk ("startup.nsh", "EFI/X/Y.BIN") to its content (str or
    bytes) or to ("file", host path).
    """
    files = dict(files or {})
    if efi_image is not None:
        files["EFI/BOOT/" + (boot_name or ARCHS[arch]["boot_file"])] = ("file", efi_image)
    payload = sum(os.path.getsize(v[1]) if isinstance(v, tuple) else len(v)
                  for v in files.values())
    if size_mb is None:
        size_mb = max(4, (2 * payload) // (1 << 20) + 2)
    with open(path, "wb") as f:
        f.truncate(size_mb << 20)
    _run(["mformat", "-i", path, "-T", str((size_mb << 20) // 512), "-h", "16", "-s", "32",
          "-v", "ZOTEST", "::"])
    made = set()
    with tempfile.TemporaryDirectory(prefix="zo-disk-") as tmp:
        for n, (dest, value) in enumerate(sorted(files.items())):
            parts = dest.replace("\\", "/").strip("/").split("/")
            for i in range(1, len(parts)):
                d = "/".join(parts[:i])
                if d.upper() not in made:
                    _run(["mmd", "-i", path, "::/" + d])
                    made.add(d.upper())
            if isinstance(value, tuple):
                src = value[1]
            else:
                src = os.path.join(tmp, "f%d" % n)
                with open(src, "wb") as f:
                    f.write(value.encode() if isinstance(value, str) else value)
            _run(["mcopy", "-i", path, src, "::/" + "/".join(parts)])
    return path


def _run(cmd):
    r = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    if r.returncode:
        raise RuntimeError("%s failed: %s" % (" ".join(cmd), r.stdout.decode(errors="replace")))


def qemu_command(arch, disk, vars_copy, memory=256, extra_args=(), accel="tcg"):
    """The QEMU command line (without console and monitor wiring)."""
    a = ARCHS[arch]
    return ([a["qemu"]] + a["machine"] +
            ["-accel", accel, "-m", str(memory),
             "-drive", "if=pflash,format=raw,unit=0,readonly=on,file=" + a["code"],
             "-drive", "if=pflash,format=raw,unit=1,file=" + vars_copy,
             "-drive", "format=raw,file=" + disk] + list(extra_args))


_LOG_ROOT = None
_live = set()


def _log_root():
    global _LOG_ROOT
    if _LOG_ROOT is None:
        _LOG_ROOT = tempfile.mkdtemp(prefix="zo-firmware-logs-")
    return _LOG_ROOT


@atexit.register
def _kill_leftovers():
    for vm in list(_live):
        vm.close()


INFO_PCI = re.compile(r"Bus\s+(\d+), device\s+(\d+), function (\d+):\s*\n\s+.*?: PCI device ([0-9a-f]{4}):([0-9a-f]{4})")


class VMError(AssertionError):
    pass


class ZoVM:
    """One QEMU boot of a UEFI image, watched through its serial console."""

    MENU_BAR = "File  Config  Go  Tools  System  Quit"
    COMPANY = "Northwinds Firmware, Inc."
    COMPANY_COLUMN = 54
    ABOUT_PROMPT = "Press any key to continue."
    ABOUT_MARK = b"Zoquel"  # the about box's title, as it goes over the serial line

    SHELL_NAME = "ZO.EFI"

    def __init__(self, efi_image, arch="x64", shell=False, boot_name=None, files=None,
                 qemu_args=(), memory=256, display="none", network="none",
                 key_delay=0.12, name=None):
        """Boots `efi_image` on `arch`. By default the firmware starts the image
        by itself from \\EFI\\BOOT; with shell=True the image is stored as
        \\ZO.EFI instead, so the firmware falls through to its built-in shell,
        whose startup.nsh changes to fs0: (start it with start_from_shell).
        files: more files for the disk (see make_boot_disk); qemu_args: extra
        QEMU arguments such as ["-device", "..."] or ["-cpu", "..."]."""
        if arch not in ARCHS:
            raise ValueError("unknown arch %r" % arch)
        self.efi_image = efi_image
        self.shell = shell
        files = dict(files or {})
        if shell:
            files[self.SHELL_NAME] = ("file", efi_image)
            files.setdefault("startup.nsh", "fs0:\r\n")
            efi_image = None
        self.arch = arch
        self.key_delay = key_delay
        self.workdir = tempfile.mkdtemp(prefix="%s-%s-" % (arch, name or "boot"), dir=_log_root())
        self.serial_log_path = os.path.join(self.workdir, "serial.log")
        self.stderr_path = os.path.join(self.workdir, "qemu.stderr")
        self.screen = _Screen(COLUMNS, ROWS)
        self._stream = pyte.Stream(self.screen)
        self._lock = threading.Condition()
        self._raw = bytearray()
        self._pending = collections.deque()
        self.feed_errors = []  # exceptions of the terminal emulation, for failure reports
        self.last_rx = time.monotonic()
        self._proc = None
        self._qmp = None
        self._closed = False

        disk = make_boot_disk(os.path.join(self.workdir, "disk.img"), efi_image, arch,
                              boot_name=boot_name, files=files)
        vars_copy = os.path.join(self.workdir, "vars.fd")
        shutil.copyfile(ARCHS[arch]["vars"], vars_copy)

        # The serial port goes to a file: QEMU drops serial bytes when a socket backend
        # stays full for a moment (each byte is its own write), a file never fills.
        open(self.serial_log_path, "wb").close()
        qmp_path = os.path.join(self.workdir, "qmp.sock")
        qmp_srv = self._listen(qmp_path)
        cmd = qemu_command(arch, disk, vars_copy, memory,
                           ["-display", display, "-net", network, "-no-reboot",
                            "-serial", "file:" + self.serial_log_path,
                            "-chardev", "socket,id=qmp0,path=" + qmp_path,
                            "-mon", "chardev=qmp0,mode=control"] + list(qemu_args))
        self.command = cmd
        with open(os.path.join(self.workdir, "command"), "w") as f:
            f.write(" ".join(cmd) + "\n")
        self._stderr = open(self.stderr_path, "wb")
        _live.add(self)
        self.started = time.monotonic()
        # setpriv: QEMU gets SIGTERM when this process dies, however it dies.
        launcher = ["setpriv", "--pdeathsig", "TERM"] if shutil.which("setpriv") else []
        self._proc = subprocess.Popen(launcher + cmd, stdin=subprocess.DEVNULL,
                                      stdout=self._stderr, stderr=subprocess.STDOUT)
        try:
            self._qmp = self._accept(qmp_srv)
        except Exception:
            self.close()
            raise
        finally:
            qmp_srv.close()
        self._log = open(self.serial_log_path, "rb")
        self._reader = threading.Thread(target=self._read_serial, daemon=True)
        self._reader.start()
        self._qmp_file = self._qmp.makefile("rb")
        self._qmp_lock = threading.Lock()
        self._qmp_read()  # greeting
        self._qmp_call("qmp_capabilities")

    # ----------------------------------------------------------- plumbing
    @staticmethod
    def _listen(path):
        s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        s.bind(path)
        s.listen(1)
        s.settimeout(1.0)
        return s

    def _accept(self, srv, timeout=20):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            try:
                conn, _ = srv.accept()
                conn.settimeout(None)
                return conn
            except socket.timeout:
                if self._proc.poll() is not None:
                    break
        raise VMError("QEMU did not connect (exit %s): %s" % (self._proc.poll(), self.qemu_stderr()))

    def _read_serial(self):
        """Follows the serial log file as QEMU appends to it."""
        while True:
            data = self._log.read(65536)
            if not data:
                if self._closed or (self._proc is not None and self._proc.poll() is not None):
                    data = self._log.read(65536)  # what came just before the end
                    if data:
                        self._pending.append(data)
                    with self._lock:
                        self._lock.notify_all()
                    return
                time.sleep(0.005)
                continue
            self._pending.append(data)
            self.last_rx = time.monotonic()
            if self._lock.acquire(blocking=False):
                self._lock.notify_all()
                self._lock.release()

    def _drain(self):
        """Feeds what has arrived into the terminal (call with the lock held)."""
        while self._pending:
            data = self._pending.popleft()
            self._raw += data
            try:
                self._stream.feed(decode_serial(data))
            except Exception as error:  # a parser that failed once stays dead: start a new one
                self._stream = pyte.Stream(self.screen)
                self.feed_errors.append(repr(error))

    def _qmp_read(self):
        while True:
            line = self._qmp_file.readline()
            if not line:
                raise VMError("QMP connection closed: " + self.qemu_stderr())
            msg = json.loads(line)
            if "event" in msg:
                continue
            return msg

    def _qmp_call(self, command, **arguments):
        with self._qmp_lock:
            req = {"execute": command}
            if arguments:
                req["arguments"] = arguments
            self._qmp.sendall(json.dumps(req).encode() + b"\n")
            msg = self._qmp_read()
        if "error" in msg:
            raise VMError("QMP %s: %s" % (command, msg["error"]))
        return msg.get("return")

    def qemu_stderr(self):
        try:
            with open(self.stderr_path, "rb") as f:
                return f.read().decode(errors="replace")
        except OSError:
            return ""

    # ------------------------------------------------------------ control
    def monitor(self, command):
        """Runs a human monitor command (e.g. "info pci") and returns its text."""
        return self._qmp_call("human-monitor-command", **{"command-line": command})

    def send_key(self, key):
        """Presses one key by QEMU name: "f10", "alt-x", "ctrl-pgdn", "shift-tab", "a"."""
        out = self.monitor("sendkey " + key)
        if out and out.strip():
            raise VMError("sendkey %s: %s" % (key, out.strip()))
        time.sleep(self.key_delay)

    def send_keys(self, *keys):
        for key in keys:
            self.send_key(key)

    _CHAR_KEYS = {" ": "spc", "-": "minus", "=": "equal", ".": "dot", ",": "comma",
                  "/": "slash", "\\": "backslash", ";": "semicolon", "'": "apostrophe",
                  "[": "bracket_left", "]": "bracket_right", "`": "grave_accent",
                  "\n": "ret", "\t": "tab"}
    _SHIFTED = {"!": "1", "@": "2", "#": "3", "$": "4", "%": "5", "^": "6", "&": "7",
                "*": "8", "(": "9", ")": "0", "_": "minus", "+": "equal", ":": "semicolon",
                "\"": "apostrophe", "<": "comma", ">": "dot", "?": "slash", "{": "bracket_left",
                "}": "bracket_right", "|": "backslash", "~": "grave_accent"}

    def type_text(self, text):
        """Types printable text key by key (upper case and symbols with Shift)."""
        for ch in text:
            if ch.isalpha() and ch.isupper():
                key = "shift-" + ch.lower()
            elif ch in self._SHIFTED:
                key = "shift-" + self._SHIFTED[ch]
            else:
                key = self._CHAR_KEYS.get(ch, ch)
            self.send_key(key)

    def alive(self):
        return self._proc is not None and self._proc.poll() is None

    def close(self):
        if self._closed:
            return
        self._closed = True
        if self._proc is not None and self._proc.poll() is None:
            try:
                self._qmp_call("quit")
            except Exception:
                pass
            try:
                self._proc.wait(5)
            except subprocess.TimeoutExpired:
                self._proc.kill()
                self._proc.wait(5)
        for s in ("_qmp",):
            sock = getattr(self, s, None)
            if sock is not None:
                try:
                    sock.close()
                except OSError:
                    pass
        if getattr(self, "_reader", None) is not None:
            self._reader.join(2)
        for f in ("_log", "_stderr"):
            fh = getattr(self, f, None)
            if fh is not None:
                fh.close()
        # Keep the serial log, QEMU's output and the command; drop the big files.
        for big in ("disk.img", "vars.fd"):
            try:
                os.unlink(os.path.join(self.workdir, big))
            except OSError:
                pass
        _live.discard(self)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    # ------------------------------------------------------------- screen
    def row(self, y):
        """Text of screen row y (80 characters)."""
        with self._lock:
            self._drain()
            line = self.screen.buffer[y]
            return "".join(line[x].data for x in range(COLUMNS))

    def rows(self):
        return [self.row(y) for y in range(ROWS)]

    def text(self, left, top, right, bottom):
        """Text of the rectangle (inclusive, 0-based), rows joined by newlines."""
        return "\n".join(self.row(y)[left:right + 1] for y in range(top, bottom + 1))

    def attr(self, x, y):
        """UEFI text attribute of the cell at column x, row y."""
        with self._lock:
            self._drain()
            return cell_attr(self.screen.buffer[y][x])

    def attrs(self, left, top, right, bottom):
        """Set of the attributes found in a rectangle (inclusive)."""
        return {self.attr(x, y) for y in range(top, bottom + 1) for x in range(left, right + 1)}

    def current_attr(self):
        """The attribute the terminal draws and clears with now."""
        with self._lock:
            self._drain()
            return cell_attr(self.screen.cursor.attrs)

    def cursor(self):
        """(column, row) of the terminal cursor. (Whether it is shown cannot be
        seen here: the firmware's terminal sends nothing for EnableCursor.)"""
        with self._lock:
            self._drain()
            return self.screen.cursor.x, self.screen.cursor.y

    def raw(self):
        """All bytes received on the serial port so far."""
        with self._lock:
            self._drain()
            return bytes(self._raw)

    def dump(self):
        """The screen as text with row numbers, for failure messages."""
        lines = ["   +" + "-" * COLUMNS + "+"]
        lines += ["%2d |%s|" % (y, r) for y, r in enumerate(self.rows())]
        lines.append("   +" + "-" * COLUMNS + "+")
        lines.append("cursor %s, attribute %02X; serial log %s"
                     % (self.cursor(), self.current_attr(), self.serial_log_path))
        if self.feed_errors:
            lines.append("terminal emulation errors: " + "; ".join(self.feed_errors[:5]))
        return "\n".join(lines)

    def contains(self, text):
        return any(text in r for r in self.rows())

    # ------------------------------------------------------------ waiting
    def wait_for(self, what, timeout=30.0, message=None):
        """Waits until `what` (text anywhere on the screen, or a predicate taking
        this object) holds; returns the predicate's value. Raises VMError with
        the screen on timeout or when QEMU has ended."""
        pred = (lambda vm: vm.contains(what)) if isinstance(what, str) else what
        end = time.monotonic() + timeout
        while True:
            value = pred(self)
            if value:
                return value
            left = end - time.monotonic()
            if left <= 0:
                raise VMError("timed out after %.0fs waiting for %s\n%s"
                              % (timeout, message or repr(what), self.dump()))
            if not self.alive():
                raise VMError("QEMU ended (exit %s) while waiting for %s\n%s\n%s"
                              % (self._proc.poll(), message or repr(what), self.qemu_stderr(),
                                 self.dump()))
            with self._lock:
                self._lock.wait(min(left, 0.2))

    def wait_quiet(self, quiet=0.5, timeout=30.0):
        """Waits until nothing has arrived on the serial port for `quiet` seconds."""
        return self.wait_for(lambda vm: time.monotonic() - vm.last_rx >= quiet, timeout,
                             "%.1fs without serial output" % quiet)

    def pci_functions(self):
        """(bus, device, function, vendor, device id) of every function the monitor's
        `info pci` lists, in bus/device/function order."""
        return sorted(tuple(int(g, 10) for g in m.groups()[:3]) + (int(m.group(4), 16), int(m.group(5), 16))
                      for m in INFO_PCI.finditer(self.monitor("info pci")))

    def settle(self, quiet=0.3, timeout=0.6):
        """Gives the screen a moment to finish what it is painting: waits for `quiet`
        seconds without serial output, but at most `timeout` (a refreshing page or a
        blinking field never rests). Returns whether it came to rest."""
        try:
            self.wait_quiet(quiet, timeout)
            return True
        except VMError:
            return False

    # ------------------------------------------------------------ ZO
    def main_screen_up(self):
        top = self.row(0)
        return top.startswith(self.MENU_BAR) and \
            top[self.COMPANY_COLUMN:self.COMPANY_COLUMN + len(self.COMPANY)] == self.COMPANY

    def about_box_up(self):
        """True while the about box waits for its key (its hint is on the status line)."""
        return self.row(24).startswith(self.ABOUT_PROMPT)

    def dismiss_about_box(self, key, timeout=60.0, quiet=0.5):
        """Presses `key` once the start-up about box is up, and waits until it has
        gone. A key typed earlier may have closed it already (its title went over the
        serial line after the menu bar, and it is not up): then nothing is pressed."""
        # ZO sends only cells that change, so the company name may not stand in one piece
        # on the serial line; then the about box title is looked for from the start.
        start = max(0, self.raw().rfind(self.COMPANY.encode()))

        def shown_or_gone(vm):
            return vm.about_box_up() or self.ABOUT_MARK in vm.raw()[start:]
        self.wait_for(shown_or_gone, timeout, "the about box")
        if not self.about_box_up():
            time.sleep(0.7)  # the hint is redrawn every 0.6 s: it may have been caught blank
        if self.about_box_up():
            self.send_key(key)
            # closed when the status line shows another hint (not just a blank redraw)
            self.wait_for(lambda vm: vm.row(24)[:70].strip() and not vm.about_box_up(), timeout,
                          "the about box to close")
        self.wait_quiet(quiet, timeout)

    def wait_main_screen(self, timeout=60.0, dismiss=None, quiet=0.5):
        """Waits for ZO's menu bar, then for the screen to settle. The start-up
        shows an about box that waits for a key: pass that key as `dismiss` to
        close it (see dismiss_about_box)."""
        self.wait_for(lambda vm: vm.main_screen_up(), timeout, "ZO's menu bar")
        if dismiss:
            self.dismiss_about_box(dismiss, timeout, quiet)
        else:
            self.wait_quiet(quiet, timeout)
        return self

    def wait_boot_manager(self, timeout=60.0):
        """Waits for the firmware's front page, which it shows when a boot
        option returns."""
        return self.wait_for("Boot Maintenance Manager", timeout, "the firmware's front page")

    # ------------------------------------------------------------ shell
    def shell_prompt(self):
        """The shell prompt ("FS0:\\>", "Shell>") the cursor stands right after, or None."""
        x, y = self.cursor()
        m = re.search(r"(\w+:\\\S*>|Shell>)$", self.row(y)[:x].rstrip())
        return m.group(1) if m else None

    def wait_shell_prompt(self, prompt=None, timeout=60.0):
        """Waits until the shell waits for a command (at `prompt` if given)."""
        def ready(vm):
            p = vm.shell_prompt()
            return p if p and (prompt is None or p == prompt) and \
                time.monotonic() - vm.last_rx > 0.3 else None
        return self.wait_for(ready, timeout, "shell prompt %s" % (prompt or ""))

    def skip_startup_delay(self, timeout=60.0):
        """Cuts short the shell's countdown before startup.nsh."""
        self.wait_for("any other key to continue", timeout, "the shell's startup countdown")
        self.send_key("ret")

    def start_from_shell(self, command="zo.efi", dismiss=None, timeout=60.0):
        """Types `command` at the shell prompt and waits for ZO's main screen."""
        self.wait_shell_prompt(timeout=timeout)
        self.type_text(command + "\n")
        return self.wait_main_screen(timeout, dismiss)


class ZoSession:
    """A shell boot that is kept for many checks. zo() hands out the VM with
    ZO's main screen up, starting ZO from the shell prompt when it is not
    running; prompt() hands it out at the shell prompt. After a failed check
    call invalidate(): the next use boots afresh."""

    def __init__(self, efi_image, arch, dismiss=None, **vm_kwargs):
        self.efi_image = efi_image
        self.arch = arch
        self.dismiss = dismiss
        self.vm_kwargs = vm_kwargs
        self.vm = None
        self.boots = 0

    def _boot(self):
        self.close()
        self.boots += 1
        self.vm = ZoVM(self.efi_image, self.arch, shell=True,
                       name="session%d" % self.boots, **self.vm_kwargs)
        self.vm.skip_startup_delay()
        self.vm.wait_shell_prompt("FS0:\\>")

    def invalidate(self):
        if self.vm is not None:
            self.vm.dirty = True

    def _usable(self):
        return self.vm is not None and self.vm.alive() and not getattr(self.vm, "dirty", False)

    def prompt(self):
        """The VM at the shell prompt (ZO ended with F10 if it was running)."""
        if self._usable() and self.vm.main_screen_up():
            self.vm.send_key("f10")
            try:
                self.vm.wait_shell_prompt(timeout=20)
            except VMError:
                self.invalidate()
        if not self._usable() or not self.vm.shell_prompt():
            self._boot()
        return self.vm

    def zo(self, fresh=False):
        """The VM with ZO's main screen up; fresh=True restarts ZO first."""
        if self._usable() and self.vm.main_screen_up() and not fresh:
            return self.vm
        vm = self.prompt()
        vm.start_from_shell(dismiss=self.dismiss)
        return vm

    def close(self):
        if self.vm is not None:
            self.vm.close()
            self.vm = None
