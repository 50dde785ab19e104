#!/usr/bin/env bash
# Every dialog's first showing against its later ones, from outside the program: the time
# from a person's input (the click on "РЕЗУЛЬТАТЫ !" or "Подробности", the Return on a menu
# item) to the window's map, as input_to_map sees it on a private Xvfb with a window manager.
# The message box of "КАК РАБОТАТЬ?" ("Tandemo" in the table) is timed too, though it is a
# new window at each showing. The program is started, left until its splash has gone (the
# dialogs are prepared while it is up), and the questionnaire is answered; then the windows
# are opened and closed in turn, --rounds times, so that a later showing comes after other
# work, as it does in use. One start gives one first showing of each window, so the program
# is started --starts times.
#
#   bash bench/showings.sh [--starts N] [--rounds N] [--wm openbox|kwin|mutter|xfwm4]
#                          [--build-dir DIR] [--no-build]
#
#   --starts N     starts of the program (default 9)
#   --rounds N     showings of each window in a start (default 11, at least 3)
#   --wm           the window manager (default openbox)
#   --build-dir    the build to use (default build-bench, configured with TANDEMO_BENCH=ON)
#   --no-build     use the build as it is
#
# Prints, per window, the median of its first showings, the median of its later ones and
# their ratio.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
starts=9
rounds=11
wm=openbox
build="$here/build-bench"
do_build=1
while (($#)); do
    case "$1" in
        --starts) starts=$2; shift 2 ;;
        --rounds) rounds=$2; shift 2 ;;
        --wm) wm=$2; shift 2 ;;
        --build-dir) build=$(realpath -m "$2"); shift 2 ;;
        --no-build) do_build=0; shift ;;
        *) sed -n '11,19p' "$0" >&2; exit 2 ;;
    esac
done
((rounds >= 3 && starts >= 1)) ||
    { echo "showings.sh: --rounds must be at least 3, --starts at least 1" >&2; exit 2; }

# shellcheck source=answered_program.sh
source "$here/bench/answered_program.sh"
build_program input_to_map
watch="$build/bench/input_to_map"
x_session_work showings

# measure <title> <input_to_map's input arguments...>: one showing, timed and noted with its
# round; prints the window's id.
measure() {
    local line
    line=$("$watch" --pid "$app_pid" --name "$1" "${@:2}") ||
        { cat "$work/app.log" >&2; fail "no window $1"; }
    echo "$1 $round ${line#map_ms=}" >>"$work/results"
    wait_window "$1"
}

# close <id> <title>: as the title bar's close button closes it.
close() {
    close_window "$1"
    wait_window_gone "$2"
}

from_menu() { # <title> <menus to the right of УПРАВЛЕНИЕ> <item number>
    local i id
    xdotool windowactivate --sync "$main"
    keys F10
    wait_until 5 "the menu to open" popup_window
    for ((i = 0; i < $2; i++)); do keys Right; done
    for ((i = 1; i < $3; i++)); do keys Down; done
    id=$(measure "$1" --key Return)
    close "$id" "$1"
}

# results_and_indicator: "РЕЗУЛЬТАТЫ !", then on its third tab "Подробности"; both closed.
page_x='' page_y=''
results_and_indicator() {
    local rx ry results indicator
    xdotool windowactivate --sync "$main"
    # shellcheck disable=SC2046 # the button's x and y
    results=$(measure Results --click $(results_button))
    read -r rx ry _ _ < <(client_geometry "$results")
    [ -n "$page_x" ] || find_pages "$results"
    # The third tab has a white box where the others are grey.
    local _tab
    for _tab in 1 2 3; do
        painted_at "$results" $((page_x + 440)) $((page_y + 20)) '#FFFFFF' && break
        keys ctrl+Tab
    done
    wait_until 5 "the third tab" painted_at "$results" $((page_x + 440)) $((page_y + 20)) '#FFFFFF'
    # Every round clicks "Подробности" from the same state, the focus in the text above it,
    # so that each click moves the focus to the button as the first one does.
    click_at "$results" $((page_x + 440)) $((page_y + 20))
    indicator=$(measure SpecHelp --click $((rx + page_x + 368 + 52)) $((ry + page_y + 256 + 12)))
    close "$indicator" SpecHelp
    close "$results" Results
}

x_session_start "$work/x" 1024x768 "$wm" >/dev/null
echo "display $DISPLAY, window manager $wm, $starts starts of $rounds rounds"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for ((start = 1; start <= starts; start++)); do
    start_answered
    for ((round = 1; round <= rounds; round++)); do
        results_and_indicator
        from_menu Info 1 3
        from_menu Attract 1 1
        from_menu About 2 1
        from_menu Tandemo 1 2
    done
    kill "$app_pid"
    wait "$app_pid" 2>/dev/null || true
    app_pid=
done
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"
echo

printf '%-10s %16s %18s %8s %8s\n' window "first ms, median" "later ms, median" ratio budget
median() { sort -g | awk '{ v[NR] = $1 } END {
    print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
for title in Results SpecHelp Info Attract About Tandemo; do
    first=$(awk -v t="$title" '$1 == t && $2 == 1 { print $3 }' "$work/results" | median)
    later=$(awk -v t="$title" '$1 == t && $2 > 1 { print $3 }' "$work/results" | median)
    awk -v t="$title" -v f="$first" -v m="$later" 'BEGIN {
        printf "%-10s %16.2f %18.2f %7.2fx %7.2fx%s\n", t, f, m, f / m, 1.2,
            (f / m <= 1.2 ? "" : "  MISSED") }'
done
echo
echo "first showings, one a start (ms from the input to the map):"
awk '$2 == 1 { row[$1] = row[$1] " " $3 } END { for (t in row) print t ":" row[t] }' \
    "$work/results" | sort
