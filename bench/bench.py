#!/usr/bin/env python3
"""Benchmarks of setup.exe against what a user would use instead, measured alternately.

Each figure times two (or three) things in turns, over several rounds, and reports the
minimum, median and maximum of each and the ratio of the medians:

  overhead   setup.exe -silent on an installed layout whose installer exits at once,
             against a minimal launcher that allocates a console and starts the same
             program; -silent -NOCONSOLE against the same launcher without a console
  expansion  a distribution medium staged with -BOOTSTRAPONLY, against the unzip.exe
             command lines it runs, run directly, and native unzip on the same jars
  copy       the same tree staged from an installed layout (BOOTSTRAP=TRUE), against
             Wine's xcopy /E /I and native cp -r
  removal    RemoveTree of the tree, against Wine's rmdir /S /Q and native rm -rf
  sealed     the expansion and the copy from a sealed medium, against the same medium
             staged by the setup.exe as built, which does not check it
  growth     expansion and copy at three tree sizes: seconds per file
  memory     the peak working set of every setup.exe run
  size       setup.exe as shipped (stripped) and its separate debug information

Every run's exit code is checked; an unexpected one stops the benchmark. No timing is
ever asserted: the table is for people to read and to hold later changes against.

    bench.py [--build build/windows] [--smoke] [--only overhead|sealed|sealed-copy]

--smoke runs every figure twice on small trees, so that CI keeps the benchmark working.
"""

import argparse
import os
import pathlib
import random
import shutil
import statistics
import subprocess
import sys
import time
import zipfile

SOURCE_DIR = pathlib.Path(__file__).resolve().parent.parent
sys.path.insert(0, str(SOURCE_DIR / "tools"))
import make_medium  # noqa: E402  (the project's medium builder)

WINE_RUN = SOURCE_DIR / "tests" / "support" / "wine-run"
WINESERVER = "/usr/lib/wine/wineserver64"
SEED = 20101105


class Failure(Exception):
    """A run that ended otherwise than expected: the benchmark stops and says so."""


def win_path(path):
    return "Z:" + str(path).replace("/", "\\")


class Wine:
    """Runs Windows commands through bench_runner.exe under one persistent wineserver."""

    def __init__(self, build):
        self.build = build
        self.env = dict(os.environ)
        self.env.setdefault("WINEPREFIX", str(build / "wineprefix"))
        self.env["WINEDEBUG"] = "-all"
        # The installer stand-in exits at once without a word: only the launcher is timed.
        self.env["VEL_JAVA_QUIET"] = "1"
        self.env.setdefault("LC_ALL", "C.UTF-8")
        self.runner = build / "test-support" / "bench_runner.exe"

    def __enter__(self):
        subprocess.run([str(WINE_RUN), "--boot-only"], env=self.env, check=True)
        # Persistent: the server's start is nobody's cost in a round.
        subprocess.run([WINESERVER, "-p"], env=self.env, check=True)
        return self

    def __exit__(self, *exc):
        # Gone, not going: the next user of the prefix would meet a server going down.
        subprocess.run([WINESERVER, "-k"], env=self.env, check=False)
        subprocess.run([WINESERVER, "-w"], env=self.env, check=False, timeout=60)

    def run(self, commands, temp=None, cwd=None, expect=(0,)):
        """Runs `commands` (Windows command lines) one after the other; returns their
        total seconds and the largest peak working set in KB."""
        env = dict(self.env)
        if temp is not None:
            env["VEL_CHILD_TEMP"] = win_path(temp)
        # Results into a file, the children's output nowhere: Wine's helper processes
        # inherit handles and would keep a pipe open long after the runner ended.
        result = self.build / "bench-result.txt"
        result.unlink(missing_ok=True)
        done = subprocess.run([str(WINE_RUN), str(self.runner), win_path(result), *commands],
                              env=env, cwd=cwd, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, timeout=3600)
        text = result.read_text() if result.exists() else ""
        results = [line.split() for line in text.split("\n") if line.strip()]
        if done.returncode != 0 or len(results) != len(commands):
            raise Failure(f"bench_runner ended with {done.returncode}: {text[-2000:]!r}")
        seconds, peak = 0.0, 0
        for command, (elapsed, code, peak_kb) in zip(commands, results):
            if int(code) not in expect:
                raise Failure(f"exit code {code} (expected {expect}) from {command}")
            seconds += float(elapsed)
            peak = max(peak, int(peak_kb))
        return seconds, peak


def run_native(argv):
    start = time.perf_counter()
    done = subprocess.run(argv, stdin=subprocess.DEVNULL, capture_output=True, timeout=3600)
    seconds = time.perf_counter() - start
    if done.returncode != 0:
        raise Failure(f"exit code {done.returncode} from {argv}: {done.stderr[-2000:]!r}")
    return seconds


# --- data -----------------------------------------------------------------------------

def text_pool(rng, size=1 << 20):
    """Compressible text to cut files from, like the class files and resources of a runtime."""
    words = ["".join(rng.choice("abcdefghijklmnopqrstuvwxyz") for _ in range(rng.randint(2, 9)))
             for _ in range(4000)]
    out, length = [], 0
    while length < size:
        word = rng.choice(words)
        out.append(word)
        length += len(word) + 1
    return " ".join(out).encode()[:size]


def tree_files(count, total_bytes, seed=SEED):
    """`count` files (relative name -> bytes) of `total_bytes` in all, reproducible."""
    rng = random.Random(seed)
    pool = text_pool(rng)
    mean = max(1, total_bytes // count)
    files = {}
    for i in range(count):
        size = rng.randint(mean // 2, mean * 3 // 2)
        start = rng.randrange(0, len(pool) - size) if size < len(pool) else 0
        files[f"lib/pkg{i // 250:03d}/file{i:05d}.dat"] = pool[start:start + size]
    return files


def write_jars(directory, prefix, files, per_jar=500):
    directory.mkdir(parents=True, exist_ok=True)
    names = sorted(files)
    for n in range(0, len(names), per_jar):
        with zipfile.ZipFile(directory / f"runtime{n // per_jar:03d}.jar", "w",
                             zipfile.ZIP_DEFLATED) as jar:
            for name in names[n:n + per_jar]:
                info = zipfile.ZipInfo(f"{prefix}/{name}", date_time=make_medium.ENTRY_TIME)
                info.compress_type = zipfile.ZIP_DEFLATED
                info.external_attr = 0o644 << 16
                jar.writestr(info, files[name])


def write_tree(directory, files):
    for name, data in files.items():
        path = directory / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)


def stand_in(build):
    return build / "test-support" / "java_stand_in.exe"


def installed_medium(root, build, params, tree=None):
    """An installed layout: disk1 with setup.exe, jre with the Java stand-in (and `tree`)."""
    make_medium.add_launcher(root / "disk1", build)
    (root / "jre" / "bin").mkdir(parents=True)
    for name in ("java.exe", "javaw.exe"):
        shutil.copy2(stand_in(build), root / "jre" / "bin" / name)
    if tree is not None:
        write_tree(root / "jre", tree)
    (root / "disk1" / "velparam.ini").write_text("[Velmor]\nJRE_LOCATION=..\\jre\n" + params)
    (root / "temp").mkdir()
    return root


def distribution_medium(root, build, tree):
    """A distribution medium whose runtime component holds `tree` besides the stand-in."""
    disk1 = root / "disk1"
    make_medium.add_launcher(disk1, build)
    places = make_medium.write_components(root / "stage", stand_in(build), "11.2.0.1.0", "1.6.0")
    write_jars(places[make_medium.RUNTIME_ID], "jre/1.6.0", tree)
    (disk1 / "velparam.ini").write_text(
        "[Velmor]\nDISTRIBUTION=TRUE\nTAV_VERSION=11.2.0.1.0\nJRE_VERSION=1.6.0\n"
        "JRE_LOCATION=..\\stage\\Components\\velmor.swd.jre\\1.6.0\\1\\DataFiles\n"
        "BOOTSTRAP_SIZE=52\n")
    (root / "temp").mkdir()
    return root, places


# --- measuring ------------------------------------------------------------------------

class Figure:
    """The rounds of one comparison: seconds by contender, in the order they ran."""

    def __init__(self, name, goal):
        self.name, self.goal, self.times, self.peaks = name, goal, {}, []

    def add(self, contender, seconds):
        self.times.setdefault(contender, []).append(seconds)


def spread(values):
    return f"{statistics.median(values):8.3f} ({min(values):.3f}–{max(values):.3f})"


def rounds(count, contenders):
    """Runs the contenders in turns, `count` rounds, after one untimed warm-up round."""
    for _ in range(count + 1):
        yield [(name, run) for name, run in contenders]


def measure(figure, count, contenders, prepare=None):
    for index, turn in enumerate(rounds(count, contenders)):
        for name, run in turn:
            if prepare is not None:
                prepare(name)
            seconds = run()
            if index > 0:  # the first round warms caches and the wineserver up
                figure.add(name, seconds)


def setup_run(wine, command, temp, peaks):
    """A contender that runs setup.exe's `command` and keeps its peak working set."""

    def run():
        seconds, peak = wine.run([command], temp=temp)
        peaks.append(peak)
        return seconds

    return run


def overhead(wine, work, build, count):
    figures = []
    medium = installed_medium(work / "overhead", build, "WAIT_FOR_COMPLETION=TRUE\n")
    setup = win_path(medium / "disk1" / "setup.exe")
    java = f'"{win_path(medium / "jre" / "bin" / "java.exe")}" -version'
    minimal = win_path(build / "test-support" / "minimal_launcher.exe")
    for label, tail, mode, goal in (("console", "-silent", "console", "≤ 1.10×"),
                                    ("no console", "-silent -NOCONSOLE", "noconsole", "≤ 1.05×")):
        figure = Figure(f"overhead, {label}", goal)
        peaks = []

        def theirs(mode=mode):
            return wine.run([f'"{minimal}" {mode} {java}'], temp=medium / "temp")[0]

        ours = setup_run(wine, f'"{setup}" {tail}', medium / "temp", peaks)
        measure(figure, count, [("setup.exe", ours), ("minimal", theirs)])
        figure.peaks = peaks
        figures.append(figure)
    return figures


def expansion(wine, work, build, count, files, total_bytes, label="expansion"):
    tree = tree_files(files, total_bytes)
    root, places = distribution_medium(work / f"{label}-{files}", build, tree)
    dest = root / "staged"
    setup = f'"{win_path(root / "disk1" / "setup.exe")}" -silent -BOOTSTRAPONLY ' \
            f'BOOTSTRAP_LOC={win_path(dest)}'
    # The unzip commands setup.exe runs, from its log.
    wine.run([setup], temp=root / "temp")
    log = next(dest.glob("installActions*.log")).read_text("latin-1")
    unzips = [line.split("Unzip command line: ", 1)[1].strip()
              for line in log.splitlines() if "Unzip command line: " in line]
    if len(unzips) != 4:
        raise Failure(f"expected 4 unzip commands in the log, found {unzips}")
    jars = [jar for place in places.values() for jar in sorted(place.glob("*.jar"))]
    figure = Figure(f"{label}, {files} files", "≤ 1.05×")
    peaks = []

    ours = setup_run(wine, setup, root / "temp", peaks)

    def direct():
        dest.mkdir()
        # From the launcher's directory, as setup.exe runs them: the sources are relative.
        return wine.run(unzips, temp=root / "temp", cwd=root / "disk1")[0]

    def native():
        dest.mkdir()
        return sum(run_native(["unzip", "-qqo", str(jar), "-d", str(dest)]) for jar in jars)

    measure(figure, count, [("setup.exe", ours), ("unzip.exe", direct), ("native unzip", native)],
            prepare=lambda _: shutil.rmtree(dest, ignore_errors=True))
    figure.peaks = peaks
    figure.files = files
    return figure


def copy_and_removal(wine, work, build, count, files, total_bytes, label="copy"):
    tree = tree_files(files, total_bytes)
    root = installed_medium(work / f"{label}-{files}", build, "BOOTSTRAP=TRUE\n", tree)
    source = root / "jre"
    dest = root / "staged"
    setup = f'"{win_path(root / "disk1" / "setup.exe")}" -silent -BOOTSTRAPONLY ' \
            f'BOOTSTRAP_LOC={win_path(dest)}'
    copy = Figure(f"{label}, {files} files", "≤ xcopy, ≤ 1.5× cp -r")
    peaks = []

    ours = setup_run(wine, setup, root / "temp", peaks)

    def xcopy():
        return wine.run([f'xcopy /E /I /Q /Y "{win_path(source)}" "{win_path(dest / "jre")}"'],
                        temp=root / "temp")[0]

    def cp():
        dest.mkdir()
        return run_native(["cp", "-r", str(source), str(dest / "jre")])

    measure(copy, count, [("setup.exe", ours), ("xcopy", xcopy), ("cp -r", cp)],
            prepare=lambda _: shutil.rmtree(dest, ignore_errors=True))
    copy.peaks = peaks
    copy.files = files
    if label != "copy":
        return copy, None

    removal = Figure(f"removal, {files} files", "none set")
    probe = win_path(build / "test-support" / "tree_probe.exe")

    def fresh(_):
        shutil.rmtree(dest, ignore_errors=True)
        shutil.copytree(source, dest)

    def remove_tree():
        return wine.run([f'"{probe}" remove "{win_path(dest)}"'])[0]

    def rmdir():
        return wine.run([f'cmd /c rmdir /S /Q "{win_path(dest)}"'])[0]

    def rm():
        return run_native(["rm", "-rf", str(dest)])

    measure(removal, count, [("RemoveTree", remove_tree), ("rmdir /S /Q", rmdir),
                             ("rm -rf", rm)], prepare=fresh)
    if dest.exists():
        raise Failure(f"{dest} is still there after the removals")
    return copy, removal


def sealed_pair(wine, root, build, dest):
    """Seals the medium at `root` with velcheck.exe, after copying its disk1 as built to
    disk1-unsealed: the command lines of both launchers, staging into `dest`."""
    unsealed = root / "disk1-unsealed"
    shutil.copytree(root / "disk1", unsealed)
    velcheck = win_path(build / "velcheck.exe")
    wine.run([f'"{velcheck}" --seal "{win_path(root / "disk1")}"'], expect=(0, 1))
    if not (root / "disk1" / "velseal.sha256").exists():
        raise Failure(f"velcheck did not seal {root / 'disk1'}")
    tail = f" -silent -BOOTSTRAPONLY BOOTSTRAP_LOC={win_path(dest)}"
    return (f'"{win_path(root / "disk1" / "setup.exe")}"{tail}',
            f'"{win_path(unsealed / "setup.exe")}"{tail}')


def sealed(wine, work, build, count, files, total_bytes, layouts=("expansion", "copy")):
    """Staging from a sealed medium against the same medium unsealed, in both layouts."""
    tree = tree_files(files, total_bytes)
    media = []
    if "expansion" in layouts:
        media.append(("expansion",
                      distribution_medium(work / f"sealed-expansion-{files}", build, tree)[0]))
    if "copy" in layouts:
        media.append(("copy", installed_medium(work / f"sealed-copy-{files}", build,
                                               "BOOTSTRAP=TRUE\n", tree)))
    figures = []
    for label, root in media:
        dest = root / "staged"
        sealed_setup, unsealed_setup = sealed_pair(wine, root, build, dest)
        figure = Figure(f"sealed {label}, {files} files", "≤ 1.10× unsealed")
        peaks = []
        measure(figure, count, [("sealed", setup_run(wine, sealed_setup, root / "temp", peaks)),
                                ("unsealed", setup_run(wine, unsealed_setup, root / "temp", peaks))],
                prepare=lambda _, dest=dest: shutil.rmtree(dest, ignore_errors=True))
        figure.peaks = peaks
        figures.append(figure)
        shutil.rmtree(root, ignore_errors=True)
    return figures


# --- report ---------------------------------------------------------------------------

def print_figure(figure, out):
    names = list(figure.times)
    first = statistics.median(figure.times[names[0]])
    out.append(f"| {figure.name} | " + " | ".join(
        f"{name}: {spread(figure.times[name])}" for name in names) + " | " + ", ".join(
        f"{first / statistics.median(figure.times[name]):.2f}× {name}" for name in names[1:])
        + f" | {figure.goal} |")


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default=str(SOURCE_DIR / "build" / "windows"))
    parser.add_argument("--work", default=None, help="where media are built (default: under --build)")
    parser.add_argument("--smoke", action="store_true", help="two rounds on small trees")
    parser.add_argument("--only", choices=["overhead", "sealed", "sealed-copy"],
                        help="only these figures")
    # A launch takes tens of milliseconds and Wine's scheduling moves each by as much:
    # the overhead's medians settle only over many rounds.
    parser.add_argument("--overhead-rounds", type=int, default=60,
                        help="rounds of the overhead figures (default 60)")
    args = parser.parse_args(argv)
    build = pathlib.Path(args.build).resolve()
    work = pathlib.Path(args.work or build / ("bench-smoke" if args.smoke else "bench"))
    if work.exists():
        shutil.rmtree(work)
    work.mkdir(parents=True)
    if args.smoke:
        count, main_files, main_bytes, sizes, grow_bytes = 2, 60, 600_000, (20, 40, 80), 4096
    else:
        count, main_files, main_bytes, sizes, grow_bytes = 7, 5000, 200_000_000, (1000, 5000, 20000), 4096
    rows = []
    with Wine(build) as wine:
        if args.only is not None:
            if args.only == "overhead":
                figures = overhead(wine, work, build, args.overhead_rounds if not args.smoke else 2)
            else:
                layouts = ("copy",) if args.only == "sealed-copy" else ("expansion", "copy")
                figures = sealed(wine, work, build, count, main_files, main_bytes, layouts)
            out = ["| figure | seconds: median (min–max) | ratio of medians | goal |",
                   "|---|---|---|---|"]
            for figure in figures:
                print_figure(figure, out)
            print("\n".join(out))
            return 0
        figures = overhead(wine, work, build, args.overhead_rounds if not args.smoke else 2)
        figures.append(expansion(wine, work, build, count, main_files, main_bytes))
        copy, removal = copy_and_removal(wine, work, build, count, main_files, main_bytes)
        figures += [copy, removal]
        figures += sealed(wine, work, build, count, main_files, main_bytes)
        growth = []
        for files in sizes:
            growth.append(expansion(wine, work, build, max(2, count // 2), files,
                                    files * grow_bytes, "expansion growth"))
            growth.append(copy_and_removal(wine, work, build, max(2, count // 2), files,
                                           files * grow_bytes, "copy growth")[0])
            shutil.rmtree(work / f"expansion growth-{files}", ignore_errors=True)
            shutil.rmtree(work / f"copy growth-{files}", ignore_errors=True)

    out = ["| figure | seconds: median (min–max) | ratio of medians | goal |",
           "|---|---|---|---|"]
    for figure in figures:
        print_figure(figure, out)
    out += ["", "| growth | files | setup.exe ms per file: median (min–max) |", "|---|---|---|"]
    for figure in growth:
        per_file = [1000 * s / figure.files for s in figure.times["setup.exe"]]
        out.append(f"| {figure.name.split(',')[0]} | {figure.files} | {spread(per_file)} |")
    peaks = [p for f in figures + growth for p in getattr(f, "peaks", [])]
    out += ["", f"Peak working set of setup.exe over {len(peaks)} runs: "
            f"{max(peaks) / 1024:.1f} MB at most (goal: under 10 MB)."]
    exe, debug = build / "setup.exe", build / "setup.exe.debug"
    out.append(f"setup.exe as shipped: {exe.stat().st_size // 1024} KB stripped; "
               f"debug information apart: {debug.stat().st_size // 1024} KB.")
    print("\n".join(out))
    if not args.smoke:
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv[1:]))
    except Failure as failure:
        print(f"bench: {failure}", file=sys.stderr)
        sys.exit(1)
