#!/usr/bin/python3
"""Boots a ZO image under QEMU/OVMF to use it by hand.

    run_qemu.py build/x64/ZO.EFI              the firmware starts ZO itself
    run_qemu.py --shell build/ia32/ZO.EFI     the UEFI shell starts; ZO.EFI is on fs0:
    run_qemu.py IMAGE -- -cpu max             extra QEMU arguments after "--"

With a display (DISPLAY set) QEMU opens a window. Without one, or with
--serial, the firmware's serial console runs in this terminal; Ctrl-A C
switches to the QEMU monitor (e.g. "sendkey alt-x"), Ctrl-A X quits.
"""

import argparse
import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from zo_vm import ARCHS, decode_serial, make_boot_disk, qemu_command  # noqa: E402


def image_arch(path):
    """x64 or ia32, from the machine field of the PE header."""
    with open(path, "rb") as f:
        data = f.read(4096)
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    machine = struct.unpack_from("<H", data, pe + 4)[0]
    return {0x8664: "x64", 0x14C: "ia32"}[machine]


def main():
    parser = argparse.ArgumentParser(description="Boot a ZO image under QEMU/OVMF.")
    parser.add_argument("image")
    parser.add_argument("--arch", choices=sorted(ARCHS), help="default: from the image")
    parser.add_argument("--shell", action="store_true", help="start in the UEFI shell")
    parser.add_argument("--serial", action="store_true", help="use this terminal even with a display")
    parser.add_argument("qemu_args", nargs="*", help="more QEMU arguments (after --)")
    args = parser.parse_args()
    arch = args.arch or image_arch(args.image)
    accel = "kvm" if arch == "x64" and os.access("/dev/kvm", os.W_OK) else "tcg"

    with tempfile.TemporaryDirectory(prefix="zo-run-") as tmp:
        if args.shell:
            disk = make_boot_disk(os.path.join(tmp, "disk.img"), None, arch,
                                  files={"ZO.EFI": ("file", args.image), "startup.nsh": "fs0:\r\n"})
        else:
            disk = make_boot_disk(os.path.join(tmp, "disk.img"), args.image, arch)
        vars_copy = os.path.join(tmp, "vars.fd")
        shutil.copyfile(ARCHS[arch]["vars"], vars_copy)
        cmd = qemu_command(arch, disk, vars_copy, accel=accel, extra_args=["-net", "none"])
        if os.environ.get("DISPLAY") and not args.serial:
            return subprocess.call(cmd + args.qemu_args)
        # The firmware's terminal sends code page 437; show it in this (UTF-8) terminal.
        print("ZO on the serial console: Ctrl-A C for the QEMU monitor, Ctrl-A X to quit.")
        signal.signal(signal.SIGINT, signal.SIG_IGN)
        proc = subprocess.Popen(cmd + ["-nographic"] + args.qemu_args, stdout=subprocess.PIPE)
        out = sys.stdout.buffer
        while True:
            chunk = os.read(proc.stdout.fileno(), 4096)
            if not chunk:
                break
            out.write(decode_serial(chunk).encode("utf-8"))
            out.flush()
        return proc.wait()


if __name__ == "__main__":
    sys.exit(main())
