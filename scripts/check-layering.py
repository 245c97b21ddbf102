#!/usr/bin/env python3
"""Checks that the subsystem folders stack: a folder includes headers of its own
folder and of the folders below it, never of one above.

From the bottom: platform, messages, params, prereq, staging, javart, launcher.
Tests beside the code obey the same rule; tools/, tests/ and fuzz/ stand outside.
Prints each include that points up and exits with 1 when there is one."""
import pathlib
import re
import sys

LAYERS = ["platform", "messages", "params", "prereq", "staging", "javart", "launcher"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^/"]+)/[^"]+"', re.MULTILINE)


def main() -> int:
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    faults = []
    for level, folder in enumerate(LAYERS):
        for path in sorted((root / folder).glob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            for match in INCLUDE.finditer(path.read_text(encoding="utf-8")):
                target = match.group(1)
                if target in LAYERS and LAYERS.index(target) > level:
                    faults.append(f"{path.relative_to(root)}: includes {target}/, a layer above")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
