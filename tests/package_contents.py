"""Makes the packages of a build with CPack and checks what they hold: the
very programs that were built and tested, in a bin/ folder, ready to run;
the README and the licence; outside Windows each program's manual page.
The Debian package has them in Debian's forms (the licence in its
copyright file, the pages compressed), names the libraries the programs
need, and passes Debian's package checker, lintian, without an error or a
warning.

usage: package_contents.py CPACK CPACK_CONFIG PROGRAM...
PROGRAM is the path of each built program."""

import io
import os
import subprocess
import sys
import tarfile
import tempfile
import zipfile


def members(package):
    """Each file in the package: its path, whether it may be run, and its
    bytes."""
    if package.endswith(".zip"):
        with zipfile.ZipFile(package) as archive:
            return {info.filename: (True, archive.read(info))
                    for info in archive.infolist() if not info.is_dir()}
    if package.endswith(".deb"):
        tree = subprocess.run(["dpkg-deb", "--fsys-tarfile", package], check=True,
                              capture_output=True).stdout
        archive = tarfile.open(fileobj=io.BytesIO(tree))
    else:
        archive = tarfile.open(package)
    with archive:
        return {info.name.removeprefix("./"): (bool(info.mode & 0o111),
                                                archive.extractfile(info).read())
                for info in archive.getmembers() if info.isfile()}


def problems(package, built_programs):
    found = members(package)
    for built in built_programs:
        program = os.path.basename(built)
        with open(built, "rb") as file:
            tested = file.read()
        copies = [(runs, content) for path, (runs, content) in found.items()
                  if path.endswith(f"bin/{program}")]
        if [runs for runs, _ in copies] != [True]:
            yield f"{program}: not once in a bin/ folder, ready to run"
        elif copies[0][1] != tested:
            yield f"{program}: not the program that was built and tested"
    if not any(path.endswith("README.md") for path in found):
        yield "no README.md"
    licence = "share/doc/console-calculators/copyright" if package.endswith(".deb") else "LICENSE"
    if not any(path.endswith(licence) for path in found):
        yield f"no {licence}"
    if not package.endswith(".zip"):
        page_suffix = ".1.gz" if package.endswith(".deb") else ".1"
        for built in built_programs:
            page = f"share/man/man1/{os.path.basename(built)}{page_suffix}"
            if not any(path.endswith(page) for path in found):
                yield f"no {page}"
    if package.endswith(".deb"):
        depends = subprocess.run(["dpkg-deb", "--field", package, "Depends"], check=True,
                                 capture_output=True, text=True).stdout
        if "libc6" not in depends:
            yield f"Depends names no C library: {depends.strip()!r}"


def main():
    cpack, config, *built_programs = sys.argv[1:]
    failed = False
    with tempfile.TemporaryDirectory() as directory:
        subprocess.run([cpack, "--config", config, "-B", directory], check=True,
                       stdout=subprocess.DEVNULL)
        packages = sorted(os.path.join(directory, name) for name in os.listdir(directory)
                          if name.endswith((".zip", ".tar.gz", ".deb")))
        if not packages:
            print("CPack made no package")
            return 1
        for package in packages:
            found = list(problems(package, built_programs))
            for problem in found:
                print(f"{os.path.basename(package)}: {problem}")
            if package.endswith(".deb"):
                lintian = subprocess.run(["lintian", "--fail-on", "error,warning", package],
                                         capture_output=True, text=True)
                if lintian.returncode != 0:
                    found.append("lintian")
                    print(lintian.stdout + lintian.stderr)
            print(f"{os.path.basename(package)}: {'FAILED' if found else 'ok'}")
            failed |= bool(found)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
