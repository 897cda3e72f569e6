#!/usr/bin/env bash
# Runs Seamster.sh (from the zip given, by unzip) through a link, from another
# folder, with fakes of protontricks-launch, flatpak and wine that write down
# how they were called; checks its menu entry and the script itself.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
w=$(mktemp -d)
trap 'rm -rf "$w"' EXIT
failures=0
check() {  # what, expected, actual
  [ "$2" = "$3" ] && echo "ok    $1" && return
  printf 'FAIL  %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"
  failures=$((failures + 1))
}

app="$w/Sims Tools/Seamster" f="$w/fakes" compat="$w/steamapps/compatdata/24900"
mkdir -p "$app" "$w/elsewhere" "$w/system" "$f/flatpak-only" "$w/game" "$compat/pfx"
touch "$w/game/system.reg" "$compat/pfx/system.reg"
if [ $# -gt 0 ]; then
  unzip -q "$1" -d "$app" || exit 1
  check "the zip's launcher" "" "$(cmp "$app/Seamster.sh" "$root/src/launcher/Seamster.sh")"
  check "the zip's icon" "PNG image data, 256 x 256" "$(file -b "$app/Seamster.png" | cut -d, -f1-2)"
else
  cp "$root/src/launcher/Seamster.sh" "$app/" && touch "$app/Seamster.exe"
fi
ln -s "$app/Seamster.sh" "$w/Seamster.sh"
for tool in bash readlink dirname mkdir mv cat; do ln -s "$(command -v "$tool")" "$w/system/"; done
# shellcheck disable=SC2016  # the fakes' own text, expanded when they run
for fake in protontricks-launch flatpak wine; do
  printf '#!/bin/bash\n[ "$1" = info ] && exit "${NO_FLATPAK:-0}"\necho "%s $* (in $PWD${WINEPREFIX:+, %s})" >>"%s"\n' \
    "$fake" 'prefix $WINEPREFIX' "$w/calls" >"$f/$fake" && chmod +x "$f/$fake"
done
ln -s ../flatpak "$f/flatpak-only/"
# expect WHAT PATH EXPECTED ARGS...: the status, the calls and the first line said.
expect() {
  local what=$1 path=$2 expected=$3 said status
  shift 3
  : >"$w/calls"
  said=$(cd "$w/elsewhere" && PATH="$path:$w/system" XDG_DATA_HOME="$w/data" "$w/Seamster.sh" "$@" 2>&1 >/dev/null)
  status=$?
  check "$what" "$expected" "$status|$(paste -sd'/' "$w/calls")|${said%%$'\n'*}"
}
exe="$app/Seamster.exe" pt=com.github.Matoking.protontricks
expect "protontricks" "$f" "0|protontricks-launch --appid 3314070 $exe (in $app)|"
expect "its Flatpak" "$f/flatpak-only" "0|flatpak override --user --filesystem=$app $pt (in $app)/flatpak run --command=protontricks-launch $pt --appid 3314070 $exe (in $app)|"
NO_FLATPAK=1 expect "no protontricks" "$f/flatpak-only" "1||Seamster.sh: protontricks is needed to start Seamster in the prefix of a Steam game."
expect "a runner" "$f" "0|protontricks-launch $exe (in $app, prefix $w/game)|" --prefix "$w/game" --wine "$f/protontricks-launch"
expect "compatdata" "$f" "2||Seamster.sh: $compat is not a Wine prefix, but $compat/pfx is: add /pfx to the folder." --prefix "$compat"
expect "Proton's prefix" "$f" "2||Seamster.sh: $compat/pfx belongs to a Steam game, which starts with its own Proton." --prefix "$compat/pfx"
expect "no prefix, no menu entry" "$f" "2||Seamster.sh: $w/elsewhere is not a Wine prefix (it holds no system.reg)." --desktop --prefix "$w/elsewhere"
expect "menu entry" "$f" "0||" --desktop --prefix "$w/game" --wine "$f/wine"
entry="$w/data/applications/seamster.desktop"
check "its command and icon" "Exec=\"$app/Seamster.sh\" \"--prefix\" \"$w/game\" \"--wine\" \"$f/wine\"/Icon=$app/Seamster.png" \
  "$(grep -E '^(Exec|Icon)=' "$entry" | paste -sd/)"
check "desktop-file-validate" "" "$(desktop-file-validate "$entry" 2>&1)"
check "shellcheck" "" "$(shellcheck "$root/src/launcher/Seamster.sh" 2>&1)"
echo "launcher: $failures failed"
[ "$failures" -eq 0 ]
