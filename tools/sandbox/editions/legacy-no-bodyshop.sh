# shellcheck shell=bash disable=SC2034,SC2154
# Sourced by tools/sandbox/make-sandbox.sh.
# The Legacy Collection of the EA app (Program Files\EA Games\The Sims 2
# Legacy) as it ships, without a Body Shop.
scenario=Editions.LegacyCollectionAsItShips
folders=("drive_c/Program Files/EA Games")
keys=('HKEY_CURRENT_USER\Software\Electronic Arts\The Sims 2 Ultimate Collection 25')

lay() {
  lay_legacy_packs "$prefix/drive_c/Program Files/EA Games/The Sims 2 Legacy"
  import_registry <<EOF
Windows Registry Editor Version 5.00

[-HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\EA GAMES\\The Sims 2]

$(legacy_user_keys 'C:\\Program Files\\EA Games\\The Sims 2 Legacy')
EOF
  lay_game_folder "$(user_folder)/Documents/EA Games/The Sims 2 Legacy"
}
