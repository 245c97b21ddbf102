"""velcheck on media with one mistake each: the finding it reports and its exit status.

Media are built with tools/make_medium.py, as the sample medium is. VELCHECK names the
native velcheck build (the CTest test sets it)."""

import json
import os
import pathlib
import shutil
import subprocess
import sys

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


def test_a_sound_medium_passes(tmp_path):
    assert run(make(tmp_path)) == (0, "")


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


# One mistake each: (name, medium arguments, exit status, severity, key, words of the message).
CASES = [
    ("lower-case flag", dict(params=GOOD_PARAMS + "WAIT_FOR_COMPLETION=true\n"), 2, "error",
     "WAIT_FOR_COMPLETION", "only a value beginning with an upper-case T turns it on"),
    ("switch not exactly TRUE", dict(params=GOOD_PARAMS + "USEJREONLY=True\n"), 2, "error",
     "USEJREONLY", "only exactly TRUE turns it on"),
    ("size out of range", dict(params=GOOD_PARAMS + "BOOTSTRAP_SIZE=5000\n"), 2, "error",
     "BOOTSTRAP_SIZE", "stages nothing"),
    ("size not a number", dict(params=GOOD_PARAMS + "BOOTSTRAP_SIZE=big\n"), 2, "error",
     "BOOTSTRAP_SIZE", "not a number"),
    ("blank in the component list",
     dict(params=GOOD_PARAMS + f"BOOTSTRAP_COMPS=velmor.swd.tav:{TAV_VERSION}, "
          f"velmor.swd.tav.core:{TAV_VERSION}\n"), 2, "error", "BOOTSTRAP_COMPS", "blank"),
    ("component id in the wrong case",
     dict(params=GOOD_PARAMS + f"BOOTSTRAP_COMPS=Velmor.swd.tav:{TAV_VERSION}\n"), 2, "error",
     "BOOTSTRAP_COMPS", "ids compare exactly"),
    ("unknown key", dict(params=GOOD_PARAMS + "WAIT_FOR_COMPLETON=T\n"), 1, "warning",
     "WAIT_FOR_COMPLETON", "does not read this key"),
    ("key given twice", dict(params=GOOD_PARAMS + "TAV_VERSION=1.0\n"), 1, "warning",
     "TAV_VERSION", "reads only the first"),
    ("no velparam.ini", dict(params=None), 2, "error", None, "ends with -2"),
    ("no unzip.exe", dict(unzip=False), 2, "error", None, "no unzip.exe"),
    ("component without jars", dict(extra=empty_installer), 2, "error", "velmor.swd.tav",
     "no jar archives"),
    ("runtime without java.exe", dict(extra=remove_runtime_java), 2, "error", "velmor.swd.jre",
     "bin\\java.exe"),
    ("no cons.nls", dict(base_catalogue=False), 2, "error", None, "no cons.nls"),
    ("certified list with a blank",
     dict(params=GOOD_PARAMS + "[Certified Versions]\nWindows=6.1, 5.1\n"), 1, "warning",
     "Windows", "never matches"),
    ("unknown prerequisite", dict(params=GOOD_PARAMS + "[Generic Prereqs]\nRAM=512\n"), 1,
     "warning", "RAM", "do not read this key"),
    ("installed layout without its installer",
     dict(params="[Velmor]\nTAV_LOCATION=missing\n"), 2, "error", "TAV_LOCATION",
     "not a directory"),
]


@pytest.mark.parametrize("name,arguments,status,severity,key,words", CASES,
                         ids=[case[0] for case in CASES])
def test_each_mistake_is_found(tmp_path, name, arguments, status, severity, key, words):
    code, output = run(make(tmp_path, **arguments), "--json")
    assert code == status, output
    report = json.loads(output)
    matching = [f for f in report["findings"]
                if f["severity"] == severity and f["key"] == key and words in f["message"]]
    assert matching, report


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
    assert output.startswith(str(tmp_path / "disk1" / "velparam.ini") + ":7: error: "
                             "WAIT_FOR_COMPLETION: WAIT_FOR_COMPLETION=true: read as off")


def test_a_directory_that_is_not_there_cannot_be_checked(tmp_path):
    assert run(tmp_path / "nowhere")[0] == 3
