#!/usr/bin/env bash
# Sets up a Debian 12 machine for the radio programmer, builds it, and either runs the
# desktop program ("run") or every test ("test"). Packages already installed are skipped.
set -euo pipefail

mode=${1:-run}
shift || true
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"

packages=(
  g++ cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libgl-dev
  # lrelease and lupdate for the translations; Qt's own Chinese texts (standard buttons, dialogs)
  qt6-l10n-tools qt6-translations-l10n
  libgtest-dev libgmock-dev
  fonts-liberation fonts-noto-cjk fonts-wqy-zenhei
  xvfb xauth xdotool imagemagick poppler-utils
  # the clipboard of a virtual screen, for checking paste from other programs by hand
  xclip
  # what a screen reader receives, for scripts/a11y_check.py
  python3-pyatspi at-spi2-core dbus-x11
  # the Debian package and its checks
  dpkg-dev file man-db desktop-file-utils appstream
  # the core cross-compiled for Windows, its tests run under wine
  g++-mingw-w64-x86-64-posix wine64
  clang-14 libclang-rt-14-dev
  # a compiler cache, so a second build of unchanged sources costs little
  ccache
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then sudo_cmd=(); else sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)

# Every preset compiles through ccache when it is there; paths below the checkout are hashed
# relative to it, so another clone of the same sources reuses the cache.
if command -v ccache >/dev/null; then
  export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
  export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$here}
  # Debug information would otherwise tie each cached object to the checkout's folder.
  export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
fi

build_default() {
  cmake --preset default >/dev/null
  cmake --build --preset default -j "$jobs"
}

mingw_core() {
  if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
    echo "MinGW-w64 (g++-mingw-w64-x86-64-posix) not installed: the Windows build of the core is skipped"
    return 0
  fi
  local wine=""
  for w in wine64 /usr/lib/wine/wine64 wine; do
    if command -v "$w" >/dev/null; then wine=$(command -v "$w"); break; fi
  done
  cmake --preset mingw-core -DCMAKE_CROSSCOMPILING_EMULATOR="$wine" >/dev/null
  cmake --build --preset mingw-core -j "$jobs"
  if [ -n "$wine" ]; then
    # Tests started side by side into a new wine prefix race to create it and its server:
    # make the prefix first and keep one server running while they run.
    export WINEPREFIX="$here/build/mingw-core/wineprefix" WINEDEBUG=-all
    "$wine" wineboot --init >/dev/null 2>&1 || true
    local server
    server=$(command -v wineserver || command -v /usr/lib/wine/wineserver64 || true)
    if [ -n "$server" ]; then "$server" -p >/dev/null 2>&1 || true; fi
    local status=0
    ctest --preset mingw-core -j "$jobs" || status=$?
    if [ -n "$server" ]; then "$server" -k >/dev/null 2>&1 || true; fi
    unset WINEPREFIX WINEDEBUG
    return "$status"
  else
    echo "wine not installed: the Windows core tests were built, not run"
  fi
}

case "$mode" in
  run)
    build_default
    # Without a display (a bare server or CI) the program still runs, on a virtual screen.
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
      exec xvfb-run -a build/default/bin/Program "$@"
    fi
    exec build/default/bin/Program "$@"
    ;;
  test)
    build_default
    ctest --preset default -j "$jobs"
    # The core again under AddressSanitizer and UndefinedBehaviorSanitizer.
    cmake --preset asan >/dev/null
    cmake --build --preset asan -j "$jobs"
    ctest --preset asan -j "$jobs"
    # The pseudo-terminal server and its threads under ThreadSanitizer.
    cmake --preset tsan >/dev/null
    cmake --build --preset tsan -j "$jobs"
    ctest --preset tsan -j "$jobs"
    # The Debian package, built and checked without installing it.
    bash scripts/check_package.sh build/default
    # The core and its tests for Windows, so POSIX-only code cannot creep into it; the tests
    # run under wine where it is installed.
    mingw_core
    # The fuzz targets (clang, libFuzzer, ASan, UBSan): the committed corpus, then each target
    # for RADIO_FUZZ_SECONDS (30 by default) with a scratch corpus.
    cmake --preset fuzz >/dev/null
    cmake --build --preset fuzz -j "$jobs"
    ctest --preset fuzz -j "$jobs"
    ;;
  *)
    echo "usage: scripts/setup.sh run|test [program arguments]" >&2
    exit 2
    ;;
esac
