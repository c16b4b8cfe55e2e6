#!/usr/bin/env bash
# Builds the browser version of the game into build-web/ (or the folder given): the
# dependencies first (tools/web/build-deps.sh, cached under ~/.cache/quizendo), then the game,
# its report and its page. The folder then holds everything a web server must serve.
# Usage: tools/web/build.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build-web}
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
deps=$(tools/web/build-deps.sh)
emcmake cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQZ_WEB_DEPS="$deps" \
  ${QZ_WERROR:+-DQZ_WERROR=ON} >/dev/null
cmake --build "$build" -j"${QZ_JOBS:-$(nproc)}"
