"""setup.exe finds velparam.ini, reports the file it uses and logs the search.

The launches wait for the Java stand-in and then remove their scratch directory, so the
logs are kept in the inventory's logs directory (inst_loc) for these tests to read.
"""

import re

import pytest

from conftest import run_setup, run_setup_on_pty, visible, win_path

# Texts that make each report easy to find; the log takes them from cons.nls as well.
CATALOGUE = {
    "S_USING_PARAMFILE": "USING[%s]\n",
    "S_ERVELPARAMNFD_LOC": "MISSED[%s]\n",
    "S_ERUSR_PARAMFILE_NOT_FOUND": "NOTFOUND[%s]\n",
    "S_DEF_PARAMFILE": "INSTEAD[%s]\n",
    "S_ERVELPARAMNFD": "NOPARAMFILE\n",
    "S_ENTER_ENTER": "PRESS-ENTER",
}


@pytest.fixture
def prepared(medium, inventory):
    medium.add_catalogue("cons.nls", CATALOGUE)
    medium.log_dir = inventory
    return medium


def on_pty(medium, command_tail, answers=()):
    """Runs on a pty; `answers` are typed at the Enter pause."""
    code, output = run_setup_on_pty(medium, command_tail, answers=answers, prompt="PRESS-ENTER")
    return code, visible(output)


# The prerequisite run that follows the parameter file, with nothing to check, ends the
# log's part of it with a line feed.
PREREQ_END = "\n"


def only_log(medium):
    logs = sorted(medium.log_dir.glob("*.log"))
    assert len(logs) == 1, logs
    assert re.fullmatch(r"installActions\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d[AP]M\.log", logs[0].name)
    return logs[0].read_text()


def scratch_path_given_to_java(medium):
    match = re.search(r' -scratchPath "([^"]*)" ', medium.java_command() or "")
    assert match, medium.java_command()
    return match.group(1)


def test_param_file_option_naming_a_file_elsewhere_is_used_quietly(prepared, tmp_path):
    elsewhere = tmp_path / "elsewhere"
    elsewhere.mkdir()
    given = prepared.add_param_file(where=elsewhere)
    prepared.add_param_file()  # a neighbour that must not be taken
    code, shown = on_pty(prepared, f"-silent -paramFile {win_path(given)}")
    assert code == 0
    assert only_log(prepared) == f"USING[{win_path(given)}]\n" + PREREQ_END
    assert "USING" not in shown and "NOTFOUND" not in shown


def test_relative_param_file_resolves_against_the_working_directory(prepared):
    (prepared.root / "conf").mkdir()
    prepared.add_param_file(where=prepared.root / "conf")
    result = run_setup(prepared, "-silent -paramFile conf\\velparam.ini")
    assert result.code == 0
    assert only_log(prepared) == (
        f"USING[{win_path(prepared.root / 'conf' / 'velparam.ini')}]\n" + PREREQ_END)


def test_param_file_in_the_parent_is_found_and_reported_without_dots(prepared):
    prepared.add_param_file(where=prepared.root)
    result = run_setup(prepared, "-silent")
    assert result.code == 0
    launcher = win_path(prepared.launcher_dir)
    assert only_log(prepared) == (f"MISSED[{launcher}\\velparam.ini]\n"
                                  f"USING[{win_path(prepared.root / 'velparam.ini')}]\n"
                                  + PREREQ_END)


def test_missing_param_file_option_falls_back_to_the_neighbour(prepared):
    neighbour = prepared.add_param_file()
    code, shown = on_pty(prepared, "-silent -paramFile C:\\nowhere\\velparam.ini")
    assert code == 0
    expected = f"NOTFOUND[C:\\nowhere\\velparam.ini]\nINSTEAD[{win_path(neighbour)}]\n"
    # The console wraps long lines at 80 columns.
    assert expected.replace("\n", "") in shown.replace("\n", "")
    assert only_log(prepared) == expected + PREREQ_END


def test_no_param_file_anywhere_ends_with_minus_2_after_the_pause(prepared):
    result = run_setup(prepared, "-silent -paramFile C:\\nowhere\\velparam.ini")
    assert result.code == -2
    launcher = win_path(prepared.launcher_dir)
    assert only_log(prepared) == (f"MISSED[{launcher}\\velparam.ini]\n"
                                  f"MISSED[{launcher}\\..\\velparam.ini]\n"
                                  f"MISSED[{launcher}\\velparam.ini]\n"
                                  f"MISSED[{launcher}\\..\\velparam.ini]\n"
                                  "NOPARAMFILE\n" + PREREQ_END)
    # On a console the error is shown, then the pause waits for Enter.
    code, shown = on_pty(prepared, "-silent", answers=[""])
    assert code == -2
    assert "NOTFOUND" not in shown
    assert shown.index("NOPARAMFILE") < shown.index("PRESS-ENTER")


def test_scratch_directory_is_made_under_temp_and_removed_after_the_wait(prepared):
    prepared.add_param_file()
    assert run_setup(prepared, "-silent").code == 0
    scratch = scratch_path_given_to_java(prepared)
    only_log(prepared)
    timestamp = next(prepared.log_dir.glob("*.log")).name[len("installActions"):-len(".log")]
    assert scratch == win_path(prepared.temp_dir / f"VelInstall{timestamp}")
    # The installed layout waits for the installer, then removes what it made.
    assert prepared.scratch_dirs() == []


def test_rtimestamp_names_the_scratch_directory_and_the_log(prepared):
    prepared.add_param_file()
    assert run_setup(prepared, "-silent -rtimestamp 7").code == 0
    assert scratch_path_given_to_java(prepared) == win_path(prepared.temp_dir / "VelInstall7")
    assert [log.name for log in prepared.log_dir.glob("*.log")] == ["installActions7.log"]
    assert run_setup(prepared, "-silent -rtimestamp 7 -attachHome").code == 0
    assert (prepared.log_dir / "AttachHome7.log").exists()
