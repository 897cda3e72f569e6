# shellcheck shell=bash disable=SC2034,SC2154
# Sourced by tools/sandbox/make-sandbox.sh.
# The Ultimate Collection in Program Files (x86)\Origin Games, its Body Shop in
# Fun with Pets\SP9\CSBin, its registry entry naming Double Deluxe\Base.
scenario=Editions.UltimateCollection
folders=("drive_c/Program Files (x86)/Origin Games")
keys=()

lay() {
  local root="$prefix/drive_c/Program Files (x86)/Origin Games/The Sims 2 Ultimate Collection"
  local name='The Sims™ 2 Ultimate Collection' folder
  for folder in "Apartment Life" "Best of Business/EP3" "Bon Voyage/EP6" "Double Deluxe/Base" \
    "Double Deluxe/EP2" "Free Time/EP7" "Fun with Pets/EP4" "Glamour Life Stuff/SP2" \
    "Seasons/EP5" "University Life/EP1"; do
    mkdir -p "$root/$folder/TSData"
  done
  lay_body_shop "$root/Fun with Pets/SP9/CSBin"
  import_registry <<EOF
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\EA GAMES\\The Sims 2]
"Install Dir"="C:\\\\Program Files (x86)\\\\Origin Games\\\\The Sims 2 Ultimate Collection\\\\Double Deluxe\\\\Base"
"DisplayName"="$name"
EOF
  lay_game_folder "$(user_folder)/Documents/EA Games/$name"
}
