# shellcheck shell=bash disable=SC2034,SC2154
# Sourced by tools/sandbox/make-sandbox.sh.
# The Legacy Collection in a second Steam library listed in Steam's
# libraryfolders.vdf, with the game's per-user keys and Steam's uninstall
# entry, a Body Shop added to EP9.
scenario=Editions.LegacyCollectionWithBodyShop
folders=("drive_c/Program Files (x86)/Steam" "drive_c/SteamLibrary")
keys=('HKEY_CURRENT_USER\Software\Electronic Arts\The Sims 2 Ultimate Collection 25'
  'HKEY_CURRENT_USER\Software\Valve\Steam'
  'HKEY_LOCAL_MACHINE\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall\Steam App 3314070')

lay() {
  local steam="$prefix/drive_c/Program Files (x86)/Steam"
  local root="$prefix/drive_c/SteamLibrary/steamapps/common/The Sims 2 Legacy Collection"
  lay_legacy_packs "$root"
  lay_body_shop "$root/EP9/CSBin"
  mkdir -p "$steam/steamapps"
  crlf_file "$steam/steamapps/libraryfolders.vdf" \
    '"libraryfolders"' '{' \
    '	"0"' '	{' '		"path"		"C:\\Program Files (x86)\\Steam"' '	}' \
    '	"1"' '	{' '		"path"		"C:\\SteamLibrary"' \
    '		"apps"' '		{' '			"3314070"		"4096"' '		}' '	}' '}'
  local win='C:\\SteamLibrary\\steamapps\\common\\The Sims 2 Legacy Collection'
  import_registry <<EOF
Windows Registry Editor Version 5.00

[-HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\EA GAMES\\The Sims 2]

[HKEY_CURRENT_USER\\Software\\Valve\\Steam]
"SteamPath"="c:/program files (x86)/steam"

[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Steam App 3314070]
"DisplayName"="The Sims 2 Legacy Collection"
"InstallLocation"="$win"

$(legacy_user_keys "$win")
EOF
  lay_game_folder "$(user_folder)/Documents/EA Games/The Sims 2 Legacy"
}
