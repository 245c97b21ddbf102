"""setup.exe finds velparam.ini, reports the file it uses and logs the search."""

import re

import pytest

from conftest import run_setup, run_setup_on_pty, win_path

# Texts that make each report easy to find; the log takes them from cons.nls as well.
CATALOGUE = {
    "S_USING_PARAMFILE": "USING[%s]\n",
    "S_ERVELPARAMNFD_LOC": "MISSED[%s]\n",
    "S_ERUSR_PARAMFILE_NOT_FOUND": "NOTFOUND[%s]\n",
    "S_DEF_PARAMFILE": "INSTEAD[%s]\n",
    "S_ERVELPARAMNFD": "NOPARAMFILE\n",
    "S_ENTER_ENTER": "PRESS-ENTER",
}
ESCAPES = re.compile(r"\x1b\][^\x07]*\x07|\x1b\[[0-9;?]*[A-Za-z]")


@pytest.fixture
def prepared(medium):
    medium.add_catalogue("cons.nls", CATALOGUE)
    return medium


def on_pty(medium, command_tail, answers=()):
    code, output = run_setup_on_pty(medium, command_tail, answers=answers)
    return code, ESCAPES.sub("", output).replace("\r", "")


def only_log(medium):
    logs = medium.logs()
    assert len(logs) == 1, logs
    assert re.fullmatch(r"installActions\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d[AP]M\.log", logs[0].name)
    assert logs[0].parent.name == "VelInstall" + logs[0].name[len("installActions"):-4]
    return logs[0].read_text()


def test_param_file_option_naming_a_file_elsewhere_is_used_quietly(prepared, tmp_path):
    elsewhere = tmp_path / "elsewhere"
    elsewhere.mkdir()
    given = prepared.add_param_file(where=elsewhere)
    prepared.add_param_file()  # a neighbour that must not be taken
    code, shown = on_pty(prepared, f"-silent -paramFile {win_path(given)}")
    assert code == 0
    assert only_log(prepared) == f"USING[{win_path(given)}]\n"
    assert "USING" not in shown and "NOTFOUND" not in shown


def test_relative_param_file_resolves_against_the_working_directory(prepared):
    (prepared.root / "conf").mkdir()
    prepared.add_param_file(where=prepared.root / "conf")
    result = run_setup(prepared, "-silent -paramFile conf\\velparam.ini")
    assert result.code == 0
    assert only_log(prepared) == f"USING[{win_path(prepared.root / 'conf' / 'velparam.ini')}]\n"


def test_param_file_in_the_parent_is_found_and_reported_without_dots(prepared):
    prepared.add_param_file(where=prepared.root)
    result = run_setup(prepared, "-silent")
    assert result.code == 0
    launcher = win_path(prepared.launcher_dir)
    assert only_log(prepared) == (f"MISSED[{launcher}\\velparam.ini]\n"
                                  f"USING[{win_path(prepared.root / 'velparam.ini')}]\n")


def test_missing_param_file_option_falls_back_to_the_neighbour(prepared):
    neighbour = prepared.add_param_file()
    code, shown = on_pty(prepared, "-silent -paramFile C:\\nowhere\\velparam.ini")
    assert code == 0
    expected = f"NOTFOUND[C:\\nowhere\\velparam.ini]\nINSTEAD[{win_path(neighbour)}]\n"
    # The console wraps long lines at 80 columns.
    assert expected.replace("\n", "") in shown.replace("\n", "")
    assert only_log(prepared) == expected


def test_no_param_file_anywhere_ends_with_minus_2_after_the_pause(prepared):
    result = run_setup(prepared, "-silent -paramFile C:\\nowhere\\velparam.ini")
    assert result.code == -2
    launcher = win_path(prepared.launcher_dir)
    assert only_log(prepared) == (f"MISSED[{launcher}\\velparam.ini]\n"
                                  f"MISSED[{launcher}\\..\\velparam.ini]\n"
                                  f"MISSED[{launcher}\\velparam.ini]\n"
                                  f"MISSED[{launcher}\\..\\velparam.ini]\n"
                                  "NOPARAMFILE\n")
    # On a console the error is shown, then the pause waits for Enter.
    code, shown = on_pty(prepared, "-silent", answers=[""])
    assert code == -2
    assert "NOTFOUND" not in shown
    assert shown.index("NOPARAMFILE") < shown.index("PRESS-ENTER")


def test_scratch_directory_is_made_under_temp_unless_given(prepared):
    prepared.add_param_file()
    assert run_setup(prepared, "-silent").code == 0
    assert run_setup(prepared, "-silent").code == 0
    names = [d.name for d in prepared.scratch_dirs()]
    assert len(names) == 2
    # Two launches in the same second would get "_1"; otherwise two timestamps.
    assert all(re.fullmatch(r"VelInstall\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d[AP]M(_1)?", n) for n in names)
    given = prepared.root / "given-scratch"
    assert run_setup(prepared, f"-silent -rscratchPath {win_path(given)} -rtimestamp 7").code == 0
    assert len(prepared.scratch_dirs()) == 2
    # The given path is the scratch path as it is; only the log, written there, makes it.
    assert [p.name for p in given.iterdir()] == ["installActions7.log"]


def test_rtimestamp_names_the_scratch_directory_and_the_log(prepared):
    prepared.add_param_file()
    assert run_setup(prepared, "-silent -rtimestamp 7").code == 0
    assert [d.name for d in prepared.scratch_dirs()] == ["VelInstall7"]
    assert [log.name for log in prepared.logs()] == ["installActions7.log"]
    assert run_setup(prepared, "-silent -rtimestamp 7 -attachHome").code == 0
    assert (prepared.temp_dir / "VelInstall7_1" / "AttachHome7.log").exists()
