#!/usr/bin/env bash
# Start-up of Tandemo against the floor (a bare Qt Widgets main window), measured from outside
# the processes on one private Xvfb display. The two programs are started alternately, so that
# a change of machine load falls on both; map_watch times each from spawn to its first window
# mapped and to its main window mapped, and reads the peak resident memory at that moment.
#
#   bash bench/startup.sh [--runs N] [--wm] [--build-dir DIR] [--no-build]
#
#   --runs N       starts of each program (default 11, at least 5)
#   --wm           run openbox on the display; without it (the default) a window is mapped
#                  the moment the program asks, so the figures hold the programs' own time only
#   --build-dir    the build to use (default build-bench, configured with TANDEMO_BENCH=ON)
#   --no-build     use the build as it is
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=11
wm=0
build="$here/build-bench"
do_build=1
while (($#)); do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --wm) wm=1; shift ;;
    --build-dir) build=$(realpath -m "$2"); shift 2 ;;
    --no-build) do_build=0; shift ;;
    *) sed -n '2,15p' "$0" >&2; exit 2 ;;
  esac
done
((runs >= 5)) || { echo "startup.sh: --runs must be at least 5" >&2; exit 2; }

if ((do_build)); then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTANDEMO_BENCH=ON \
    >/dev/null
  cmake --build "$build" -j 2 --target Tandemo startup_floor map_watch
fi
tandemo="$build/app/Tandemo"
floor="$build/bench/startup_floor"
watch="$build/bench/map_watch"
for f in "$tandemo" "$floor" "$watch"; do
  [ -x "$f" ] || { echo "startup.sh: $f is missing; build without --no-build" >&2; exit 2; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display of its own: Xvfb picks a free number and writes it to the descriptor given.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "startup.sh: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
if ((wm)); then
  openbox >"$work/openbox.log" 2>&1 &
  pids+=($!)
  sleep 1
fi

# The same environment for both programs, as a desktop session would give it.
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_FONT_DPI QT_SCALE_FACTOR

measure() { # <label> <program>
  local line
  line=$("$watch" --timeout 20000 -- "$2" 2>>"$work/programs.log") || {
    echo "startup.sh: $1 failed; its output:" >&2
    cat "$work/programs.log" >&2
    exit 1
  }
  echo "$1 $line" >>"$work/results"
}

echo "display $DISPLAY, window manager: $( ((wm)) && echo openbox || echo none), $runs runs each"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
# One start of each to fill the page cache; not counted.
"$watch" -- "$floor" >/dev/null 2>>"$work/programs.log"
"$watch" -- "$tandemo" >/dev/null 2>>"$work/programs.log"
for ((i = 1; i <= runs; i++)); do
  measure floor "$floor"
  measure tandemo "$tandemo"
done
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"
echo

value() { # <label> <key>: every run's value of one key, one a line
  awk -v who="$1" -v key="$2" '$1 == who { for (i = 2; i <= NF; i++) { split($i, kv, "=");
    if (kv[1] == key) print kv[2] } }' "$work/results"
}
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2];
  else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

printf '%-28s %12s %12s %8s %8s\n' "median of $runs" floor Tandemo ratio budget
row() { # <title> <floor key> <tandemo key> <budget, or - for none> <unit>
  local f t
  f=$(value floor "$2" | median)
  t=$(value tandemo "$3" | median)
  awk -v title="$1" -v f="$f" -v t="$t" -v budget="$4" -v unit="$5" 'BEGIN {
    printf "%-28s %9.1f %-2s %9.1f %-2s %7.2fx", title, f, unit, t, unit, t / f
    if (budget == "-") { printf "%8s\n", "-"; exit }
    printf " %7.2fx%s\n", budget, (t / f <= budget ? "" : "  MISSED") }'
}
row "first window mapped" main_map_ms first_map_ms 1.1 ms
row "main window mapped" main_map_ms main_map_ms 1.5 ms
row "peak resident memory" vmhwm_kb vmhwm_kb 1.3 kB
row "processor time to main map" cpu_ms cpu_ms - ms
echo
echo "every run (ms from spawn; kB):"
column -t "$work/results"
