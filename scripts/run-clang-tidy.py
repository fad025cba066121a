#!/usr/bin/env python3
"""Runs clang-tidy over the program's sources (src/) with the build's compile database and fails
on any finding.

    scripts/run-clang-tidy.py BUILD_DIR [JOBS]

Most of clang-tidy's time goes into walking the Qt headers a source includes, once per source.
So the sources of one folder of one library are checked together, as one file that includes them
all, and the headers are walked once per folder. Two sources of a folder may each keep a helper of
the same name to themselves; such a group does not compile as one, and is halved until its parts
do, down to single files. A finding is reported once, at its place in the source.
"""

import concurrent.futures
import json
import os
import re
import shlex
import subprocess
import sys

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
build = os.path.abspath(sys.argv[1])
jobs = int(sys.argv[2]) if len(sys.argv) > 2 else os.cpu_count() or 1
tidy = next((t for t in ("clang-tidy-14", "clang-tidy") if subprocess.run(
    ["sh", "-c", f"command -v {t}"], capture_output=True).returncode == 0), None)
if not tidy:
    sys.exit("clang-tidy is not installed")

src = os.path.join(root, "src") + os.sep
scratch = os.path.join(build, "tidy")
os.makedirs(scratch, exist_ok=True)

# Sources grouped by library and folder; each group keeps one compile command with its file
# and its output taken out.
groups = {}
with open(os.path.join(build, "compile_commands.json")) as database:
    for entry in json.load(database):
        path = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
        if not path.startswith(src) or path.startswith(build + os.sep):
            continue
        args = entry.get("arguments") or shlex.split(entry["command"])
        output = args[args.index("-o") + 1]
        library = output.split("CMakeFiles/")[-1].split(".dir/")[0]
        command, skip = [], False
        for arg in args:
            if skip:
                skip = False
            elif arg == "-o":
                skip = True
            elif arg != "-c" and os.path.normpath(os.path.join(entry["directory"], arg)) != path:
                command.append(arg)
        key = (library, os.path.dirname(path))
        groups.setdefault(key, (entry["directory"], command, []))[2].append(path)

# The group file includes the sources by their full path; it is not itself a finding.
config = ["--config-file=" + os.path.join(root, ".clang-tidy"),
          "--checks=-bugprone-suspicious-include", "--quiet"]
diagnostic = re.compile(r"^(/[^:]+):(\d+):(\d+): (warning|error): (.*)$")


def check(directory, command, files):
    """The findings in `files` checked as one, or None when they do not compile as one."""
    if len(files) == 1:
        main = files[0]
    else:
        name = "_".join(os.path.relpath(files[0], root).split(os.sep)) + f"_{len(files)}.cpp"
        main = os.path.join(scratch, name)
        with open(main, "w") as unit:
            unit.writelines(f'#include "{f}"\n' for f in files)
    run = subprocess.run([tidy, *config, main, "--", *command[1:]], cwd=directory,
                         capture_output=True, text=True)
    findings = [line for line in run.stdout.splitlines() if diagnostic.match(line)]
    if len(files) > 1 and any("[clang-diagnostic-error]" in f for f in findings):
        return None
    return findings


def check_split(directory, command, files):
    findings = check(directory, command, files)
    if findings is not None:
        return findings
    half = len(files) // 2
    return (check_split(directory, command, files[:half])
            + check_split(directory, command, files[half:]))


with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
    # The largest groups first, so a late split does not leave one core idle at the end.
    ordered = sorted(groups.values(), key=lambda g: -len(g[2]))
    results = pool.map(lambda g: check_split(*g), ordered)
    findings = sorted({f for result in results for f in result})

count = sum(len(g[2]) for g in groups.values())
if findings:
    print("\n".join(findings))
    print(f"clang-tidy: {len(findings)} findings in the {count} sources of src/")
    sys.exit(1)
print(f"clang-tidy: no findings in the {count} sources of src/")
