"""The Debian package of a build, installed into a scratch root, holds everything where the
program and the desktop look for it.

Makes the .deb with cpack from the build's own CPack configuration, unpacks it with `dpkg -x`
and checks:
- every file lies under the prefix the program was built for;
- the program's help collection is at the path compiled into the packaged program, and the help
  book it registers is beside it; the help viewer it starts comes from a package it depends on;
- the package depends on the Qt runtime;
- the desktop entry, the icon and the AppStream metainfo are named by the program's id, point at
  one another and at the program, and pass desktop-file-validate and appstreamcli validate.

Usage: /usr/bin/python3 test_deb_package.py --cpack CPACK --config CPackConfig.cmake
           --prefix PREFIX --bindir BINDIR --datadir DATADIR --app-id ID
           --definitions 'NAME="value";...'   (the compile definitions of the program's windows)
"""

import argparse
import configparser
import os
import re
import shutil
import sqlite3
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

QT_RUNTIME = "libqt6widgets6"


def run(command, **kwargs):
    """Runs a command; its output is shown only when it fails."""
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                            **kwargs)
    return result.returncode, result.stdout


def definitions(text):
    """NAME="value" compile definitions, as a dictionary of unquoted values."""
    found = {}
    for item in text.split(";"):
        name, _, value = item.partition("=")
        if len(value) >= 2 and value[0] == value[-1] == '"':
            value = value[1:-1]
        found[name] = value
    return found


def package_names(depends):
    """The package names a Depends field mentions, alternatives included."""
    names = set()
    for clause in depends.split(","):
        for alternative in clause.split("|"):
            name = re.sub(r"\(.*?\)|:\S+", "", alternative).strip()
            if name:
                names.add(name)
    return names


def compiled_in(binary, text):
    """Whether the program holds text as a C string or as a UTF-16 string literal."""
    with open(binary, "rb") as program:
        data = program.read()
    return (text.encode() + b"\0") in data or (text.encode("utf-16-le") + b"\0\0") in data


class Checks:
    def __init__(self, root):
        self.root = root
        self.problems = []

    def inside(self, path):
        return os.path.join(self.root, path.lstrip("/"))

    def require(self, condition, problem):
        if not condition:
            self.problems.append(problem)
        return condition


def check_layout(checks, prefix):
    for directory, _, files in os.walk(checks.root):
        for name in files:
            path = "/" + os.path.relpath(os.path.join(directory, name), checks.root)
            checks.require(path.startswith(prefix.rstrip("/") + "/"),
                           f"{path} lies outside the prefix {prefix}")


def check_program_and_help(checks, args, defined, depends):
    program = os.path.join(args.bindir, "motoreckon")
    if not checks.require(os.access(checks.inside(program), os.X_OK),
                          f"no program at {program}"):
        return

    help_file = defined.get("MOTORECKON_HELP_INSTALL_FILE")
    if checks.require(help_file, "the build defines no MOTORECKON_HELP_INSTALL_FILE"):
        checks.require(compiled_in(checks.inside(program), help_file),
                       f"the packaged program does not hold the help path {help_file}")
        if checks.require(os.path.isfile(checks.inside(help_file)),
                          f"no help collection at {help_file}, where the program looks"):
            check_help_book(checks, help_file)

    assistant = defined.get("MOTORECKON_ASSISTANT")
    if checks.require(assistant, "the build defines no MOTORECKON_ASSISTANT"):
        checks.require(compiled_in(checks.inside(program), assistant),
                       f"the packaged program does not hold the help viewer's path {assistant}")
        status, owner = run(["dpkg-query", "--search", assistant])
        viewer_package = owner.split(":")[0].strip() if status == 0 else None
        if checks.require(viewer_package, f"no installed package provides {assistant}"):
            checks.require(viewer_package in depends,
                           f"{assistant} comes from {viewer_package}, which is not a dependency")


def check_help_book(checks, help_file):
    """The collection names each help book by a path relative to itself."""
    connection = sqlite3.connect(f"file:{checks.inside(help_file)}?mode=ro", uri=True)
    try:
        books = [row[0] for row in connection.execute("SELECT FilePath FROM NamespaceTable")]
    finally:
        connection.close()
    checks.require(books, f"{help_file} registers no help book")
    for book in books:
        path = os.path.normpath(os.path.join(os.path.dirname(help_file), book))
        checks.require(os.path.isfile(checks.inside(path)),
                       f"{help_file} registers {book}, but {path} is not in the package")


def check_desktop_entry(checks, args):
    entry = os.path.join(args.datadir, "applications", args.app_id + ".desktop")
    if not checks.require(os.path.isfile(checks.inside(entry)), f"no desktop entry {entry}"):
        return
    status, output = run(["desktop-file-validate", checks.inside(entry)])
    checks.require(status == 0 and not output.strip(),
                   f"desktop-file-validate {entry}:\n{output}")

    parser = configparser.ConfigParser(interpolation=None)
    parser.optionxform = str
    parser.read(checks.inside(entry), encoding="utf-8")
    fields = parser["Desktop Entry"]
    command = fields.get("Exec", "").split()
    checks.require(command and os.access(checks.inside(os.path.join(args.bindir, command[0])),
                                         os.X_OK),
                   f"{entry} starts {command}, which is not in {args.bindir}")
    icon = fields.get("Icon", "")
    checks.require(icon == args.app_id, f"{entry} names the icon {icon!r}, not {args.app_id!r}")
    svg = os.path.join(args.datadir, "icons", "hicolor", "scalable", "apps", icon + ".svg")
    if checks.require(os.path.isfile(checks.inside(svg)), f"no icon {svg} in the hicolor theme"):
        try:
            tag = ElementTree.parse(checks.inside(svg)).getroot().tag
        except ElementTree.ParseError as error:
            tag = f"unreadable: {error}"
        checks.require(tag == "{http://www.w3.org/2000/svg}svg", f"{svg} is not SVG ({tag})")


def check_metainfo(checks, args):
    metainfo = os.path.join(args.datadir, "metainfo", args.app_id + ".metainfo.xml")
    if not checks.require(os.path.isfile(checks.inside(metainfo)), f"no metainfo {metainfo}"):
        return
    status, output = run(["appstreamcli", "validate", "--no-net", "--no-color",
                          checks.inside(metainfo)])
    checks.require(status == 0, f"appstreamcli validate {metainfo}:\n{output}")

    component = ElementTree.parse(checks.inside(metainfo)).getroot()
    checks.require(component.findtext("id") == args.app_id,
                   f"{metainfo} has the id {component.findtext('id')!r}")
    launchable = component.find("launchable[@type='desktop-id']")
    checks.require(launchable is not None and launchable.text == args.app_id + ".desktop",
                   f"{metainfo} launches {None if launchable is None else launchable.text!r}")
    binaries = [b.text for b in component.iterfind("provides/binary")]
    checks.require(binaries == ["motoreckon"], f"{metainfo} provides the binaries {binaries}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for option in ("cpack", "config", "prefix", "bindir", "datadir", "app-id", "definitions"):
        parser.add_argument("--" + option, required=True)
    args = parser.parse_args()

    scratch = tempfile.mkdtemp(prefix="motoreckon-deb-")
    try:
        status, output = run([args.cpack, "--config", args.config, "-G", "DEB",
                              "-B", os.path.join(scratch, "out")], timeout=900)
        if status != 0:
            print(f"FAILED: cpack:\n{output}", file=sys.stderr)
            return 1
        packages = [os.path.join(scratch, "out", name)
                    for name in os.listdir(os.path.join(scratch, "out")) if name.endswith(".deb")]
        if len(packages) != 1:
            print(f"FAILED: cpack made {len(packages)} .deb files:\n{output}", file=sys.stderr)
            return 1
        deb = packages[0]
        status, depends = run(["dpkg-deb", "--field", deb, "Depends"])
        root = os.path.join(scratch, "root")
        status_x, output_x = run(["dpkg", "-x", deb, root])
        if status != 0 or status_x != 0:
            print(f"FAILED: dpkg could not read {deb}:\n{depends}\n{output_x}", file=sys.stderr)
            return 1

        checks = Checks(root)
        depended = package_names(depends)
        checks.require(QT_RUNTIME in depended, f"Depends names no {QT_RUNTIME}: {depends.strip()}")
        check_layout(checks, args.prefix)
        check_program_and_help(checks, args, definitions(args.definitions), depended)
        check_desktop_entry(checks, args)
        check_metainfo(checks, args)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)

    if checks.problems:
        print("FAILED: " + os.path.basename(deb), file=sys.stderr)
        for problem in checks.problems:
            print("  " + problem, file=sys.stderr)
        return 1
    print(f"ok: {os.path.basename(deb)}, depending on {depends.strip()}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
