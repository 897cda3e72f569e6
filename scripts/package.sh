#!/usr/bin/env bash
# Makes the release: build/release/Seamster-<version>-win64.zip with
# Seamster.exe, Seamster.CHM, README.txt, LICENSE, THIRD-PARTY.txt (the
# notices of the libraries linked into the exe) and help/, the help's pages as
# plain web pages for a browser (on Linux the help viewer often shows none),
# the Linux launcher Seamster.sh (kept executable) with the program's icon as
# Seamster.png for its menu entry, and prints its SHA-256. Builds nothing: run
# it after the mingw build (scripts/test.sh does both).
#
# The zip holds the same bytes for the same commit wherever and whenever it is
# made: entries in a fixed order, each dated by SOURCE_DATE_EPOCH when it is
# set, otherwise by the commit's time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${SEAMSTER_BIN:-$root/build/mingw/bin}
out=${SEAMSTER_RELEASE:-$root/build/release}

version_file="$(dirname "$bin")/version.txt"
# The pages as the help compiler was given them, with the version filled in.
pages="$(dirname "$bin")/help"
for file in "$bin/Seamster.exe" "$bin/Seamster.CHM" "$version_file" "$pages/index.htm"; do
  if [ ! -f "$file" ]; then
    echo "package: $file is missing; build the mingw preset first" >&2
    exit 2
  fi
done
version=$(tr -d '\r\n' <"$version_file")
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 315532800)
fi

mkdir -p "$out"
zip="$out/Seamster-$version-win64.zip"
python3 - "$zip" "$version" "$SOURCE_DATE_EPOCH" "$bin/Seamster.exe" "$bin/Seamster.CHM" \
  "$root/docs/release/README.txt" "$pages" "$root/src/launcher/Seamster.sh" \
  "$root/src/res/pictures/seamster.ico" <<'PYTHON'
import os, struct, subprocess, sys, time, zipfile
zip_path, version, epoch, exe, chm, readme, pages, launcher, icon = sys.argv[1:]
# The zip format keeps local times of even seconds from 1980 on; UTC keeps it
# the same on every machine.
stamp = time.gmtime(max(int(epoch), 315532800))[:6]
stamp = stamp[:5] + (stamp[5] - stamp[5] % 2,)
program = open(exe, "rb").read()
# The exe's version resource must name the same version as the zip, so that a
# stale build is never shipped under a new name.
key = "ProductVersion".encode("utf-16-le") + b"\0\0"
at = program.find(key)
value = program[at + len(key):at + len(key) + 64] if at >= 0 else b""
value = value[len(value) - len(value.lstrip(b"\0")):]  # padding to 32 bits
if at < 0 or not value.startswith((version + "\0").encode("utf-16-le")):
    sys.exit("package: Seamster.exe does not carry version %s; build it again" % version)
with open(readme, encoding="utf-8") as f:
    text = f.read().replace("@VERSION@", version)
entries = {
    "README.txt": text.replace("\r\n", "\n").replace("\n", "\r\n").encode("ascii"),
    "Seamster.CHM": open(chm, "rb").read(),
    "Seamster.exe": program,
}
# The licence and the libraries' notices, with Windows line ends like the README.
for name, path in (("LICENSE", "../../LICENSE"), ("THIRD-PARTY.txt", "THIRD-PARTY.txt")):
    with open(os.path.join(os.path.dirname(readme), path), encoding="utf-8") as f:
        entries[name] = f.read().replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def largest_picture_as_png(path):
    """The largest picture of an icon file as a PNG: as stored when it is one,
    else converted by ImageMagick without its dates."""
    ico = open(path, "rb").read()
    count = struct.unpack_from("<H", ico, 4)[0]
    best = (0, -1, b"")
    for i in range(count):
        width, height = ico[6 + 16 * i], ico[7 + 16 * i]
        size, offset = struct.unpack_from("<II", ico, 6 + 16 * i + 8)
        side = (width or 256) * (height or 256)
        if side > best[0]:
            best = (side, i, ico[offset:offset + size])
    if best[2].startswith(b"\x89PNG\r\n\x1a\n"):
        return best[2]
    return subprocess.run(["convert", "%s[%d]" % (path, best[1]), "-strip", "png:-"],
                          check=True, stdout=subprocess.PIPE).stdout


entries["Seamster.png"] = largest_picture_as_png(icon)
entries["Seamster.sh"] = open(launcher, "rb").read()
# Unzipped on Linux, the launcher keeps its run bit.
unix_modes = {"Seamster.sh": 0o100755}
for name in os.listdir(pages):
    if name.endswith((".htm", ".css", ".png")):
        entries["help/" + name] = open(os.path.join(pages, name), "rb").read()
part = zip_path + ".part"
with zipfile.ZipFile(part, "w") as archive:
    for name in sorted(entries):
        info = zipfile.ZipInfo(name, date_time=stamp)
        info.create_system = 0          # made on "MS-DOS": no Unix owner or mode
        info.external_attr = 0x20       # the archive attribute, as Windows writes it
        if name in unix_modes:          # made on Unix, with its mode
            info.create_system = 3
            info.external_attr |= unix_modes[name] << 16
        info.compress_type = zipfile.ZIP_DEFLATED
        archive.writestr(info, entries[name], compresslevel=9)
os.replace(part, zip_path)
PYTHON
echo "package: $zip"
echo "SHA-256: $(sha256sum "$zip" | cut -d' ' -f1)  $(basename "$zip")"
