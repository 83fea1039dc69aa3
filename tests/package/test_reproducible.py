"""A part of the package's program, built twice from two build folders, is the same file byte
for byte and holds the path of neither folder nor of the sources.

Configures the build as `make package` does, in Release with Debian's hardening flags for /usr,
in WORK/first and WORK/second-folder, and builds TARGET in both; folders of an earlier run are
built on. `make test` checks the formula library, which takes seconds; with --target motoreckon
--artifact src/app/motoreckon it checks the whole program, which takes minutes. With --package
it compares the .debs that `make package` makes in two fresh clones of SOURCE's last commit.

Usage: /usr/bin/python3 test_reproducible.py --cmake CMAKE --source SOURCE --work WORK
           --target TARGET --artifact PATH   (the target's file, relative to its build folder)
       /usr/bin/python3 test_reproducible.py --source SOURCE --work WORK --package
"""

import argparse
import glob
import os
import subprocess
import sys

CONFIGURATION = ["-DCMAKE_BUILD_TYPE=Release", "-DBUILD_TESTING=OFF",
                 "-DCMAKE_INSTALL_PREFIX=/usr", "-DMOTORECKON_DEBIAN_FLAGS=ON"]


def holds_path(binary, path):
    """Whether the file holds path, or anything inside it, in 8-bit or UTF-16 text."""
    with open(binary, "rb") as built:
        data = built.read()
    return any(path.encode(encoding) in data for encoding in ("utf-8", "utf-16-le"))


def build(args, folder):
    """Builds the target, or `make package` in a fresh clone, in folder; gives its file or None."""
    # A build of its own, not a part of the make that may run the tests.
    environment = {k: v for k, v in os.environ.items()
                   if k not in ("MAKEFLAGS", "MFLAGS", "MAKELEVEL")}
    commands = ([args.cmake, "-S", args.source, "-B", folder] + CONFIGURATION,
                [args.cmake, "--build", folder, "-j2", "--target", args.target])
    if args.package:
        commands = (["rm", "-rf", folder], ["git", "clone", "--quiet", args.source, folder],
                    ["make", "-C", folder, "package"])
    for command in commands:
        result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                text=True, env=environment)
        if result.returncode != 0:
            print(f"FAILED: {' '.join(command)}\n{result.stdout}", file=sys.stderr)
            return None
    if args.package:
        return glob.glob(os.path.join(folder, "build-package", "motoreckon_*.deb"))[0]
    return os.path.join(folder, args.artifact)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for option in ("cmake", "source", "work", "target", "artifact"):
        parser.add_argument("--" + option, required=option in ("source", "work"))
    parser.add_argument("--package", action="store_true")
    args = parser.parse_args()

    work = os.path.abspath(args.work)
    folders = [os.path.join(work, "first"), os.path.join(work, "second-folder")]
    built = [build(args, folder) for folder in folders]
    if None in built:
        return 1
    problems = []
    with open(built[0], "rb") as first, open(built[1], "rb") as second:
        if first.read() != second.read():
            problems.append(f"{built[0]} and {built[1]} differ")
    for artifact in built:
        for path in [args.source] + folders:
            if holds_path(artifact, path):
                problems.append(f"{artifact} holds the path {path}")
    if problems:
        print("FAILED:\n  " + "\n  ".join(problems), file=sys.stderr)
        return 1
    print(f"ok: {built[0]} and {built[1]} are the same, with no path of this machine")
    return 0


if __name__ == "__main__":
    sys.exit(main())
