"""DLLs planted beside setup.exe, as in a download folder, are not loaded."""

import shutil
import subprocess

from conftest import SUPPORT_DIR, WINE_RUN, run_setup, wine_env

PLANTED = SUPPORT_DIR / "planted.dll"
# The DLLs setup.exe imports or may load later, under the names an attacker would use.
PLANTED_NAMES = ["msvcrt.dll", "kernel32.dll", "user32.dll", "advapi32.dll", "version.dll",
                 "uxtheme.dll", "dwmapi.dll", "comctl32.dll", "imm32.dll", "cryptbase.dll"]


def load_with_loader(directory, *args):
    shutil.copy2(SUPPORT_DIR / "dll_loader.exe", directory / "dll_loader.exe")
    return subprocess.run([str(WINE_RUN), str(directory / "dll_loader.exe"), *args],
                          env=wine_env(), stdin=subprocess.DEVNULL, capture_output=True,
                          timeout=120).returncode


def test_restricted_search_skips_the_program_directory(tmp_path):
    # Without the restriction a planted DLL is picked up from the program's directory,
    # so its absence below is the restriction's doing.
    free, restricted = tmp_path / "free", tmp_path / "restricted"
    for directory in (free, restricted):
        directory.mkdir()
        shutil.copy2(PLANTED, directory / "velplant.dll")
    assert load_with_loader(free, "velplant.dll") == 0
    assert (free / "velplant.dll.loaded").exists()
    assert load_with_loader(restricted, "--restricted", "velplant.dll") == 1
    assert not (restricted / "velplant.dll.loaded").exists()


def test_setup_loads_no_dll_from_its_medium(medium):
    medium.add_english_catalogue()
    medium.add_param_file()
    for name in PLANTED_NAMES:
        shutil.copy2(PLANTED, medium.launcher_dir / name)
    result = run_setup(medium, "-silent")
    assert result.code == 0
    # Each planted copy leaves a mark when any process loads it.
    assert not list(medium.launcher_dir.glob("*.loaded"))
