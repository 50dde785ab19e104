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
  xvfb xauth openbox xdotool wmctrl x11-utils xclip imagemagick
  clang libclang-rt-14-dev
  desktop-file-utils appstream dpkg-dev file
  libbenchmark-dev libx11-dev
  libmpfr-dev
  weston qt6-wayland xwayland dbus-daemon at-spi2-core libglib2.0-bin
  lintian
  g++-aarch64-linux-gnu qemu-user libmpfr-dev:arm64
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# The survey engine is also cross-built for arm64 against Debian's multiarch MPFR; apt offers
# arm64 packages only once dpkg knows the architecture (the update below then fetches them).
if ! dpkg --print-foreign-architectures | grep -qx arm64; then
  "${sudo_cmd[@]}" dpkg --add-architecture arm64
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)

# Our own builds treat warnings as errors (a packager's need not).
configure_and_build() { # <build dir> [cmake options...]
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTANDEMO_WERROR=ON "$@" >/dev/null &&
    cmake --build "$dir" -j "$jobs"
}

case "$mode" in
  run)
    configure_and_build build
    exec build/app/Tandemo
    ;;
  test)
    # Six stages, each run whatever the one before gave, then a summary: the suite in the
    # ordinary build; the suite again built with AddressSanitizer and UndefinedBehaviorSanitizer,
    # leaks included (LeakSanitizer at every test's exit, third-party leaks suppressed in
    # tests/sanitizers/lsan.supp); each fuzzer for a bounded time; a Release build (the
    # optimiser's own warnings, as errors) with its in-process unit tests; the survey engine
    # cross-built for arm64 and run under qemu-user, checked against x86 to the last bit; and
    # the Debian package built twice from scratch and compared byte for byte.
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
        ctest --test-dir build --output-on-failure -j "$jobs" -E '^package_reproducible$'
    }
    sanitized_suite() {
      # The sanitizers' options travel with each test (cmake/Testing.cmake).
      configure_and_build build-asan -DTANDEMO_SANITIZE=ON &&
        ctest --test-dir build-asan --output-on-failure -j "$jobs"
    }
    release_units() {
      # The e2e runs and the package check drive the built program from outside; the ordinary
      # suite has them already.
      configure_and_build build-release -DCMAKE_BUILD_TYPE=Release &&
        ctest --test-dir build-release --output-on-failure -j "$jobs" -E '^(e2e_|install_package$|package_reproducible$)'
    }
    arm64_figures() {
      # On arm64 long double is not the x87 format, so MPFR carries the survey arithmetic there.
      # survey_figures prints what is computed for each of the 75,000 answer combinations; the
      # arm64 lines must be the x86 lines, byte for byte.
      local native=build-survey/figures.txt arm64=build-arm64/figures.txt equal total
      configure_and_build build-survey -DTANDEMO_SURVEY_ONLY=ON &&
        configure_and_build build-arm64 -DTANDEMO_SURVEY_ONLY=ON \
          -DCMAKE_TOOLCHAIN_FILE="$here/cmake/aarch64-linux-gnu.cmake" &&
        build-survey/tests/survey/survey_figures >"$native" &&
        qemu-aarch64 -L /usr/aarch64-linux-gnu build-arm64/tests/survey/survey_figures >"$arm64" ||
        return 1
      # diff writes one x for each line that is the same in both at the same place.
      equal=$(diff --unchanged-line-format=x --old-line-format= --new-line-format= \
        "$native" "$arm64" | wc -c)
      total=$(wc -l <"$native")
      echo "arm64 under qemu-user: $equal/$total combinations equal to x86"
      [ "$total" -eq 75000 ] && cmp -s "$native" "$arm64"
    }
    stage "suite" suite
    stage "sanitized suite" sanitized_suite
    stage "fuzzing" bash tools/run_fuzzers.sh "${TANDEMO_FUZZ_SECONDS:-30}"
    stage "release units" release_units
    stage "arm64 figures" arm64_figures
    stage "reproducible" ctest --test-dir build --output-on-failure -R '^package_reproducible$'
    echo "== summary"
    printf '  %s\n' "${summary[@]}"
    exit "$failed"
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
