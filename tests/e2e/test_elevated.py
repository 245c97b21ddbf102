"""What an unelevated program of the same user controls cannot steer the elevated launcher
(Wine runs every program elevated): the path that leads to TEMP, the environment its
children inherit, the directories it writes logs into, a scratch directory it is given.
Links are made from the unix side, as Wine follows them like junctions."""

import os

import pytest

from conftest import DEFAULT_PARAMS, run_setup, wait_for_file, win_path
from test_launch_sequence import CATALOGUE, on_pty
from test_staging import HeldInstaller

import make_medium

# Interactive, the failed generic check asks whether to go on: the launcher waits there
# with its scratch directory made, until the answer is typed.
FAILING_CHECK = "[Generic Prereqs]\nCPU=999999\n"
QUESTION = r"\(y/n\) \[n\]: "
# Interactive, the installer runs windowless.
STAGED_JAVAW = "jre\\1.6.0\\bin\\javaw.exe"


def files_below(root):
    return sorted(p.relative_to(root).as_posix() for p in root.rglob("*") if p.is_file())


def test_temp_redirected_once_the_scratch_directory_exists_steers_nothing(medium):
    """TEMP is reached through a link; once the scratch directory is made, the user's
    program points the link at a tree holding a planted runtime of that very name."""
    medium.add_english_catalogue()
    medium.add_distribution(params="WAIT_FOR_COMPLETION=TRUE\n" + FAILING_CHECK)
    first, planted = medium.root / "first", medium.root / "planted"
    first.mkdir()
    planted_java = planted / "VelInstall7" / "jre" / "1.6.0" / "bin" / "java.exe"
    planted_java.parent.mkdir(parents=True)
    planted_java.write_bytes(b"planted")
    (planted / "other.txt").write_text("the user's")
    link = medium.root / "temp-link"
    os.symlink(first, link)

    def redirect():
        link.unlink()
        os.symlink(planted, link)
        return "y"

    code, shown = on_pty(medium, "-rtimestamp 7", env={"VEL_CHILD_TEMP": win_path(link)},
                         answers=[redirect], prompt=QUESTION)
    assert code == 0, shown
    program, _ = medium.java_where()
    assert program == win_path(first / "VelInstall7") + "\\" + STAGED_JAVAW
    assert files_below(planted) == ["VelInstall7/jre/1.6.0/bin/java.exe", "other.txt"]
    assert planted_java.read_bytes() == b"planted"
    # The clean-up removed the directory it made, not the one the link leads to now.
    assert not (first / "VelInstall7").exists()
    assert (first / "installActions7.log").exists()


def test_children_of_an_elevated_launcher_get_none_of_the_users_steering(medium):
    medium.add_english_catalogue()
    places = medium.add_distribution()
    # The core's jar brings a file the installer's brought before: it must win.
    make_medium.write_jar(places[make_medium.CORE_ID] / "override.jar",
                          {"tav/jlib/SetupImages.jar": b"the core's"})
    user_bin = medium.root / "user bin"
    user_bin.mkdir()
    env_report = medium.root / "java-env.txt"
    # With pipes, the run ends only once the stand-in, which inherits them, has ended:
    # its reports are written by then.
    code = run_setup(medium, "-silent", env={
        "UNZIP": "-n", "UNZIPOPT": "-n", "ZIPINFO": "-1", "ZIPINFOOPT": "-1",
        "JAVA_TOOL_OPTIONS": "-javaagent:" + win_path(medium.root / "agent.jar"),
        "_JAVA_OPTIONS": "-Xmx1m", "JDK_JAVA_OPTIONS": "-agentpath:x.dll",
        "CLASSPATH": win_path(user_bin),
        "VEL_CHILD_PATH": "C:\\windows\\system32;C:\\windows;" + win_path(user_bin),
        "VEL_JAVA_ENV_REPORT": win_path(env_report)}).code
    assert code == 259
    wait_for_file(env_report)
    wait_for_file(medium.java_where_report)
    names = {}
    for line in env_report.read_text("utf-8").splitlines():
        name, _, value = line.partition("=")
        names[name.upper()] = value
    for name in ("JAVA_TOOL_OPTIONS", "_JAVA_OPTIONS", "JDK_JAVA_OPTIONS", "CLASSPATH"):
        assert name not in names, name
    assert names["UNZIP"] == "-n"  # only unzip.exe goes without its variables
    assert "system32" in names["PATH"].lower()
    assert "user bin" not in names["PATH"]
    # Started in the system directory, which the user cannot write, not in TEMP.
    _, directory = medium.java_where()
    assert directory.lower() == "c:\\windows\\system32"
    # unzip kept overwriting as the launcher told it to.
    [scratch] = medium.scratch_dirs()
    assert (scratch / "tav" / "jlib" / "SetupImages.jar").read_bytes() == b"the core's"


def test_prerequisite_checker_log_never_goes_through_a_link_in_temp(medium):
    medium.add_catalogue("cons.nls", dict(
        CATALOGUE, S_LOG_REDIRECTED="REDIRECTED[%s|%s]", S_LOG_KEPT="KEPT[%s]"))
    (medium.root / "prereq").mkdir()
    medium.add_param_file(DEFAULT_PARAMS + "PREREQ_CONFIG_LOCATION=..\\prereq\n")
    victim = medium.root / "victim"
    victim.mkdir()
    os.symlink(victim, medium.temp_dir / "logs")
    code, shown = on_pty(medium, "-silent -prereqChecker -rtimestamp 7", columns=400)
    assert code == 0
    assert files_below(victim) == []
    scratch_log = win_path(medium.temp_dir / "VelInstall7" / "installActions7.log")
    assert f"REDIRECTED[{win_path(medium.temp_dir / 'logs')}|{scratch_log}]" in shown
    # Kept in TEMP once the scratch directory went.
    assert f"KEPT[{win_path(medium.temp_dir / 'installActions7.log')}]" in shown
    assert (medium.temp_dir / "installActions7.log").exists()


@pytest.mark.parametrize("reuse", [False, True])
def test_a_given_scratch_directory_others_could_change_is_refused(medium, reuse):
    """Wine keeps no access rules: every directory reads as the user's, so an elevated
    launcher takes none it is given, neither a new one nor one staged before."""
    medium.add_catalogue("cons.nls", dict(CATALOGUE, S_ERR_SCRATCH_NOT_PROTECTED="REFUSED[%s]"))
    medium.add_param_file()
    given = medium.root / "given"
    given.mkdir()
    (given / "keep.txt").write_text("mine")
    tail = f"-silent -rscratchPath {win_path(given)}" + (" -NOBOOTSTRAP" if reuse else "")
    code, shown = on_pty(medium, tail, columns=400)
    assert code == -1
    assert f"REFUSED[{win_path(given)}]" in shown
    assert medium.java_command() is None
    assert files_below(given) == ["keep.txt"]
