# The end-to-end scripts' helpers (tests/e2e/lib.sh) for the Windows build under Wine: a fresh
# Wine prefix in the scratch folder, no dialog of Wine's own waiting for a click, the game
# started through wine. Source it, then call qz_wine_init BUILD_DIR.
# shellcheck shell=bash
. "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"

qz_wine_cleanup() {
  # The Wine server outlives the programs; it must go before its prefix is removed.
  [ -n "${WINEPREFIX:-}" ] && timeout 20 wineserver -k 2>/dev/null
  qz_cleanup
}

# qz_wine_init BUILD_DIR: qz_init, then a new Wine prefix; the game to start is
# BUILD_DIR/quizendo.exe through wine.
qz_wine_init() {
  local exe
  exe=$(readlink -f "$1/quizendo.exe")
  for tool in wine wineserver; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed"; exit 0; }
  done
  qz_init "$exe"
  trap qz_wine_cleanup EXIT
  export WINEPREFIX="$qz_work/wine" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all \
    LANG=C.UTF-8 LC_ALL=C.UTF-8
  timeout 120 wineboot -i >/dev/null 2>&1 || fail "wineboot did not make the prefix"
  qz_exe=$(command -v wine)
  qz_args=("$exe")
}

# qz_reg ARGS...: `wine reg ARGS`, its output without carriage returns.
qz_reg() {
  timeout 30 wine reg "$@" 2>/dev/null | tr -d '\r'
}

# qz_reg_text KEY: the key exported as UTF-8 text (`reg query` prints texts in the console's
# code page, where letters outside it come out as '?').
qz_reg_text() {
  rm -f "$qz_work/key.reg"
  timeout 30 wine reg export "$1" 'Z:'"$(echo "$qz_work/key.reg" | tr / '\\')" /y >/dev/null 2>&1 &&
    iconv -f UTF-16LE -t UTF-8 "$qz_work/key.reg" | tr -d '\r'
}

# qz_wine_box TITLE [SECONDS]: prints the id of the window titled exactly TITLE, case and all,
# once it shows (xdotool's search ignores case: "quizendo" would find "Quizendo" too).
qz_wine_box() {
  local id
  for _ in $(seq $((${2:-15} * 10))); do
    for id in $(xdotool search --name "^$1\$" 2>/dev/null); do
      [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  return 1
}
