#!/usr/bin/env bash
# Installs what the project needs on Debian 12, builds it, then either starts the
# program (run) or runs the whole test suite (test). Safe to run again: packages
# already present are not fetched and an up-to-date build does nothing.
set -euo pipefail

mode=${1:-run}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev libgl-dev
  fonts-liberation fonts-urw-base35 fonts-dejavu-core
  xvfb xauth openbox xdotool x11-utils xclip imagemagick
  clang libclang-rt-14-dev
  desktop-file-utils appstream dpkg-dev file
  libbenchmark-dev libx11-dev
  libmpfr-dev
  weston qt6-wayland xwayland dbus-daemon at-spi2-core libglib2.0-bin
  lintian
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)

configure_and_build() { # <build dir> [cmake options...]
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null &&
    cmake --build "$dir" -j "$jobs"
}

case "$mode" in
  run)
    configure_and_build build
    exec build/app/Tandemo
    ;;
  test)
    # Three stages, each run whatever the one before gave, then a summary: the suite in the
    # ordinary build; the suite again built with AddressSanitizer and UndefinedBehaviorSanitizer,
    # leaks included (LeakSanitizer at every test's exit, third-party leaks suppressed in
    # tests/sanitizers/lsan.supp); and each fuzzer for a bounded time.
    summary=()
    failed=0
    stage() { # <name> <command...>
      local name=$1 start=$SECONDS status=passed
      shift
      echo "== $name"
      "$@" || { status=FAILED; failed=1; }
      summary+=("$(printf '%-16s %-7s %4d s' "$name" "$status" $((SECONDS - start)))")
    }
    suite() {
      configure_and_build build &&
        ctest --test-dir build --output-on-failure -j "$jobs"
    }
    sanitized_suite() {
      # The sanitizers' options travel with each test (cmake/Testing.cmake).
      configure_and_build build-asan -DTANDEMO_SANITIZE=ON &&
        ctest --test-dir build-asan --output-on-failure -j "$jobs"
    }
    stage "suite" suite
    stage "sanitized suite" sanitized_suite
    stage "fuzzing" bash tools/run_fuzzers.sh "${TANDEMO_FUZZ_SECONDS:-30}"
    echo "== summary"
    printf '  %s\n' "${summary[@]}"
    exit "$failed"
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
