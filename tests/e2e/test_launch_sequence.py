"""Whole launches of setup.exe on installed-layout media, up to the Java stand-in.

The stand-in (the medium's jre\\bin\\java.exe and javaw.exe) records the command line it
was started with and exits with VEL_JAVA_EXIT_CODE; VEL_JAVA_HOLD_FILE keeps it running
until the test lets it go.
"""

import os
import re
import shutil
import subprocess

import pytest

from conftest import (DEFAULT_PARAMS, kill_group, read_exit_code, run_setup, run_setup_on_pty,
                      runner_argv, visible, wait_for_file, win_path, wine_env)

CATALOGUE = {
    "S_STARTINSTALLERMSG": "START[%s]\n",
    "S_ENTER_ENTER": "PRESS-ENTER",
    "S_ERVELPARAMNFD": "NOPARAMFILE\n",
    "S_USING_PARAMFILE": "USING[%s]\n",
    "S_ERRORINVOKINGFROMCD": "FROMCD[%s]\n",
    "S_ERJRENFD": "NOJAVA[%s|%s]\n",
    "S_TOTAL_ARGS": "TOTAL[%d]\n",
    "S_CMDLINE_ARG_ELTS": "ELEMENTS\n",
    "S_JVMLOADMSG": "LOADING[%s]",
    "S_LDLIBPATH_VAR": "LDPATH:",
    "S_BOOTSTRAPMSG": "BOOTSTRAP",
    "S_BOOTSTRAPONLYMSG": "BOOTONLY",
    "S_WAITMSG": "WAIT\n",
    "S_TAV": "Installer",
    "S_INVALID_JDK_HOME": "NOTJDK\n",
}
HYPHENS = "-" * 55

# The jars of the class path after the extension list, and those around the added jars.
CORE_JARS = ["VelInstaller.jar", "quickinst.jar", "xmlparse2.jar", "common.jar",
             "VelInstallerNet.jar", "mgrCfg.jar", "mgrutil.jar", "VelPrereq.jar", "sshlib.jar",
             "sshcore.jar", "remoteapi.jar", "httpcli.jar"]
PATCHEL_JARS = ["patchel.jar", "patchelactions.jar", "patchelprereq.jar", "patchelutil.jar"]
TAV_JARS_BEFORE = ["SetupImages.jar", "SetupHelp.jar", "SetupHelp_de.jar", "SetupHelp_es.jar",
                   "SetupHelp_fr.jar", "SetupHelp_it.jar", "SetupHelp_ja.jar", "SetupHelp_ko.jar",
                   "SetupHelp_pt_BR.jar", "SetupHelp_zh_CN.jar", "SetupHelp_zh_TW.jar",
                   "velmor_hv.jar", "helpkit.jar", "helpkit-nls.jar", "kwt3.jar",
                   "kwt3-uiaccess.jar", "kwt3-nls.jar", "uiaccess.jar"]
TAV_JARS_AFTER = ["jkwt4.jar", "jkwt4-nls.jar", "veli18n-collation.jar", "veli18n-mapping.jar",
                  "vjmisc.jar", "xmlkit.jar", "svcm.jar", "svcmasm.jar"]

COMMON_PARAMS = DEFAULT_PARAMS + (
    "JRE_MEMORY_OPTIONS=-Xms64m -Xmx256m\n"
    "COPY_THREADS=4\n"
    "SOURCE=..\\stage\\products.xml\n"
    "ADDTO_CLASSPATH=extra.jar\n")


@pytest.fixture
def prepared(medium):
    medium.add_catalogue("cons.nls", CATALOGUE)
    return medium


def on_pty(medium, command_tail, env=None, answers=(), prompt="PRESS-ENTER", columns=None):
    """Runs on a pty; `answers` are typed at the Enter pause, or at `prompt`."""
    code, output = run_setup_on_pty(medium, command_tail, env=env, answers=answers,
                                    prompt=prompt, columns=columns)
    return code, visible(output)


def installed_command(medium, program, scratch, timestamp, user_line):
    """The Java command of an installed layout on `medium` with COMMON_PARAMS."""
    home = win_path(medium.launcher_dir)
    jlib = home + "\\jlib"
    # In order, no entry empty or a root; no extension jars are found.
    entries = [scratch] + [f"{jlib}\\{jar}" for jar in CORE_JARS + PATCHEL_JARS]
    entries.append(f"{jlib}\\VelCheckPoint.jar")
    entries += [f"{jlib}\\{jar}" for jar in TAV_JARS_BEFORE]
    entries.append(f"{scratch}\\extra.jar")
    entries += [f"{jlib}\\{jar}" for jar in TAV_JARS_AFTER]
    class_path = ";".join(entries)
    elements = [
        f'"..\\jre\\bin\\{program}" ',
        f'-Dvelmor.installer.library_loc="{home}\\lib\\win64"',
        f'-Dvelmor.installer.tav_loc="{home}"',
        "-Dvelmor.installer.bootstrap=FALSE",
        f'-Dvelmor.installer.startup_location="{home}"',
        '-Dvelmor.installer.jre_loc="..\\..\\jre"',
        "-Dvelmor.installer.copythreads=4 ",
        f'-Dvelmor.installer.exec_location="{home}\\setup.exe" ',
        '-Dvelmor.installer.nlsEnabled="TRUE" ',
        '-Dvelmor.installer.prereqConfigLoc="" ',
        "",
        "-Xms64m", "-Xmx256m",
        "-cp", f'"{class_path}"',
        "velmor.tavrun.cmd.TavInstaller",
        "-scratchPath", f'"{scratch}" ',
        "-sourceLoc", f'"{home}\\..\\stage\\products.xml" ',
        "-sourceType", "network",
        "-timestamp", timestamp,
        user_line,
    ]
    return "".join(element + " " for element in elements)


def test_installed_layout_run_waits_for_the_installer_and_returns_its_code(prepared, inventory):
    param_file = prepared.add_param_file(COMMON_PARAMS)
    code, shown = on_pty(prepared, "-silent", env={"VEL_JAVA_EXIT_CODE": "3"})
    assert code == 3
    command = prepared.java_command()
    timestamp = re.search(r" -timestamp (\S+) ", command).group(1)
    scratch = win_path(prepared.temp_dir / f"VelInstall{timestamp}")
    assert command == installed_command(prepared, "java.exe", scratch, timestamp, "-silent")
    assert shown.index("START[Tavrun Installer]") < shown.index("Java stand-in started")
    # Waited for, so the scratch directory went with the installer.
    assert prepared.scratch_dirs() == []
    log = inventory / f"installActions{timestamp}.log"
    # The prerequisite run, with nothing to check, adds its closing line feed.
    assert log.read_text() == f"USING[{win_path(param_file)}]\n\n"


def test_help_skips_the_start_message_but_still_starts_java(prepared):
    prepared.add_param_file()
    code, shown = on_pty(prepared, "-help")
    assert code == 0
    assert "START" not in shown
    assert prepared.java_command().startswith('"..\\jre\\bin\\java.exe" ')


def test_missing_param_file_ends_with_minus_2_after_the_start_message(prepared):
    code, shown = on_pty(prepared, "-silent", answers=[""])
    assert code == -2
    # The search reports the missing file at once; the launch ends after the start
    # message and the prerequisite run.
    assert shown.index("NOPARAMFILE") < shown.index("START[Tavrun Installer]")
    assert shown.index("START[Tavrun Installer]") < shown.index("PRESS-ENTER")
    assert prepared.java_command() is None


@pytest.mark.parametrize("wait_value, waits", [("true", False), ("TRUE", True), ("T", True)])
def test_only_an_upper_case_wait_for_completion_waits_for_a_staged_installer(
        prepared, wait_value, waits):
    prepared.add_param_file(DEFAULT_PARAMS + f"BOOTSTRAP=TRUE\nWAIT_FOR_COMPLETION={wait_value}\n")
    release, done = prepared.root / "release", prepared.root / "done"
    env = {"VEL_JAVA_EXIT_CODE": "3", "VEL_JAVA_DONE_FILE": win_path(done)}
    if not waits:
        # The stand-in runs on until the test lets it go.
        env["VEL_JAVA_HOLD_FILE"] = win_path(release)
    # On a pty: pipes would stay open as long as the stand-in that inherited them runs.
    code, _ = on_pty(prepared, "-silent", env=env)
    if waits:
        assert code == 3
        assert prepared.scratch_dirs() == []
    else:
        # Still running when the launcher ends: it owns the scratch directory.
        assert code == 259
        assert len(prepared.scratch_dirs()) == 1
        release.write_text("")
    wait_for_file(done)
    # Staged: the installer runs on the scratch directory's copy of the runtime.
    assert re.match(r'"Z:\\.*\\temp\\VelInstall[^\\]+\\jre\\bin\\java\.exe" ',
                    prepared.java_command())


def test_remove_home_from_a_distribution_medium_is_refused(prepared):
    prepared.add_param_file(DEFAULT_PARAMS + "DISTRIBUTION=TRUE\n")
    code, shown = on_pty(prepared, "-silent -removeHome")
    assert code == -1
    assert "FROMCD[-SILENT -REMOVEHOME]" in shown
    assert prepared.java_command() is None


def test_missing_java_program_is_reported_and_the_launch_ends_after_the_pause(prepared):
    prepared.add_param_file("[Velmor]\nJRE_LOCATION=..\\nojre\n")
    code, shown = on_pty(prepared, "-silent", answers=[""])
    assert code == -1
    assert shown.index("NOJAVA[..\\nojre\\bin\\java.exe|1.3.1]") < shown.index("PRESS-ENTER")
    assert prepared.java_command() is None


def test_runtime_of_the_wrong_kind_starts_nothing(prepared):
    prepared.add_param_file("[Velmor]\nUSEJDKONLY=TRUE\n")
    (prepared.jre_dir / "lib").mkdir()
    (prepared.jre_dir / "lib" / "rt.jar").write_bytes(b"")
    code, shown = on_pty(prepared, f"-silent -jreLoc {win_path(prepared.jre_dir)}", answers=[""])
    assert code == -1
    assert shown.index("NOTJDK") < shown.index("PRESS-ENTER")
    assert prepared.java_command() is None


def test_debug_echoes_the_java_command_on_the_console_and_in_the_log(prepared, inventory):
    prepared.add_param_file(COMMON_PARAMS)
    code, shown = on_pty(prepared, "-silent -debug")
    assert code == 0
    flat = shown.replace("\n", "")
    command = prepared.java_command()
    elements = command.split(" ")  # good enough for the short elements checked below
    assert "LDPATH:" in shown
    start = flat.index(HYPHENS + "TOTAL[25]ELEMENTS" + 'Arg:0:"..\\jre\\bin\\java.exe" :')
    assert flat.index("Arg:3:-Dvelmor.installer.bootstrap=FALSE:", start)
    assert flat.index("Arg:10::Arg:11:-Xms64m:Arg:12:-Xmx256m:Arg:13:-cp:", start)
    end = flat.index("Arg:24:-silent -debug:" + HYPHENS, start)
    assert flat.index('LOADING["..\\jre\\bin\\java.exe" ]', end)
    log = next(inventory.glob("installActions*.log")).read_text()
    listed = log.split("TOTAL[25]\nELEMENTS\n", 1)[1]
    assert listed.startswith('"..\\jre\\bin\\java.exe" \n-Dvelmor.installer.library_loc=')
    assert listed.endswith(f"\n-timestamp\n{elements[-4]}\n-silent -debug\n\n")
    assert listed.count("\n") == 25 + 1


def test_bootstrap_only_completes_without_java(prepared):
    prepared.add_param_file(DEFAULT_PARAMS + "BOOTSTRAP=TRUE\n")
    boot = win_path(prepared.root / "boot")
    code, shown = on_pty(prepared, f"-silent -BOOTSTRAPONLY BOOTSTRAP_LOC={boot}")
    assert code == 0
    assert "BOOTONLY  WAIT" in shown
    assert f"BootStrap To {boot} Completed" in shown.replace("\n", "")
    assert "START" not in shown
    assert prepared.java_command() is None
    assert prepared.scratch_dirs() == []


def test_noconsole_prints_nothing(prepared):
    prepared.add_param_file()
    code, shown = on_pty(prepared, "-silent -NOCONSOLE")
    assert code == 0
    assert shown.strip() == ""
    assert prepared.java_command().startswith('"..\\jre\\bin\\javaw.exe" ')


def test_the_java_program_checked_is_the_one_started_after_the_move_to_temp(prepared):
    """A relative runtime (..\\jre) is checked from the launcher's directory; after the move
    to TEMP the same text names a file beside TEMP, which the user can plant."""
    prepared.add_param_file("[Velmor]\nBOOTSTRAP=TRUE\nWAIT_FOR_COMPLETION=TRUE\n")
    away_temp = prepared.root / "away" / "temp"
    away_temp.mkdir(parents=True)
    planted = prepared.root / "away" / "jre" / "bin"
    planted.mkdir(parents=True)
    for name in ("java.exe", "javaw.exe"):
        shutil.copy2(prepared.jre_dir / "bin" / name, planted / name)

    code, _ = on_pty(prepared, "-silent -jreLoc ..\\jre",
                     env={"VEL_CHILD_TEMP": win_path(away_temp), "VEL_JAVA_EXIT_CODE": "6"})
    assert code == 6
    program, directory = prepared.java_where()
    assert program == win_path(prepared.jre_dir / "bin" / "java.exe")
    # Elevated (as under Wine), a staged installer starts in the system directory.
    assert directory.lower() == "c:\\windows\\system32"
    # The installer is told the same file, by its absolute name.
    assert prepared.java_command().startswith(f'"{program}" ')


def test_paths_with_letters_beyond_ascii_show_right_on_the_console(prepared):
    """Paths come from ANSI calls (here TEMP); the console shows UTF-8 texts."""
    prepared.add_catalogue("cons.nls", {**CATALOGUE, "S_ERPERDIR": "UNUSABLE[%s]\n"})
    prepared.add_param_file(DEFAULT_PARAMS + "BOOTSTRAP=TRUE\nWAIT_FOR_COMPLETION=TRUE\n")
    temp = prepared.root / "Tëmp José"
    temp.mkdir()
    code, shown = on_pty(prepared, "-silent", env={"VEL_CHILD_TEMP": win_path(temp)},
                         columns=500)
    assert code == 0
    [scratch] = [p for p in temp.iterdir() if p.name.startswith("VelInstall")] or [None]
    assert scratch is None  # removed after the wait
    assert f"BOOTSTRAP {win_path(temp)}\\VelInstall" in shown

    # A scratch name too long for the launcher's buffers: the error names it.
    other_temp = prepared.root / "Größe"
    other_temp.mkdir()
    code, shown = on_pty(prepared, "-silent -rtimestamp " + "t" * 1000,
                         env={"VEL_CHILD_TEMP": win_path(other_temp)}, answers=[""], columns=1200)
    assert code == -1
    assert f"UNUSABLE[{win_path(other_temp)}\\VelInstalltttt" in shown


def test_silent_launch_without_a_console_does_not_wait_for_a_key(prepared):
    """-NOCONSOLE: the error is not shown, so there is no pause for reading it, even with
    standard input open and silent (a script's pipe that never sends anything)."""
    result_file = prepared.root / "exit_code.txt"
    proc = subprocess.Popen(runner_argv(prepared, "-silent -NOCONSOLE", result_file),
                            stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, env=wine_env(prepared.env()),
                            cwd=prepared.root, start_new_session=True)
    try:
        proc.wait(timeout=60)
    except subprocess.TimeoutExpired:
        pytest.fail("setup.exe waited for a key nobody can press")
    finally:
        if proc.poll() is None:
            kill_group(proc)
        proc.stdin.close()
    assert read_exit_code(result_file, "setup.exe") == -2
    assert prepared.java_command() is None


def test_installer_log_outlives_the_scratch_directory(prepared):
    """Without an inventory the log lies in the scratch directory; the clean-up after the
    wait keeps it in TEMP and says where."""
    prepared.add_catalogue("cons.nls", {**CATALOGUE, "S_LOG_KEPT": "KEPT[%s]\n"})
    prepared.add_param_file(DEFAULT_PARAMS + "BOOTSTRAP=TRUE\nWAIT_FOR_COMPLETION=TRUE\n")
    code, shown = on_pty(prepared, "-silent -rtimestamp T1", env={"VEL_JAVA_EXIT_CODE": "3"},
                         columns=500)
    assert code == 3
    assert prepared.scratch_dirs() == []
    kept = prepared.temp_dir / "installActionsT1.log"
    assert "USING[" in kept.read_text()
    assert f"KEPT[{win_path(kept)}]" in shown


def test_an_unusable_temp_takes_the_systems_temporary_directory_and_says_so(prepared):
    """A TEMP that cannot be used (a list here) once meant the shared C:\\TEMP; now the
    system's own choice (TMP, here usable) is taken, and the installer log says so."""
    prepared.add_catalogue("cons.nls", {**CATALOGUE, "S_LOG_KEPT": "KEPT[%s]\n",
                                        "S_SCRATCH_DIR_CREATED": "SCRATCH[%s]\n"})
    prepared.add_param_file(DEFAULT_PARAMS + "BOOTSTRAP=TRUE\nWAIT_FOR_COMPLETION=TRUE\n")
    system_temp = prepared.root / "system-temp"
    system_temp.mkdir()
    code, shown = on_pty(prepared, "-silent -rtimestamp T1", columns=500,
                         env={"VEL_CHILD_TEMP": "C:\\a;C:\\b", "VEL_CHILD_TMP": win_path(system_temp)})
    assert code == 0
    kept = system_temp / "installActionsT1.log"
    assert f"KEPT[{win_path(kept)}]" in shown
    assert f"SCRATCH[{win_path(system_temp / 'VelInstallT1')}]" in kept.read_text()


def test_a_log_name_taken_in_temp_keeps_the_scratch_directory_instead(prepared):
    prepared.add_catalogue("cons.nls", {**CATALOGUE, "S_LOG_KEPT": "KEPT[%s]\n"})
    prepared.add_param_file(DEFAULT_PARAMS + "BOOTSTRAP=TRUE\nWAIT_FOR_COMPLETION=TRUE\n")
    theirs = prepared.temp_dir / "installActionsT1.log"
    theirs.write_text("theirs")
    code, shown = on_pty(prepared, "-silent -rtimestamp T1", columns=500)
    assert code == 0
    assert theirs.read_text() == "theirs"
    [scratch] = prepared.scratch_dirs()
    log = scratch / "installActionsT1.log"
    assert "USING[" in log.read_text()
    assert f"KEPT[{win_path(log)}]" in shown


def test_a_kept_log_name_that_is_a_link_is_never_written_through(prepared):
    """The user decides what a name in TEMP means: a link at the kept log's name, to a
    file or to nothing yet, is neither followed nor replaced; the log stays where it is."""
    prepared.add_catalogue("cons.nls", {**CATALOGUE, "S_LOG_KEPT": "KEPT[%s]\n"})
    prepared.add_param_file(DEFAULT_PARAMS + "BOOTSTRAP=TRUE\nWAIT_FOR_COMPLETION=TRUE\n")
    victim, absent = prepared.root / "victim.txt", prepared.root / "absent.txt"
    victim.write_text("victim")
    link = prepared.temp_dir / "installActionsT1.log"
    for target in (victim, absent):
        link.unlink(missing_ok=True)
        os.symlink(target, link)
        code, shown = on_pty(prepared, "-silent -rtimestamp T1", columns=500)
        assert code == 0
        [scratch] = prepared.scratch_dirs()
        log = scratch / "installActionsT1.log"
        assert "USING[" in log.read_text()
        assert f"KEPT[{win_path(log)}]" in shown
        shutil.rmtree(scratch)
    assert victim.read_text() == "victim"
    assert not absent.exists()


def test_the_scratch_directory_cannot_be_moved_while_it_is_in_use(prepared):
    """Another program of the user's cannot rename the scratch directory away (and put its
    own in its place) while the waited-for installer runs."""
    from test_links import probe  # both need this module loaded first
    from test_staging import HeldInstaller
    prepared.add_param_file(DEFAULT_PARAMS + "BOOTSTRAP=TRUE\nWAIT_FOR_COMPLETION=TRUE\n")
    held = HeldInstaller(prepared)
    result_file = prepared.root / "exit_code.txt"
    proc = subprocess.Popen(runner_argv(prepared, "-silent", result_file),
                            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, env=wine_env(prepared.env(held.env)),
                            cwd=prepared.root, start_new_session=True)
    try:
        wait_for_file(prepared.java_where_report)
        [scratch] = prepared.scratch_dirs()
        # 32: a sharing violation.
        assert probe("rename", scratch, prepared.temp_dir / "moved") == "rename: 32"
        held.release()
        proc.wait(timeout=120)
    finally:
        if proc.poll() is None:
            kill_group(proc)
    assert read_exit_code(result_file, "setup.exe") == 0
    assert prepared.scratch_dirs() == []
    assert not (prepared.temp_dir / "moved").exists()
