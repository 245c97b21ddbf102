"""Component staging in whole launches: distribution media expanded with the real
unzip.exe from real deflated jars, and installed layouts copied as trees.

The media come from tools/make_medium.py: the runtime's jar holds jre\\1.6.0 with the Java
stand-in as bin\\java.exe and javaw.exe, the installer's and the core's jars hold tav\\jlib,
the patch tool's Patchel\\jlib.
"""

import re
import shutil
import time

import make_medium
import pytest

from conftest import BUILD_DIR, Medium, wait_for_file, win_path
from test_catalogue import compiled_text, words
from test_launch_sequence import CATALOGUE, on_pty

STAGING_CATALOGUE = dict(CATALOGUE, **{
    "S_UNZIP_COMMANDLINE": "\nUNZIP: ",
    "S_UNZIP_FAILED": "\nUNZIPFAILED[%s]\n",
    "S_NUMBER_OF_FILES_BOOTSTRAPPED": "\nCOUNT[%s=%d]\n",
    "S_ERJRE_MISSING": "\nNORUNTIME\n",
})
TAV_VERSION = "11.2.0.1.0"
COMPONENTS = "..\\stage\\Components\\"
JRE_SOURCE = COMPONENTS + "velmor.swd.jre\\1.6.0\\1\\DataFiles"
# The defaults of a distribution medium end in a backslash.
TAV_SOURCE = COMPONENTS + f"velmor.swd.tav\\{TAV_VERSION}\\1\\DataFiles\\"
CORE_SOURCE = COMPONENTS + f"velmor.swd.tav.core\\{TAV_VERSION}\\1\\DataFiles\\"
PATCHEL_SOURCE = COMPONENTS + f"velmor.swd.patchel\\{TAV_VERSION}\\1\\DataFiles\\"
# What the runtime's and the installer's directories hold once staged.
JRE_FILES = 3
TAV_FILES = len(make_medium.INSTALLER_JARS) + len(make_medium.CORE_JARS)
UNZIP_COMMAND = re.compile(r'UNZIP: "([^"]*)" -qqqo "([^"]*)" -d "([^"]*)" ')
TIMING_LINE = re.compile(r"\n Time taken for bootstrapping (.+?) is \d+\.\d{5}( +)seconds")


@pytest.fixture
def distribution(medium):
    medium.add_catalogue("cons.nls", STAGING_CATALOGUE)
    return medium


def only_scratch(medium):
    scratch_dirs = medium.scratch_dirs()
    assert len(scratch_dirs) == 1, scratch_dirs
    return scratch_dirs[0]


def only_log(directory, prefix="installActions"):
    logs = sorted(directory.glob(f"{prefix}*.log"))
    assert len(logs) == 1, logs
    return logs[0].read_text()


def unzip_runs(log_text):
    """(source pattern, destination) of every unzip command in the log, in order."""
    return [(m.group(2), m.group(3)) for m in UNZIP_COMMAND.finditer(log_text)]


class HeldInstaller:
    """Keeps the Java stand-in running after the launcher ends, until released."""

    def __init__(self, medium):
        self.release_file = medium.root / "release"
        self.done_file = medium.root / "done"
        self.env = {"VEL_JAVA_HOLD_FILE": win_path(self.release_file),
                    "VEL_JAVA_DONE_FILE": win_path(self.done_file)}

    def release(self):
        self.release_file.write_text("")
        wait_for_file(self.done_file)


def test_distribution_medium_starts_the_installer_from_its_staged_copies(tmp_path):
    # Blanks in the medium's path and in TEMP.
    medium = Medium(tmp_path / "my medium")
    medium.add_catalogue("cons.nls", STAGING_CATALOGUE)
    medium.add_distribution()
    held = HeldInstaller(medium)
    code, shown = on_pty(medium, "-silent", env=held.env)
    try:
        # The launcher does not wait for a staged installer: it is still running.
        assert code == 259
        scratch = only_scratch(medium)
        scratch_win = win_path(scratch)
        assert f"BOOTSTRAP {scratch_win}. WAIT" in shown.replace("\n", "")

        log = only_log(scratch)
        unzip = win_path(medium.launcher_dir / "unzip")
        assert [m.group(1) for m in UNZIP_COMMAND.finditer(log)] == [unzip] * 4
        assert unzip_runs(log) == [(source + "/*.jar", scratch_win) for source in
                                   (JRE_SOURCE, TAV_SOURCE, CORE_SOURCE, PATCHEL_SOURCE)]
        assert log.endswith(f"\nCOUNT[jre={JRE_FILES}]\n\nCOUNT[tav={TAV_FILES}]\n")
        assert (scratch / "tav" / "jlib" / "VelInstaller.jar").is_file()
        assert (scratch / "tav" / "jlib" / "SetupImages.jar").is_file()
        assert (scratch / "Patchel" / "jlib" / "patchel.jar").is_file()

        runtime = f"{scratch_win}\\jre\\1.6.0"
        program, directory = medium.java_where()
        assert program == f"{runtime}\\bin\\java.exe"
        # Off the medium: elevated (as under Wine), in the system directory, not in TEMP.
        assert directory.lower() == "c:\\windows\\system32"
        command = medium.java_command()
        assert command.startswith(f'"{runtime}\\bin\\java.exe" ')
        assert f'-Dvelmor.installer.jre_loc="{runtime}"' in command
        assert f'-Dvelmor.installer.library_loc="{scratch_win}\\tav\\lib\\win64"' in command
        assert f";{scratch_win}\\Patchel\\jlib\\patchel.jar;" in command
    finally:
        held.release()
    # The installer owns the scratch directory from here on.
    assert medium.scratch_dirs() == [scratch]


def test_component_list_stages_only_what_it_names(distribution, inventory):
    distribution.add_distribution(params="WAIT_FOR_COMPLETION=TRUE\n"
                                  "BOOTSTRAP_COMPS=velmor.swd.tav:1.7.0.0.0,"
                                  "velmor.swd.patchel:1.7.0.0.0\n")
    # The list's version, not TAV_VERSION, names the place.
    for component in ("velmor.swd.tav", "velmor.swd.patchel"):
        place = distribution.root / "stage" / "Components" / component
        (place / TAV_VERSION).rename(place / "1.7.0.0.0")
    # The runtime in place (-jreLoc), so that only the list decides what is expanded.
    jre = win_path(distribution.jre_dir)
    code, _ = on_pty(distribution, f"-silent -jreLoc {jre}", env={"VEL_JAVA_EXIT_CODE": "4"})
    assert code == 4
    log = only_log(inventory)
    scratch = re.search(r'-scratchPath "([^"]*)"', distribution.java_command()).group(1)
    assert unzip_runs(log) == [
        (COMPONENTS + "velmor.swd.tav\\1.7.0.0.0\\1\\DataFiles/*.jar", scratch),
        (COMPONENTS + "velmor.swd.patchel\\1.7.0.0.0\\1\\DataFiles/*.jar", scratch)]
    assert log.endswith(f"\nCOUNT[jre=0]\n\nCOUNT[tav={len(make_medium.INSTALLER_JARS)}]\n")
    command = distribution.java_command()
    assert command.startswith(f'"{jre}\\bin\\java.exe" ')
    # The core was not staged: its location is still the medium's, named absolutely.
    core = win_path(distribution.root / "stage" / "Components" / "velmor.swd.tav.core" /
                    TAV_VERSION / "1" / "DataFiles") + "\\"
    assert f'-Dvelmor.installer.library_loc="{core}\\lib\\win64"' in command
    assert f";{scratch}\\Patchel\\jlib\\patchel.jar;" in command


def test_other_components_and_access_files_are_timed_with_print_time(distribution):
    distribution.add_distribution(params=(
        f"BOOTSTRAP_COMPS=velmor.swd.extra:1.0,velmor.swd.jre:1.6.0,velmor.swd.tav:{TAV_VERSION},"
        f"velmor.swd.tav.core:{TAV_VERSION},velmor.swd.patchel:{TAV_VERSION},ignored\n"
        "ACCESS_DIR=..\\access\n"))
    make_medium.write_jar(make_medium.data_files(distribution.root / "stage", "velmor.swd.extra",
                                                 "1.0") / "extra.jar",
                          {"extra/readme.txt": b"extra\n"})
    (distribution.root / "access").mkdir()
    (distribution.root / "access" / "access.txt").write_text("access\n")
    held = HeldInstaller(distribution)
    code, _ = on_pty(distribution, "-silent -PRINTTIME", env=held.env)
    try:
        assert code == 259
        scratch = only_scratch(distribution)
        assert (scratch / "extra" / "readme.txt").read_text() == "extra\n"
        assert (scratch / "access.txt").read_text() == "access\n"
        lines = TIMING_LINE.findall(only_log(scratch, "time"))
        assert lines == [("velmor.swd.extra", "   "), ("velmor.swd.jre", "  "),
                         ("velmor.swd.tav", "  "), ("velmor.swd.tav.core", "  "),
                         ("velmor.swd.patchel", "  "), ("Access Files", "  ")]
        assert [source for source, _ in unzip_runs(only_log(scratch))][0] == (
            COMPONENTS + "velmor.swd.extra\\1.0\\1\\DataFiles/*.jar")
    finally:
        held.release()


def test_a_failing_core_goes_on_and_a_failing_installer_stops(distribution, inventory):
    places = distribution.add_distribution(params="WAIT_FOR_COMPLETION=TRUE\n")
    # The core's directory holds no jar: unzip fails, without a message of the launcher's.
    (places["velmor.swd.tav.core"] / "filegroup1.jar").unlink()
    code, shown = on_pty(distribution, "-silent", env={"VEL_JAVA_EXIT_CODE": "6"})
    assert code == 6
    assert "UNZIPFAILED" not in shown
    command = distribution.java_command()
    # The installer starts in TEMP: the medium's core is named by its absolute path, not by
    # one relative to the launcher directory, which would mean a folder beside TEMP.
    core = win_path(places["velmor.swd.tav.core"]) + "\\"
    assert f'-Dvelmor.installer.library_loc="{core}\\lib\\win64"' in command
    assert f";{core}\\jlib\\VelInstaller.jar;" in command
    assert CORE_SOURCE not in command
    assert len(unzip_runs(only_log(inventory))) == 4

    # Without the installer's directory the medium is broken: that is reported, and no
    # installer starts.
    distribution.java_report.unlink()
    shutil.rmtree(places["velmor.swd.tav"])
    for log in inventory.glob("*.log"):
        log.unlink()
    code, shown = on_pty(distribution, "-silent")
    assert code == -1
    assert f"UNZIPFAILED[{TAV_SOURCE}]" in shown.replace("\n", "")
    assert distribution.java_command() is None
    log = only_log(inventory)
    assert f"\nUNZIPFAILED[{TAV_SOURCE}]\n" in log
    assert [source for source, _ in unzip_runs(log)] == [JRE_SOURCE + "/*.jar",
                                                         TAV_SOURCE + "/*.jar"]


def test_installed_layout_with_bootstrap_copies_the_trees(distribution, inventory):
    distribution.add_param_file("[Velmor]\nJRE_LOCATION=..\\jre\nBOOTSTRAP=TRUE\n"
                                "WAIT_FOR_COMPLETION=TRUE\nPATCHEL_LOCATION=..\\patchel\n")
    (distribution.root / "patchel" / "jlib").mkdir(parents=True)
    (distribution.root / "patchel" / "jlib" / "patchel.jar").write_bytes(b"jar")
    code, _ = on_pty(distribution, "-silent", env={"VEL_JAVA_EXIT_CODE": "7"})
    assert code == 7
    program, _ = distribution.java_where()
    scratch = program[:program.index("\\jre\\bin\\java.exe")]
    assert re.fullmatch(re.escape(win_path(distribution.temp_dir)) + r"\\VelInstall[^\\]+", scratch)
    command = distribution.java_command()
    assert f";{scratch}\\Patchel\\jlib\\patchel.jar;" in command
    assert f'-Dvelmor.installer.tav_loc="{scratch}\\tav"' in command
    # The installer directory is a copy of the launcher directory (the default location).
    log = only_log(inventory)
    launcher_files = sum(1 for p in distribution.launcher_dir.rglob("*") if p.is_file())
    assert log.endswith(f"\nCOUNT[jre=2]\n\nCOUNT[tav={launcher_files}]\n")
    assert "UNZIP" not in log
    # Waited for: the scratch directory went with the installer.
    assert distribution.scratch_dirs() == []


def test_bootstrap_only_expands_into_the_given_location(distribution):
    distribution.add_distribution()
    boot = distribution.root / "boot place" / "staged"
    code, shown = on_pty(distribution, f"-silent -BOOTSTRAPONLY BOOTSTRAP_LOC={win_path(boot)}")
    assert code == 0, shown
    assert f"BootStrap To {win_path(boot)} Completed" in shown.replace("\n", "")
    assert (boot / "jre" / "1.6.0" / "bin" / "java.exe").is_file()
    assert (boot / "tav" / "jlib" / "VelInstaller.jar").is_file()
    assert (boot / "Patchel" / "jlib" / "patchel.jar").is_file()
    assert distribution.java_command() is None
    assert distribution.scratch_dirs() == []


def test_bootstrap_only_without_a_runtime_never_walks_the_drive_root(distribution):
    distribution.add_distribution()
    params = distribution.launcher_dir / "velparam.ini"
    params.write_text(re.sub(r"JRE_LOCATION=.*\n", "", params.read_text()))
    boot = distribution.root / "boot"
    code, shown = on_pty(distribution, f"-silent -BOOTSTRAPONLY BOOTSTRAP_LOC={win_path(boot)}")
    assert code == 0, shown
    assert "NORUNTIME" not in shown
    assert not (boot / "jre").exists()
    assert (boot / "tav" / "jlib" / "VelInstaller.jar").is_file()
    log = only_log(boot)
    assert [source for source, _ in unzip_runs(log)] == [
        TAV_SOURCE + "/*.jar", CORE_SOURCE + "/*.jar", PATCHEL_SOURCE + "/*.jar"]


def test_each_staged_component_shows_a_numbered_progress_line_in_the_users_language(
        medium, inventory, locales):
    medium.add_english_catalogue()
    shutil.copy2(BUILD_DIR / "resource" / "cons_de.nls", medium.resource_dir / "cons_de.nls")
    medium.add_distribution(params="WAIT_FOR_COMPLETION=TRUE\n")
    keys = ["S_EXPANDING_JRE", "S_EXPANDING_TAV", "S_EXPANDING_TAV_CORE", "S_EXPANDING_PATCHEL"]
    english = [compiled_text("cons.nls", key) % (number, 4)
               for number, key in enumerate(keys, 1)]
    assert english[2] == "Expanding the installer core (3 of 4)...\n"
    german = [compiled_text("cons_de.nls", key) % (number, 4)
              for number, key in enumerate(keys, 1)]
    assert german[2] == "Der Kern des Installationsprogramms wird entpackt (3 von 4)...\n"

    for language, lines, extra in (("en_US", english, " -PRINTTIME"), ("de_DE", german, "")):
        code, shown = on_pty(medium, "-silent" + extra,
                             env={"LC_ALL": f"{language}.UTF-8", "LOCPATH": str(locales)})
        assert code == 0
        shown = words(shown)
        places = [shown.find(words(line)) for line in lines]
        assert -1 not in places and places == sorted(places), shown
        assert all(shown.count(words(line)) == 1 for line in lines)
    # -PRINTTIME still times each component, in the same order.
    assert TIMING_LINE.findall(only_log(inventory, "time")) == [
        ("velmor.swd.jre", "  "), ("velmor.swd.tav", "  "), ("velmor.swd.tav.core", "  "),
        ("velmor.swd.patchel", "  ")]

    # Wine itself may still write to the pty; the launcher writes nothing.
    code, shown = on_pty(medium, "-silent -NOCONSOLE")
    assert code == 0
    assert not any(words(line) in words(shown) for line in english)
    # The installer log of every run is as it was: none of the lines went there.
    logs = "".join(log.read_text("utf-8") for log in inventory.glob("installActions*.log"))
    assert compiled_text("cons.nls", "S_UNZIP_COMMANDLINE").strip() in logs
    assert not any(words(line) in words(logs) for line in english + german)
