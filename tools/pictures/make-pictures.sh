#!/usr/bin/env bash
# Renders the program's pictures from the SVG files beside this script into
# src/res/pictures/, as the resource script takes them: an icon holds every
# size the program asks for (the 96-DPI size first), pictures 6 and 7 are
# 8-bit bitmaps, one file per display scale.
#
#   tools/pictures/make-pictures.sh           # write src/res/pictures/
#   tools/pictures/make-pictures.sh --check   # fail when a committed file is not what the SVGs give
#
# rsvg-convert draws, icotool packs the icons (the 256-pixel image as PNG) and
# ImageMagick reduces the bitmaps to 256 colours.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$(cd "$here/../../src/res/pictures" && pwd)
check=0
[ "${1:-}" = "--check" ] && check=1

# Each output file, then the SVG that draws each of its images and the
# sizes it is drawn at (a single number for a square).
pictures=(
  "seamster.ico       seamster-16.svg:16 seamster-32.svg:24,32 seamster-48.svg:48 seamster.svg:256"
  "picture06.bmp      body-shop-running.svg:48"
  "picture07.bmp      body-shop-idle.svg:48"
  "picture06-125.bmp  body-shop-running.svg:60"
  "picture07-125.bmp  body-shop-idle.svg:60"
  "picture06-150.bmp  body-shop-running.svg:72"
  "picture07-150.bmp  body-shop-idle.svg:72"
  "picture06-200.bmp  body-shop-running.svg:96"
  "picture07-200.bmp  body-shop-idle.svg:96"
  "picture11.ico      help.svg:32,40,48,64"
  "picture12.ico      background-colour.svg:16,32,20,24,40,48,64"
  "picture13.ico      background-image-16.svg:16 background-image.svg:32 background-image-16.svg:20,24 background-image.svg:40,48,64"
  "picture14.ico      clean-up.svg:32,40,48,64"
  "picture15.ico      hidden-folders.svg:32,40,48,64"
  "picture16.ico      extras.svg:16,32,20,24,40,48,64"
  "picture17.ico      about-32.svg:32,40 about-48.svg:48,64"
  "picture18.ico      options.svg:32,40,48,64"
  "picture19.ico      set-up.svg:32,40,48,64"
  "picture20.ico      changed.svg:16,20,24,32"
  "picture21.ico      folder.svg:16,32,20,24,40,48,64"
  "picture22.ico      female-undies.svg:16,20,24,32"
  "picture23.ico      male-undies.svg:16,20,24,32"
  "picture24.ico      about-art.svg:122x176"
  "picture25.ico      about-banner.svg:50x178"
  "picture26.ico      about-32.svg:32,40 about-48.svg:48,64"
  "picture27.ico      rename.svg:32 rename-16.svg:16 rename.svg:20,24,40,48,64"
)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
made="$work/made"
mkdir -p "$made"

render() {  # output, then svg:sizes ...
  local name=$1 n=0 images=() item svg sizes size
  shift
  for item in "$@"; do
    svg=${item%%:*}
    IFS=, read -ra sizes <<<"${item#*:}"
    for size in "${sizes[@]}"; do
      [[ $size == *x* ]] || size=${size}x${size}
      n=$((n + 1))
      rsvg-convert -w "${size%x*}" -h "${size#*x}" "$here/$svg" -o "$work/$n.png"
      # icotool stores a 256-pixel image as the PNG it is given.
      if [ "$size" = 256x256 ]; then images+=(-r "$work/$n.png"); else images+=("$work/$n.png"); fi
    done
  done
  # Every icon image 32-bit (icotool would give one of few colours a palette):
  # the tool bar takes the resource's own pixels. The bitmaps are uncompressed.
  case "$name" in
    *.ico) icotool -c -b 32 -o "$made/$name" "${images[@]}" ;;
    *.bmp) convert "$work/1.png" -alpha off +dither -colors 256 -type Palette -compress None BMP3:"$made/$name" ;;
  esac
}

for row in "${pictures[@]}"; do
  # shellcheck disable=SC2086  # a row is its words
  render $row
done

if [ $check -eq 0 ]; then
  cp "$made"/* "$out/"
  echo "make-pictures: wrote ${#pictures[@]} files to src/res/pictures/"
  exit 0
fi
# The sizes and pixels of every image in a file.
pixels() { identify -format '%wx%h\n' "$1" && convert "$1" -depth 8 rgba:- | md5sum; }
stale=()
for file in "$made"/*; do
  name=$(basename "$file")
  cmp -s "$file" "$out/$name" && continue
  [ -f "$out/$name" ] || { stale+=("$name"); continue; }
  # Another release of a tool may write the same pixels in other bytes. (Set
  # apart, so that a failing reader ends the check instead of matching nothing.)
  drawn=$(pixels "$file")
  kept=$(pixels "$out/$name")
  [ "$drawn" = "$kept" ] || stale+=("$name")
done
if [ ${#stale[@]} -gt 0 ]; then
  echo "make-pictures: not what the SVGs give: ${stale[*]} (run tools/pictures/make-pictures.sh)" >&2
  exit 1
fi
echo "make-pictures: all ${#pictures[@]} picture files are current"
