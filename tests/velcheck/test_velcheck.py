"""velcheck on media with one mistake each: the finding it reports and its exit status.

Media are built with tools/make_medium.py, as the sample medium is. VELCHECK names the
native velcheck build (the CTest test sets it)."""

import json
import os
import pathlib
import shutil
import subprocess
import sys
import zipfile

import pytest

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools"))
import make_medium  # noqa: E402

VELCHECK = os.environ.get("VELCHECK", str(ROOT / "build" / "native" / "velcheck"))
# The compiled catalogues of the native build.
RESOURCE = pathlib.Path(os.environ.get("VELCHECK_RESOURCE", ROOT / "build" / "native" / "resource"))
TAV_VERSION = "11.2.0.1.0"
JRE_SOURCE = "..\\stage\\Components\\velmor.swd.jre\\1.6.0\\1\\DataFiles"
GOOD_PARAMS = ("[Velmor]\n; a comment names no key\nDISTRIBUTION=TRUE\n"
               f"TAV_VERSION={TAV_VERSION}\nJRE_VERSION=1.6.0\nJRE_LOCATION={JRE_SOURCE}\n")


def catalogue(records):
    return b"".join(f"{key}={text}".encode() + b"\0" for key, text in records.items())


def make(tmp_path, params=GOOD_PARAMS, unzip=True, base_catalogue=True, extra=None):
    """A distribution medium: disk1 with setup.exe, unzip.exe, resource\\cons.nls and
    velparam.ini, the four components' jars under stage."""
    disk1 = tmp_path / "disk1"
    (disk1 / "resource").mkdir(parents=True)
    (disk1 / "setup.exe").write_bytes(b"MZ")
    if unzip:
        (disk1 / "unzip.exe").write_bytes(b"MZ")
    if base_catalogue:
        (disk1 / "resource" / "cons.nls").write_bytes(catalogue({"S_TAV": "Installer"}))
    stand_in = tmp_path / "stand_in.exe"
    stand_in.write_bytes(b"MZ")
    make_medium.write_components(tmp_path / "stage", stand_in, TAV_VERSION, "1.6.0")
    if params is not None:
        (disk1 / "velparam.ini").write_text(params)
    if extra:
        extra(tmp_path)
    return disk1


def run(directory, *options):
    done = subprocess.run([VELCHECK, *options, str(directory)], capture_output=True, text=True,
                          timeout=60)
    return done.returncode, done.stdout


def runtime_jar_with_extra_fields(root):
    # As jar tools write them: an extra field on each entry, java.exe not the first.
    jar = make_medium.data_files(root / "stage", make_medium.RUNTIME_ID, "1.6.0") / "jre.jar"
    with zipfile.ZipFile(jar, "w") as archive:
        for name in ("jre/1.6.0/", "jre/1.6.0/lib/rt.jar", "jre/1.6.0/bin/java.exe"):
            entry = zipfile.ZipInfo(name)
            entry.extra = b"\xfe\xca\x00\x00" + b"UT\x05\x00\x01\x00\x00\x00\x00"
            archive.writestr(entry, b"MZ")


# Sound media, each at an edge a mistake lies just beyond.
@pytest.mark.parametrize("arguments", [
    dict(),
    dict(params=GOOD_PARAMS + "BOOTSTRAP_SIZE=0\n"),
    dict(params=GOOD_PARAMS + "BOOTSTRAP_SIZE=2047\n"),
    dict(extra=runtime_jar_with_extra_fields),
], ids=["sample", "least size", "largest size", "jar entries with extra fields"])
def test_a_sound_medium_passes(tmp_path, arguments):
    assert run(make(tmp_path, **arguments)) == (0, "")


@pytest.mark.parametrize("layout", ["distribution", "installed"])
def test_the_sample_media_pass(tmp_path, layout):
    # A stand-in for the Windows build the sample is assembled from.
    build = tmp_path / "build"
    (build / "unzip").mkdir(parents=True)
    (build / "test-support").mkdir()
    shutil.copytree(RESOURCE, build / "resource")
    for name in ("setup.exe", "unzip/unzip.exe", "unzip/LICENSE-unzip.txt",
                 "unzip/unzip-ALTERED.txt", "test-support/java_stand_in.exe"):
        (build / name).write_bytes(b"MZ")
    make_medium.build_sample(tmp_path / "sample", build, layout)
    assert run(tmp_path / "sample" / "disk1") == (0, "")


def remove_runtime_java(root):
    jre = make_medium.data_files(root / "stage", make_medium.RUNTIME_ID, "1.6.0")
    make_medium.write_jar(jre / "jre.jar", {"jre/1.6.0/lib/rt.jar": b"x"})


def empty_installer(root):
    for jar in make_medium.data_files(root / "stage", make_medium.INSTALLER_ID,
                                      TAV_VERSION).glob("*.jar"):
        jar.unlink()


def bad_catalogue(root):
    (root / "disk1" / "resource" / "cons_de.nls").write_bytes(
        catalogue({"S_ERPERDIR": "%d", "S_NOT_A_KEY": "x"}) + b"S_TAV\0")


# One mistake each: (name, medium arguments, exit status, severity, key, words of the message,
# the line of velparam.ini it is on, or None when it is not in velparam.ini).
CASES = [
    ("lower-case flag", dict(params=GOOD_PARAMS + "WAIT_FOR_COMPLETION=true\n"), 2, "error",
     "WAIT_FOR_COMPLETION", "only a value beginning with an upper-case T turns it on", 7),
    ("switch not exactly TRUE", dict(params=GOOD_PARAMS + "USEJREONLY=True\n"), 2, "error",
     "USEJREONLY", "only exactly TRUE turns it on", 7),
    ("size just out of range", dict(params=GOOD_PARAMS + "BOOTSTRAP_SIZE=2048\n"), 2, "error",
     "BOOTSTRAP_SIZE", "stages nothing", 7),
    ("size just below the range", dict(params=GOOD_PARAMS + "BOOTSTRAP_SIZE=-1\n"), 2, "error",
     "BOOTSTRAP_SIZE", "stages nothing", 7),
    ("size not a number", dict(params=GOOD_PARAMS + "BOOTSTRAP_SIZE=big\n"), 2, "error",
     "BOOTSTRAP_SIZE", "not a number", 7),
    ("blank in the component list",
     dict(params=GOOD_PARAMS + f"BOOTSTRAP_COMPS=velmor.swd.tav:{TAV_VERSION}, "
          f"velmor.swd.tav.core:{TAV_VERSION}\n"), 2, "error", "BOOTSTRAP_COMPS", "blank", 7),
    ("component id in the wrong case",
     dict(params=GOOD_PARAMS + f"BOOTSTRAP_COMPS=Velmor.swd.tav:{TAV_VERSION}\n"), 2, "error",
     "BOOTSTRAP_COMPS", "ids compare exactly", 7),
    ("unknown key", dict(params=GOOD_PARAMS + "WAIT_FOR_COMPLETON=T\n"), 1, "warning",
     "WAIT_FOR_COMPLETON", "does not read this key", 7),
    ("key given twice", dict(params=GOOD_PARAMS + "TAV_VERSION=1.0\n"), 1, "warning",
     "TAV_VERSION", "reads only the first", 7),
    ("key given twice in another case", dict(params=GOOD_PARAMS + "tav_version=1.0\n"), 1,
     "warning", "tav_version", "reads only the first", 7),
    ("a warning after an error",
     dict(params=GOOD_PARAMS + "WAIT_FOR_COMPLETION=true\nWAIT_FOR_COMPLETON=T\n"), 2,
     "warning", "WAIT_FOR_COMPLETON", "does not read this key", 8),
    ("no velparam.ini", dict(params=None), 2, "error", None, "ends with -2", None),
    ("no unzip.exe", dict(unzip=False), 2, "error", None, "no unzip.exe", None),
    ("component without jars", dict(extra=empty_installer), 2, "error", "velmor.swd.tav",
     "no jar archives", None),
    ("runtime without java.exe", dict(extra=remove_runtime_java), 2, "error", "velmor.swd.jre",
     "bin\\java.exe", None),
    ("no cons.nls", dict(base_catalogue=False), 2, "error", None, "no cons.nls", None),
    ("certified list with a blank",
     dict(params=GOOD_PARAMS + "[Certified Versions]\nWindows=6.1, 5.1\n"), 1, "warning",
     "Windows", "never matches", 8),
    ("unknown prerequisite", dict(params=GOOD_PARAMS + "[Generic Prereqs]\nRAM=512\n"), 1,
     "warning", "RAM", "do not read this key", 8),
    ("installed layout without its installer",
     dict(params="[Velmor]\nTAV_LOCATION=missing\n"), 2, "error", "TAV_LOCATION",
     "not a directory", 2),
]


@pytest.mark.parametrize("name,arguments,status,severity,key,words,line", CASES,
                         ids=[case[0] for case in CASES])
def test_each_mistake_is_found(tmp_path, name, arguments, status, severity, key, words, line):
    code, output = run(make(tmp_path, **arguments), "--json")
    assert code == status, output
    report = json.loads(output)
    matching = [f for f in report["findings"]
                if f["severity"] == severity and f["key"] == key and words in f["message"]]
    assert matching, report
    if line is not None:
        assert (matching[0]["file"], matching[0]["line"]) == ("velparam.ini", line)


def test_catalogue_records_are_read_as_the_launcher_reads_them(tmp_path):
    code, output = run(make(tmp_path, extra=bad_catalogue), "--json")
    assert code == 2
    findings = json.loads(output)["findings"]
    assert {(f["key"], f["severity"]) for f in findings} == {
        ("S_ERPERDIR", "error"), ("S_NOT_A_KEY", "warning"), (None, "error")}
    assert all(f["file"].endswith("cons_de.nls") for f in findings)


def test_text_output_names_file_line_and_key(tmp_path):
    code, output = run(make(tmp_path, params=GOOD_PARAMS + "WAIT_FOR_COMPLETION=true\n"))
    assert code == 2
    assert output.startswith("velparam.ini:7: error: "
                             "WAIT_FOR_COMPLETION: WAIT_FOR_COMPLETION=true: read as off")


def test_a_relative_directory_is_checked_as_the_same_absolute_one(tmp_path):
    # An installed layout whose folders all default to the launcher directory.
    make(tmp_path, params="[Velmor]\n")
    done = subprocess.run([VELCHECK, "disk1"], cwd=tmp_path, capture_output=True, text=True,
                          timeout=60)
    assert (done.returncode, done.stdout) == (0, "")


def test_a_directory_that_is_not_there_cannot_be_checked(tmp_path):
    assert run(tmp_path / "nowhere")[0] == 3


def long_location(root):
    params = root / "disk1" / "velparam.ini"
    params.write_text("[Velmor]\nTAV_LOCATION=" + "x" * 300 + "\n")


def link_loop(root):
    params = root / "disk1" / "velparam.ini"
    params.unlink()
    params.symlink_to(params)


def fifo_catalogue(root):
    os.mkfifo(root / "disk1" / "resource" / "x.nls")


def endless_catalogue(root):
    (root / "disk1" / "resource" / "cons_de.nls").symlink_to("/dev/zero")


def sparse(path, size):
    with open(path, "wb") as f:
        f.truncate(size)


MIB = 1 << 20


def padded_params(size):
    # A mistake on line 7, then a comment line that brings the file to `size` bytes.
    def write(root):
        text = GOOD_PARAMS + "WAIT_FOR_COMPLETION=true\n;"
        (root / "disk1" / "velparam.ini").write_text(text + "x" * (size - len(text)))
    return write


def many_sections(root):
    # Each section's own header, then the one key nobody reads in the last.
    sections = "".join(f"[Windows-{n}]\nCPU=1\n" for n in range(16000))
    (root / "disk1" / "velparam.ini").write_text(GOOD_PARAMS + sections + "RAM=1\n")


def legacy_text(root):
    (root / "disk1" / "velparam.ini").write_bytes(
        GOOD_PARAMS.encode() + "WAIT_FOR_COMPLETION=t\xe4\xd6\n".encode("cp1252"))


def runtime_jar_directory_beyond_end(root):
    # An end record whose directory claims more bytes than lie before it.
    jre = make_medium.data_files(root / "stage", make_medium.RUNTIME_ID, "1.6.0") / "jre.jar"
    jre.write_bytes(b"PK\x05\x06" + b"\0" * 6 + b"\x01\x00" + b"\xff" * 8 + b"\0\0")


def huge_runtime_directory(size):
    def write(root):
        jre = make_medium.data_files(root / "stage", make_medium.RUNTIME_ID, "1.6.0") / "jre.jar"
        sparse(jre, size + 22)
        with open(jre, "r+b") as f:
            f.seek(size)
            f.write(b"PK\x05\x06" + b"\0" * 4 + b"\x01\x00\x01\x00"
                    + size.to_bytes(4, "little") + b"\0" * 6)
    return write


# Media no build should make, which velcheck must report without crashing, hanging or
# reading without bound: (name, medium change, exit status, file, line, words of a finding).
HOSTILE = [
    ("location longer than a file name", long_location, 2, "velparam.ini", 2,
     "is not a directory"),
    ("velparam.ini a link to itself", link_loop, 2, "velparam.ini", None,
     "not a regular file"),
    ("catalogue a FIFO", fifo_catalogue, 2, "resource/x.nls", None, "not a regular file"),
    ("catalogue a link to an endless device", endless_catalogue, 2, "resource/cons_de.nls", None,
     "not a regular file"),
    ("velparam.ini of 16 MiB", padded_params(16 * MIB), 2, "velparam.ini", 7, "read as off"),
    ("velparam.ini over 16 MiB", padded_params(16 * MIB + 1), 2, "velparam.ini", None,
     "larger than 16 MiB"),
    ("16,000 prerequisite sections", many_sections, 1, "velparam.ini", 32007,
     "do not read this key"),
    ("velparam.ini in a legacy code page", legacy_text, 2, "velparam.ini", 7,
     "WAIT_FOR_COMPLETION=t\u00e4\u00d6: read as off"),
    ("runtime jar with a directory beyond its end", runtime_jar_directory_beyond_end, 2, "jre.jar",
     None, "not a zip archive"),
    ("runtime jar directory of 64 MiB", huge_runtime_directory(64 * MIB), 2, "jre.jar", None,
     "damaged"),
    ("runtime jar directory over 64 MiB", huge_runtime_directory(64 * MIB + 1), 2, "jre.jar",
     None, "larger than 64 MiB"),
]


@pytest.mark.parametrize("name,change,status,file,line,words", HOSTILE,
                         ids=[case[0] for case in HOSTILE])
def test_a_hostile_medium_is_reported(tmp_path, name, change, status, file, line, words):
    done = subprocess.run([VELCHECK, "--json", str(make(tmp_path, extra=change))],
                          capture_output=True, timeout=60)
    assert done.returncode == status, done.stdout
    # Decoded strictly: the report is valid UTF-8.
    findings = json.loads(done.stdout.decode("utf-8"))["findings"]
    matching = [f for f in findings if f["file"].endswith(file) and words in f["message"]]
    assert matching, findings
    assert matching[0]["line"] == line
