"""The console window setup.exe sets up."""

from conftest import DEFAULT_PARAMS, run_setup_on_pty

TITLE = "\x1b]0;Velmor Tavrun Installer\x07"


def test_console_is_set_up_after_the_options(medium):
    medium.add_english_catalogue()
    medium.add_param_file()
    code, output = run_setup_on_pty(medium, "-silent")
    assert code == 0
    assert TITLE in output


def test_prereq_checker_keeps_the_product_console_title(medium):
    medium.add_english_catalogue()
    (medium.root / "prereq").mkdir()
    medium.add_param_file(DEFAULT_PARAMS + "PREREQ_CONFIG_LOCATION=..\\prereq\n")
    code, output = run_setup_on_pty(medium, "-prereqChecker")
    assert code == 0
    assert TITLE in output


def test_noconsole_sets_up_no_console(medium):
    medium.add_english_catalogue()
    medium.add_param_file()
    code, output = run_setup_on_pty(medium, "-silent -NOCONSOLE")
    assert code == 0
    assert TITLE not in output
