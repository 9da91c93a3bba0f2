"""Fixtures for the firmware tests: ZO booted under QEMU/OVMF on x64 and IA32.

Every test that takes `arch` runs once per architecture. One shell boot per
architecture is shared by all tests (`zo_session`); ZO is started from the shell
prompt when a test needs it and left running for the next one. A failed test
makes the next one boot afresh, and its report shows the screen it left.

ZO_BUILD_DIR names the build folder (default: build); ZO_IMAGE_X64 /
ZO_IMAGE_IA32 point the tests at other images than <build>/<arch>/ZO.EFI.
"""

import os
import sys

import pytest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from zo_vm import REPO, ZoSession, ZoVM  # noqa: E402

ARCHS = ("x64", "ia32")

# Key that closes the about box ZO shows when its main screen is first up. Esc has no
# meaning on the main screen; the box takes the key anyway.
ABOUT_DISMISS_KEY = "esc"


def image_path(arch):
    build = os.path.join(REPO, os.environ.get("ZO_BUILD_DIR", "build"))
    return os.environ.get("ZO_IMAGE_" + arch.upper()) or os.path.join(build, arch, "ZO.EFI")


@pytest.fixture(scope="module", params=ARCHS)
def arch(request):
    return request.param


@pytest.fixture(scope="module")
def zo_image(arch):
    path = image_path(arch)
    if not os.path.isfile(path):
        shown = os.path.relpath(path, REPO) if path.startswith(REPO + os.sep) else path
        pytest.skip("%s is missing: build it with `make efi`" % shown)
    return path


_sessions = {}


@pytest.fixture(scope="session")
def _session_pool():
    yield _sessions
    for session in _sessions.values():
        session.close()
    _sessions.clear()


@pytest.fixture
def zo_session(arch, zo_image, _session_pool, request):
    """The shared shell boot of this architecture."""
    session = _session_pool.get(arch)
    if session is None or session.efi_image != zo_image:
        session = _session_pool[arch] = ZoSession(zo_image, arch, dismiss=ABOUT_DISMISS_KEY)
    yield session
    report = getattr(request.node, "rep_call", None)
    if report is None or report.failed:
        session.invalidate()


@pytest.fixture
def zo(zo_session):
    """A VM with ZO's main screen up (ZO may have run earlier tests' keys)."""
    return zo_session.zo()


def started(vm):
    """Waits for ZO's main screen with the about box of the start closed."""
    vm.wait_main_screen(90, dismiss=ABOUT_DISMISS_KEY)
    if vm.contains("Press any key to continue."):
        vm.send_key("esc")
        vm.wait_for(lambda v: not v.contains("Press any key to continue."), 20, "the about box to close")
        vm.wait_quiet(0.5)
    return vm


def boot_zo(arch, zo_image, **kwargs):
    """A boot of its own in which the firmware starts ZO itself (close it after use)."""
    return ZoVM(zo_image, arch, **kwargs)


@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item, call):
    outcome = yield
    report = outcome.get_result()
    setattr(item, "rep_" + report.when, report)
    if report.failed:
        for value in getattr(item, "funcargs", {}).values():
            vm = value.vm if isinstance(value, ZoSession) else value
            if isinstance(vm, ZoVM):
                report.sections.append(("screen (%s)" % vm.arch, vm.dump()))
