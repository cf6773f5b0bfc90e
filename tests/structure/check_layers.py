#!/usr/bin/env python3
"""Fails when a client library includes a header of a library it may not use.

Each folder under src/ is one library; a library may use the ones it is declared to use here and,
through them, theirs. docs/ARCHITECTURE.md draws the same picture."""
import pathlib
import re
import sys

USES = {
    "layout": [],
    "platform": [],
    "brand": [],
    "service": ["layout", "platform"],
    "view": ["service"],
    "tables": ["view", "service"],
    "print": ["view"],
    "docs": ["service", "platform"],
    "online": ["brand", "service", "platform"],
    "app": ["tables", "print", "docs", "online", "view", "brand", "service", "platform", "layout"],
}


def reachable(library):
    seen, todo = set(), list(USES[library])
    while todo:
        lower = todo.pop()
        if lower not in seen:
            seen.add(lower)
            todo.extend(USES[lower])
    return seen


def main(src):
    owner = {}
    for library in USES:
        for header in (src / library).glob("*.h"):
            owner[header.name] = library
    include = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
    faults = []
    checked = 0
    for library in USES:
        allowed = reachable(library) | {library}
        for source in sorted((src / library).glob("*.[ch]*")):
            checked += 1
            for name in include.findall(source.read_text(encoding="utf-8")):
                other = owner.get(pathlib.PurePath(name).name)
                if other is not None and other not in allowed:
                    faults.append(f"{source.relative_to(src.parent)}: includes {name} of {other}, "
                                  f"which {library} may not use")
    unknown = sorted(p.name for p in src.iterdir() if p.is_dir() and p.name not in USES)
    if unknown:
        faults.append("libraries without a place in the layers: " + ", ".join(unknown))
    if checked == 0:
        faults.append(f"no sources found under {src}")
    for fault in faults:
        print(fault)
    print(f"{checked} files checked, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(pathlib.Path(sys.argv[1])))
