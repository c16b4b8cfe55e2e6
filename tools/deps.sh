# Installs the Debian packages that are missing. Sourced by ./run and ./test.
# Usage: qz_install_packages pkg...
qz_install_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing Debian packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo=(sudo)
    else
      echo "These packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
      return 1
    fi
  fi
  export DEBIAN_FRONTEND=noninteractive
  if ! "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"; then
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
}

# libfontconfig-dev: characters the DejaVu faces lack are drawn from a system font that has them.
QZ_BUILD_PACKAGES=(build-essential cmake pkg-config libsdl2-dev libsdl2-ttf-dev
  libsdl2-mixer-dev libfontconfig-dev fonts-dejavu-core fonts-dejavu-extra)
# xfonts-base: SDL's X11 message box draws with the X server's core fonts; a bare Xvfb has none
# and the box fails to open.
# dpkg-dev (dpkg-shlibdeps), fakeroot, lintian, appstream, desktop-file-utils, man-db: the
# Debian package is built and checked as Debian checks one. openbox: a window manager for the
# full-screen test (without one, nobody on an X server puts a window on the whole screen).
# faketime: the system clock set while the real game runs.
# fonts-wqy-microhei: a small CJK font, so a name in Chinese is drawn from a system font.
QZ_TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xfonts-base xdotool x11-utils
  imagemagick clang clang-format libclang-rt-14-dev python3 librsvg2-bin chromium
  dpkg-dev fakeroot lintian appstream desktop-file-utils man-db openbox faketime fonts-wqy-microhei)
# The browser build: Debian's Emscripten, the tools that unpack Debian source packages, the
# font subsetter (fontTools) and Chromium for its tests.
QZ_WEB_PACKAGES=(emscripten binaryen dpkg-dev python3 python3-fonttools chromium)
# The Windows build: Debian's mingw-w64 cross compilers (their -posix thread model), the tools
# that unpack Debian source packages, Wine to run the programs in the tests (with Xvfb, xdotool
# and ImageMagick from the test packages) and NSIS for the installer.
QZ_WINDOWS_PACKAGES=(mingw-w64 dpkg-dev wine wine64 nsis)
