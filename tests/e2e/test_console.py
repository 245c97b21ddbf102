"""Console text: UTF-8 through WriteConsoleW, the narrow fallback, errors and pauses."""

import re
import shutil
import subprocess

import pytest

from conftest import BUILD_DIR, SUPPORT_DIR, WINE_RUN, run_on_pty, win_path, wine_env

ESCAPES = re.compile(r"\x1b\][^\x07]*\x07|\x1b\[[0-9;?]*[A-Za-z]")
CURSOR_FORWARD = re.compile(r"\x1b\[(\d*)C")
TITLE = "\x1b]0;Velmor Tavrun Installer\x07"


def visible(text):
    """The text as the console shows it: Wine draws blanks as cursor moves."""
    text = CURSOR_FORWARD.sub(lambda m: " " * int(m.group(1) or 1), text)
    return ESCAPES.sub("", text).replace("\r", "")


@pytest.fixture
def probe(tmp_path):
    """console_probe.exe beside the English catalogue, as setup.exe sits on a medium."""
    shutil.copy2(SUPPORT_DIR / "console_probe.exe", tmp_path / "console_probe.exe")
    shutil.copytree(BUILD_DIR / "resource", tmp_path / "resource")

    def run(*args, answers=(), stdout_file=None, relay=False):
        argv = [str(WINE_RUN), str(tmp_path / "console_probe.exe"), *args]
        if relay:
            # Without a pty: Wine's relay trace of the user32 calls goes to standard error.
            proc = subprocess.run(argv, cwd=tmp_path, env=wine_env({"WINEDEBUG": "+relay"}),
                                  stdin=subprocess.DEVNULL, capture_output=True, timeout=120)
            calls = [line for line in proc.stderr.decode("utf-8", "replace").splitlines()
                     if "user32.MessageBoxA" in line]
            return proc.returncode, calls
        if stdout_file is not None:
            # The shell redirects the probe's standard output while the pty stays its console.
            quoted = " ".join("'" + a.replace("'", "'\\''") + "'" for a in argv)
            argv = ["/bin/sh", "-c", f"exec {quoted} > '{stdout_file}'"]
        code, output = run_on_pty(argv, cwd=tmp_path, answers=answers)
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
    assert probe("error-silent", "ERROR: quiet", relay=True) == (0, [])


def test_show_error_otherwise_uses_a_message_box(probe):
    code, output = probe("error-box", "ERROR: in a box")
    assert code == 0
    assert "ERROR: in a box" not in visible(output)
    assert "returned" in visible(output)
    code, calls = probe("error-box", "ERROR: in a box", relay=True)
    # The caption is the English S_TAV text; 0x10 is MB_ICONERROR.
    box = re.compile(r'Call user32\.MessageBoxA\(0+,[0-9a-f]+ "ERROR: in a box",'
                     r'[0-9a-f]+ "Velmor Tavrun Installer",00000010\)')
    assert any(box.search(call) for call in calls), calls


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
    code, output = probe("printf", "BootStrap To C:\\boot Completed")
    assert code == 0
    assert "BootStrap To C:\\boot Completed" in visible(output)
    # Unbuffered: the stream hands the console one character at a time, and Wine draws
    # each on its own, between cursor hide and show.
    assert "\x1b[?25lB\x1b[?25h\x1b[?25lo\x1b[?25h" in output
