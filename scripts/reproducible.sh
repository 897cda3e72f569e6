#!/usr/bin/env bash
# Checks that the release does not depend on where or when it is built:
# builds Seamster.exe and Seamster.CHM a second time, from a copy of the
# source in another folder and without the compiler cache, makes the zip from
# them, and compares the three with those of build/mingw/bin and
# build/release. A time stamp, a build path or anything else of one build's
# own shows up as a difference. Run it after scripts/package.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
copy="$root/build/reproduce/source"
version=$(tr -d '\r\n' <"$root/build/mingw/version.txt")
zip_name="Seamster-$version-win64.zip"
for file in "$root/build/mingw/bin/Seamster.exe" "$root/build/mingw/bin/Seamster.CHM" \
            "$root/build/release/$zip_name"; do
  [ -f "$file" ] || { echo "reproducible: $file is missing; build and package first" >&2; exit 2; }
done

# The source as it stands, committed or not, without anything built.
rm -rf "$copy"
mkdir -p "$copy/build"
(cd "$root" && git ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' file; do [ -f "$file" ] && printf '%s\0' "$file"; done |
  tar --null -T - -cf -) | tar -xf - -C "$copy"
cp -a "$root/build/deps" "$copy/build/deps"

# Both zips carry the same date: the commit's.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}
(
  cd "$copy"
  unset CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER
  export CCACHE_DISABLE=1
  cmake --preset mingw >/dev/null
  cmake --build --preset mingw --target Seamster help_file -j2
) >"$root/build/reproduce/build.log" 2>&1 || {
  tail -n 30 "$root/build/reproduce/build.log"
  echo "reproducible: the second build failed" >&2
  exit 1
}
"$root/scripts/package.sh" >/dev/null
SEAMSTER_BIN="$copy/build/mingw/bin" SEAMSTER_RELEASE="$copy/build/release" \
  "$copy/scripts/package.sh" >/dev/null

different=0
for pair in "build/mingw/bin/Seamster.exe" "build/mingw/bin/Seamster.CHM" "build/release/$zip_name"; do
  first=$(sha256sum "$root/$pair" | cut -d' ' -f1)
  second=$(sha256sum "$copy/$pair" | cut -d' ' -f1)
  if [ "$first" = "$second" ]; then
    echo "same       $first  $pair"
  else
    echo "DIFFERENT  $first  $pair"
    echo "           $second  (second build)"
    different=1
  fi
done
if [ $different -ne 0 ]; then
  echo "reproducible: two builds of the same source differ" >&2
  exit 1
fi
rm -rf "$root/build/reproduce"
echo "reproducible: the second build gave the same bytes"
