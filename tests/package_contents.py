"""Checks what the packages hold: the four programs in a bin/ folder, ready
to run, the README and the licence, and outside Windows each program's
manual page; the Debian package has them in Debian's forms (the licence in
its copyright file, the pages compressed) and names the libraries the
programs need.

usage: package_contents.py PACKAGE...  (.zip, .tar.gz or .deb files)"""

import io
import subprocess
import sys
import tarfile
import zipfile

PROGRAMS = ["polysum", "choosefrac", "defint", "parabola"]


def members(package):
    """Each file in the package: its path and whether it may be run."""
    if package.endswith(".zip"):
        with zipfile.ZipFile(package) as archive:
            return {info.filename: True for info in archive.infolist() if not info.is_dir()}
    if package.endswith(".deb"):
        tree = subprocess.run(["dpkg-deb", "--fsys-tarfile", package], check=True,
                              capture_output=True).stdout
        archive = tarfile.open(fileobj=io.BytesIO(tree))
    else:
        archive = tarfile.open(package)
    with archive:
        return {info.name.removeprefix("./"): bool(info.mode & 0o111)
                for info in archive.getmembers() if info.isfile()}


def problems(package):
    found = members(package)
    suffix = ".exe" if package.endswith(".zip") else ""
    for program in PROGRAMS:
        runnable = [runs for path, runs in found.items() if path.endswith(f"bin/{program}{suffix}")]
        if runnable != [True]:
            yield f"{program}{suffix}: not once in a bin/ folder, ready to run"
    if not any(path.endswith("README.md") for path in found):
        yield "no README.md"
    licence = "share/doc/console-calculators/copyright" if package.endswith(".deb") else "LICENSE"
    if not any(path.endswith(licence) for path in found):
        yield f"no {licence}"
    if not package.endswith(".zip"):
        page_suffix = ".1.gz" if package.endswith(".deb") else ".1"
        for program in PROGRAMS:
            page = f"share/man/man1/{program}{page_suffix}"
            if not any(path.endswith(page) for path in found):
                yield f"no {page}"
    if package.endswith(".deb"):
        depends = subprocess.run(["dpkg-deb", "--field", package, "Depends"], check=True,
                                 capture_output=True, text=True).stdout
        if "libc6" not in depends:
            yield f"Depends names no C library: {depends.strip()!r}"


def main():
    failed = False
    for package in sys.argv[1:]:
        found = list(problems(package))
        for problem in found:
            print(f"{package}: {problem}")
        print(f"{package}: {'FAILED' if found else 'ok'}")
        failed |= bool(found)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
