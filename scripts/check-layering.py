#!/usr/bin/env python3
"""Checks that the subsystem folders stack: every #include in a folder names a file of
that folder or of one it may use, never one above it or beside it.

The folders and what each may include (ALLOWED): platform at the bottom, then messages,
then params; prereq, staging and javart side by side on those; launcher on top. Every
file below a folder is checked, in nested folders too, whatever its extension. An
include is resolved as the compiler resolves it: a quoted one against the including
file's own folder first, then (quoted or in angle brackets) against the source root, the
one include directory. One that names no file of the tree is a system header. One that
names a file of a folder missing from the table fails, like one that points up.
Tests beside the code (*_test.cpp) may also include tests/support. tools/, tests/,
fuzz/ and bench/ stand outside and are not checked.

The build holds the same shape for calls (one library per folder, linked only with the
folders below it); this check covers what a call does not show, such as a header's
inline code or a constant.

Prints each fault and exits with 1 when there is one. With --self-test, plants each kind
of fault in a scratch tree and checks that every one is caught."""
import pathlib
import re
import sys
import tempfile

ALLOWED = {
    "platform": {"platform"},
    "messages": {"messages", "platform"},
    "params": {"params", "messages", "platform"},
    "prereq": {"prereq", "params", "messages", "platform"},
    "staging": {"staging", "params", "messages", "platform"},
    "javart": {"javart", "params", "messages", "platform"},
    "launcher": {"launcher", "javart", "staging", "prereq", "params", "messages", "platform"},
}
TEST_SUPPORT = ("tests", "support")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)


def resolve(root, including, delimiter, name):
    """The file of the tree that the include names, relative to root, or None."""
    bases = [including.parent, root] if delimiter == '"' else [root]
    for base in bases:
        candidate = (base / name).resolve()
        if candidate.is_file():
            try:
                return candidate.relative_to(root)
            except ValueError:
                return None  # outside the tree: not ours
    return None


def faults_in(root):
    root = root.resolve()
    faults = []
    for folder, allowed in ALLOWED.items():
        for path in sorted((root / folder).rglob("*")):
            if not path.is_file():
                continue
            try:
                text = path.read_text(encoding="utf-8")
            except (UnicodeDecodeError, OSError):
                continue
            for match in INCLUDE.finditer(text):
                target = resolve(root, path, match.group(1), match.group(2))
                if target is None:
                    continue
                top = target.parts[0]
                if top in allowed:
                    continue
                if path.name.endswith("_test.cpp") and target.parts[:2] == TEST_SUPPORT:
                    continue
                what = "a folder the layering does not know" if top not in ALLOWED else \
                    f"{top}/, which {folder}/ may not use"
                faults.append(f"{path.relative_to(root)}: includes {target.as_posix()}, in {what}")
    return faults


def self_test():
    """Each planted include must be caught; the clean tree must pass."""
    plants = {
        "angle brackets": ("platform/a.cpp", "#include <launcher/top.h>\n"),
        "relative path": ("messages/a.cpp", '#include "../launcher/top.h"\n'),
        "nested folder": ("params/deep/a.cpp", '#include "launcher/top.h"\n'),
        "other extension": ("messages/a.inc", '#include "launcher/top.h"\n'),
        "included .inc file": ("platform/b.cpp", '#include "launcher/table.inc"\n'),
        "sideways": ("staging/a.cpp", '#include "javart/side.h"\n'),
        "unknown folder": ("launcher/a.cpp", '#include "extra/x.h"\n'),
        "spaced directive": ("prereq/a.h", '  #  include   "staging/s.h"\n'),
    }
    failed = []
    with tempfile.TemporaryDirectory() as scratch:
        root = pathlib.Path(scratch)
        for name in ("launcher/top.h", "launcher/table.inc", "javart/side.h", "extra/x.h",
                     "staging/s.h", "platform/ok.h", "messages/fine.cpp"):
            (root / name).parent.mkdir(parents=True, exist_ok=True)
            (root / name).write_text("")
        (root / "messages/fine.cpp").write_text('#include "platform/ok.h"\n#include <vector>\n')
        if faults_in(root):
            failed.append(f"clean tree: {faults_in(root)}")
        for kind, (name, text) in plants.items():
            path = root / name
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(text)
            if not any(f.startswith(name) for f in faults_in(root)):
                failed.append(f"not caught: {kind} ({name})")
            path.unlink()
    for failure in failed:
        print(failure)
    print(f"{len(plants) - len(failed)} passed, {len(failed)} failed")
    return 1 if failed else 0


def main():
    if sys.argv[1:] == ["--self-test"]:
        return self_test()
    faults = faults_in(pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "."))
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
