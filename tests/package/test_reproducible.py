"""The package's program, built twice from two build folders, is the same file byte for byte
and holds the path of neither folder nor of the sources.

Configures and builds the program as `make package` does, in Release with Debian's hardening
flags for /usr, in WORK/first and WORK/second-folder; folders of an earlier run are built on.

Usage: /usr/bin/python3 test_reproducible.py --cmake CMAKE --source SOURCE --work WORK
"""

import argparse
import os
import subprocess
import sys

CONFIGURATION = ["-DCMAKE_BUILD_TYPE=Release", "-DBUILD_TESTING=OFF",
                 "-DCMAKE_INSTALL_PREFIX=/usr", "-DMOTORECKON_DEBIAN_FLAGS=ON"]


def holds_path(binary, path):
    """Whether the program holds path, or anything inside it, in 8-bit or UTF-16 text."""
    with open(binary, "rb") as program:
        data = program.read()
    return any(path.encode(encoding) in data for encoding in ("utf-8", "utf-16-le"))


def build(cmake, source, folder):
    """Builds the program in folder and gives its path, or None when the build fails."""
    # A build of its own, not a part of the make that may run the tests.
    environment = {k: v for k, v in os.environ.items()
                   if k not in ("MAKEFLAGS", "MFLAGS", "MAKELEVEL")}
    for command in ([cmake, "-S", source, "-B", folder] + CONFIGURATION,
                    [cmake, "--build", folder, "-j2", "--target", "motoreckon"]):
        result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                text=True, env=environment)
        if result.returncode != 0:
            print(f"FAILED: {' '.join(command)}\n{result.stdout}", file=sys.stderr)
            return None
    return os.path.join(folder, "src", "motoreckon")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cmake", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()

    folders = [os.path.join(args.work, "first"), os.path.join(args.work, "second-folder")]
    programs = [build(args.cmake, args.source, folder) for folder in folders]
    if None in programs:
        return 1
    problems = []
    with open(programs[0], "rb") as first, open(programs[1], "rb") as second:
        if first.read() != second.read():
            problems.append(f"{programs[0]} and {programs[1]} differ")
    for program in programs:
        for path in [args.source] + folders:
            if holds_path(program, path):
                problems.append(f"{program} holds the path {path}")
    if problems:
        print("FAILED:\n  " + "\n  ".join(problems), file=sys.stderr)
        return 1
    print(f"ok: {programs[0]} and {programs[1]} are the same, with no path of this machine")
    return 0


if __name__ == "__main__":
    sys.exit(main())
