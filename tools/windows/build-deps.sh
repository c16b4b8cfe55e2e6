#!/usr/bin/env bash
# Builds SDL2, FreeType, SDL2_ttf and SDL2_mixer (WAVE only) for 64-bit Windows from Debian's
# own source packages with Debian's mingw-w64, static, once, into a cache folder keyed by their
# versions and the compiler's, and prints that folder.
#
# The sources come through apt with a sources list and state folder of this script's own, so
# the machine's apt configuration is never changed. No prebuilt Windows library is used.
#
# Usage: tools/windows/build-deps.sh     (prints the prefix to pass as QZ_WINDOWS_DEPS)
# Environment: QZ_CACHE (default ~/.cache/quizendo), QZ_DEBIAN_MIRROR (default: the machine's
# own Debian mirror from /etc/apt), QZ_JOBS (default: the number of cores).
set -euo pipefail

# Bump when the build options below change, so an old cache is not reused.
readonly RECIPE=1
readonly SUITE=bookworm

here=$(cd "$(dirname "$0")" && pwd)
toolchain=$here/../../cmake/mingw-w64.cmake
cache_root=${QZ_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quizendo}
apt_dir=$cache_root/windows-apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/sources"

log() { echo "build-deps: $*" >&2; }

debian_mirror() {
  if [ -n "${QZ_DEBIAN_MIRROR:-}" ]; then
    echo "$QZ_DEBIAN_MIRROR"
    return
  fi
  local uri
  # deb822 files first (URIs: lines), then one-line sources.
  uri=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
    awk '/^URIs:/ { for (i = 2; i <= NF; i++) if ($i ~ /\/debian\/?$/) { print $i; exit } }')
  if [ -z "$uri" ]; then
    uri=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
      awk '/^deb(-src)? / { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\/.*\/debian\/?$/) { print $i; exit } }')
  fi
  if [ -z "$uri" ]; then
    log "no Debian mirror found in /etc/apt; set QZ_DEBIAN_MIRROR"
    exit 1
  fi
  echo "${uri%/}"
}

apt_opts=(-o "Dir::Etc::sourcelist=$apt_dir/sources.list" -o Dir::Etc::sourceparts=-
  -o "Dir::State::Lists=$apt_dir/lists" -o Debug::NoLocking=1 -o APT::Sandbox::User=root)

keyring=/usr/share/keyrings/debian-archive-keyring.gpg
echo "deb-src [signed-by=$keyring] $(debian_mirror) $SUITE main" >"$apt_dir/sources.list"

# The index is refreshed at most once a day; an offline machine with a cache still builds.
if [ -z "$(find "$apt_dir/lists" -maxdepth 1 -name '*Sources*' -mtime -1 2>/dev/null)" ]; then
  log "apt-get update (own lists in $apt_dir)"
  apt-get -q "${apt_opts[@]}" update >&2 || log "apt-get update failed; using the lists there are"
fi

source_version() {
  apt-cache "${apt_opts[@]}" showsrc "$1" 2>/dev/null | awk '/^Version:/ { print $2 }' |
    sort -V | tail -n1
}

readonly PACKAGES=(libsdl2 freetype libsdl2-ttf libsdl2-mixer)
key="r$RECIPE-mingw-$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)"
key+="-crt-$(dpkg-query -W -f='${Version}' mingw-w64-x86-64-dev)"
declare -A version
for pkg in "${PACKAGES[@]}"; do
  version[$pkg]=$(source_version "$pkg")
  if [ -z "${version[$pkg]}" ]; then
    log "no source package $pkg in $SUITE"
    exit 1
  fi
  key+="-$pkg-${version[$pkg]}"
done
key=${key//[^A-Za-z0-9.+_-]/_}
prefix=$cache_root/windows-deps/$key
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

log "building into $prefix (about 5 minutes on 2 cores)"
work=$(mktemp -d "$cache_root/windows-build.XXXXXX")
trap 'rm -rf "$work"' EXIT
rm -rf "$prefix"
mkdir -p "$prefix"

# Fetches and unpacks one source package with Debian's patches applied; prints its folder.
unpack() {
  local pkg=$1 dl=$apt_dir/sources/$1-${version[$1]}
  if [ ! -f "$dl/.complete" ]; then
    mkdir -p "$dl"
    (cd "$dl" && apt-get -q "${apt_opts[@]}" source --download-only "$pkg=${version[$pkg]}" >&2)
    touch "$dl/.complete"
  fi
  local dsc
  dsc=$(ls "$dl"/*.dsc)
  # apt checked every file against the archive's signed index when it fetched them; the
  # uploader's own signature on the .dsc needs a keyring the machine may not have.
  dpkg-source -x "$dsc" "$work/$pkg" >&2
  echo "$work/$pkg"
}

jobs=${QZ_JOBS:-$(nproc)}
cmake_build() {
  local src=$1 name=$2
  shift 2
  cmake -S "$src" -B "$work/build-$name" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQZ_WINDOWS_DEPS="$prefix" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_PREFIX_PATH="$prefix" "$@" >&2
  cmake --build "$work/build-$name" -j"$jobs" >&2
  cmake --install "$work/build-$name" >&2
}

src=$(unpack libsdl2)
cmake_build "$src" sdl2 -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF

src=$(unpack freetype)
cmake_build "$src" freetype -DBUILD_SHARED_LIBS=OFF -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON \
  -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON

src=$(unpack libsdl2-ttf)
cmake_build "$src" ttf -DBUILD_SHARED_LIBS=OFF -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=OFF \
  -DSDL2TTF_SAMPLES=OFF -DSDL2_DIR="$prefix/lib/cmake/SDL2"

src=$(unpack libsdl2-mixer)
cmake_build "$src" mixer -DBUILD_SHARED_LIBS=OFF -DSDL2MIXER_VENDORED=OFF \
  -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_CMD=OFF -DSDL2MIXER_WAVE=ON -DSDL2MIXER_FLAC=OFF \
  -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MP3=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_OPUS=OFF \
  -DSDL2MIXER_VORBIS=OFF -DSDL2MIXER_WAVPACK=OFF -DSDL2_DIR="$prefix/lib/cmake/SDL2"

touch "$prefix/.complete"
log "done: $prefix"
echo "$prefix"
