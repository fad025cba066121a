#!/usr/bin/env python3
"""Runs clang-tidy over the program's sources (src/) with the build's compile database and fails
on any finding.

    scripts/run-clang-tidy.py BUILD_DIR [JOBS]

Most of clang-tidy's time goes into walking the Qt headers a source includes, once per source.
So the sources of one library are checked together, as a few files that each include many of
them, and the headers are walked a few times per library instead of once per source. Two sources
may each keep a helper of the same name to themselves, and then do not compile as one: the
compiler, asked once per library (syntax only, which costs a fraction of a check), names such
pairs, and the sources are shared out so that no two of a pair meet. A group that still does not
compile as one is halved until its parts do, down to single files. A finding is reported once, at
its place in the source.
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
        groups.setdefault(library, (entry["directory"], command, []))[2].append(path)

# The group file includes the sources by their full path; it is not itself a finding.
config = ["--config-file=" + os.path.join(root, ".clang-tidy"),
          "--checks=-bugprone-suspicious-include", "--quiet"]
diagnostic = re.compile(r"^(/[^:]+):(\d+):(\d+): (warning|error): (.*)$")


def unit_of(files):
    """A source that includes `files`, or the one file itself."""
    if len(files) == 1:
        return files[0]
    name = "_".join(os.path.relpath(files[0], root).split(os.sep)) + f"_{len(files)}.cpp"
    main = os.path.join(scratch, name)
    with open(main, "w") as unit:
        unit.writelines(f'#include "{f}"\n' for f in files)
    return main


located = re.compile(r"^(/[^:]+):\d+:\d+: (error|note): ")


def share_out(directory, command, files):
    """`files` in groups that each compile as one, as far as one syntax check tells: every error
    and the notes after it name the sources that clash, and no two of those share a group."""
    if len(files) == 1:
        return [files]
    run = subprocess.run([command[0], *command[1:], "-fsyntax-only", "-ferror-limit=0", "-w",
                          unit_of(files)], cwd=directory, capture_output=True, text=True)
    if run.returncode == 0:
        return [files]
    known = set(files)
    apart = {f: set() for f in files}
    alone = set()
    error = None
    for line in run.stderr.splitlines():
        match = located.match(line)
        if not match:
            continue
        place, kind = os.path.normpath(match.group(1)), match.group(2)
        if kind == "error":
            error = place if place in known else None
            if error is None:
                continue
            alone.add(error)
        elif error is not None and place in known and place != error:
            apart[error].add(place)
            apart[place].add(error)
            alone.discard(error)
    shared = [[f] for f in sorted(alone)]
    for f in files:
        if f in alone:
            continue
        home = next((g for g in shared if g[0] not in alone and not apart[f] & set(g)), None)
        if home is None:
            shared.append([f])
        else:
            home.append(f)
    if shared == [files]:
        return shared
    # Clashes hidden behind the first ones show once those are apart.
    return [part for group in shared for part in share_out(directory, command, group)]


def check(directory, command, files):
    """The findings in `files` checked as one, or None when they do not compile as one."""
    run = subprocess.run([tidy, *config, unit_of(files), "--", *command[1:]], cwd=directory,
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
    parts = [(directory, command, part) for directory, command, files in groups.values()
             for part in share_out(directory, command, files)]
    # The largest groups first, so a late split does not leave one core idle at the end.
    ordered = sorted(parts, key=lambda g: -len(g[2]))
    results = pool.map(lambda g: check_split(*g), ordered)
    findings = sorted({f for result in results for f in result})

count = sum(len(g[2]) for g in groups.values())
if findings:
    print("\n".join(findings))
    print(f"clang-tidy: {len(findings)} findings in the {count} sources of src/")
    sys.exit(1)
print(f"clang-tidy: no findings in the {count} sources of src/")
