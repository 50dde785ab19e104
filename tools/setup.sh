#!/usr/bin/env bash
# Installs what the project needs on Debian 12 or 13, builds it, then either starts the
# program (run) or runs the whole test suite (test). Safe to run again: packages
# already present are not fetched and an up-to-date build does nothing.
#
# run installs only what building and running the program takes; test adds what the
# tests take. The package manager's output goes to build-logs/apt.log, each test stage's
# to build-logs/<stage>.log.
set -euo pipefail

mode=${1:-run}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"
logs=$here/build-logs

case "$mode" in
  run | test) ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac

# Building and running: the compiler, CMake, Qt, the X11 client library the centring
# speaks through, MPFR for the survey arithmetic, the fonts that stand in for the designed
# faces, and what CPack's Debian package needs to find the libraries it depends on
# (dpkg-shlibdeps, file), so that the README's Install section works after either command.
run_packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libx11-dev
  libmpfr-dev
  fonts-liberation fonts-urw-base35 fonts-dejavu-core
  dpkg-dev file
)
# A desktop that is Wayland alone needs Qt's Wayland plugin to show the program at all.
[ -z "${WAYLAND_DISPLAY:-}" ] || run_packages+=(qt6-wayland)

# The tests on top: private X servers, the window managers the real program is run under
# (openbox, xfwm4, mutter, KWin with Breeze) and the tools that drive it from outside, a
# headless Wayland compositor with its buses, Clang for the sanitizers and fuzzers, the
# package checks, and the arm64 cross build run under qemu-user. Packages whose names
# differ between releases are added below, from what the release offers.
test_packages=(
  xvfb xauth openbox xfwm4 mutter kwin-x11 kwin-style-breeze kwin-wayland
  xdotool wmctrl x11-utils xclip imagemagick
  weston qt6-wayland xwayland dbus-daemon at-spi2-core libglib2.0-bin
  clang
  desktop-file-utils appstream lintian
  g++-aarch64-linux-gnu qemu-user
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# The package lists are read before anything is chosen by name; a fresh root has none.
lists_read=
read_lists() {
  [ -z "$lists_read" ] || return 0
  mkdir -p "$logs"
  "${sudo_cmd[@]}" apt-get update >>"$logs/apt.log" 2>&1 ||
    { tail -n 20 "$logs/apt.log" >&2; echo "setup: apt-get update failed" >&2; exit 1; }
  lists_read=1
}
offered() { apt-cache show --no-all-versions "$1" >/dev/null 2>&1; }

packages=("${run_packages[@]}")
if [ "$mode" = test ]; then
  packages+=("${test_packages[@]}")
  if ! offered clang || ! offered kwin-x11; then read_lists; fi
  # The sanitizers' runtime is packaged apart from Clang since LLVM 14, under Clang's
  # major version: the one the release's clang package stands for.
  clang_major=$(apt-cache depends clang 2>/dev/null | sed -n 's/^ *Depends: clang-\([0-9]\+\)$/\1/p' | head -n 1)
  [ -n "$clang_major" ] || { echo "setup: this release offers no clang package" >&2; exit 1; }
  packages+=("libclang-rt-$clang_major-dev")
  # KWin 6 hands its global shortcuts (Alt+F4 among them) to a service of its own, which
  # KWin 5 still carried inside; only a release that has the service packages it.
  ! offered kglobalacceld || packages+=(kglobalacceld)
  unknown=()
  for p in "${packages[@]}"; do offered "$p" || unknown+=("$p"); done
  if ((${#unknown[@]})); then
    echo "setup: this release offers no package named: ${unknown[*]}" >&2
    exit 1
  fi
  # The survey engine is also cross-built for arm64 against Debian's multiarch MPFR; apt
  # offers arm64 packages only once dpkg knows the architecture. Only the test command
  # needs that, so only it adds the architecture, once, and only after every other name
  # has been found.
  if ! dpkg --print-foreign-architectures | grep -qx arm64; then
    echo "Adding the arm64 architecture to dpkg for the cross-built survey check"
    "${sudo_cmd[@]}" dpkg --add-architecture arm64
    lists_read=
  fi
  packages+=(libmpfr-dev:arm64)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  mkdir -p "$logs"
  echo "Installing ${#missing[@]} packages (apt's output: $logs/apt.log): ${missing[*]}"
  read_lists
  if ! DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends \
    "${missing[@]}" >>"$logs/apt.log" 2>&1; then
    tail -n 20 "$logs/apt.log" >&2
    echo "setup: installing packages failed; apt's whole output is in $logs/apt.log" >&2
    exit 1
  fi
fi

# Qt's tools (rcc, uic) and the program read text as UTF-8; in a locale that is not (the C
# locale of an empty environment) Qt switches to one itself and warns about it. The build
# and the tests run in the C locale's UTF-8 form instead; the program is started in the
# caller's own locale.
caller_lc_all=${LC_ALL-unset}
[ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_ALL=C.UTF-8

jobs=$(nproc)

# Our own builds treat warnings as errors (a packager's need not).
configure() { # <build dir> [cmake options...]
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTANDEMO_WERROR=ON "$@" >/dev/null
}
configure_and_build() { # <build dir> [cmake options...]
  configure "$@" && cmake --build "$1" -j "$jobs"
}

if [ "$mode" = run ]; then
  # The program and what its installation holds beside it, so that cpack can follow
  # (README, Install); the tests are built by the test command.
  configure build
  cmake --build build -j "$jobs" --target Tandemo package_documents
  if [ "$caller_lc_all" = unset ]; then unset LC_ALL; else LC_ALL=$caller_lc_all; fi
  exec build/app/Tandemo
fi

# Six stages, each run whatever the one before gave, then a summary: the suite in the
# ordinary build; the suite again built with AddressSanitizer and UndefinedBehaviorSanitizer,
# leaks included (LeakSanitizer at every test's exit, third-party leaks suppressed in
# tests/sanitizers/lsan.supp); each fuzzer for a bounded time; a Release build (the
# optimiser's own warnings, as errors) with its in-process unit tests; the survey engine
# cross-built for arm64 and run under qemu-user, checked against x86 to the last bit; and
# the Debian package built twice from scratch and compared byte for byte.
summary=()
failed=0
mkdir -p "$logs"
stage() { # <name> <command...>
  local name=$1 start=$SECONDS status=passed log
  shift
  log="$logs/${name// /-}.log"
  echo "== $name (also in $log)"
  set +e
  "$@" 2>&1 | tee "$log"
  local result=${PIPESTATUS[0]}
  set -e
  ((result == 0)) || { status=FAILED; failed=1; }
  summary+=("$(printf '%-16s %-7s %4d s' "$name" "$status" $((SECONDS - start)))")
  if [ "$status" = FAILED ]; then
    # What failed, by name, from what the stage printed: CTest's list of failed tests, a
    # fuzzer's FAILED line, or the build's failed step.
    local failures
    failures=$(sed -n -e 's/^[[:space:]]*[0-9]\+ - \(.*\)$/\1/p' -e 's/^ *\(fuzz_[a-z_]*\): FAILED.*/\1/p' \
      -e 's/^FAILED: \(.*\)/build step \1/p' -e 's/^arm64 under qemu-user: \(.*\)/\1/p' "$log")
    [ -n "$failures" ] || failures="(no test named; see the log)"
    while IFS= read -r line; do summary+=("    $line"); done <<<"$failures"
    summary+=("    log: $log")
  fi
}
suite() { # <build dir> [cmake options...]
  local dir=$1
  configure_and_build "$@" &&
    ctest --test-dir "$dir" --output-on-failure -j "$jobs" -E '^package_reproducible$'
}
release_units() {
  # The in-process tier alone: the tests that drive the built program from outside are in
  # the ordinary suite already.
  configure_and_build build-release -DCMAKE_BUILD_TYPE=Release &&
    ctest --test-dir build-release --output-on-failure -j "$jobs" -L '^unit$'
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
# The sanitizers' options travel with each test (cmake/Testing.cmake).
stage "suite" suite build
stage "sanitized suite" suite build-asan -DTANDEMO_SANITIZE=ON
stage "fuzzing" bash tools/run_fuzzers.sh "${TANDEMO_FUZZ_SECONDS:-30}"
stage "release units" release_units
stage "arm64 figures" arm64_figures
stage "reproducible" ctest --test-dir build --output-on-failure -R '^package_reproducible$'
echo "== summary"
printf '  %s\n' "${summary[@]}"
exit "$failed"
