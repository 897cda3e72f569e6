#!/usr/bin/env bash
# Runs Seamster.sh, through a link and from another folder, with fakes of protontricks-launch, flatpak and wine on a PATH of their own that
# write down how they were called; checks the menu entry with
# desktop-file-validate and the script with shellcheck. Given the release zip,
# runs the launcher as unzip unpacks it from there, else the one in src/.
#
#   tests/launcher/launcher-test.sh [ZIP]
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # what, expected, actual
  if [ "$2" = "$3" ]; then echo "ok    $1"; else
    printf 'FAIL  %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"; failures=$((failures + 1)); fi
}

# Seamster's folder, with a blank in its name; the script is run through a link.
app="$work/Sims Tools/Seamster"
mkdir -p "$app" "$work/elsewhere" "$work/links" "$work/system" "$work/fakes"
if [ $# -gt 0 ]; then
  unzip -q "$1" -d "$app" || exit 1
  check "the zip's launcher is the one in src/" "" "$(cmp "$app/Seamster.sh" "$root/src/launcher/Seamster.sh")"
  check "the zip's icon" "PNG image data, 256 x 256" "$(file -b "$app/Seamster.png" | cut -d, -f1-2)"
else
  cp "$root/src/launcher/Seamster.sh" "$app/" && touch "$app/Seamster.exe" "$app/Seamster.png"
fi
ln -s "$app/Seamster.sh" "$work/links/Seamster.sh"
for tool in bash readlink dirname mkdir mv cat; do ln -s "$(command -v "$tool")" "$work/system/$tool"; done
log="$work/calls.log"
for fake in protontricks-launch flatpak wine; do
  printf '#!/bin/bash\n[ "$1 $2" = "info com.github.Matoking.protontricks" ] && exit "${FLATPAK_MISSING:-0}"\n' >"$work/fakes/$fake"
  printf 'echo "%s $* (in $PWD${WINEPREFIX:+, prefix $WINEPREFIX})" >>"%s"\n' "$fake" "$log" >>"$work/fakes/$fake"
  chmod +x "$work/fakes/$fake"
done
mkdir -p "$work/fakes/only-flatpak" "$work/game/drive_c" "$work/steamapps/compatdata/24900/pfx/drive_c"
ln -s ../flatpak "$work/fakes/only-flatpak/flatpak"
touch "$work/game/system.reg" "$work/steamapps/compatdata/24900/pfx/system.reg"
compat="$work/steamapps/compatdata/24900"

# launch PATH-FOLDER ARGS...: the exit status, the calls made and the first line of what was said.
launch() {
  local path=$1; shift
  : >"$log"
  local said status
  said=$(cd "$work/elsewhere" && PATH="$path:$work/system" XDG_DATA_HOME="$work/data" \
         "$work/links/Seamster.sh" "$@" 2>&1 >/dev/null)
  status=$?
  printf '%s | %s | %s' "$status" "$(paste -sd'/' "$log")" "${said%%$'\n'*}"
}
exe="$app/Seamster.exe"
f=$work/fakes
check "protontricks-launch, in Seamster's folder" \
  "0 | protontricks-launch --appid 3314070 $exe (in $app) | " "$(launch "$f")"
check "another app id" "0 | protontricks-launch --appid 24900 $exe (in $app) | " "$(launch "$f" --appid 24900)"
check "the Flatpak, given the folder first" \
  "0 | flatpak override --user --filesystem=$app com.github.Matoking.protontricks (in $app)/flatpak run --command=protontricks-launch com.github.Matoking.protontricks --appid 3314070 $exe (in $app) | " \
  "$(launch "$f/only-flatpak")"
check "no protontricks at all" "1 |  | Seamster.sh: protontricks is needed to start Seamster in the prefix of a Steam game." \
  "$(FLATPAK_MISSING=1 launch "$f/only-flatpak")"
check "a prefix, with wine" "0 | wine $exe (in $app, prefix $work/game) | " "$(launch "$f" --prefix "$work/game")"
check "a prefix, with the game's runner" "0 | protontricks-launch $exe (in $app, prefix $work/game) | " \
  "$(launch "$f" --prefix "$work/game" --wine "$f/protontricks-launch")"
check "compatdata without pfx" "2 |  | Seamster.sh: $compat is not a Wine prefix, but $compat/pfx is: add /pfx to the folder." \
  "$(launch "$f" --prefix "$compat")"
check "a Proton prefix without its wine" "2 |  | Seamster.sh: $compat/pfx belongs to a Steam game, which starts with its own Proton." \
  "$(launch "$f" --prefix "$compat/pfx")"
check "not a prefix" "2 |  | Seamster.sh: $work/elsewhere is not a Wine prefix (it holds no system.reg)." \
  "$(launch "$f" --prefix "$work/elsewhere")"
check "--wine alone" "2 |  | Seamster.sh: --wine goes with --prefix." "$(launch "$f" --wine wine)"

# The menu entry starts the script by its full path with the options given.
check "no menu entry for no prefix" "2 |  | Seamster.sh: $work/elsewhere is not a Wine prefix (it holds no system.reg)." \
  "$(launch "$f" --desktop --prefix "$work/elsewhere")$(ls "$work/data" 2>/dev/null)"
check "--desktop starts nothing" "0 |  | " "$(launch "$f" --desktop --prefix "$work/game" --wine "$f/wine")"
entry="$work/data/applications/seamster.desktop"
check "menu entry's command" "Exec=\"$app/Seamster.sh\" \"--prefix\" \"$work/game\" \"--wine\" \"$f/wine\"" "$(grep '^Exec=' "$entry")"
check "menu entry's icon" "Icon=$app/Seamster.png" "$(grep '^Icon=' "$entry")"
check "desktop-file-validate" "" "$(desktop-file-validate "$entry" 2>&1)"
check "--help" "0" "$("$app/Seamster.sh" --help | grep -q -- '--prefix DIR'; echo $?)"
check "shellcheck" "" "$(shellcheck "$root/src/launcher/Seamster.sh" 2>&1)"

echo "launcher: $failures failed"
[ "$failures" -eq 0 ]
