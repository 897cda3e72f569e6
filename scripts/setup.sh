#!/usr/bin/env bash
# Installs what building, running and testing Seamster needs on Debian 12, and
# builds static MinGW libpng and libjpeg-turbo from Debian's own source packages
# into build/deps/. Idempotent: a second run takes seconds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/build/deps"

packages=(
  g++ clang clang-format libclang-rt-14-dev cmake ninja-build git
  g++-mingw-w64-x86-64 libz-mingw-w64-dev nasm dpkg-dev
  wine wine64 xvfb xauth xdotool imagemagick fonts-dejavu-core fonts-wine fonts-liberation
  libpng-dev libjpeg-dev zlib1g-dev googletest libgtest-dev shellcheck desktop-file-utils
  fp-utils-3.2.2 python3 librsvg2-bin icoutils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [ -f "$deps/lib/libpng16.a" ] && [ -f "$deps/lib/libjpeg.a" ]; then
  exit 0
fi

echo "setup: building static libpng and libjpeg-turbo for Windows"
work="$root/build/deps-src"
rm -rf "$work"
mkdir -p "$work/lists/partial" "$work/cache/archives/partial" "$deps"

# A private deb-src list made from the machine's own apt sources: only the
# release's main suite (the security suite's source pool is not served).
sources=/etc/apt/sources.list.d/debian.sources
if [ -f "$sources" ]; then
  uri=$(awk '/^URIs:/ && $2 !~ /security/ {print $2; exit}' "$sources")
  suite=$(awk '/^Suites:/ {print $2; exit}' "$sources")
  keyring=$(awk '/^Signed-By:/ {print $2; exit}' "$sources")
else
  read -r uri suite < <(awk '$1 == "deb" && $0 !~ /security/ {print $2, $3; exit}' /etc/apt/sources.list)
fi
keyring=${keyring:-/usr/share/keyrings/debian-archive-keyring.gpg}
printf 'deb-src [signed-by=%s] %s %s main\n' "$keyring" "$uri" "$suite" >"$work/sources.list"
apt_opts=(-o "Dir::Etc::SourceList=$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
          -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache" -o APT::Sandbox::User=root)
apt-get "${apt_opts[@]}" update -qq
(cd "$work" && apt-get "${apt_opts[@]}" source --download-only -qq libpng1.6 libjpeg-turbo)
(cd "$work" && for dsc in *.dsc; do dpkg-source -x "$dsc" >/dev/null 2>&1; done)

toolchain="$root/cmake/mingw-w64-x86_64.cmake"
zlib=/usr/x86_64-w64-mingw32/lib/libz.a

png_src=$(find "$work" -maxdepth 1 -type d -name 'libpng1.6-*' | head -n 1)
cmake -S "$png_src" -B "$work/png-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_LIBRARY="$zlib" -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include >/dev/null
cmake --build "$work/png-build" >/dev/null
cmake --install "$work/png-build" >/dev/null

# libjpeg-turbo's tools cannot be switched off: build only the static library
# and install it with its headers by hand.
jpeg_src=$(find "$work" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
cmake -S "$jpeg_src" -B "$work/jpeg-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
  -DWITH_SIMD=ON -Wno-dev >/dev/null
cmake --build "$work/jpeg-build" --target jpeg-static >/dev/null
mkdir -p "$deps/include" "$deps/lib"
cp "$jpeg_src/jpeglib.h" "$jpeg_src/jmorecfg.h" "$jpeg_src/jerror.h" \
   "$work/jpeg-build/jconfig.h" "$deps/include/"
cp "$work/jpeg-build/libjpeg.a" "$deps/lib/libjpeg.a"

rm -rf "$work"
echo "setup: dependencies ready in build/deps"
