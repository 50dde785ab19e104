#!/usr/bin/env bash
# Builds the libFuzzer harnesses with Clang, AddressSanitizer and UndefinedBehaviorSanitizer
# and runs each for a bounded time.
#
#   bash tools/run_fuzzers.sh            # 30 s per harness
#   bash tools/run_fuzzers.sh 3600       # an hour per harness
#
# The build goes to build-fuzz (TANDEMO_FUZZ_BUILD overrides it). Inputs the fuzzer finds
# interesting collect in <build>/corpus/<harness>/ beside the committed seeds, so a longer
# run starts where the last one stopped. A failing input is written to <build>/artifacts/;
# replay it with <build>/tests/fuzz/fuzz_<harness> <file>, and add it to the seeds in
# tests/fuzz/corpus/<harness>/ once the fault is fixed.
set -euo pipefail

seconds=${1:-30}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"
build=${TANDEMO_FUZZ_BUILD:-build-fuzz}
jobs=$(nproc)
harnesses=(integer_text text_block)

if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 [seconds per harness]" >&2
  exit 2
fi

cxx=$(command -v clang++ || command -v clang++-14 || true)
if [ -z "$cxx" ]; then
  echo "run_fuzzers: clang++ not found (tools/setup.sh installs it)" >&2
  exit 1
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER="$cxx" -DTANDEMO_SANITIZE=ON -DTANDEMO_FUZZ=ON -DTANDEMO_WERROR=ON >/dev/null
targets=()
for h in "${harnesses[@]}"; do targets+=("fuzz_$h"); done
cmake --build "$build" -j "$jobs" --target "${targets[@]}"

mkdir -p "$build/artifacts"
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# Rendering needs no display, but Qt may still look for a platform.
export QT_QPA_PLATFORM=offscreen

failed=0
summary=()
for h in "${harnesses[@]}"; do
  exe="$build/tests/fuzz/fuzz_$h"
  work="$build/corpus/$h"
  log="$build/fuzz_$h.log"
  mkdir -p "$work"
  options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1
           -artifact_prefix="$build/artifacts/${h}-")
  dict="tests/fuzz/$h.dict"
  [ -f "$dict" ] && options+=(-dict="$dict")
  echo "== fuzz_$h for $seconds s"
  if "$exe" "${options[@]}" "$work" "tests/fuzz/corpus/$h" >"$log" 2>&1; then
    status=passed
  else
    status=FAILED
    failed=1
    tail -n 40 "$log" >&2
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  kept=$(find "$work" -type f | wc -l)
  summary+=("fuzz_$h: $status, ${runs:-?} inputs in $seconds s, $kept inputs kept in $work")
done

echo "== fuzzing summary"
printf '  %s\n' "${summary[@]}"
if ((failed)); then
  echo "  failing inputs: $build/artifacts/" >&2
fi
exit "$failed"
