"""Files held open by scanners: the clean-up after the wait retries what another program
holds for a moment, within one bound, and notes each retry in the installer log."""

import subprocess

from conftest import (DEFAULT_PARAMS, SUPPORT_DIR, WINE_RUN, kill_group, read_exit_code,
                      runner_argv, wait_for_file, win_path, wine_env)
from test_staging import HeldInstaller

TIMEOUT = 120
EXIT_CODE = 5


def start_waited_launch(medium):
    """Starts a launch that waits for its installer, held running until released."""
    medium.add_english_catalogue()
    medium.add_param_file(DEFAULT_PARAMS + "WAIT_FOR_COMPLETION=TRUE\n")
    held = HeldInstaller(medium)
    env = dict(held.env, VEL_JAVA_EXIT_CODE=str(EXIT_CODE))
    result_file = medium.root / "exit_code.txt"
    proc = subprocess.Popen(runner_argv(medium, "-silent", result_file), stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            env=wine_env(medium.env(env)), cwd=medium.root, start_new_session=True)
    wait_for_file(medium.java_where_report)
    return proc, held, result_file


def hold(path, ready, until):
    """A scanner: tree_probe holds `path` without sharing it until `until` (ms or a file)."""
    argv = [str(WINE_RUN), str(SUPPORT_DIR / "tree_probe.exe"), "hold", win_path(path),
            win_path(ready), until]
    proc = subprocess.Popen(argv, env=wine_env(), stdin=subprocess.DEVNULL,
                            stdout=subprocess.PIPE, start_new_session=True)
    wait_for_file(ready)
    return proc


def kept_log(medium):
    [log] = sorted(medium.temp_dir.glob("installActions*.log"))
    return log.read_text("utf-8")


def test_a_file_held_for_a_moment_is_removed_once_let_go(medium):
    proc, held, result_file = start_waited_launch(medium)
    scanner = None
    try:
        [scratch] = medium.scratch_dirs()
        (scratch / "staged.jar").write_bytes(b"jar")
        scanner = hold(scratch / "staged.jar", medium.root / "held", "2000")
        held.release()
        proc.wait(timeout=TIMEOUT)
        assert scanner.wait(timeout=TIMEOUT) == 0
    finally:
        for p in (proc, scanner):
            if p is not None and p.poll() is None:
                kill_group(p)
    assert (medium.root / "held.closed").exists()
    assert read_exit_code(result_file, "setup.exe") == EXIT_CODE
    assert medium.scratch_dirs() == []
    log = kept_log(medium)
    assert f"Retrying {win_path(scratch)}\\staged.jar, which another program holds (error 32)" in log


def test_a_file_held_past_the_bound_stays_and_the_launch_ends_as_before(medium):
    proc, held, result_file = start_waited_launch(medium)
    scanner = None
    try:
        [scratch] = medium.scratch_dirs()
        (scratch / "staged.jar").write_bytes(b"jar")
        let_go = medium.root / "let-go"
        scanner = hold(scratch / "staged.jar", medium.root / "held", win_path(let_go))
        held.release()
        # The launcher gives up on its own, while the file is still held.
        proc.wait(timeout=TIMEOUT)
        assert not (medium.root / "held.closed").exists()
        let_go.write_text("")
        assert scanner.wait(timeout=TIMEOUT) == 0
    finally:
        for p in (proc, scanner):
            if p is not None and p.poll() is None:
                kill_group(p)
    assert read_exit_code(result_file, "setup.exe") == EXIT_CODE
    assert (scratch / "staged.jar").exists()
    # The pauses, 50 ms doubling to 2 s, make 20 retries within the 30 s bound.
    assert kept_log(medium).count("which another program holds (error 32)") == 20
