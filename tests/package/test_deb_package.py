"""The Debian package of a build, installed into a scratch root, holds everything where the
program and the desktop look for it, and is one a distribution can ship.

Makes the .deb with cpack from the build's own CPack configuration, unpacks it with `dpkg -x`
and checks:
- lintian reports no error and no warning;
- every file lies under the prefix the program was built for;
- the packaged program holds one help path, the one where the package puts the help collection,
  and the help book the collection registers is beside it (that a build made as the package's
  holds no path of the machine it was built on is test_reproducible.py's: this build is
  sanitized, and the sanitizers keep the source paths for their reports);
- the package depends on the Qt runtime, and each package it depends on is either the owner of a
  library the program links or needed for a reason stated in NEEDS: on a minimal install of
  what Depends names (each package with what it depends on), the reason holds, and without that
  package it does not. Qt's help engine opens the packaged collection and draws its diagram with
  the Qt plugins of those packages alone, as Qt Assistant does;
- the desktop entry, the icon and the AppStream metainfo are named by the program's id, point at
  one another and at the program, and pass desktop-file-validate and appstreamcli validate.

Usage: /usr/bin/python3 test_deb_package.py --cpack CPACK --config CPackConfig.cmake
           --prefix PREFIX --bindir BINDIR --datadir DATADIR --app-id ID
           --definitions 'NAME="value";...'   (the compile definitions of the program's windows)
           --open-help OPEN_HELP --qt-plugins DIR   (tests/package/open_help.cpp and Qt's plugins)
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
HELP_SUFFIX = "WinHlp31/Gearbook.hlp"
# The font family the calculator windows are laid out for.
LAYOUT_FONT = "Liberation Sans"

# What open_help says of the packaged help collection: it opens and the diagram draws; it does not
# open; it opens, but the diagram does not draw.
HELP_SHOWN, HELP_DOES_NOT_OPEN, DIAGRAM_NOT_DRAWN = 0, 1, 2


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


def printable(character):
    return character.isascii() and character.isprintable()


def strings_ending_in(binary, suffix):
    """Every printable text of the program, 8-bit or UTF-16, that ends in suffix, as `strings`
    finds them."""
    with open(binary, "rb") as program:
        data = program.read()
    found = set()
    for encoding, width in (("latin-1", 1), ("utf-16-le", 2)):
        ending = suffix.encode(encoding) + b"\0" * width
        start = data.find(ending)
        while start >= 0:
            begin = start
            while begin >= width and printable(data[begin - width:begin].decode(encoding)):
                begin -= width
            found.add(data[begin:start].decode(encoding) + suffix)
            start = data.find(ending, start + 1)
    return found


def owners(paths):
    """The installed package that holds each of paths, also where /usr is merged."""
    candidates = {}
    for path in paths:
        for name in (path, os.path.realpath(path)):
            merged = name[len("/usr"):] if name.startswith("/usr/") else "/usr" + name
            for candidate in (name, merged):
                candidates.setdefault(candidate, path)
    _, output = run(["dpkg-query", "--search"] + list(candidates))
    found = {}
    for line in output.splitlines():
        package, _, path = line.partition(": ")
        if path in candidates:
            found.setdefault(candidates[path], package.split(":")[0])
    return found


def owner(path):
    return owners([path]).get(path)


class Installed:
    """The packages of this machine and what each depends on, to tell what a minimal install of
    some packages holds: each with its dependencies, taking the first of alternatives, as apt
    does where none is installed yet. A package this machine does not have adds nothing."""

    def __init__(self):
        status, output = run(["dpkg-query", "--show", "--showformat",
                              "${db:Status-Abbrev}\t${Package}\t${Depends}, ${Pre-Depends}\n"])
        self.depends = {}
        for line in output.splitlines() if status == 0 else []:
            state, name, depends = line.split("\t")
            if state.strip() != "ii":
                continue
            firsts = [clause.split("|")[0] for clause in depends.split(",")]
            self.depends[name] = {n for f in firsts for n in package_names(f)}

    def closure(self, names):
        found, waiting = set(), list(names)
        while waiting:
            name = waiting.pop()
            if name in self.depends and name not in found:
                found.add(name)
                waiting.extend(self.depends[name])
        return found


class MinimalInstall:
    """Tries the packaged program's needs on minimal installs of sets of packages."""

    def __init__(self, checks, args, defined, scratch):
        self.checks = checks
        self.args = args
        self.defined = defined
        self.scratch = scratch
        self.installed = Installed()
        self.plugin_owners = owners(os.path.join(directory, name)
                                    for directory, _, files in os.walk(args.qt_plugins)
                                    for name in files)
        self.help_results = {}

    def help_result(self, packages):
        """What open_help says of the packaged collection with the Qt plugins of packages."""
        key = frozenset(packages)
        if key not in self.help_results:
            plugins = tempfile.mkdtemp(dir=self.scratch, prefix="plugins-")
            for path, package in self.plugin_owners.items():
                if package in packages:
                    link = os.path.join(plugins, os.path.relpath(path, self.args.qt_plugins))
                    os.makedirs(os.path.dirname(link), exist_ok=True)
                    os.symlink(path, link)
            collection = self.checks.inside(self.defined["MOTORECKON_HELP_INSTALL_FILE"])
            status, output = run([self.args.open_help, plugins, collection],
                                 env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
            self.help_results[key] = (status, output)
        return self.help_results[key]

    def shows_help(self, packages):
        status, output = self.help_result(packages)
        return status == HELP_SHOWN, output

    def opens_help(self, packages):
        status, output = self.help_result(packages)
        return status in (HELP_SHOWN, DIAGRAM_NOT_DRAWN), output

    def starts_assistant(self, packages):
        assistant = self.defined.get("MOTORECKON_ASSISTANT", "")
        viewer = owner(assistant)
        return viewer in packages, f"{assistant} comes from {viewer}"

    def has_layout_font(self, packages):
        status, output = run(["fc-match", "--format", "%{family[0]}\n%{file}", LAYOUT_FONT])
        family, _, path = output.partition("\n")
        font = owner(path) if status == 0 and family == LAYOUT_FONT else None
        return font in packages, f"{LAYOUT_FONT} is {path or 'missing'}, from {font}"


# Why the package depends on each package it does not link, and how a minimal install shows it.
NEEDS = {
    "assistant-qt6": ("Qt Assistant shows the help: the program starts it",
                      MinimalInstall.starts_assistant),
    "libqt6sql6-sqlite": ("Qt Assistant opens the help collection through Qt's SQLite driver",
                          MinimalInstall.opens_help),
    "libqt6svg6": ("Qt Assistant draws the help book's cylinder diagram with Qt's SVG plugin",
                   MinimalInstall.shows_help),
    "fonts-liberation2": (f"the calculator windows are laid out in {LAYOUT_FONT}",
                          MinimalInstall.has_layout_font),
}


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


def check_program_and_help(checks, args, defined):
    """Whether the program and its help collection are where the program looks."""
    program = os.path.join(args.bindir, "motoreckon")
    if not checks.require(os.access(checks.inside(program), os.X_OK),
                          f"no program at {program}"):
        return False

    help_file = defined.get("MOTORECKON_HELP_INSTALL_FILE")
    if not checks.require(help_file, "the build defines no MOTORECKON_HELP_INSTALL_FILE"):
        return False
    help_paths = strings_ending_in(checks.inside(program), HELP_SUFFIX)
    checks.require(help_paths == {help_file},
                   f"the packaged program holds the help paths {sorted(help_paths)}, "
                   f"not {help_file} alone")
    if not checks.require(os.path.isfile(checks.inside(help_file)),
                          f"no help collection at {help_file}, where the program looks"):
        return False
    check_help_book(checks, help_file)

    assistant = defined.get("MOTORECKON_ASSISTANT")
    if checks.require(assistant, "the build defines no MOTORECKON_ASSISTANT"):
        checks.require(compiled_in(checks.inside(program), assistant),
                       f"the packaged program does not hold the help viewer's path {assistant}")
    return True


def linked_packages(program):
    """The packages that hold the libraries the program links directly."""
    status, output = run(["objdump", "--private-headers", program])
    needed = re.findall(r"^\s*NEEDED\s+(\S+)", output, re.MULTILINE) if status == 0 else []
    status, output = run(["ldd", program])
    found = dict(re.findall(r"^\s*(\S+) => (/\S+)", output, re.MULTILINE)) if status == 0 else {}
    return set(owners(found[name] for name in needed if name in found).values())


def check_depends(checks, args, defined, depended, scratch):
    """Each package the package depends on is linked, or needed for the reason NEEDS states."""
    linked = linked_packages(checks.inside(os.path.join(args.bindir, "motoreckon")))
    for name in sorted(depended - linked - set(NEEDS)):
        checks.require(False, f"Depends names {name}, which the program does not link, "
                              "for no reason stated in NEEDS")
    tries = MinimalInstall(checks, args, defined, scratch)
    everything = tries.installed.closure(depended)
    for name, (reason, holds) in NEEDS.items():
        if not checks.require(name in depended, f"Depends does not name {name}: {reason}"):
            continue
        with_it, said = holds(tries, everything)
        checks.require(with_it, f"with what Depends names, it is not true that {reason}: {said}")
        without, said = holds(tries, tries.installed.closure(depended - {name}))
        checks.require(not without, f"{name} is not needed for its reason, {reason}: {said}")


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
    for option in ("cpack", "config", "prefix", "bindir", "datadir", "app-id", "definitions",
                   "open-help", "qt-plugins"):
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
        # Tags go to standard output; standard error has only lintian's own remarks, such as
        # that it runs as root.
        lintian = subprocess.run(["lintian", deb], stdout=subprocess.PIPE,
                                 stderr=subprocess.PIPE, text=True)
        checks.require(lintian.returncode == 0 and not lintian.stdout.strip(),
                       f"lintian {os.path.basename(deb)}:\n{lintian.stdout}{lintian.stderr}")
        depended = package_names(depends)
        checks.require(QT_RUNTIME in depended, f"Depends names no {QT_RUNTIME}: {depends.strip()}")
        check_layout(checks, args.prefix)
        defined = definitions(args.definitions)
        if check_program_and_help(checks, args, defined):
            check_depends(checks, args, defined, depended, scratch)
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
