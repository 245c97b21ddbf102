"""A sealed medium: setup.exe holds the SHA-256 of velseal.sha256, which lists every file
the launcher reads, starts or stages; a run stops before anything of the medium runs when
one of them is missing, changed or not listed. Media are sealed with the Windows velcheck,
so its hashing through the system is what both sides use."""

import hashlib
import shutil

import pytest

from conftest import BUILD_DIR, DEFAULT_PARAMS, run_wine_tool, win_path
from test_launch_sequence import on_pty

import make_medium

INSTALLED_PARAMS = DEFAULT_PARAMS + "BOOTSTRAP=TRUE\nWAIT_FOR_COMPLETION=TRUE\n"


def seal(medium):
    run_wine_tool(str(BUILD_DIR / "velcheck.exe"), "--seal", win_path(medium.launcher_dir))
    assert (medium.launcher_dir / "velseal.sha256").is_file()


def make_sealed(medium, layout):
    """A sealed medium of `layout`; the DataFiles directories of a distribution one."""
    medium.add_english_catalogue()
    places = None
    if layout == "distribution":
        places = medium.add_distribution(params="WAIT_FOR_COMPLETION=TRUE\n")
    else:
        medium.add_param_file(INSTALLED_PARAMS)
    seal(medium)
    return places


def append_byte(path):
    with open(path, "ab") as f:
        f.write(b"\0")


def remake_list_for_changed_params(medium, places):
    """What a program of the user's could do: change velparam.ini and list it anew."""
    params = medium.launcher_dir / "velparam.ini"
    params.write_text(params.read_text() + "JRE_LOCATION=C:\\planted\n")
    list_path = medium.launcher_dir / "velseal.sha256"
    digest = hashlib.sha256(params.read_bytes()).hexdigest()
    lines = [digest + "  velparam.ini" if line.endswith("  velparam.ini") else line
             for line in list_path.read_text().splitlines()]
    list_path.write_text("\n".join(lines) + "\n")


def change_jar(medium, places):
    make_medium.write_jar(places[make_medium.INSTALLER_ID] / "filegroup1.jar",
                          {"tav/jlib/planted.jar": b"planted"})


def add_jar(medium, places):
    make_medium.write_jar(places[make_medium.INSTALLER_ID] / "added.jar",
                          {"tav/jlib/planted.jar": b"planted"})


# layout, change, the file the refusal names (its end)
REFUSALS = [
    ("distribution", lambda m, p: append_byte(m.launcher_dir / "velseal.sha256"),
     "disk1\\velseal.sha256"),
    ("distribution", remake_list_for_changed_params, "disk1\\velseal.sha256"),
    ("distribution", lambda m, p: (m.launcher_dir / "velseal.sha256").unlink(),
     "disk1\\velseal.sha256"),
    ("distribution", lambda m, p: append_byte(m.launcher_dir / "velparam.ini"),
     "disk1\\velparam.ini"),
    ("distribution", lambda m, p: append_byte(m.resource_dir / "cons.nls"),
     "disk1\\resource\\cons.nls"),
    ("distribution", lambda m, p: append_byte(m.launcher_dir / "unzip.exe"), "disk1\\unzip.exe"),
    ("distribution", change_jar, "DataFiles\\filegroup1.jar"),
    ("distribution", add_jar, "DataFiles\\added.jar"),
    ("installed", lambda m, p: append_byte(m.jre_dir / "bin" / "java.exe"), "jre\\bin\\java.exe"),
    ("installed", lambda m, p: (m.jre_dir / "bin" / "added.dll").write_bytes(b"planted"),
     "jre\\bin\\added.dll"),
]


@pytest.mark.parametrize("layout, change, named", REFUSALS,
                         ids=[f"{r[0]}-{r[2].split(chr(92))[-1]}-{i}" for i, r in enumerate(REFUSALS)])
def test_a_file_not_as_sealed_stops_the_launch_naming_it(medium, inventory, layout, change,
                                                        named):
    places = make_sealed(medium, layout)
    change(medium, places)
    code, shown = on_pty(medium, "-silent")
    assert code == -3, shown
    flat = shown.replace("\n", "")
    assert "ERROR: This medium is sealed, and " in flat
    assert named + " is missing, changed or not in its" in flat, shown
    assert medium.java_command() is None
    # Nothing of the installer's was expanded or copied into place.
    for scratch in medium.scratch_dirs():
        assert not (scratch / "tav").exists()
    log = "".join(p.read_text("utf-8", "replace") for p in inventory.glob("installActions*.log"))
    assert named in log


@pytest.mark.parametrize("layout", ["distribution", "installed"])
def test_a_sealed_medium_stages_and_starts_the_installer(medium, layout):
    make_sealed(medium, layout)
    code, shown = on_pty(medium, "-silent")
    assert code == 0, shown
    program, _ = medium.java_where()
    # The runtime started is the checked copy in the scratch directory.
    assert "\\temp\\VelInstall" in program
    assert "ERROR" not in shown


def test_a_sealed_medium_refuses_a_mode_that_runs_it_in_place(medium):
    make_sealed(medium, "installed")
    code, shown = on_pty(medium, "-silent -attachHome")
    assert code == -3
    assert "but " + win_path(medium.launcher_dir) + " would run from the medium" in \
        shown.replace("\n", "")
    assert medium.java_command() is None


def test_an_unsealed_setup_exe_ignores_a_list_beside_it(medium):
    medium.add_english_catalogue()
    medium.add_param_file(INSTALLED_PARAMS)
    (medium.launcher_dir / "velseal.sha256").write_text("not a list\n")
    shutil.copy2(medium.jre_dir / "bin" / "java.exe", medium.jre_dir / "bin" / "unlisted.exe")
    code, shown = on_pty(medium, "-silent")
    assert code == 0, shown
    assert medium.java_command() is not None
