# shellcheck shell=bash disable=SC2034,SC2154
# Sourced by tools/sandbox/make-sandbox.sh.
# The discs' packs in C:\Program Files (x86)\EA GAMES, and no "Install Dir" in
# the registry.
scenario=Editions.DiscsUnderProgramFilesX86
keeps_discs=1
folders=("drive_c/Program Files (x86)/EA GAMES")
keys=()

lay() {
  mkdir -p "$prefix/drive_c/Program Files (x86)"
  mv "$prefix/drive_c/Program Files/EA GAMES" "$prefix/drive_c/Program Files (x86)/EA GAMES"
  import_registry <<'EOF'
Windows Registry Editor Version 5.00

[-HKEY_LOCAL_MACHINE\Software\Wow6432Node\EA GAMES\The Sims 2]
EOF
}
