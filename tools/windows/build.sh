#!/usr/bin/env bash
# Builds the Windows version of the game into build-windows/ (or the folder given) with
# Debian's mingw-w64: the dependencies first (tools/windows/build-deps.sh, cached under
# ~/.cache/quizendo), then quizendo.exe with its assets and fonts beside it.
# Usage: tools/windows/build.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build-windows}
deps=$(tools/windows/build-deps.sh)
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
  -DQZ_WINDOWS_DEPS="$deps" -DCMAKE_BUILD_TYPE=Release ${QZ_WERROR:+-DQZ_WERROR=ON} >/dev/null
cmake --build "$build" -j"${QZ_JOBS:-$(nproc)}"
