"""velcheck --seal: the list of a medium's files with their SHA-256, its own SHA-256 in
setup.exe's seal section, and velcheck's report of every file that differs from it.
VELCHECK names the native velcheck build (the CTest test sets it)."""

import hashlib
import struct
import subprocess

import pytest

from test_velcheck import GOOD_PARAMS, TAV_VERSION, VELCHECK, make

import make_medium  # noqa: E402  (test_velcheck puts tools/ on the path)

SEAL_OFFSET = 0x600


def pe_with_seal_section(path):
    """A setup.exe as the linker lays it out, with a zero .velseal section at 0x600."""
    image = bytearray(0x800)
    image[0:2] = b"MZ"
    struct.pack_into("<I", image, 0x3c, 0x80)
    image[0x80:0x84] = b"PE\0\0"
    image[0x84 + 2] = 1
    image[0x84 + 16] = 0xf0
    table = 0x84 + 20 + 0xf0
    image[table:table + 8] = b".velseal"
    struct.pack_into("<II", image, table + 16, 0x200, SEAL_OFFSET)
    path.write_bytes(bytes(image))


def sealable(tmp_path, params=GOOD_PARAMS):
    disk1 = make(tmp_path, params=params)
    pe_with_seal_section(disk1 / "setup.exe")
    return disk1


def seal(disk1):
    done = subprocess.run([VELCHECK, "--seal", str(disk1)], capture_output=True, text=True,
                          timeout=60)
    return done.returncode, done.stdout + done.stderr


def check(disk1):
    done = subprocess.run([VELCHECK, str(disk1)], capture_output=True, text=True, timeout=60)
    return done.returncode, done.stdout


def test_sealing_lists_what_the_launcher_reads_and_seals_setup_in_place(tmp_path):
    disk1 = sealable(tmp_path)
    before = (disk1 / "setup.exe").read_bytes()
    assert seal(disk1)[0] == 0
    listing = (disk1 / "velseal.sha256").read_bytes()
    paths = [line.split("  ", 1)[1] for line in listing.decode().splitlines()]
    assert paths == sorted(paths)
    assert {"velparam.ini", "unzip.exe", "resource/cons.nls"} <= set(paths)
    assert sum(p.endswith(".jar") for p in paths) == 4
    for line in listing.decode().splitlines():
        digest, path = line.split("  ", 1)
        assert hashlib.sha256((disk1 / path).read_bytes()).hexdigest() == digest
    after = (disk1 / "setup.exe").read_bytes()
    seal_bytes = struct.pack("<I", 1) + hashlib.sha256(listing).digest()
    assert after[SEAL_OFFSET:SEAL_OFFSET + 64] == seal_bytes + bytes(28)
    # Nothing else of setup.exe changed, and sealing again gives the same bytes.
    assert after[:SEAL_OFFSET] + after[SEAL_OFFSET + 64:] == \
        before[:SEAL_OFFSET] + before[SEAL_OFFSET + 64:]
    assert seal(disk1)[0] == 0
    assert (disk1 / "setup.exe").read_bytes() == after
    assert (disk1 / "velseal.sha256").read_bytes() == listing
    assert check(disk1) == (0, "")


def change_jar(disk1):
    jar = next((disk1.parent / "stage").rglob("filegroup1.jar"))
    data = bytearray(jar.read_bytes())
    data[-1] ^= 1
    jar.write_bytes(bytes(data))
    return "filegroup1.jar", "differs from its seal"


def add_jar(disk1):
    places = make_medium.data_files(disk1.parent / "stage", make_medium.CORE_ID, TAV_VERSION)
    make_medium.write_jar(places / "added.jar", {"tav/jlib/added.jar": b"x"})
    return "added.jar", "not in velseal.sha256"


def remove_catalogue(disk1):
    (disk1 / "resource" / "cons.nls").write_bytes(b"")
    return "resource/cons.nls", "differs from its seal"


def change_list(disk1):
    listing = disk1 / "velseal.sha256"
    listing.write_bytes(listing.read_bytes().replace(b"unzip.exe", b"unzip.exe "))
    return "velseal.sha256", "seal is not this list's"


@pytest.mark.parametrize("change", [change_jar, add_jar, remove_catalogue, change_list])
def test_velcheck_names_every_file_that_differs_from_the_seal(tmp_path, change):
    disk1 = sealable(tmp_path)
    assert seal(disk1)[0] == 0
    name, words = change(disk1)
    code, output = check(disk1)
    assert code == 2
    assert any(name in line and words in line for line in output.splitlines()), output


@pytest.mark.parametrize("params, words", [
    (GOOD_PARAMS + "WAIT_FOR_COMPLETION=true\n", "WAIT_FOR_COMPLETION"),
    ("[Velmor]\n", "staging is off"),  # an installed layout that runs in place
    (GOOD_PARAMS + f"BOOTSTRAP_COMPS=velmor.swd.tav:{TAV_VERSION}\n", "is left out"),
])
def test_media_with_errors_or_run_in_place_are_never_sealed(tmp_path, params, words):
    disk1 = sealable(tmp_path, params=params)
    before = (disk1 / "setup.exe").read_bytes()
    code, output = seal(disk1)
    assert code == 2
    assert words in output and "not sealed" in output
    assert not (disk1 / "velseal.sha256").exists()
    assert (disk1 / "setup.exe").read_bytes() == before


def listed(disk1):
    return [line.split("  ", 1)[1]
            for line in (disk1 / "velseal.sha256").read_text().splitlines()]


def test_sealing_takes_expanded_folders_and_leaves_out_setup_and_its_own_list(tmp_path):
    disk1 = sealable(tmp_path / "distribution")
    places = make_medium.data_files(disk1.parent / "stage", make_medium.INSTALLER_ID, TAV_VERSION)
    (places / "Expanded").mkdir()
    (places / "Expanded" / "readme.txt").write_text("copied as it is")
    assert seal(disk1)[0] == 0
    assert any(p.endswith("DataFiles/Expanded/readme.txt") for p in listed(disk1))
    # An installed layout whose installer is the launcher directory copies setup.exe and
    # the list, which the seal cannot name; sealing again still gives a sound medium.
    disk1 = sealable(tmp_path / "installed", params="[Velmor]\nBOOTSTRAP=TRUE\n")
    assert seal(disk1)[0] == 0 and seal(disk1)[0] == 0
    assert "velparam.ini" in listed(disk1)
    assert not {"setup.exe", "velseal.sha256"} & set(listed(disk1))
    assert check(disk1) == (0, "")
