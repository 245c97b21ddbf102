"""The launcher's process code page is UTF-8 (its manifest, and unzip.exe's): paths in
any script reach it, unzip and the installer whole, and a velparam.ini reads right in
UTF-8 and in the legacy code page alike."""

import make_medium

from conftest import Medium, wait_for_file, win_path
from test_launch_sequence import on_pty
from test_staging import STAGING_CATALOGUE, HeldInstaller, only_log

NAME = "张伟"


def test_temp_in_another_script_stages_and_starts_the_installer(tmp_path):
    medium = Medium(tmp_path / "medium")
    medium.add_catalogue("cons.nls", STAGING_CATALOGUE)
    places = medium.add_distribution()
    # As Java's jar tools write it: the UTF-8 flag and no extra field.
    make_medium.write_jar(places[make_medium.INSTALLER_ID] / "names.jar",
                          {f"tav/{NAME}/名前.txt": b"named\n"})
    temp = tmp_path / "users" / NAME / "Temp"
    temp.mkdir(parents=True)
    wide_report = tmp_path / "wide-command.txt"
    held = HeldInstaller(medium)
    env = dict(held.env, VEL_CHILD_TEMP=win_path(temp), VEL_JAVA_WIDE_REPORT=win_path(wide_report))
    code, shown = on_pty(medium, "-silent", env=env)
    try:
        assert code == 259, shown
        scratch_dirs = sorted(temp.glob("VelInstall*"))
        assert len(scratch_dirs) == 1, shown
        scratch = win_path(scratch_dirs[0])
        assert f"BOOTSTRAP {scratch}. WAIT" in shown.replace("\n", "")
        # The launcher does not wait: the installer writes its report in its own time.
        wait_for_file(wide_report)
        command = wide_report.read_text("utf-8")
        assert command.startswith(f'"{scratch}\\jre\\1.6.0\\bin\\java.exe" ')
        assert f' -scratchPath "{scratch}" ' in command
        assert (scratch_dirs[0] / "tav" / NAME / "名前.txt").read_bytes() == b"named\n"
        log = only_log(scratch_dirs[0])
        assert f'-d "{scratch}"' in log
    finally:
        held.release()


def test_a_legacy_velparam_value_reaches_the_installer_as_its_letters(medium):
    medium.add_english_catalogue()
    wide_report = medium.root / "wide-command.txt"
    params = "[Velmor]\nJRE_LOCATION=..\\jre\nINSTALL_CLASS=velmor.Größe.Main\n"
    for encoding in ("cp1252", "utf-8"):
        wide_report.unlink(missing_ok=True)
        (medium.launcher_dir / "velparam.ini").write_bytes(params.encode(encoding))
        code, shown = on_pty(medium, "-silent", env={"VEL_JAVA_WIDE_REPORT": win_path(wide_report)})
        assert code == 0, shown
        assert " velmor.Größe.Main " in wide_report.read_text("utf-8"), encoding
