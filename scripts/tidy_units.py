#!/usr/bin/env python3
"""Writes one translation unit per build target for clang-tidy.

Each unit includes the target's sources and is compiled with the target's
command, written to OUT_DIR/compile_commands.json; clang-tidy then parses a
target's headers (Qt's, Boost's) once rather than once per source. Prints the
units, the largest first, one per line.

  scripts/tidy_units.py BUILD_DIR OUT_DIR SOURCE...
"""
import json
import os
import re
import sys


def target_of(entry):
    """The CMake target of a compile command: CMakeFiles/<target>.dir/..."""
    output = entry.get("output") or re.search(r"-o (\S+)", entry["command"]).group(1)
    return re.search(r"CMakeFiles/([^/]+)\.dir/", output).group(1)


def main():
    build, out, sources = sys.argv[1], sys.argv[2], sys.argv[3:]
    with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as db:
        entries = {os.path.realpath(entry["file"]): entry for entry in json.load(db)}
    # A unity build compiles CMake's Unity/unity_N_cxx.cxx, each including
    # sources of its target: each source takes its unit's command.
    for path, entry in list(entries.items()):
        if re.search(r"/Unity/unity_\d+_cxx\.cxx$", path):
            with open(path, encoding="utf-8") as unit:
                for source in re.findall(r'^#include "([^"]+)"', unit.read(), re.MULTILINE):
                    entries[os.path.realpath(source)] = entry

    units = {}
    for source in sources:
        path = os.path.realpath(source)
        if path not in entries:
            sys.exit(f"tidy_units: {source} is not in {build}/compile_commands.json")
        entry = entries[path]
        units.setdefault(target_of(entry), (entry, []))[1].append(path)

    os.makedirs(out, exist_ok=True)
    commands = []
    for target, (entry, paths) in units.items():
        unit = os.path.join(os.path.realpath(out), target + ".cpp")
        text = "".join(f'#include "{path}"\n' for path in paths)
        with open(unit, "w", encoding="utf-8") as file:
            file.write(text)
        command = entry["command"].replace(entry["file"], unit)
        commands.append({"directory": entry["directory"], "command": command, "file": unit, "count": len(paths)})

    commands.sort(key=lambda command: -command.pop("count"))
    with open(os.path.join(out, "compile_commands.json"), "w", encoding="utf-8") as db:
        json.dump(commands, db, indent=1)
    print("\n".join(command["file"] for command in commands))


if __name__ == "__main__":
    main()
