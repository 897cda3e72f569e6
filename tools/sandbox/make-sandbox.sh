#!/usr/bin/env bash
# Builds a Wine prefix that looks like a Windows machine with The Sims 2 and
# several packs installed, so Seamster can be run and tried without the game.
#
#   make-sandbox.sh create PREFIX   make the prefix once and lay every file;
#                                   an existing sandbox keeps its game files and
#                                   only gets the freshly built programs
#   make-sandbox.sh reset PREFIX [EDITION]
#                                   lay the program folder and the game folders
#                                   anew in an existing sandbox and remove the
#                                   settings file (fast: no Wine process runs,
#                                   unless an edition's registry entries are
#                                   laid or taken away)
#
# EDITION lays the game as one edition installs it, in place of the discs
# (C:\Program Files\EA GAMES, as below, the default): the name of a file of
# tools/sandbox/editions/, which says what it lays (discs-x86, ultimate,
# legacy, legacy-no-bodyshop). Each collection also gets its own user game
# folder beside "The Sims 2".
#
# Environment: SEAMSTER_EXE and BODYSHOP_EXE name the programs to copy in
# (default: build/mingw/bin/Seamster.exe and build/mingw/bin/TS2BodyShop.exe).
#
# In the prefix:
#   C:\Seamster\Seamster.exe                   the program, with Seamster.CHM when it was
#                                              built; Seamster.ini lands beside it
#   C:\Program Files\EA GAMES\<pack>\CSBin\    one Body Shop per pack
#   <Documents>\EA Games\The Sims 2\           the user game folder
#   HKLM\Software\EA GAMES\The Sims 2          "Install Dir", in the 32-bit view
#   .sandbox-edition (beside drive_c)         the edition laid last, when not the discs
#
# The prefix looks like a Windows machine in its pictures too: the user is
# Jamie, whose files are under C:\Users\Jamie, and the title bars have the
# symbol font their buttons are drawn with. Every script that runs Wine in the
# prefix exports the same USER, since Wine names the session's user after it.
# A sandbox made before this layout is made anew.
#
# Wine reports a file's creation time as its modification time, so the ages of
# the finished packages in SavedSims are set with touch.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
mode=${1:-}
prefix=${2:-}
edition=${3:-discs}
if [ -z "$mode" ] || [ -z "$prefix" ]; then
  echo "usage: $0 create PREFIX | reset PREFIX [EDITION]" >&2
  exit 2
fi
mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)
seamster_exe=${SEAMSTER_EXE:-$root/build/mingw/bin/Seamster.exe}
bodyshop_exe=${BODYSHOP_EXE:-$root/build/mingw/bin/TS2BodyShop.exe}
marker="$prefix/.seamster-sandbox"
edition_marker="$prefix/.sandbox-edition"
cache="$prefix/.sandbox-cache"
layout_version=3

export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export USER=Jamie

# --- the prefix itself -------------------------------------------------------

make_prefix() {
  echo "sandbox: creating Wine prefix in $prefix (takes a little while, once)"
  # No display: the first start must not open any window.
  DISPLAY='' timeout 300 wine wineboot -i >/dev/null 2>&1
  local reg="$prefix/drive_c/sandbox.reg"
  # Unmanaged windows close without Wine's two-second wait for a window
  # manager that isn't there; a crash ends the program instead of opening
  # the debugger's dialog, which would hang an unattended run. Web pages open
  # in the browser, as where Wine's HTML engine (left out here) is installed.
  cat >"$reg" <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CLASSES_ROOT\.htm]
@="htmlfile"
EOF
  DISPLAY='' timeout 120 wine regedit /S 'C:\sandbox.reg'
  rm -f "$reg"
  # The game's installer is 32-bit, so its key lives in the 32-bit view.
  DISPLAY='' timeout 120 wine reg add 'HKLM\Software\EA GAMES\The Sims 2' /v 'Install Dir' \
    /t REG_SZ /d 'C:\Program Files\EA GAMES\The Sims 2' /reg:32 /f >/dev/null
  timeout 120 wineserver -w || true
  capital_users_folder
  make_real_user_folders
  echo "$layout_version" >"$marker"
}

# Wine keeps profiles in C:\users; Windows calls the folder C:\Users, and so
# do the paths the sandbox shows.
capital_users_folder() {
  mv "$prefix/drive_c/users" "$prefix/drive_c/Users"
  sed -i 's/C:\\\\users/C:\\\\Users/g' "$prefix/user.reg" "$prefix/system.reg" "$prefix/userdef.reg"
}

# The title bars draw their buttons with Marlett, which Debian's fonts-wine
# holds but a new prefix lacks.
install_fonts() {
  local font=/usr/share/wine/fonts/marlett.ttf
  if [ -f "$font" ]; then
    mkdir -p "$prefix/drive_c/windows/Fonts"
    cp -u "$font" "$prefix/drive_c/windows/Fonts/marlett.ttf"
  else
    echo "sandbox: warning: $font is missing (scripts/setup.sh installs fonts-wine)" >&2
  fi
}

# A new prefix links Documents, Desktop and friends to the host's home folder;
# the sandbox must never write there, so each becomes a real folder.
make_real_user_folders() {
  local link
  for link in "$prefix"/drive_c/Users/*/*; do
    if [ -L "$link" ]; then
      rm "$link"
      mkdir -p "$link"
    fi
  done
}

user_folder() {
  local dir
  for dir in "$prefix"/drive_c/Users/*/; do
    case "$(basename "$dir")" in Public) continue ;; esac
    if [ -d "$dir/Documents" ]; then
      printf '%s' "${dir%/}"
      return
    fi
  done
  echo "sandbox: no user folder with Documents in $prefix/drive_c/Users" >&2
  exit 1
}

# --- small file makers ---------------------------------------------------------

# A stand-in for a game package: the right magic and a little body.
package_file() {
  local path=$1
  mkdir -p "$(dirname "$path")"
  printf 'DBPF\001\000\000\000%s\r\n' "$(basename "$path")" >"$path"
}

# Sets the creation time Wine reports (its modification time) to N days ago.
age_days() {
  local path=$1 days=$2
  touch -d "@$(($(date +%s) - days * 86400))" "$path"
}

crlf_file() {
  local path=$1
  shift
  mkdir -p "$(dirname "$path")"
  printf '%s\r\n' "$@" >"$path"
}

# A Body Shop project file; only its third line, the name, matters here.
project_file() {
  local path=$1 name=$2
  crlf_file "$path" \
    '<?xml version="1.0" encoding="utf-8"?>' \
    '<PropertySet>' \
    "    <AnyString key=\"name\" type=\"0x0b8bea18\">$name</AnyString>" \
    '    <AnyString key="description" type="0x0b8bea18"></AnyString>' \
    '</PropertySet>'
}

background_bitmap() {
  local path=$1
  mkdir -p "$cache"
  if [ ! -f "$cache/userbkg.bmp" ]; then
    command -v convert >/dev/null || {
      echo "sandbox: ImageMagick's convert is needed (scripts/setup.sh installs it)" >&2
      exit 1
    }
    # A 24-bit uncompressed 1024 x 768 bitmap, the form the Body Shop loads.
    convert -size 768x1024 gradient:'#1d3b72-#e39a4c' -rotate 90 -type TrueColor \
      "BMP3:$cache/userbkg.bmp"
  fi
  cp "$cache/userbkg.bmp" "$path"
}

# --- what is laid out ------------------------------------------------------------

lay_programs() {
  local dest="$prefix/drive_c/Seamster"
  mkdir -p "$dest"
  if [ -f "$seamster_exe" ]; then
    cp "$seamster_exe" "$dest/Seamster.exe"
    # The help file built beside it, so that "Seamster Help" works in the demo.
    local help
    help="$(dirname "$seamster_exe")/Seamster.CHM"
    if [ -f "$help" ]; then cp "$help" "$dest/Seamster.CHM"; else rm -f "$dest/Seamster.CHM"; fi
  else
    echo "sandbox: warning: $seamster_exe not built yet" >&2
  fi
  local pack
  while IFS= read -r pack; do
    local bin="$prefix/drive_c/Program Files/EA GAMES/$pack/CSBin"
    mkdir -p "$bin"
    if [ -f "$bodyshop_exe" ]; then
      cp "$bodyshop_exe" "$bin/TS2BodyShop.exe"
    else
      printf 'The Body Shop stand-in is not built yet.\r\n' >"$bin/TS2BodyShop.exe"
    fi
  done < <(bodyshop_packs)
}

# Packs that carry a Body Shop (Double Deluxe keeps it in its SP4 folder).
bodyshop_packs() {
  printf '%s\n' "The Sims 2" "The Sims 2 University" "The Sims 2 Nightlife" \
    "The Sims 2 Double Deluxe/SP4" "zSims2 Backup" "The Sims 2 HomeCrafter Plus"
}

# Six qualifying folders: four are offered, the "z" one and the HomeCrafter
# one are counted but never offered. A two-letter folder and a file don't count.
lay_installation() {
  local ea="$prefix/drive_c/Program Files/EA GAMES"
  rm -rf "$ea"
  mkdir -p "$ea/EA"
  printf 'Installed packs log\r\n' >"$ea/Uninstall.log"
  lay_programs
}

lay_user_folder() {
  local docs
  docs="$(user_folder)/Documents"
  rm -rf "$docs/EA Games"
  lay_game_folder "$docs/EA Games/The Sims 2"
}

lay_game_folder() {
  local game=$1
  mkdir -p "$game/Neighborhoods/N001" "$game/Thumbnails"
  package_file "$game/Neighborhoods/N001/N001_Neighborhood.package"
  package_file "$game/cigen.package"
  package_file "$game/Thumbnails/CASThumbnails.package"
  background_bitmap "$game/userbkg.bmp"
  lay_config "$game/Config"
  lay_saved_sims "$game/SavedSims"
  lay_downloads "$game/Downloads"
  lay_projects "$game/Projects"
}

lay_config() {
  local config=$1
  mkdir -p "$config"
  # Mannequin poses: one on, two off.
  package_file "$config/casieHipsanim.package"
  package_file "$config/casieWaveanim.off"
  package_file "$config/casieSitanim.off"
  # Lighting: both off, so the default lighting is active.
  package_file "$config/casielightsreplacementDim.off"
  package_file "$config/casielightsreplacementBright.off"
  # Replacement backgrounds, mannequin skins and invisible underwear.
  package_file "$config/BodyShopscreenreplacementSunset.off"
  package_file "$config/BodyShopscreenreplacementStudio.off"
  package_file "$config/mannequinreplacementTan.off"
  package_file "$config/mannequinreplacementDark.off"
  package_file "$config/wind_female_inisibleundies.off"
  package_file "$config/wind_male_inisibleundies.off"
  crlf_file "$config/Graphics Rules.sgr" 'seti textureMemory 256'
}

# Finished packages of several ages, with and without a Body Shop number.
lay_saved_sims() {
  local saved=$1
  mkdir -p "$saved"
  local entry name days
  for entry in \
    "0a1b2c3d_Summer_Dress.package:0" \
    "00000000_Blank_Top.package:1" \
    "1f2e3d4c_Red_Gown.package:2" \
    "Summer_Dress.package:5" \
    "7b7b7b7b_Denim_Jeans.package:7" \
    "My Party Outfit.package:12" \
    "3c4d5e6f_Winter_Coat.package:30" \
    "9a8b7c6d_Old_Skin.PACKAGE:90" \
    "e0e0e0e0_Swimsuit.package:400"; do
    name=${entry%:*}
    days=${entry##*:}
    package_file "$saved/$name"
    age_days "$saved/$name" "$days"
  done
  crlf_file "$saved/readme.txt" 'Finished Body Shop packages.'
  age_days "$saved/readme.txt" 3
}

lay_downloads() {
  local downloads=$1
  package_file "$downloads/Hair_Bob.package"
  package_file "$downloads/Skin_Tone_Sun.package"
  package_file "$downloads/Clothing/Evening_Dress.package"
  crlf_file "$downloads/readme.txt" 'Custom content from the web.'
}

# Projects with their folders, orphans whose folder is gone, a folder left
# without a project, and things that are neither.
lay_projects() {
  local projects=$1
  mkdir -p "$projects"
  project_file "$projects/5f0a8c21.xml" 'Red Dress'
  package_file "$projects/Red Dress/Red Dress.package"
  project_file "$projects/5f0a8c22.xml" '    Blue Jeans'
  package_file "$projects/Blue Jeans/Blue Jeans.package"
  project_file "$projects/5f0a8c23.xml" 'Old Coat'
  project_file "$projects/5f0a8c24.xml" 'Party Gown'
  package_file "$projects/Leftover Skin/Leftover Skin.package"
  mkdir -p "$projects/HomeCrafter Plus"
  crlf_file "$projects/notes.txt" 'Ideas:' 'a green dress' 'matching shoes'
}

# A Projects folder for the scenario about links, which moves it in: a project
# folder and a project file that are Unix links to things kept elsewhere, and
# a plain folder beside them.
lay_linked_projects() {
  local shared="$prefix/drive_c/Shared Work"
  rm -rf "$shared"
  package_file "$shared/Linked Dress/Linked Dress.package"
  project_file "$shared/Shared Gown.xml" 'Shared Gown'
  project_file "$shared/Projects/5f0a8c31.xml" 'Linked Dress'
  package_file "$shared/Projects/Plain Folder/Plain.package"
  ln -s "$shared/Linked Dress" "$shared/Projects/Linked Dress"
  ln -s "$shared/Shared Gown.xml" "$shared/Projects/5f0a8c32.xml"
}

# --- other editions ----------------------------------------------------------------
# Each edition is a file of tools/sandbox/editions/, named after it, which sets
#   scenario      the end-to-end scenario that runs on it (scripts/e2e.sh)
#   folders       the folders under the prefix it lays, taken away by the next reset
#   keys          the registry keys it makes beside the discs' (in .reg form),
#                 taken away by the next reset
#   keeps_discs   1 when it keeps the discs' packs (it may move them)
# and defines lay, which lays it over the discs' sandbox with the helpers below.
editions="$root/tools/sandbox/editions"

# Imports registry entries given in .reg form on standard input, in UTF-8
# here: regedit takes names such as "The Sims™ 2" only from UTF-16.
import_registry() {
  local reg="$prefix/drive_c/sandbox-edition.reg"
  { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$reg"
  DISPLAY='' timeout 120 wine regedit /S 'C:\sandbox-edition.reg'
  rm -f "$reg"
}

# The Body Shop stand-in in the given CSBin folder.
lay_body_shop() {
  mkdir -p "$1"
  if [ -f "$bodyshop_exe" ]; then
    cp "$bodyshop_exe" "$1/TS2BodyShop.exe"
  else
    printf 'The Body Shop stand-in is not built yet.\r\n' >"$1/TS2BodyShop.exe"
  fi
}

# A Legacy Collection's packs: Base, EP1 to EP9 and SP1 to SP8, the game in EP9\TSBin.
lay_legacy_packs() {
  local root=$1 pack
  for pack in Base EP1 EP2 EP3 EP4 EP5 EP6 EP7 EP8 EP9 SP1 SP2 SP3 SP4 SP5 SP6 SP7 SP8; do
    mkdir -p "$root/$pack/TSData"
  done
  mkdir -p "$root/EP9/TSBin"
  printf 'The game stand-in.\r\n' >"$root/EP9/TSBin/Sims2EP9.exe"
}

# A Legacy Collection's own per-user keys for a root given in .reg escaping:
# its name, and one key per pack with the pack's folder.
legacy_user_keys() {
  local root=$1 pack key='HKEY_CURRENT_USER\Software\Electronic Arts\The Sims 2 Ultimate Collection 25'
  printf '[%s]\n"DisplayName"="The Sims 2 Legacy"\n\n' "$key"
  for pack in EP9 SP7 SP8; do
    printf '[%s\\Sims2%s.exe]\n"Path"="%s\\\\%s"\n"Installed"="1"\n\n' "$key" "$pack" "$root" "$pack"
  done
}

# One list an edition's file sets (folders or keys), a line each.
edition_list() {
  (
    # shellcheck source=/dev/null
    source "$editions/$1.sh"
    local -n list=$2
    [ ${#list[@]} -eq 0 ] || printf '%s\n' "${list[@]}"
  )
}

# Takes away every edition's folders, and, when the last reset laid an
# edition, its registry keys: the discs' entry is put back as the sandbox
# made it.
clear_editions() {
  local file folder key laid
  for file in "$editions"/*.sh; do
    while IFS= read -r folder; do
      rm -rf "${prefix:?}/$folder"
    done < <(edition_list "$(basename "$file" .sh)" folders)
  done
  [ -f "$edition_marker" ] || return 0
  laid=$(cat "$edition_marker")
  {
    printf 'Windows Registry Editor Version 5.00\n\n'
    if [ -f "$editions/$laid.sh" ]; then
      while IFS= read -r key; do
        printf '[-%s]\n\n' "$key"
      done < <(edition_list "$laid" keys)
    fi
    cat <<'EOF'
[-HKEY_LOCAL_MACHINE\Software\Wow6432Node\EA GAMES\The Sims 2]

[HKEY_LOCAL_MACHINE\Software\Wow6432Node\EA GAMES\The Sims 2]
"Install Dir"="C:\\Program Files\\EA GAMES\\The Sims 2"
EOF
  } | import_registry
  rm -f "$edition_marker"
}

# Lays the chosen edition over the discs' sandbox.
lay_edition() {
  [ "$edition" = discs ] && return 0
  (
    keeps_discs=0
    # shellcheck source=/dev/null
    source "$editions/$edition.sh"
    # Only an edition that keeps the discs' packs (moved, maybe) finds them.
    [ "$keeps_discs" = 1 ] || rm -rf "$prefix/drive_c/Program Files/EA GAMES"
    lay
  )
  echo "$edition" >"$edition_marker"
}

reset_program_folder() {
  rm -f "$prefix/drive_c/Seamster/Seamster.ini"
}

# A sandbox of an earlier layout is made anew.
if [ -f "$marker" ] && [ "$(cat "$marker")" != "$layout_version" ]; then
  echo "sandbox: $prefix has an older layout; making it anew"
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  rm -rf "$prefix"
  mkdir -p "$prefix"
  [ "$mode" = create ] || { echo "sandbox: run '$0 create $prefix' first" >&2; exit 1; }
fi

case "$mode" in
  create)
    if [ -f "$marker" ]; then
      install_fonts
      lay_programs
    else
      make_prefix
      install_fonts
      lay_installation
      lay_user_folder
      lay_linked_projects
      reset_program_folder
      echo "sandbox: ready in $prefix"
    fi
    ;;
  reset)
    if [ ! -f "$marker" ]; then
      echo "sandbox: no sandbox in $prefix; run '$0 create $prefix' first" >&2
      exit 1
    fi
    if [ "$edition" != discs ] && [ ! -f "$editions/$edition.sh" ]; then
      echo "sandbox: unknown edition '$edition' (discs, or a file of $editions)" >&2
      exit 2
    fi
    clear_editions
    lay_installation
    lay_user_folder
    lay_linked_projects
    lay_edition
    reset_program_folder
    ;;
  *)
    echo "usage: $0 create PREFIX | reset PREFIX [EDITION]" >&2
    exit 2
    ;;
esac
