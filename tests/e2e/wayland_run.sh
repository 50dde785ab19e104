#!/usr/bin/env bash
# The real program on a Wayland session, in a headless Weston compositor, seen only from
# outside the process.
#
#   with Xwayland   WAYLAND_DISPLAY and DISPLAY both set, QT_QPA_PLATFORM not: the program
#                   must come up as an X client of Xwayland (its windows are found there),
#                   the splash first, centred and above the main window, the main window
#                   centred. Xwayland runs with a root window of its own under an X window
#                   manager, as a desktop's compositor manages X windows; Weston's own X
#                   window manager places every window itself, whatever it asks for.
#   natively        WAYLAND_DISPLAY set and DISPLAY naming an X server that is not there
#                   (a session whose Xwayland has gone): the program must fall back to
#                   Wayland without a line on its output; the compositor's scene graph must
#                   show the
#                   splash, then the main window, the splash go, and "ВЫХОД",
#                   chosen through the accessibility bus as an assistive tool would,
#                   end the program with status 0.
#
# usage: wayland_run.sh <program> <screenshot dir>
set -euo pipefail

program=$(readlink -f "$1")
shots=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=xsession.sh
source "$here/xsession.sh"

mkdir -p "$shots"
x_session_work wayland
# Whatever the caller's environment: the accessible names read back are Russian.
x_session_home "$work"
# As a Wayland desktop says of its session; Qt alone would then go native even with DISPLAY.
export XDG_SESSION_TYPE=wayland

# The compositor's socket is named after this run's folder, so runs side by side never meet.
compositor=tandemo-$(basename "$work")
weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 --idle-time=0 \
    --socket="$compositor" --debug --log="$work/weston.log" >/dev/null 2>&1 &
x_session_pids+=($!)
wait_until 10 "Weston to listen" test -S "$XDG_RUNTIME_DIR/$compositor"
note "Weston on $compositor (1024x768)"

# wait_exit <what>: the program ends by itself within a few seconds, with status 0.
wait_exit() {
    (wait_until 10 "the program to end after $1" process_ended "$app_pid") ||
        { cat "$work/app.log" >&2; fail "the program did not end after $1"; }
    local status=0
    wait "$app_pid" || status=$?
    app_pid=
    [ "$status" -eq 0 ] || { cat "$work/app.log" >&2; fail "$1 ended the program with status $status"; }
}

# ---- with Xwayland ---------------------------------------------------------------------

# Its session bus is the one the native run's accessibility bus is started from, below.
x_session_start "$work" 1024x768 openbox "$compositor"
WAYLAND_DISPLAY=$compositor "$program" >"$work/app.log" 2>&1 &
app_pid=$!
read -r screen_w screen_h < <(xwininfo -root | awk '/^ *Width/ { w = $NF } /^ *Height/ { h = $NF }
    END { print w, h }')
splash= main=
deadline=$(deadline_in 10)
while [ -z "$main" ]; do
    process_ended "$app_pid" && { cat "$work/app.log" >&2; fail "no window on Xwayland"; }
    [ -n "$splash" ] || splash=$(mapped_window Tandemo || true)
    main=$(mapped_window "$main_caption" || true)
    if [ -n "$main" ] && [ -z "$splash" ]; then
        # Both may have been mapped since the splash was looked for: the manager's list of
        # windows in the order they were first mapped tells.
        splash=$(mapped_window Tandemo || true)
        [ -n "$splash" ] && mapped=$(client_list _NET_CLIENT_LIST) &&
            [ "$(list_position "$splash" "$mapped")" -lt "$(list_position "$main" "$mapped")" ] ||
            fail "the main window was mapped before the splash"
    fi
    past "$deadline" && fail "no main window on Xwayland after 10 s"
    sleep 0.02
done
note "through Xwayland: splash $splash, then main window $main"

# centred <x> <y> <width> <height> <slack>: the rectangle's centre is the screen's, doubled
# coordinates compared within the slack.
centred() {
    local off_x=$((2 * $1 + $3 - screen_w)) off_y=$((2 * $2 + $4 - screen_h))
    [ "${off_x#-}" -le "$5" ] && [ "${off_y#-}" -le "$5" ]
}
read -r sx sy sw sh < <(client_geometry "$splash")
centred "$sx" "$sy" "$sw" "$sh" 2 || fail "the splash at $sx,$sy ${sw}x$sh is not centred"
# The main window is centred by the frame openbox really draws: at once, or, where the frame
# was told only after it was shown, a moment later, under the splash.
main_centred() {
    read -r fx fy fw fh < <(frame_geometry "$main")
    centred "$fx" "$fy" "$fw" "$fh" 2
}
(wait_until 5 "the main window's frame to be centred" main_centred) ||
    fail "the main window's frame $(frame_geometry "$main") is not centred"
read -r fx fy fw fh < <(frame_geometry "$main")
is_above "$splash" "$main" || fail "the splash is not above the main window"
xdotool windowactivate --sync "$main"
is_above "$splash" "$main" || fail "the splash went below the activated main window"
note "splash at $sx,$sy ${sw}x$sh above the main window, frame $fx,$fy ${fw}x$fh: both centred"
screenshot root "$shots/wayland-xwayland.png"
close_window "$main"
wait_exit "closing the main window"
note "closed with status 0"
unset DISPLAY

# ---- natively ----------------------------------------------------------------------------

# views: the compositor's top-level windows, top of the stack first, one a line:
# "<title>|<x1> <y1> <x2> <y2>" (outer bounds, client-side decorations included).
views() {
    WAYLAND_DISPLAY=$compositor timeout 5 weston-debug scene-graph 2>/dev/null | awk '
        /^\tView / { title = "" }
        /^\tView .*top-level window / {
            title = $0
            sub(/.*top-level window \047/, "", title); sub(/\047 of .*/, "", title) }
        title != "" && /position:/ { gsub(/[^0-9]+/, " "); print title "|" substr($0, 2); title = "" }'
}
has_view() { views | grep -q "^$1|"; }
no_view() { ! has_view "$1"; }

# The accessibility bus, as a desktop starts it when a screen reader is on.
gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
    --method org.freedesktop.DBus.Properties.Set org.a11y.Status IsEnabled '<true>' >/dev/null
a11y_bus=$(gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
    --method org.a11y.Bus.GetAddress | sed "s/^('\(.*\)',)\$/\1/")

# Under the sanitizers, allocations are unwound in full here: the leaks of Qt's Wayland
# plugin are then recognised by the library they come from (tests/sanitizers/lsan.supp).
asan=${ASAN_OPTIONS:+$ASAN_OPTIONS:fast_unwind_on_malloc=0}
free_display=
for ((n = 9999; n > 9000; n--)); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { free_display=":$n"; break; }
done
env ${asan:+"ASAN_OPTIONS=$asan"} WAYLAND_DISPLAY="$compositor" DISPLAY="$free_display" \
    "$program" >"$work/app.log" 2>&1 &
app_pid=$!
launched=$(date +%s.%N)
# Both windows come up within moments; what is awaited is the settled state.
settled() { splash_settled "$(views)" "$main_caption" "$launched"; }
(wait_until 10 "the splash above the main window in the compositor" settled) ||
    fail "the compositor showed: $(views | tr '\n' ';'); the program printed: $(tail -n 5 "$work/app.log")"
if has_view Tandemo; then
    read -r x1 y1 x2 y2 < <(views | awk -F'|' '$1 == "Tandemo" { print $2 }')
    [ $((x2 - x1)) -eq 621 ] && [ $((y2 - y1)) -eq 414 ] ||
        fail "the splash is $((x2 - x1))x$((y2 - y1)), designed 621x414"
    (cd "$work" && WAYLAND_DISPLAY=$compositor weston-screenshooter >/dev/null 2>&1 &&
        mv wayland-screenshot-*.png "$shots/wayland-native.png") || fail "no screenshot of the native run"
    note "natively: $(views | tr '\n' ';')"
    wait_until 10 "the splash to go" no_view Tandemo
    note "the splash went"
else
    note "natively: the main window came when the splash's five seconds were up: $(views | tr '\n' ';')"
fi
# Qt's lines about an X display it could not reach, or a plugin it could not load, would
# tell the user something is broken when nothing is.
! grep -E 'xcb|platform plugin' "$work/app.log" ||
    fail "falling back from DISPLAY=$free_display to Wayland printed the lines above"
note "the fallback from DISPLAY=$free_display to Wayland printed nothing about it"

# a11y <path> <method> [args...]: a call on the program's accessible objects.
a11y() {
    gdbus call --address "$a11y_bus" --dest "$app_bus" --object-path "$1" --method "${@:2}"
}
children() { a11y "$1" org.a11y.atspi.Accessible.GetChildren | grep -o "'/[^']*'" | tr -d "'"; }
name_of() { a11y "$1" org.freedesktop.DBus.Properties.Get org.a11y.atspi.Accessible Name |
    sed "s/^(<'\(.*\)'>,)\$/\1/"; }
# find_named <path> <name> <depth>: the first object of that name below the path.
find_named() {
    local child
    for child in $(children "$1"); do
        [ "$(name_of "$child")" = "$2" ] && { echo "$child"; return 0; }
    done
    (($3 > 0)) || return 1
    for child in $(children "$1"); do
        find_named "$child" "$2" $(($3 - 1)) && return 0
    done
    return 1
}
registered() {
    gdbus call --address "$a11y_bus" --dest org.a11y.atspi.Registry \
        --object-path /org/a11y/atspi/accessible/root --method org.a11y.atspi.Accessible.GetChildren |
        grep -o "(':[0-9.]*'" | tr -d "('" | head -1
}
wait_until 10 "the program on the accessibility bus" registered
app_bus=$(registered)
window=$(find_named /org/a11y/atspi/accessible/root "$main_caption" 0) ||
    fail "no accessible main window"
item=$(find_named "$window" ВЫХОД 4) || fail "no ВЫХОД in the main window"
a11y "$item" org.a11y.atspi.Action.DoAction 0 >/dev/null
wait_exit ВЫХОД
note "ВЫХОД ended the native run with status 0"
echo PASS
