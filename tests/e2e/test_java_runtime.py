"""The Java runtime prompt on a console: retries, accepted answers, end of input."""

import re
import shutil
import subprocess

import pytest

from conftest import SUPPORT_DIR, WINE_RUN, run_on_pty, visible, wine_env

CATALOGUE = {
    "S_SPECIFY_JRE_LOCATION": "ASK-ANY:",
    "S_SPECIFY_JRE_ONLY_LOCATION": "ASK-JRE:",
    "S_SPECIFY_JDK_ONLY_LOCATION": "ASK-JDK:",
    "S_SPECIFY_VALID_JRE_LOCATION": "RETRY-ANY:",
    "S_SPECIFY_VALID_JRE_ONLY_LOCATION": "RETRY-JRE:",
    "S_SPECIFY_VALID_JDK_ONLY_LOCATION": "RETRY-JDK:",
    "S_JRELOC_ERROR_NOCONSOLE_WIN": "NO-RUNTIME\n",
}


@pytest.fixture
def probe(tmp_path):
    shutil.copy2(SUPPORT_DIR / "runtime_probe.exe", tmp_path / "runtime_probe.exe")
    (tmp_path / "resource").mkdir()
    (tmp_path / "resource" / "cons.nls").write_bytes(
        b"".join(f"{k}={v}".encode() + b"\0" for k, v in CATALOGUE.items()))
    home = tmp_path / "jre"
    (home / "bin").mkdir(parents=True)
    (home / "bin" / "java.exe").write_bytes(b"")

    def run(kind, answers):
        code, output = run_on_pty([str(WINE_RUN), str(tmp_path / "runtime_probe.exe"), kind],
                                  cwd=tmp_path, answers=answers,
                                  prompt=r"(ASK|RETRY)-[A-Z]+:")
        return code, visible(output).replace("\n", "")

    # Typed relative to the working directory: a long answer would wrap, and the console
    # repaints a wrapped line, prompt and all, which would blur what was shown.
    run.home = "jre"
    run.dir = tmp_path
    return run


def test_empty_answer_repeats_the_request_until_a_runtime_is_given(probe):
    code, shown = probe("any", ["", "C:\\no\\jre", probe.home])
    assert code == 0
    assert shown.count("ASK-ANY:") == 1
    assert shown.count("RETRY-ANY:") == 2
    assert f"decided: {probe.home} external=1" in shown


def test_answer_with_a_trailing_backslash_is_tested_without_doubling_it(probe):
    code, shown = probe("jre", [probe.home + "\\"])
    assert code == 0
    assert "ASK-JRE:" in shown and "RETRY" not in shown
    assert f"decided: {probe.home}\\ external=1" in shown


def test_both_restrictions_ask_for_a_jdk_first_and_a_jre_after(probe):
    code, shown = probe("both", ["nowhere", "nowhere", probe.home])
    assert code == 0
    assert shown.index("ASK-JDK:") < shown.index("RETRY-JRE:")
    assert shown.count("RETRY-JRE:") == 2 and "RETRY-JDK" not in shown


def test_jdk_only_retries_with_the_jdk_text(probe):
    code, shown = probe("jdk", ["nowhere", probe.home])
    assert code == 0
    assert "ASK-JDK:" in shown and "RETRY-JDK:" in shown


def test_end_of_input_ends_the_run_instead_of_asking_forever(probe):
    # Ctrl+Z then Enter is the end of a console's input.
    code, shown = probe("any", ["\x1a"])
    assert code == 255  # -1 in the low 8 bits
    assert shown.count("ASK-ANY:") == 1
    assert "NO-RUNTIME" in shown
    assert "ended: -1" in shown


def test_closed_standard_input_ends_the_run_with_minus_1(probe):
    result_file = probe.dir / "exit_code.txt"
    subprocess.run([str(WINE_RUN), str(SUPPORT_DIR / "exit_code_runner.exe"), str(result_file),
                    str(probe.dir / "runtime_probe.exe"), "any"], env=wine_env(),
                   stdin=subprocess.DEVNULL, capture_output=True, timeout=120, check=False,
                   cwd=probe.dir)
    assert int(result_file.read_text()) == -1
    # The probe logs into its working directory: the test's own.
    assert (probe.dir / "installActionsprobe.log").read_text() == "NO-RUNTIME\n"
