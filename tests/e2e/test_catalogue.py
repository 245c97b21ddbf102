"""The launcher loads its message catalogues first and stops without any."""

import shutil

from conftest import BUILD_DIR, run_setup, run_setup_on_pty, visible

NO_CATALOGUE = "\nERROR: Could not read any NLS message catalogue!\n"


def stderr_lines(result):
    # Standard error is a text-mode stream on Windows: "\n" is written as "\r\n".
    return result.stderr.replace("\r\n", "\n")


def test_medium_without_resource_directory_exits_with_1(medium):
    result = run_setup(medium, "-silent")
    assert result.code == 1
    assert stderr_lines(result) == NO_CATALOGUE


def test_medium_with_only_cons_nls_loads_and_goes_on(medium):
    medium.add_english_catalogue()
    medium.add_param_file()
    result = run_setup(medium, "-silent -debug")
    assert result.code == 0
    assert stderr_lines(result) == ""


def test_empty_cons_nls_counts_as_read(medium):
    medium.add_catalogue("cons.nls", b"")
    medium.add_param_file()
    assert run_setup(medium).code == 0


def test_malformed_and_unfit_records_are_reported_and_skipped(medium):
    medium.add_catalogue("cons.nls", b"S_TAV=ok\0BROKEN\0S_ERGOSLST=%d %s\0")
    medium.add_param_file()
    result = run_setup(medium)
    assert result.code == 0
    lines = stderr_lines(result)
    assert 'WARNING: Ignoring malformed message "BROKEN" in catalogue!\n' in lines
    assert ('WARNING: Ignoring message "S_ERGOSLST=%d %s" in catalogue: '
            "its conversions do not fit its arguments!\n") in lines


def test_language_catalogue_is_chosen_by_the_user_locale(medium, locales):
    medium.add_catalogue("cons_de.nls", {"S_TAV": "Velmor Tavrun Installationsprogramm"})
    medium.add_param_file()
    german = {"LC_ALL": "de_DE.UTF-8", "LOCPATH": str(locales)}
    english = {"LC_ALL": "en_US.UTF-8", "LOCPATH": str(locales)}
    assert run_setup(medium, env=german).code == 0
    # An English user has neither cons_en_US.nls, cons_en.nls nor cons.nls here.
    result = run_setup(medium, env=english)
    assert result.code == 1
    assert stderr_lines(result) == NO_CATALOGUE


def test_japanese_locale_reads_cons_ja_jp(medium, locales):
    # The system abbreviates Japanese as JPN; the catalogue tag is ja_JP all the same.
    medium.add_catalogue("cons_ja_JP.nls", {"S_TAV": "Velmor Tavrun インストーラ"})
    medium.add_param_file()
    japanese = {"LC_ALL": "ja_JP.UTF-8", "LOCPATH": str(locales)}
    assert run_setup(medium, env=japanese).code == 0
    assert run_setup(medium, env={"LC_ALL": "de_DE.UTF-8", "LOCPATH": str(locales)}).code == 1


def compiled_text(name, key):
    """The text of `key` in the build's compiled catalogue resource/<name>."""
    records = (BUILD_DIR / "resource" / name).read_bytes().split(b"\0")
    texts = dict(record.decode("utf-8").split("=", 1) for record in records if record)
    return texts[key]


def words(text):
    # The console may break and repaint long lines: compare the words in order.
    return " ".join(text.split())


def test_german_user_reads_the_shipped_german_catalogue_and_the_log_stays_english(
        medium, inventory, locales):
    medium.add_english_catalogue()
    shutil.copy2(BUILD_DIR / "resource" / "cons_de.nls", medium.resource_dir / "cons_de.nls")
    german = {"LC_ALL": "de_DE.UTF-8", "LOCPATH": str(locales)}
    # No velparam.ini: the error shows, then the pause waits for Enter.
    code, output = run_setup_on_pty(medium, "-silent", env=german, answers=[""],
                                    prompt="Eingabetaste")
    assert code == -2
    shown = words(visible(output))
    assert "FEHLER: Die Parameterdatei velparam.ini wurde weder neben setup.exe" in shown
    assert words(compiled_text("cons_de.nls", "S_ERVELPARAMNFD")) in shown
    assert "ERROR:" not in shown
    logs = sorted(inventory.glob("installActions*.log"))
    assert len(logs) == 1, logs
    log = logs[0].read_text("utf-8")
    assert compiled_text("cons.nls", "S_ERVELPARAMNFD") in log
    assert "FEHLER" not in log
