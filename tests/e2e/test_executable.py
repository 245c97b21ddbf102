"""setup.exe is a hardened 64-bit GUI program that needs only system DLLs."""

import re
import subprocess

from conftest import SETUP_EXE

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "advapi32.dll", "gdi32.dll", "msvcrt.dll",
               "shell32.dll"}


def headers():
    return subprocess.run(["x86_64-w64-mingw32-objdump", "-p", str(SETUP_EXE)], check=True,
                          capture_output=True, text=True).stdout


def test_is_pe32_plus_gui_program():
    text = headers()
    assert re.search(r"^Magic\s+020b\s+\(PE32\+\)", text, re.M)
    assert re.search(r"^Subsystem\s+00000002\s+\(Windows GUI\)", text, re.M)


def test_imports_only_system_dlls():
    imported = {name.lower() for name in re.findall(r"DLL Name: (\S+)", headers())}
    assert "kernel32.dll" in imported
    assert imported <= SYSTEM_DLLS, imported - SYSTEM_DLLS


def test_linker_hardening_is_on():
    flags = int(re.search(r"^DllCharacteristics\s+([0-9a-f]+)", headers(), re.M).group(1), 16)
    assert flags & 0x0020, "high-entropy VA"
    assert flags & 0x0040, "dynamic base"
    assert flags & 0x0100, "NX compatible"


def test_manifest_requires_administrator_and_version_resource_is_present():
    data = SETUP_EXE.read_bytes()
    assert b'<requestedExecutionLevel level="requireAdministrator"' in data
    assert "OriginalFilename".encode("utf-16-le") in data
    assert "setup.exe".encode("utf-16-le") in data


def test_the_seal_section_is_there_and_zero_as_built():
    """A medium is sealed by filling this section in place; as built it says unsealed."""
    sections = subprocess.run(["x86_64-w64-mingw32-objdump", "-h", str(SETUP_EXE)], check=True,
                              capture_output=True, text=True).stdout
    size = re.search(r"^\s*\d+\s+\.velseal\s+([0-9a-f]+)\s", sections, re.M)
    assert size and int(size.group(1), 16) == 64, sections
    dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-s", "-j", ".velseal", str(SETUP_EXE)],
                          check=True, capture_output=True, text=True).stdout
    words = [w for line in dump.splitlines() if line.startswith(" ") for w in line.split()[1:5]]
    assert words and set(words) == {"00000000"}, dump
