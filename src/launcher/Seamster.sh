#!/usr/bin/env bash
# Starts Seamster.exe on Linux and the Steam Deck inside the game's own Wine or
# Proton prefix, with the game's own Wine or Proton, so that it sees the game's
# registry, the Documents folder and the running Body Shop. Seamster always
# starts in its own folder: its settings and its help are found there.
#
#   Seamster.sh                  the Legacy Collection on Steam, through protontricks
#   Seamster.sh --appid N        another Steam game (a disc or EA app game added to Steam)
#   Seamster.sh --prefix DIR [--wine PATH]   a Lutris, Bottles or plain Wine prefix
#   Seamster.sh --desktop        a menu entry that starts Seamster as above
set -euo pipefail

legacy_app_id=3314070
protontricks_flatpak=com.github.Matoking.protontricks

# The real folder of this script, through any links to it.
script=$(readlink -f -- "${BASH_SOURCE[0]}")
folder=$(dirname -- "$script")
exe="$folder/Seamster.exe"

usage() {
  cat <<EOF
Usage: Seamster.sh [--appid N | --prefix DIR [--wine PATH]] [--desktop]

Starts Seamster inside the Wine or Proton prefix of The Sims 2, with the
game's own Wine or Proton.

  (no option)    the Legacy Collection on Steam (app $legacy_app_id), through protontricks
  --appid N      the prefix of another Steam game, such as a disc game added to Steam
  --prefix DIR   the game's Wine prefix (Lutris, Bottles, plain Wine): the folder
                 that holds system.reg and drive_c
  --wine PATH    with --prefix: the wine the game runs with (default: wine)
  --desktop      add Seamster, started with the options given, to the applications
                 menu; starts nothing
  --help         this text
EOF
}

fail() {
  printf 'Seamster.sh: %s\n' "$@" >&2
  exit 2
}

# Told when nothing can start Seamster in a Steam game's prefix.
explain_protontricks() {
  cat >&2 <<EOF
Seamster.sh: protontricks is needed to start Seamster in the prefix of a Steam game.
  On the Steam Deck: in Desktop Mode, install "Protontricks" from Discover.
  Elsewhere: install your distribution's protontricks package.
Then run Seamster.sh again.
For a game in Lutris, Bottles or plain Wine, give its prefix instead:
  Seamster.sh --prefix DIR [--wine PATH]
(Seamster.sh --help tells more.)
EOF
  exit 1
}

# A Desktop Entry argument, quoted: within quotes \ " ` $ take a backslash,
# which the file's own escaping doubles; % is doubled for the field codes.
desktop_quoted() {
  local text=$1
  text=${text//\\/\\\\\\\\}
  text=${text//\"/\\\\\"}
  text=${text//\`/\\\\\`}
  text=${text//\$/\\\\\$}
  text=${text//%/%%}
  printf '"%s"' "$text"
}

# A Desktop Entry string value: a backslash is written as two.
desktop_string() {
  printf '%s' "${1//\\/\\\\}"
}

write_desktop_entry() {
  local applications="${XDG_DATA_HOME:-$HOME/.local/share}/applications"
  local entry="$applications/seamster.desktop"
  local command argument
  command=$(desktop_quoted "$script")
  for argument in "$@"; do command+=" $(desktop_quoted "$argument")"; done
  mkdir -p -- "$applications"
  local part="$entry.part"
  {
    printf '[Desktop Entry]\n'
    printf 'Type=Application\n'
    printf 'Name=Seamster\n'
    printf 'Comment=Gets The Sims 2 Body Shop ready, starts it and puts everything back\n'
    printf 'Exec=%s\n' "$command"
    printf 'Path=%s\n' "$(desktop_string "$folder")"
    printf 'Icon=%s\n' "$(desktop_string "$folder/Seamster.png")"
    printf 'Terminal=false\n'
    printf 'Categories=Game;\n'
  } >"$part"
  mv -f -- "$part" "$entry"
  printf 'Seamster.sh: added Seamster to the applications menu (%s)\n' "$entry"
}

# With the prefix's own Wine or Proton, through protontricks (or its Flatpak).
start_with_protontricks() {
  local app_id=$1
  if command -v protontricks-launch >/dev/null 2>&1; then
    exec protontricks-launch --appid "$app_id" "$exe"
  fi
  if command -v flatpak >/dev/null 2>&1 && flatpak info "$protontricks_flatpak" >/dev/null 2>&1; then
    # The Flatpak sees the Steam folder, not this one, until it is given it.
    flatpak override --user --filesystem="$folder" "$protontricks_flatpak"
    exec flatpak run --command=protontricks-launch "$protontricks_flatpak" --appid "$app_id" "$exe"
  fi
  explain_protontricks
}

# Refuses a folder that is not a Wine prefix, a Steam game's prefix without
# that game's Proton, and a wine that cannot be run.
check_prefix() {
  local prefix=$1 wine=$2 wine_given=$3
  [ -d "$prefix" ] || fail "$prefix is not a folder."
  if [ ! -f "$prefix/system.reg" ]; then
    if [ -f "$prefix/pfx/system.reg" ]; then
      fail "$prefix is not a Wine prefix, but $prefix/pfx is: add /pfx to the folder."
    fi
    fail "$prefix is not a Wine prefix (it holds no system.reg)." \
      "Give the folder that holds system.reg and drive_c."
  fi
  # Steam's Proton prefixes: another Wine may upgrade the prefix, and the game
  # may then no longer start from Steam.
  if [[ $prefix == */steamapps/compatdata/*/pfx && $wine_given == no ]]; then
    local app_id=${prefix%/pfx}
    app_id=${app_id##*/}
    fail "$prefix belongs to a Steam game, which starts with its own Proton." \
      "Start Seamster with protontricks instead: Seamster.sh --appid $app_id" \
      "(or give that Proton's wine with --wine)."
  fi
  command -v -- "$wine" >/dev/null 2>&1 || fail "$wine cannot be run."
}

app_id=$legacy_app_id
app_id_given=no
prefix=
wine=wine
wine_given=no
desktop=no
passed=()  # the options a menu entry repeats
while [ $# -gt 0 ]; do
  case $1 in
    --help | -h)
      usage
      exit 0
      ;;
    --appid | --prefix | --wine)
      if [ $# -lt 2 ] || [ -z "$2" ]; then
        fail "$1 needs a value." "Seamster.sh --help tells more."
      fi
      case $1 in
        --appid)
          [[ $2 =~ ^[0-9]+$ ]] || fail "--appid takes a Steam app number, such as $legacy_app_id."
          app_id=$2 app_id_given=yes
          passed+=("$1" "$2")
          ;;
        --prefix)
          prefix=$2
          [ -d "$prefix" ] && prefix=$(readlink -f -- "$prefix")
          passed+=("$1" "$prefix")
          ;;
        --wine)
          wine=$2 wine_given=yes
          # A runner named by its path is kept by its full path.
          [[ $wine == */* && -e $wine ]] && wine=$(readlink -f -- "$wine")
          passed+=("$1" "$wine")
          ;;
      esac
      shift 2
      ;;
    --desktop)
      desktop=yes
      shift
      ;;
    *)
      fail "unknown option: $1" "Seamster.sh --help tells more."
      ;;
  esac
done

[ -z "$prefix" ] || [ "$app_id_given" = no ] || fail "--appid and --prefix do not go together."
[ -n "$prefix" ] || [ "$wine_given" = no ] || fail "--wine goes with --prefix."
[ -f "$exe" ] || fail "Seamster.exe is not beside this script ($folder). Unpack the whole zip again."
[ -z "$prefix" ] || check_prefix "$prefix" "$wine" "$wine_given"

if [ "$desktop" = yes ]; then
  write_desktop_entry "${passed[@]}"
  exit 0
fi

cd -- "$folder"
if [ -n "$prefix" ]; then
  WINEPREFIX=$prefix exec "$wine" "$exe"
else
  start_with_protontricks "$app_id"
fi
