#!/usr/bin/env python3
"""Builds installation media and test jars for setup.exe.

A distribution medium holds each component of the installer as deflated jar archives
in stage\\Components\\<id>\\<version>\\1\\DataFiles, which setup.exe expands with the
unzip.exe beside it; an installed layout holds plain directories. The Java runtime of
every medium built here is the project's Java stand-in (java.exe and javaw.exe), which
shows the command line it was started with.

    make_medium.py sample OUT --build BUILD_DIR [--layout distribution|installed]
    make_medium.py test-jars OUT

The jars are reproducible: fixed entry times and attributes, entries in a fixed order.
Non-ASCII entry names are flagged as UTF-8 and carry no extra field, as Java's jar
tools write them.
"""

import argparse
import io
import pathlib
import shutil
import sys
import zipfile

SOURCE_DIR = pathlib.Path(__file__).resolve().parent.parent
ENTRY_TIME = (2010, 11, 5, 21, 41, 6)
MANIFEST = b"Manifest-Version: 1.0\r\nCreated-By: make_medium.py\r\n\r\n"

RUNTIME_ID = "velmor.swd.jre"
INSTALLER_ID = "velmor.swd.tav"
CORE_ID = "velmor.swd.tav.core"
PATCH_TOOL_ID = "velmor.swd.patchel"

# The jars the installer's class path names, by the component that brings them.
CORE_JARS = ["VelInstaller.jar", "quickinst.jar", "xmlparse2.jar", "common.jar",
             "VelInstallerNet.jar", "mgrCfg.jar", "mgrutil.jar", "VelPrereq.jar", "sshlib.jar",
             "sshcore.jar", "remoteapi.jar", "httpcli.jar", "VelCheckPoint.jar"]
INSTALLER_JARS = ["SetupImages.jar", "SetupHelp.jar", "SetupHelp_de.jar", "SetupHelp_es.jar",
                  "SetupHelp_fr.jar", "SetupHelp_it.jar", "SetupHelp_ja.jar", "SetupHelp_ko.jar",
                  "SetupHelp_pt_BR.jar", "SetupHelp_zh_CN.jar", "SetupHelp_zh_TW.jar",
                  "velmor_hv.jar", "helpkit.jar", "helpkit-nls.jar", "kwt3.jar",
                  "kwt3-uiaccess.jar", "kwt3-nls.jar", "uiaccess.jar", "jkwt4.jar",
                  "jkwt4-nls.jar", "veli18n-collation.jar", "veli18n-mapping.jar", "vjmisc.jar",
                  "xmlkit.jar", "svcm.jar", "svcmasm.jar"]
PATCH_TOOL_JARS = ["patchel.jar", "patchelactions.jar", "patchelprereq.jar",
                   "patchelutil.jar"]


def jar_bytes(entries):
    """A jar (a deflated zip with a manifest first) holding `entries`: name -> bytes."""
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w", zipfile.ZIP_DEFLATED) as jar:
        for name, data in [("META-INF/MANIFEST.MF", MANIFEST), *entries.items()]:
            info = zipfile.ZipInfo(name, date_time=ENTRY_TIME)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            jar.writestr(info, data)
    return buffer.getvalue()


def write_jar(path, entries):
    path = pathlib.Path(path)
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(jar_bytes(entries))
    return path


def library_jar(name):
    """A small library jar standing in for one of the installer's own."""
    return jar_bytes({f"velmor/{name[:-4].replace('-', '_')}/Info.txt": f"{name}\n".encode()})


def data_files(stage, component_id, version):
    return pathlib.Path(stage) / "Components" / component_id / version / "1" / "DataFiles"


def write_components(stage, stand_in, tav_version, jre_version, jre_dir_name=None):
    """Writes the four known components' jars under `stage` (the medium's stage directory).

    The runtime's archive puts it in jre\\<jre_dir_name>, the installer and its core in
    tav, the patch tool in Patchel, as they land in the scratch directory. Returns the
    DataFiles directories by component id.
    """
    stand_in_bytes = pathlib.Path(stand_in).read_bytes()
    runtime = f"jre/{jre_dir_name or jre_version}"
    places = {}
    places[RUNTIME_ID] = data_files(stage, RUNTIME_ID, jre_version)
    write_jar(places[RUNTIME_ID] / "jre.jar", {
        f"{runtime}/bin/java.exe": stand_in_bytes,
        f"{runtime}/bin/javaw.exe": stand_in_bytes,
        f"{runtime}/lib/rt.jar": library_jar("rt.jar"),
    })
    places[INSTALLER_ID] = data_files(stage, INSTALLER_ID, tav_version)
    write_jar(places[INSTALLER_ID] / "filegroup1.jar",
              {f"tav/jlib/{jar}": library_jar(jar) for jar in INSTALLER_JARS})
    places[CORE_ID] = data_files(stage, CORE_ID, tav_version)
    write_jar(places[CORE_ID] / "filegroup1.jar",
              {f"tav/jlib/{jar}": library_jar(jar) for jar in CORE_JARS})
    places[PATCH_TOOL_ID] = data_files(stage, PATCH_TOOL_ID, tav_version)
    write_jar(places[PATCH_TOOL_ID] / "filegroup1.jar",
              {f"Patchel/jlib/{jar}": library_jar(jar) for jar in PATCH_TOOL_JARS})
    return places


def add_launcher(disk1, build_dir):
    """setup.exe, its catalogues, and unzip.exe with its licence, from a Windows build."""
    build_dir = pathlib.Path(build_dir)
    disk1.mkdir(parents=True, exist_ok=True)
    shutil.copy2(build_dir / "setup.exe", disk1 / "setup.exe")
    shutil.copytree(build_dir / "resource", disk1 / "resource", dirs_exist_ok=True)
    for name in ("unzip.exe", "LICENSE-unzip.txt", "unzip-ALTERED.txt"):
        shutil.copy2(build_dir / "unzip" / name, disk1 / name)


def read_param(path, key):
    for line in pathlib.Path(path).read_text().splitlines():
        name, _, value = line.partition("=")
        if name.strip().upper() == key:
            return value.strip()
    return ""


def build_sample(out, build_dir, layout):
    out = pathlib.Path(out)
    if out.exists():
        shutil.rmtree(out)
    shutil.copytree(SOURCE_DIR / "sample" / layout, out)
    add_launcher(out / "disk1", build_dir)
    stand_in = pathlib.Path(build_dir) / "test-support" / "java_stand_in.exe"
    if layout == "distribution":
        params = out / "disk1" / "velparam.ini"
        write_components(out / "stage", stand_in, read_param(params, "TAV_VERSION"),
                         read_param(params, "JRE_VERSION"))
    else:
        (out / "jre" / "bin").mkdir(parents=True)
        for name in ("java.exe", "javaw.exe"):
            shutil.copy2(stand_in, out / "jre" / "bin" / name)


def build_test_jars(out):
    """Jars for the Windows tests: two jars in 'two', a jar with a non-ASCII name in
    'named', a directory without jars, and a damaged jar in 'damaged'."""
    out = pathlib.Path(out)
    if out.exists():
        shutil.rmtree(out)
    write_jar(out / "two" / "a.jar", {"a/one.txt": b"one\n", "shared.txt": b"from a\n"})
    write_jar(out / "two" / "b.jar", {"b/deep/two.txt": b"two\n" * 1000, "shared.txt": b"b\n"})
    write_jar(out / "named" / "n.jar", {"n/Gr\u00fc\u00dfe.txt": b"hallo\n"})
    (out / "no jars").mkdir(parents=True)
    (out / "no jars" / "readme.txt").write_text("not an archive\n")
    damaged = bytearray(jar_bytes({"d/file.txt": b"data" * 500}))
    damaged[60:90] = b"\xff" * 30  # inside the first entry's compressed data
    (out / "damaged").mkdir(parents=True)
    (out / "damaged" / "d.jar").write_bytes(bytes(damaged))
    (out / "stamp").write_text("")


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    commands = parser.add_subparsers(dest="command", required=True)
    sample = commands.add_parser("sample", help="the sample medium, ready to run")
    sample.add_argument("out")
    sample.add_argument("--build", required=True, help="the Windows build directory")
    sample.add_argument("--layout", choices=["distribution", "installed"],
                        default="distribution")
    jars = commands.add_parser("test-jars", help="jars for the Windows tests")
    jars.add_argument("out")
    args = parser.parse_args(argv)
    if args.command == "sample":
        build_sample(args.out, args.build, args.layout)
    else:
        build_test_jars(args.out)


if __name__ == "__main__":
    main(sys.argv[1:])
