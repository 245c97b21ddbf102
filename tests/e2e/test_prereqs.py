"""The system prerequisite run in whole launches, on a pty, with full exit codes.

Under Wine the processor clock is whatever ~MHz says, the service pack "Service Pack 1"
on version 6.1; HKCU\\Software\\Wine\\AppDefaults\\setup.exe\\Version changes the version
setup.exe sees. Every catalogue text below is a marker, so that the order of the lines
can be read off the console and the log.
"""

import os
import re

import pytest

from conftest import DEFAULT_PARAMS, run_setup, set_registry_value
from test_launch_sequence import CATALOGUE
from test_launch_sequence import on_pty as narrow_on_pty

KEYS = {
    "S_NO_PREQ_RUN": "", "S_CHECKING_REQ_PREREQ": "", "S_CHECKING_FOR_OS_VERSION": "",
    "S_ACTUAL": "s", "S_SPASSED_ON_NEWLINE": "", "S_SFAILED_ON_NEWLINE": "",
    "S_CHECKING_FOR_SERVICE_PACK": "", "S_CHECKING_FOR_CPU": "s", "S_ACTUAL_CPU": "d",
    "S_SPASSED": "", "S_SFAILED": "", "S_EXIT_MSG": "s", "S_EXIT_CONTINUE": "",
    "S_IGNORE_REQ_SYS_PREREQ": "", "S_IGNORE_PATCH_SYS_PREREQ": "",
    "S_IGNORE_OPT_SYS_PREREQ": "", "S_PRE_REQREQ_PASSED": "", "S_FAILED_PRE_REQ_1": "",
    "S_FAILED_PRE_REQ_2": "", "S_FAILED_OPTIONAL": "", "S_CONTINUE": "",
    "S_CONTINUE_YES": "", "S_CONTINUE_NO": "",
}


def markers(prefix=""):
    texts = {}
    for key, args in KEYS.items():
        name = prefix + key[2:]
        texts[key] = f"<{name}" + "".join(":%" + a for a in args) + ">"
    texts["S_FAILED_PATCHES_1"] = "PATCHES-MISSING"
    return texts


PREREQ_CATALOGUE = dict(CATALOGUE, **markers())
# The generic pass fails on the processor and passes on the service pack.
FAILING_GENERIC = DEFAULT_PARAMS + "[Generic Prereqs]\nCPU=999999\nSERVICE_PACK=1\n"
GENERIC_LINES = (r"<CHECKING_FOR_CPU:999999><ACTUAL_CPU:\d+><SFAILED>"
                 r"<CHECKING_FOR_SERVICE_PACK>1<ACTUAL:Service Pack 1><SPASSED>")
PLATFORM = DEFAULT_PARAMS + "PLATFORM_PREREQS=TRUE\n"


@pytest.fixture
def prepared(medium, inventory):
    medium.add_catalogue("cons.nls", PREREQ_CATALOGUE)
    medium.logs_dir = inventory
    return medium


@pytest.fixture
def windows_xp():
    """setup.exe sees Windows 5.1, Service Pack 3, for the test."""
    key = r"HKCU\Software\Wine\AppDefaults\setup.exe"
    set_registry_value(key, "Version", "winxp")
    yield
    set_registry_value(key, "Version", None)


# Where the run waits for the user: the continue questions and the key that ends it.
PROMPTS = r"<CONTINUE>|<EXIT_CONTINUE>|\(y/n\) \[n\]: |PRESS-ENTER"


def on_pty(medium, command_tail, env=None, answers=()):
    # Wide enough that no line wraps: a wrapped line is drawn again, which blurs the order.
    return narrow_on_pty(medium, command_tail, env=env, answers=answers, prompt=PROMPTS,
                         columns=500)


def flat(text):
    return text.replace("\n", "")


def log_of(medium):
    logs = sorted(medium.logs_dir.glob("installActions*.log"))
    assert len(logs) == 1, logs
    return logs[0].read_text("utf-8"), str(logs[0])


def after_start(shown):
    return flat(shown).split("START[Tavrun Installer]", 1)[1]


def test_silent_generic_failure_ends_the_launch_after_its_lines(prepared):
    prepared.add_param_file(FAILING_GENERIC)
    code, shown = on_pty(prepared, "-silent")
    assert code == -1
    log, log_path = log_of(prepared)
    log_path = "Z:" + log_path.replace("/", "\\")
    assert re.fullmatch(GENERIC_LINES + "<FAILED_PRE_REQ_1><FAILED_PRE_REQ_2>"
                        + re.escape(f"<EXIT_MSG:{log_path}>"), after_start(shown)), shown
    # The log has the same lines (its "USING" line first), but not the console's blank lines.
    assert re.fullmatch(r"USING\[[^\]]*\]\n" + GENERIC_LINES + "<FAILED_PRE_REQ_1>"
                        "<FAILED_PRE_REQ_2>" + re.escape(f"<EXIT_MSG:{log_path}>"), log), log
    assert prepared.java_command() is None


# The console echoes what is typed after the question.
@pytest.mark.parametrize("answers, code, ending", [
    (["maybe", "y"], 0, "<CONTINUE>maybe<CONTINUE>y<CONTINUE_YES><IGNORE_REQ_SYS_PREREQ>"),
    (["n"], -1, "<CONTINUE>n<CONTINUE_NO><EXIT_MSG:"),
    ([""], -1, "<CONTINUE><CONTINUE_NO><EXIT_MSG:"),
])
def test_interactive_failure_asks_whether_to_go_on(prepared, answers, code, ending):
    prepared.add_param_file(FAILING_GENERIC)
    result, shown = on_pty(prepared, "", answers=answers)
    assert result == code
    assert ending in after_start(shown)
    assert (prepared.java_command() is not None) == (code == 0)


def test_a_question_at_the_end_of_input_is_answered_no(prepared):
    prepared.add_param_file(FAILING_GENERIC)
    # Ctrl+Z then Enter ends a console's input: the question is not asked again.
    code, shown = on_pty(prepared, "", answers=["\x1a"])
    assert code == -1
    assert after_start(shown).count("<CONTINUE>") == 1
    log, _ = log_of(prepared)
    assert "<CONTINUE><CONTINUE_NO><EXIT_MSG:" in log
    # Without a console, with standard input closed, the same.
    os.unlink(log_of(prepared)[1])
    result = run_setup(prepared, "")
    assert result.code == -1
    log, _ = log_of(prepared)
    assert log.count("<CONTINUE>") == 1
    assert "<CONTINUE_NO><EXIT_MSG:" in log


def test_ignore_goes_on_after_a_failed_pass(prepared):
    prepared.add_param_file(FAILING_GENERIC)
    code, shown = on_pty(prepared, "-silent -IGNORESYSPREREQS")
    assert code == 0
    assert re.fullmatch(GENERIC_LINES + "<IGNORE_REQ_SYS_PREREQ>.*", after_start(shown)), shown
    assert "FAILED_PRE_REQ" not in shown
    assert prepared.java_command() is not None


def test_execute_only_ends_after_the_generic_pass_and_waits_for_a_key(prepared):
    prepared.add_param_file(PLATFORM + "[Certified Versions]\nWindows=6.1\n"
                            "[Generic Prereqs]\nSERVICE_PACK=1\n")
    code, shown = on_pty(prepared, "-EXECUTESYSPREREQS", answers=[""])
    assert code == -1
    rest = after_start(shown)
    assert re.fullmatch(r"<CHECKING_FOR_SERVICE_PACK>1<ACTUAL:Service Pack 1><SPASSED>"
                        r"<EXIT_MSG:[^>]*><EXIT_CONTINUE>", rest), rest
    log, _ = log_of(prepared)
    assert "EXIT_CONTINUE" not in log  # shown after the log was closed
    assert prepared.java_command() is None


def test_certified_version_runs_the_platform_passes(prepared):
    prepared.add_param_file(
        PLATFORM + "[Certified Versions]\nWindows=5.1,6.1\n"
        "[Windows-6.1-required]\nSERVICE_PACK=1\n"
        "[Windows-6.1-optional]\nSERVICE_PACK=2\n"
        "SERVICE_PACK_FAILURE_MESSAGE=PATCHES-MISSING: install SP2\n")
    code, shown = on_pty(prepared, "-silent")
    # The optional pass fails: its failure text, no S_FAILED_OPTIONAL, and the end.
    assert code == -1
    rest = after_start(shown)
    assert re.fullmatch(
        r"<CHECKING_REQ_PREREQ><CHECKING_FOR_OS_VERSION>5\.1 or 6\.1<ACTUAL:6\.1>"
        r"<SPASSED_ON_NEWLINE><CHECKING_FOR_SERVICE_PACK>1<ACTUAL:Service Pack 1><SPASSED>"
        r"<PRE_REQREQ_PASSED><CHECKING_FOR_SERVICE_PACK>2<ACTUAL:Service Pack 1><SFAILED>"
        r"PATCHES-MISSING: install SP2<EXIT_MSG:[^>]*>", rest), rest

    # Ignored, the optional failure names the missing patches.
    code, shown = on_pty(prepared, "-silent -IGNORESYSPREREQS")
    assert code == 0
    assert "<SFAILED><IGNORE_PATCH_SYS_PREREQ>" in flat(shown)


def test_uncertified_version_ends_unless_the_user_accepts_it(prepared, windows_xp):
    params = (PLATFORM + "[Certified Versions]\nWindows=6.1, 5.1\n"
              "CERTIFIED_VERSION_FAILURE_MESSAGE=Not certified here\n")
    prepared.add_param_file(params)
    code, shown = on_pty(prepared, "", answers=[""])
    assert code == -1
    rest = after_start(shown)
    # A list entry with a blank is not the version; without CERTIFIED_VERSION_WARN no
    # question is asked, only the key that ends the launch.
    assert re.fullmatch(r"<CHECKING_REQ_PREREQ><CHECKING_FOR_OS_VERSION>6\.1 or  5\.1"
                        r"<ACTUAL:5\.1><SFAILED_ON_NEWLINE>Not certified here<EXIT_MSG:[^>]*>"
                        r"<EXIT_CONTINUE>", rest), rest

    prepared.add_param_file(params + "CERTIFIED_VERSION_WARN=TRUE\n"
                            "CERTIFIED_VERSION_LOCATION=http://example.invalid/cert\n"
                            "[Windows-5.1-required]\nCPU=999999\n")
    code, shown = on_pty(prepared, "", answers=["maybe", "y"])
    assert code == 0, shown
    rest = after_start(shown)
    assert ("The version of this operating system is not certified.Check "
            "'http://example.invalid/cert' for a list of certified versions.") in rest
    assert rest.count("Do you want to continue? (y/n) [n]: ") == 2
    assert "Continuing with the install..." in rest
    # The user's word stands for the platform requirements: the section is not read.
    assert "CHECKING_FOR_CPU" not in rest
    assert prepared.java_command() is not None


def test_log_gets_the_base_texts_and_the_console_the_users_language(medium, inventory, locales):
    medium.add_catalogue("cons.nls", dict(CATALOGUE, **markers("B-")))
    medium.add_catalogue("cons_de.nls", markers("L-"))
    medium.logs_dir = inventory
    medium.add_param_file(FAILING_GENERIC)
    code, shown = on_pty(medium, "-silent",
                         env={"LC_ALL": "de_DE.UTF-8", "LOCPATH": str(locales)})
    assert code == -1
    assert "<L-FAILED_PRE_REQ_1><L-FAILED_PRE_REQ_2>" in flat(shown)
    assert "<B-" not in shown
    log, _ = log_of(medium)
    assert "<B-FAILED_PRE_REQ_1><B-FAILED_PRE_REQ_2><B-EXIT_MSG:" in log
    assert "<L-" not in log


@pytest.mark.parametrize("encoding", ["cp1252", "utf-8"])
def test_velparam_texts_in_either_code_page_show_right(prepared, windows_xp, encoding):
    """The launcher's code page is UTF-8: a velparam.ini in UTF-8 is read as it is, one
    in the legacy code page (1252 here) as a program without that setting reads it. Its
    failure message shows on the console and goes to the log as the letters it holds."""
    params = (PLATFORM + "[Certified Versions]\nWindows=6.1\n"
              "CERTIFIED_VERSION_FAILURE_MESSAGE=Nicht zertifiziert: Größe und Maße\n")
    (prepared.launcher_dir / "velparam.ini").write_bytes(params.encode(encoding))
    code, shown = on_pty(prepared, "", answers=[""])
    assert code == -1
    assert "Nicht zertifiziert: Größe und Maße" in shown
    log, _ = log_of(prepared)
    assert "Nicht zertifiziert: Größe und Maße" in log
