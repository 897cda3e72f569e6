#!/usr/bin/env python3
"""Compiles the help pages into Seamster.CHM.

    compile_help.py [--chmcmd PATH] [--chmls PATH] --version X.Y SOURCE_DIR WORK_DIR OUTPUT

The pages are copied into WORK_DIR and compiled there, so the source folder
stays clean; @VERSION_TEXT@ in a page becomes the version as the program's
window titles show it, @VERSION_NUMBER@ the bare version number. The pages,
so filled in, stay in WORK_DIR for the release's web-page help. The compiler
stamps the time of the run into the file twice (the file header and the
#SYSTEM record); both stamps are set to zero, so the same pages always give
the same bytes.
"""
import argparse
import os
import shutil
import struct
import subprocess
import sys

PROJECT = "Seamster.hhp"
COMPILED = "Seamster.chm"


def system_record(chmls, chm):
    """Offset and length of #SYSTEM inside the uncompressed section 0."""
    listing = subprocess.run([chmls, "-p", "list", chm], check=True, capture_output=True,
                             text=True).stdout
    for line in listing.splitlines():
        parts = line.split()
        if len(parts) == 4 and parts[3] == "/#SYSTEM":
            section, offset, length = (int(p) for p in parts[:3])
            if section != 0:
                sys.exit("compile_help: #SYSTEM is not stored uncompressed")
            return offset, length
    sys.exit("compile_help: the compiled file has no #SYSTEM record")


def clear_time_stamps(chmls, chm):
    with open(chm, "rb") as f:
        data = bytearray(f.read())
    if data[:4] != b"ITSF":
        sys.exit("compile_help: %s is not a compiled help file" % chm)
    data[0x10:0x14] = bytes(4)  # time of compilation in the header
    # Version 3 headers give the start of section 0 at 0x58.
    (content,) = struct.unpack_from("<Q", data, 0x58)
    offset, length = system_record(chmls, chm)
    start = content + offset
    position, end = start + 4, start + length  # after the record's version
    cleared = False
    while position + 4 <= end and position + 4 <= len(data):
        code, size = struct.unpack_from("<HH", data, position)
        if code == 10 and size == 4:  # compilation time
            data[position + 4:position + 8] = bytes(4)
            cleared = True
            break
        position += 4 + size
    if not cleared:
        sys.exit("compile_help: no time stamp found in #SYSTEM")
    with open(chm, "wb") as f:
        f.write(data)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--chmcmd", default="chmcmd")
    parser.add_argument("--chmls", default="chmls")
    parser.add_argument("--version", required=True)
    parser.add_argument("source")
    parser.add_argument("work")
    parser.add_argument("output")
    args = parser.parse_args()

    shutil.rmtree(args.work, ignore_errors=True)
    shutil.copytree(args.source, args.work)
    for name in sorted(os.listdir(args.work)):
        if name.endswith(".htm"):
            page = os.path.join(args.work, name)
            with open(page, encoding="cp1252") as f:
                text = f.read()
            with open(page, "w", encoding="cp1252", newline="") as f:
                text = text.replace("@VERSION_TEXT@", " v %s &szlig;" % args.version)
                f.write(text.replace("@VERSION_NUMBER@", args.version))
    run = subprocess.run([args.chmcmd, "--no-html-scan", PROJECT], cwd=args.work,
                         capture_output=True, text=True)
    compiled = os.path.join(args.work, COMPILED)
    if run.returncode != 0 or not os.path.isfile(compiled):
        sys.stderr.write(run.stdout + run.stderr)
        sys.exit("compile_help: chmcmd failed")
    # The compiler reports missing pages and pictures as hints only.
    problems = [l for l in run.stdout.splitlines() if "not found" in l.lower() or "error" in l.lower()]
    if problems:
        sys.exit("compile_help:\n" + "\n".join(problems))
    clear_time_stamps(args.chmls, compiled)
    temporary = args.output + ".part"
    shutil.copyfile(compiled, temporary)
    os.replace(temporary, args.output)


if __name__ == "__main__":
    main()
