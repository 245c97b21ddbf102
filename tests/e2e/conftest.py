"""End-to-end tests: the real setup.exe under Wine, on media built in temporary directories.

Every process is started in its own session and killed by its process group when a
test ends or times out. Full 32-bit exit codes come from exit_code_runner.exe, since
a unix exit status keeps only the low 8 bits.
"""

import fcntl
import os
import pathlib
import re
import pty
import select
import shutil
import signal
import struct
import subprocess
import sys
import termios
import time
import tty

import pytest

BUILD_DIR = pathlib.Path(os.environ.get("VEL_BUILD_DIR", "build/windows")).resolve()
SOURCE_DIR = pathlib.Path(os.environ.get("VEL_SOURCE_DIR", ".")).resolve()
WINE_RUN = SOURCE_DIR / "tests" / "support" / "wine-run"
SETUP_EXE = BUILD_DIR / "setup.exe"
SUPPORT_DIR = BUILD_DIR / "test-support"
RUN_TIMEOUT = 120

sys.path.insert(0, str(SOURCE_DIR / "tools"))
import make_medium  # noqa: E402  (the project's medium builder)


def wine_env(extra=None):
    env = dict(os.environ)
    env.setdefault("WINEPREFIX", str(BUILD_DIR / "wineprefix"))
    env["WINEDEBUG"] = env.get("VEL_WINEDEBUG", "-all")
    env.setdefault("LC_ALL", "C.UTF-8")
    env.update(extra or {})
    return env


def kill_group(proc):
    try:
        os.killpg(proc.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    proc.wait()


def win_path(path):
    """The Windows name of a unix path under Wine's Z: drive."""
    return "Z:" + str(path).replace("/", "\\")


# A parameter file naming the medium's Java runtime, ..\jre seen from disk1.
DEFAULT_PARAMS = "[Velmor]\nJRE_LOCATION=..\\jre\n"


class Medium:
    """An installation medium: <root>/disk1 holds setup.exe and resource/, <root>/jre
    the Java stand-in as bin/java.exe and bin/javaw.exe.

    Runs on it use <root>/temp as TEMP, so scratch directories and logs stay in the test.
    The stand-in writes the command line it was started with to java_report.
    """

    def __init__(self, root):
        self.root = root
        self.launcher_dir = root / "disk1"
        self.resource_dir = self.launcher_dir / "resource"
        self.temp_dir = root / "temp"
        self.launcher_dir.mkdir(parents=True)
        self.temp_dir.mkdir()
        shutil.copy2(SETUP_EXE, self.launcher_dir / "setup.exe")
        self.setup_exe = self.launcher_dir / "setup.exe"
        self.jre_dir = root / "jre"
        (self.jre_dir / "bin").mkdir(parents=True)
        for name in ("java.exe", "javaw.exe"):
            shutil.copy2(SUPPORT_DIR / "java_stand_in.exe", self.jre_dir / "bin" / name)
        self.java_report = root / "java-command.txt"
        self.java_where_report = root / "java-where.txt"

    def env(self, extra=None):
        # Wine takes TEMP from its registry; the exit code runner passes this one on.
        env = {"VEL_CHILD_TEMP": win_path(self.temp_dir),
               "VEL_JAVA_REPORT": win_path(self.java_report),
               "VEL_JAVA_WHERE_REPORT": win_path(self.java_where_report)}
        env.update(extra or {})
        return env

    def add_param_file(self, text=DEFAULT_PARAMS, where=None):
        path = (where or self.launcher_dir) / "velparam.ini"
        path.write_text(text)
        return path

    def java_command(self):
        """The command line the Java stand-in was started with, or None if it was not."""
        if not self.java_report.exists():
            return None
        return self.java_report.read_bytes().decode("latin-1")

    def java_where(self):
        """The Java stand-in's own path and its working directory, or None if it did not run."""
        if not self.java_where_report.exists():
            return None
        program, directory = self.java_where_report.read_text("latin-1").splitlines()
        return program, directory

    def scratch_dirs(self):
        return sorted(self.temp_dir.glob("VelInstall*"))

    def logs(self):
        """The installer logs written in scratch directories, oldest first."""
        return sorted(self.temp_dir.glob("VelInstall*/*.log"))

    def add_catalogue(self, name, records):
        """Writes resource/<name> from a dict of key -> text, or from raw bytes."""
        self.resource_dir.mkdir(exist_ok=True)
        if isinstance(records, dict):
            data = b"".join(f"{k}={v}".encode("utf-8") + b"\0" for k, v in records.items())
        else:
            data = records
        (self.resource_dir / name).write_bytes(data)

    def add_distribution(self, params="", tav_version="11.2.0.1.0", jre_version="1.6.0"):
        """Makes this a distribution medium: unzip.exe beside setup.exe, the four known
        components as jars in <root>/stage/Components, and a velparam.ini with
        DISTRIBUTION=TRUE whose JRE_LOCATION is the runtime component. Returns the
        DataFiles directories by component id."""
        for name in ("unzip.exe", "LICENSE-unzip.txt"):
            shutil.copy2(BUILD_DIR / "unzip" / name, self.launcher_dir / name)
        places = make_medium.write_components(self.root / "stage", SUPPORT_DIR / "java_stand_in.exe",
                                              tav_version, jre_version)
        self.add_param_file(
            "[Velmor]\nDISTRIBUTION=TRUE\n"
            f"TAV_VERSION={tav_version}\nJRE_VERSION={jre_version}\n"
            f"JRE_LOCATION=..\\stage\\Components\\velmor.swd.jre\\{jre_version}\\1\\DataFiles\n"
            + params)
        return places

    def add_english_catalogue(self):
        self.resource_dir.mkdir(exist_ok=True)
        shutil.copy2(BUILD_DIR / "resource" / "cons.nls", self.resource_dir / "cons.nls")


class Result:
    def __init__(self, code, stdout, stderr):
        self.code = code
        self.stdout = stdout
        self.stderr = stderr


def runner_argv(medium, command_tail, result_file):
    result_file.unlink(missing_ok=True)
    argv = [str(WINE_RUN), str(SUPPORT_DIR / "exit_code_runner.exe"), str(result_file),
            str(medium.setup_exe)]
    if command_tail:
        argv.append(command_tail)
    return argv


def read_exit_code(result_file, detail):
    assert result_file.exists(), f"the runner recorded no exit code: {detail!r}"
    return int(result_file.read_text().strip())


def run_setup_on_pty(medium, command_tail="", env=None, answers=(), prompt=None,
                     timeout=RUN_TIMEOUT, columns=None):
    """Runs setup.exe on a pty as its console; returns its full exit code and the output."""
    result_file = medium.root / "exit_code.txt"
    argv = runner_argv(medium, command_tail, result_file)
    _, output = run_on_pty(argv, env=medium.env(env), cwd=medium.root, answers=answers,
                           prompt=prompt, timeout=timeout, columns=columns)
    return read_exit_code(result_file, output), output


def run_setup(medium, command_tail="", env=None, timeout=RUN_TIMEOUT):
    """Runs setup.exe through the exit code runner with pipes for its streams."""
    result_file = medium.root / "exit_code.txt"
    argv = runner_argv(medium, command_tail, result_file)
    proc = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, env=wine_env(medium.env(env)), cwd=medium.root,
                            start_new_session=True)
    try:
        out, err = proc.communicate(timeout=timeout)
    except subprocess.TimeoutExpired:
        kill_group(proc)
        pytest.fail(f"setup.exe did not end within {timeout} s")
    finally:
        if proc.poll() is None:
            kill_group(proc)
    code = read_exit_code(result_file, err)
    return Result(code, out.decode("utf-8", "replace"), err.decode("utf-8", "replace"))


# Wine's console draws with escape sequences, blanks as cursor moves.
ESCAPES = re.compile(r"\x1b\][^\x07]*\x07|\x1b\[[0-9;?]*[A-Za-z]")
CURSOR_FORWARD = re.compile(r"\x1b\[(\d*)C")


def visible(text):
    """The text as the console shows it."""
    text = CURSOR_FORWARD.sub(lambda m: " " * int(m.group(1) or 1), text)
    return ESCAPES.sub("", text).replace("\r", "")


def run_on_pty(argv, env=None, cwd=None, answers=(), prompt=None, timeout=RUN_TIMEOUT,
               columns=None):
    """Runs argv with a pty as its terminal, so a GUI exe uses it as its console.

    `answers` are lines typed in order, each followed by "\\r", each once `prompt` (a
    regular expression) has shown on the console since the line before was typed; an
    answer that is a function is called then, and what it returns is typed.
    `columns` widens the pty, so that long lines neither wrap nor get repainted. Returns
    the unix exit status and everything the pty showed.
    """
    assert prompt is not None or not answers, "answers need the prompt they answer"
    prompt = re.compile(prompt) if prompt is not None else None
    master, slave = pty.openpty()
    if columns:
        fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", 50, columns, 0, 0))
    # A console reads keys as typed: no line discipline turning "\r" into "\n".
    tty.setraw(slave)
    proc = subprocess.Popen(argv, stdin=slave, stdout=slave, stderr=slave, env=wine_env(env),
                            cwd=cwd, start_new_session=True)
    os.close(slave)
    output = bytearray()
    pending = list(answers)
    answered_up_to = 0  # how much of the visible text the last answer was typed after
    deadline = time.monotonic() + timeout
    try:
        while True:
            if time.monotonic() > deadline:
                pytest.fail(f"{argv[0]} did not end within {timeout} s: {bytes(output)!r}")
            ready, _, _ = select.select([master], [], [], 0.2)
            if ready:
                try:
                    chunk = os.read(master, 4096)
                except OSError:
                    chunk = b""
                if not chunk and proc.poll() is not None:
                    break
                output += chunk
                if pending:
                    shown = visible(output.decode("utf-8", "replace"))
                    if prompt.search(shown, answered_up_to):
                        answer = pending.pop(0)
                        if callable(answer):
                            answer = answer()
                        os.write(master, answer.encode("utf-8") + b"\r")
                        answered_up_to = len(shown)
            elif proc.poll() is not None:
                break
    finally:
        if proc.poll() is None:
            kill_group(proc)
        os.close(master)
    return proc.returncode, output.decode("utf-8", "replace")


def wait_for_file(path, timeout=60):
    """Waits until another process has written `path`, the sign that something happened."""
    deadline = time.monotonic() + timeout
    while not path.exists():
        assert time.monotonic() < deadline, f"{path} did not appear"
        time.sleep(0.05)


@pytest.fixture
def medium(tmp_path):
    return Medium(tmp_path)


def run_wine_tool(*argv):
    """Runs a Windows program to its end; returns its exit status."""
    return subprocess.run([str(WINE_RUN), *argv], env=wine_env(), stdin=subprocess.DEVNULL,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                          timeout=RUN_TIMEOUT, check=False).returncode


def set_registry_value(key, name, data):
    """Sets value `name` of `key` to the string `data`, or deletes `key` when `data` is
    None, and checks that it took: a tool started while the prefix's Wine server is
    going down can end without having done anything."""
    for _ in range(5):
        if data is None:
            run_wine_tool("reg", "delete", key, "/f")
        else:
            run_wine_tool("reg", "add", key, "/v", name, "/t", "REG_SZ", "/d", data, "/f")
        present = run_wine_tool("reg", "query", key, "/v", name) == 0
        if present == (data is not None):
            return
    pytest.fail(f"could not {'set' if data is not None else 'delete'} {key}")


@pytest.fixture
def inventory(medium):
    """Points the installed inventory (inst_loc) at <root>/inventory for this test, so the
    installer log goes to <root>/inventory/logs and outlives the scratch directory."""
    path = medium.root / "inventory"
    set_registry_value(r"HKLM\SOFTWARE\VELMOR", "inst_loc", win_path(path))
    yield path / "logs"
    set_registry_value(r"HKLM\SOFTWARE\VELMOR", "inst_loc", None)


@pytest.fixture(scope="session")
def locales(tmp_path_factory):
    """A LOCPATH with de_DE.UTF-8 and ja_JP.UTF-8, which the machine may not have."""
    path = tmp_path_factory.mktemp("locales")
    for name in ("de_DE", "ja_JP", "en_US"):
        subprocess.run(["localedef", "-i", name, "-f", "UTF-8", str(path / f"{name}.UTF-8")],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return path


def pytest_sessionfinish(session, exitstatus):
    # Anything left in the test prefix ends with the session, and the server is gone
    # before the next user of the prefix starts one: one still going down refuses it.
    for option in ("-k", "-w"):
        subprocess.run(["/usr/lib/wine/wineserver64", option], env=wine_env(),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
