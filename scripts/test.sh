#!/usr/bin/env bash
# Installs what is needed, builds every configuration from nothing and runs all tests: native
# release, ASan+UBSan, TSan, the Windows module with its tests under wine, and a short run of
# every libFuzzer target (scripts/fuzz.sh runs them longer).
# LUMORA_TEST_PRESETS narrows the list (e.g. "release windows").
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
presets=${LUMORA_TEST_PRESETS:-"release debug-asan tsan windows fuzz"}
jobs=$(nproc)

run_native() {
  local preset=$1
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  # TSan needs a fixed-layout address space on kernels with large mmap randomisation.
  if [ "$preset" = tsan ]; then
    setarch "$(uname -m)" -R ctest --preset "$preset" -j "$jobs"
  else
    ctest --preset "$preset" -j "$jobs"
  fi
}

run_windows() {
  cmake --preset windows >/dev/null
  cmake --build --preset windows -j "$jobs"
  export WINEPREFIX="$PWD/build/windows/wineprefix" WINEARCH=win64 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$WINEPREFIX"
  # One persistent wine server for the whole run; dialogs need a display, so all of it runs
  # inside a virtual X server.
  xvfb-run -a bash -c '
    set -e
    wineserver -p
    wine cmd /c exit 0 >/dev/null 2>&1 || true
    # No window manager runs here: unmanaged windows close at once instead of after 2 s.
    wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1 || true
    status=0
    # A wine process now and then dies before the test starts (no output, ~20 ms); such a
    # case gets one more run. A test that fails for real fails both times.
    ctest --preset windows -j "$1" --repeat until-pass:2 || status=$?
    wineserver -k || true
    exit $status' _ "$jobs"
}

for preset in $presets; do
  echo "=== $preset ==="
  case $preset in
    windows) run_windows ;;
    fuzz) scripts/fuzz.sh 30 ;;
    *) run_native "$preset" ;;
  esac
done
