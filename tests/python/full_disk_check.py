"""vortane.write_case on a full file system: run by CTest under
tests/support/full_disk.sh with no room left, never by the plain pytest run."""

import contextlib
import os
import pathlib
import resource
import signal

import pytest

import vortane

DIR = pathlib.Path(os.environ["FULL_DISK_DIR"])
TMPFS = os.environ["FULL_DISK_MODE"] == "tmpfs"
REASON = "No space left on device" if TMPFS else "File too large"


@contextlib.contextmanager
def full():
    """No room at all: the tmpfs is full; in the fallback, a file size limit of 0."""
    if TMPFS:
        yield
        return
    soft, hard = resource.getrlimit(resource.RLIMIT_FSIZE)
    handler = signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
    resource.setrlimit(resource.RLIMIT_FSIZE, (0, hard))
    try:
        yield
    finally:
        resource.setrlimit(resource.RLIMIT_FSIZE, (soft, hard))
        signal.signal(signal.SIGXFSZ, handler)


def files():
    return sorted(name for name in os.listdir(DIR) if name != ".filler")


def test_a_case_that_does_not_fit_raises_and_leaves_nothing():
    print("full disk:", "tmpfs" if TMPFS else "file size limit")
    for path in (DIR / "design.vcase", str(DIR / "design.vcase").encode()):
        with full(), pytest.raises(vortane.Error) as raised:
            vortane.write_case(path, {"OutputRate": 30})
        assert str(raised.value) == f"cannot write {DIR / 'design.vcase'}: {REASON}"
        assert files() == []


def test_a_read_only_folder_keeps_its_file():
    folder = os.environ.get("READ_ONLY_DIR")
    if not folder:
        pytest.skip("no read-only folder here (the fallback, as root)")
    kept = pathlib.Path(folder) / "kept.txt"
    reason = "Read-only file system" if TMPFS else "Permission denied"
    with pytest.raises(vortane.Error, match=f"^cannot write {kept}: {reason}$"):
        vortane.write_case(kept, {"OutputRate": 30})
    assert kept.read_bytes() == b"kept\n"
