#!/usr/bin/env bash
# The real program as a native Wayland client of kwin_wayland, Plasma's compositor, in a
# Plasma session's variables, seen from outside through KWin's scripting interface on the
# session bus: for as long as the splash is up, it is stacked above the main window, also
# once the main window has been made active; both are centred; the splash goes by itself,
# and closing the main window ends the program with status 0.
#
# usage: kwin_wayland_native.sh <program>
set -euo pipefail

program=$(readlink -f "$1")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=xsession.sh
source "$here/xsession.sh"
x_session_work kwin-native
# KWin's scripts print through its scripting log category.
QT_LOGGING_RULES=kwin_scripting.debug=true x_session_start "$work/x" 1280x1024 kwin_wayland
kwin_log="$work/x/kwin_wayland-server.log"

# kwin_script <body>: runs a script in KWin with `w` bound to each window of the program in
# turn, from the bottom of the stack up, and `out` collecting lines; prints those lines.
# (KWin 6 lists windows with windowList, KWin 5 with clientList.)
kwin_script() {
    # Named by the clock: it is called in subshells, where a counter would not count.
    local tag file
    tag="tandemo-$(date +%s%N)" file="$work/$tag.js"
    cat >"$file" <<JS
var windows = workspace.windowList ? workspace.windowList() : workspace.clientList();
var out = [], all = windows.filter(function (w) {
    return w.resourceClass == "example.tandemo.Tandemo"; });
all.sort(function (a, b) { return a.stackingOrder - b.stackingOrder; });
all.forEach(function (w) { $1 });
print("$tag<" + out.join(";") + ">");
JS
    gdbus call --session --dest org.kde.KWin --object-path /Scripting \
        --method org.kde.kwin.Scripting.loadScript "$file" "$tag" >/dev/null
    gdbus call --session --dest org.kde.KWin --object-path /Scripting \
        --method org.kde.kwin.Scripting.start >/dev/null
    wait_until 5 "KWin to run a script" grep -aq "$tag<" "$kwin_log"
    gdbus call --session --dest org.kde.KWin --object-path /Scripting \
        --method org.kde.kwin.Scripting.unloadScript "$tag" >/dev/null
    # A script may well collect no line.
    grep -a "$tag<" "$kwin_log" | sed 's/.*<\(.*\)>.*/\1/' | tr ';' '\n' | grep . || true
}
# windows: "<caption>|<x> <y> <width> <height>" of the frames, from the bottom of the stack up.
windows() {
    kwin_script 'var g = w.frameGeometry; out.push(w.caption + "|" + g.x + " " + g.y + " " + g.width + " " + g.height);'
}

# KWin 6 places in logical pixels, so an odd width is centred at half a pixel (329.5).
centred() { # <x> <y> <width> <height>: centred on 1280x1024 within a pixel
    awk -v x="$1" -v y="$2" -v w="$3" -v h="$4" 'function abs(v) { return v < 0 ? -v : v }
        BEGIN { exit !(abs(2 * x + w - 1280) <= 2 && abs(2 * y + h - 1024) <= 2) }'
}

# Under the sanitizers, allocations are unwound in full, so that the leaks of Qt's Wayland
# plugin are recognised by the library they come from (tests/sanitizers/lsan.supp).
asan=${ASAN_OPTIONS:+$ASAN_OPTIONS:fast_unwind_on_malloc=0}
env ${asan:+"ASAN_OPTIONS=$asan"} QT_QPA_PLATFORM=wayland "$program" >"$work/app.log" 2>&1 &
app_pid=$!
launched=$(date +%s.%N)
since_launch() { awk -v s="$launched" -v n="$(date +%s.%N)" 'BEGIN { printf "%.2f", n - s }'; }
# KWin lists from the bottom of the stack up.
settled() { splash_settled "$(windows | tac)" "$main_caption" "$launched"; }
wait_until 10 "the splash above the main window in KWin" settled

# Looked at until the splash has gone: at each look where both are there, the splash is the
# higher. After the first look, the main window is made active, as a click on it would.
looks=0 active_looks=0
while :; do
    process_ended "$app_pid" && { cat "$work/app.log" >&2; fail "the program ended"; }
    now=$(windows)
    grep -q "^Tandemo|" <<<"$now" || break
    [ "$(tail -n 1 <<<"$now" | cut -d'|' -f1)" = Tandemo ] ||
        fail "the splash is not above the main window (from the bottom up: $(tr '\n' ';' <<<"$now"))"
    while IFS='|' read -r caption geometry; do
        # shellcheck disable=SC2086 # four numbers
        centred $geometry || fail "\"$caption\" at $geometry is not centred on 1280x1024"
    done <<<"$now"
    grep -q '^Tandemo|.* 621 414$' <<<"$now" || fail "the splash is not 621x414: $now"
    looks=$((looks + 1))
    if [ $looks -eq 1 ]; then
        kwin_script "if (w.caption == \"$main_caption\") { workspace.activeClient = w; workspace.activeWindow = w; }" >/dev/null
    else
        active_looks=$((active_looks + 1))
    fi
    sleep 0.3
done
gone=$(since_launch)
# Only a program too slow to show its main window within the splash's five seconds may
# leave no look at all.
[ "$looks" -gt 0 ] || awk -v t="$gone" 'BEGIN { exit !(t >= 5) }' ||
    fail "the splash went after ${gone}s, never seen above the main window"
# How many looks the splash's five seconds allow depends on the machine's pace alone.
note "the splash was above the main window at each of $looks looks, $active_looks of them once the main window was active; gone after ${gone}s"

kwin_script "if (w.caption == \"$main_caption\") w.closeWindow();" >/dev/null || true
wait_until 10 "the program to end after its main window was closed" process_ended "$app_pid"
status=0
wait "$app_pid" || status=$?
app_pid=
[ "$status" -eq 0 ] || { cat "$work/app.log" >&2; fail "closing the main window ended the program with status $status"; }
note "closing the main window ended the program with status 0"
echo PASS
