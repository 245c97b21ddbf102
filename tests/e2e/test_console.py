"""Console text: UTF-8 through WriteConsoleW, the narrow fallback, errors and pauses."""

import re
import shutil

import pytest

from conftest import BUILD_DIR, SUPPORT_DIR, WINE_RUN, run_on_pty, visible, win_path

TITLE = "\x1b]0;Velmor Tavrun Installer\x07"


@pytest.fixture
def probe(tmp_path):
    """console_probe.exe beside the English catalogue, as setup.exe sits on a medium."""
    shutil.copy2(SUPPORT_DIR / "console_probe.exe", tmp_path / "console_probe.exe")
    shutil.copytree(BUILD_DIR / "resource", tmp_path / "resource")

    def run(*args, answers=(), prompt="Press Enter", stdout_file=None):
        argv = [str(WINE_RUN), str(tmp_path / "console_probe.exe"), *args]
        if stdout_file is not None:
            # The shell redirects the probe's standard output while the pty stays its console.
            quoted = " ".join("'" + a.replace("'", "'\\''") + "'" for a in argv)
            argv = ["/bin/sh", "-c", f"exec {quoted} > '{stdout_file}'"]
        code, output = run_on_pty(argv, cwd=tmp_path, answers=answers, prompt=prompt)
        return code, output

    run.dir = tmp_path
    return run


def test_japanese_text_reaches_the_console_intact(probe):
    text = "インストーラを起動しています… こんにちは、世界\n"
    (probe.dir / "ja.txt").write_text(text, encoding="utf-8")
    code, output = probe("print-file", win_path(probe.dir / "ja.txt"))
    assert code == 0
    assert text.strip() in visible(output)


def test_console_window_is_titled_for_the_product(probe):
    code, output = probe("repeat", "3")
    assert code == 0
    assert TITLE in output
    assert "xxx|end" in visible(output)


def test_1022_characters_go_to_the_console_1023_fall_back_to_stdout(probe, tmp_path):
    # With standard output redirected to a file, WriteConsoleW on it fails and the text
    # is lost, while the narrow fallback writes the bytes themselves into the file.
    redirected = tmp_path / "stdout.txt"
    assert probe("repeat", "1022", stdout_file=redirected)[0] == 0
    assert redirected.read_bytes() == b""
    assert probe("repeat", "1023", stdout_file=redirected)[0] == 0
    assert redirected.read_bytes() == b"x" * 1023


def test_fallback_shows_percent_signs_unchanged(probe, tmp_path):
    text = ("100% " * 205)[:1023]
    (tmp_path / "percent.txt").write_text(text)
    redirected = tmp_path / "stdout.txt"
    assert probe("print-file", win_path(tmp_path / "percent.txt"), stdout_file=redirected)[0] == 0
    assert redirected.read_text() == text


def test_show_error_in_silent_mode_prints_on_the_console(probe):
    code, output = probe("error-silent", "ERROR: something to read")
    assert code == 0
    assert "ERROR: something to read" in visible(output)


def test_show_error_otherwise_goes_to_a_box_not_the_console(probe):
    # What the box shows is checked through the launcher's own hook in the unit tests.
    code, output = probe("error-box", "ERROR: in a box")
    assert code == 0
    assert "ERROR: in a box" not in visible(output)
    assert "returned" in visible(output)


def test_wait_for_enter_in_silent_mode_prompts_and_reads(probe):
    code, output = probe("wait-enter", answers=[""])
    assert code == 0
    shown = visible(output)
    assert "Press Enter" in shown
    assert shown.index("Press Enter") < shown.index("after enter")


def test_wait_for_enter_outside_silent_mode_returns_at_once(probe):
    code, output = probe("wait-quiet")
    assert code == 0
    shown = visible(output)
    assert "Press Enter" not in shown
    assert "after wait" in shown


def test_standard_output_shows_on_the_console_unbuffered(probe):
    # The probe prints without flushing and then waits for a key: the answer is typed
    # only once the text shows, which a buffered stream would hold back until the exit.
    code, output = probe("printf", "BootStrap To C:\\boot Completed", answers=[""],
                         prompt="Completed")
    assert code == 0
    shown = visible(output)
    assert shown.index("BootStrap To C:\\boot Completed") < shown.index("|read")
