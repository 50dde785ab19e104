#!/usr/bin/env bash
# A huge paste along a person's path, measured from outside the program on a private Xvfb with
# a window manager: the text put on the clipboard (xclip), a click into the partner field on
# the results window's second tab, ctrl+a and ctrl+v, then "ВЫЧИСЛИТЬ" clicked and the error
# box closed with Return. All input goes through XTest (xdotool, input_to_map), the box's map
# is seen on the root window (input_to_map), and the program's memory and processor time are
# read from /proc. Six texts, each pasted once a round, in turn, --rounds times in one run.
#
#   bash bench/paste.sh [--rounds N] [--texts LIST] [--wm openbox|kwin|mutter|xfwm4]
#                       [--build-dir DIR] [--no-build]
#
#   --rounds N     rounds of all texts (default 20)
#   --texts LIST   the texts to paste, comma-separated (default: all six, named below)
#   --wm           the window manager (default openbox)
#   --build-dir    the build to use (default build-bench, configured with TANDEMO_BENCH=ON)
#   --no-build     use the build as it is
#
# For each paste: idle_ms, from ctrl+v until the program's processor time stops growing (no
# 50 ms step of more than 1 ms of it, for a whole second after); map_ms, from the click on
# "ВЫЧИСЛИТЬ" to the box's map; cpu_ms, the program's processor time from the click until
# input_to_map has seen the map (less disturbed by other load than map_ms, though it takes in
# what the program did right after the map); and the resident memory before the paste, its
# peak from the paste until the box has closed (VmHWM, reset before the paste) and once the
# box has closed and the program is idle again. Prints each text's medians and worst against the budgets, and
# how the memory before a paste moved from the first round to the last.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
rounds=20
wm=openbox
build="$here/build-bench"
do_build=1
all_texts=short_lines,marks,joiners,arabic_latin,no_spaces,emoji_zwj
texts=$all_texts
while (($#)); do
    case "$1" in
        --rounds) rounds=$2; shift 2 ;;
        --texts) texts=$2; shift 2 ;;
        --wm) wm=$2; shift 2 ;;
        --build-dir) build=$(realpath -m "$2"); shift 2 ;;
        --no-build) do_build=0; shift ;;
        *) sed -n '9,16p' "$0" >&2; exit 2 ;;
    esac
done
((rounds >= 1)) || { echo "paste.sh: --rounds must be at least 1" >&2; exit 2; }

# shellcheck source=answered_program.sh
source "$here/bench/answered_program.sh"
build_program input_to_map
watch="$build/bench/input_to_map"
x_session_work paste

# The texts, in UTF-8 (perl, which every Debian has).
make_text() { # <name> <file>
    local script
    case $1 in
        short_lines) script='print "ab\n" x (10 * 2**20 / 3)' ;;              # 10 MB
        marks) script='print "a", "\x{301}" x 1_000_000' ;;
        joiners) script='print "\x{200D}" x 1_000_000' ;;
        # 200,000 Arabic letters, five to a word, each word followed by a Latin one.
        arabic_latin) script='print "\x{645}\x{631}\x{62D}\x{628}\x{627} hello " x 40_000' ;;
        no_spaces) script='print "x" x 2**20' ;;                                  # 1 MB
        emoji_zwj) script='print "\x{1F3F3}\x{FE0F}\x{200D}\x{1F308}" x 50_000' ;; # rainbow flag
        *) fail "no text called '$1' (the texts: $all_texts)" ;;
    esac
    perl -CO -e "$script" >"$2"
}
IFS=, read -r -a names <<<"$texts"
for name in "${names[@]}"; do make_text "$name" "$work/$name.txt"; done

# The program's processor time, all threads, ms; its resident memory now and at its peak, kB.
cpu_ms() { cat /proc/"$app_pid"/task/*/schedstat | awk '{ s += $1 } END { printf "%.3f", s / 1e6 }'; }
status_kb() { awk -v f="$1:" '$1 == f { print $2 }' /proc/"$app_pid"/status; }
now_ms() { echo "${EPOCHREALTIME/./}" | awk '{ printf "%.3f", $1 / 1000 }'; }

# wait_idle <since ms>: waits until the program's processor time has stopped growing (no
# 50 ms step of more than 1 ms, for a whole second); prints the time from <since> to the last
# step that grew, ms. A cursor blink costs far less than a step.
wait_idle() {
    local since=$1 busy_at=$1 last cpu at deadline
    last=$(cpu_ms)
    deadline=$(deadline_in 120)
    while :; do
        sleep 0.05
        cpu=$(cpu_ms)
        at=$(now_ms)
        if awk -v a="$last" -v b="$cpu" 'BEGIN { exit !(b - a > 1) }'; then busy_at=$at; fi
        last=$cpu
        awk -v a="$busy_at" -v n="$at" 'BEGIN { exit !(n - a >= 1000) }' && break
        past "$deadline" && fail "the program is still busy after 120 s"
    done
    awk -v a="$busy_at" -v s="$since" 'BEGIN { printf "%.0f", a - s }'
}

x_session_start "$work/x" 1024x768 "$wm" >/dev/null
echo "display $DISPLAY, window manager $wm, $rounds rounds of: ${names[*]}"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
start_answered
xdotool windowactivate --sync "$main"
# shellcheck disable=SC2046 # the button's x and y
xdotool mousemove --sync $(results_button) click 1
results=$(wait_window Results)
find_pages "$results"
keys ctrl+Tab # the second tab: the focus starts in the tab bar
read -r rx ry _ _ < <(client_geometry "$results")
# "ВЫЧИСЛИТЬ" on the root window.
calc_x=$((rx + page_x + 408 + 44)) calc_y=$((ry + page_y + 288 + 24))

for ((round = 1; round <= rounds; round++)); do
    for name in "${names[@]}"; do
        xclip -selection clipboard -i "$work/$name.txt" >/dev/null 2>&1
        click_designed "$results" "$page_x" "$page_y" 328 184 73 32
        wait_idle "$(now_ms)" >/dev/null
        before=$(status_kb VmRSS)
        echo 5 >/proc/"$app_pid"/clear_refs # the peak starts again from here
        pasted=$(now_ms)
        xdotool key --clearmodifiers ctrl+a ctrl+v
        idle=$(wait_idle "$pasted")
        clicked_cpu=$(cpu_ms)
        line=$("$watch" --pid "$app_pid" --name Tandemo --click "$calc_x" "$calc_y") ||
            { cat "$work/app.log" >&2; fail "no error box after pasting $name"; }
        box_cpu=$(awk -v a="$clicked_cpu" -v b="$(cpu_ms)" 'BEGIN { printf "%.1f", b - a }')
        box=$(wait_window Tandemo)
        keys Return
        wait_until 5 "the error box to close" bash -c "! xwininfo -id $box | grep -q IsViewable"
        wait_idle "$(now_ms)" >/dev/null
        echo "$name $round $idle ${line#map_ms=} $box_cpu $before $(status_kb VmHWM) $(status_kb VmRSS)" |
            tee -a "$work/results"
    done
done
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"
echo

# Budgets: idle within 3 s of the paste, the box within 50 ms of the click, the peak within
# 50 MB of the memory before the paste and the memory once the box has closed within 10 MB.
printf '%-13s %15s %15s %15s %17s %17s\n' text "idle ms med/max" "map ms med/max" \
    "cpu ms med/max" "peak MB med/max" "after MB med/max"
for name in "${names[@]}"; do
    awk -v t="$name" '$1 == t { idle[++n] = $3; map[n] = $4; cpu[n] = $5
            peak[n] = ($7 - $6) / 1024; after[n] = ($8 - $6) / 1024 }
        function med(a,   i, j, v, s) { for (i = 1; i <= n; i++) s[i] = a[i]
            for (i = 2; i <= n; i++) { v = s[i]; for (j = i - 1; j > 0 && s[j] > v; j--)
                s[j + 1] = s[j]; s[j + 1] = v }
            return n % 2 ? s[(n + 1) / 2] : (s[n / 2] + s[n / 2 + 1]) / 2 }
        function max(a,   i, m) { m = a[1]; for (i = 2; i <= n; i++) if (a[i] > m) m = a[i]
            return m }
        END { missed = (max(idle) > 3000 ? " idle" : "") (max(map) > 50 ? " map" : "") \
                (max(peak) > 50 ? " peak" : "") (max(after) > 10 ? " after" : "")
            printf "%-13s %7.0f/%-7.0f %7.1f/%-7.1f %7.1f/%-7.1f %8.1f/%-8.1f %8.1f/%-8.1f%s\n",
                t, med(idle), max(idle), med(map), max(map), med(cpu), max(cpu), med(peak),
                max(peak), med(after), max(after), missed == "" ? "" : "  MISSED:" missed }' \
        "$work/results"
done
awk 'NR == 1 { first = $6 } { last = $6; end = $8; if ($2 == 1) one = $8 } END {
    printf "\nresident before the first paste %.1f MB, before the last %.1f MB (%+.1f MB); " \
        "after the first round %.1f MB, after the last %.1f MB\n", first / 1024, last / 1024,
        (last - first) / 1024, one / 1024, end / 1024 }' "$work/results"
