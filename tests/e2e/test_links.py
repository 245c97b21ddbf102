"""Tree walks and links: removal, counting and copying never go through a junction or
symbolic link, whatever it points at. Links are made from the unix side, as a Windows
program under Wine cannot make one. Only directory links are tried: Wine shows a unix link
to a file as a plain file and deletes its target through it, which no program can tell."""
import os
import subprocess

from conftest import (DEFAULT_PARAMS, SUPPORT_DIR, WINE_RUN, kill_group, read_exit_code,
                      runner_argv, win_path, wine_env)
from conftest import wait_for_file
from test_staging import HeldInstaller

PROBE_TIMEOUT = 120


def probe(*args):
    """Runs tree_probe with Windows paths; returns what it printed."""
    argv = [str(WINE_RUN), str(SUPPORT_DIR / "tree_probe.exe"),
            *[a if a in ("count", "remove", "copy", "rename") else win_path(a) for a in args]]
    done = subprocess.run(argv, env=wine_env(), stdin=subprocess.DEVNULL, capture_output=True,
                          timeout=PROBE_TIMEOUT, start_new_session=True)
    return done.stdout.decode("utf-8", "replace").strip()


def make_victim(root):
    """A directory of someone else's files that a link will point at."""
    victim = root / "victim"
    (victim / "deeper").mkdir(parents=True)
    (victim / "keep.txt").write_text("keep")
    (victim / "deeper" / "also.txt").write_text("also")
    return victim


def victim_files(victim):
    return sorted(p.relative_to(victim).as_posix() for p in victim.rglob("*") if p.is_file())


def test_removal_takes_links_away_but_not_what_they_point_at(tmp_path):
    victim = make_victim(tmp_path)
    tree = tmp_path / "tree"
    (tree / "sub").mkdir(parents=True)
    (tree / "own.txt").write_text("x")
    (tree / "sub" / "own.txt").write_text("y")
    os.symlink(victim, tree / "sub" / "to-victim")

    assert probe("remove", tree) == "remove: 0"
    assert victim_files(victim) == ["deeper/also.txt", "keep.txt"]
    assert (victim / "keep.txt").read_text() == "keep"
    # The tree's own files are gone.
    assert not (tree / "own.txt").exists()
    assert not (tree / "sub" / "own.txt").exists()


def test_a_root_replaced_by_a_link_loses_the_link_only(tmp_path):
    victim = make_victim(tmp_path)
    os.symlink(victim, tmp_path / "scratch")
    assert probe("remove", tmp_path / "scratch") == "remove: 0"
    assert victim_files(victim) == ["deeper/also.txt", "keep.txt"]


def test_counting_passes_over_links_even_in_a_loop_and_copying_fails_on_them(tmp_path):
    tree = tmp_path / "tree"
    (tree / "a" / "b").mkdir(parents=True)
    for name in ("one.txt", "a/two.txt", "a/b/three.txt"):
        (tree / name).write_text(name)
    # Two links back to the root: following them makes the walk grow without end.
    os.symlink(tree, tree / "a" / "up")
    os.symlink(tree, tree / "a" / "b" / "top")

    assert probe("count", tree) == "count: 3"
    # A copy without what a link stood for is incomplete: it fails, naming the first link.
    copy = tmp_path / "copy"
    assert probe("copy", tree, copy) == f"copy: -1 {win_path(tree / 'a' / 'up')}"
    assert not (copy / "a" / "up").exists()


def test_a_link_in_an_installed_layout_fails_staging(medium, inventory):
    """The installer's directory holds a link: staging it would leave a gap, so the launch
    ends before any installer starts, and the installer log names the link."""
    medium.add_catalogue("cons.nls", {"S_ERCOPY_INCOMPLETE": "INCOMPLETE[%s]\n"})
    tav = medium.root / "tav"
    (tav / "jlib").mkdir(parents=True)
    (tav / "jlib" / "VelInstaller.jar").write_text("jar")
    os.symlink(make_victim(medium.root), tav / "jlib" / "linked")
    medium.add_param_file(DEFAULT_PARAMS + f"BOOTSTRAP=TRUE\nTAV_LOCATION={win_path(tav)}\n")
    result_file = medium.root / "exit_code.txt"
    subprocess.run(runner_argv(medium, "-silent", result_file), stdin=subprocess.DEVNULL,
                   capture_output=True, env=wine_env(medium.env()), cwd=medium.root,
                   timeout=PROBE_TIMEOUT, start_new_session=True)
    assert read_exit_code(result_file, "setup.exe") == -1
    assert medium.java_command() is None
    [log] = inventory.glob("*.log")
    assert f"INCOMPLETE[{win_path(tav / 'jlib' / 'linked')}]" in log.read_text()


def test_a_link_planted_in_the_scratch_directory_keeps_its_target(medium):
    """The attack: while the installer runs, a program of the user's plants a link in the
    scratch directory; the elevated clean-up after the wait must not delete through it."""
    victim = make_victim(medium.root)
    medium.add_english_catalogue()
    medium.add_param_file(DEFAULT_PARAMS + "WAIT_FOR_COMPLETION=TRUE\n")
    held = HeldInstaller(medium)
    result_file = medium.root / "exit_code.txt"
    proc = subprocess.Popen(runner_argv(medium, "-silent", result_file), stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            env=wine_env(medium.env(held.env)), cwd=medium.root,
                            start_new_session=True)
    try:
        wait_for_file(medium.java_where_report)
        [scratch] = medium.scratch_dirs()
        os.symlink(victim, scratch / "planted")
        held.release()
        proc.wait(timeout=PROBE_TIMEOUT)
    finally:
        if proc.poll() is None:
            kill_group(proc)
    assert read_exit_code(result_file, "setup.exe") == 0
    assert victim_files(victim) == ["deeper/also.txt", "keep.txt"]
