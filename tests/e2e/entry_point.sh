#!/usr/bin/env bash
# The real program's entry point seen from outside: where no display can be reached, or
# the one named cannot be used, it says so in one line on standard error and ends with
# status 1; on a display, options
# typed after its name (Qt's own included) change nothing of what it shows.
#
# usage: entry_point.sh <program>
set -euo pipefail

program=$(readlink -f "$1")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=xsession.sh
source "$here/xsession.sh"

x_session_work entry

# ---- no display to reach ---------------------------------------------------------------

# A display number no server listens on: the first free one from the top of the range.
free_display=
for ((n = 9999; n > 9000; n--)); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { free_display=":$n"; break; }
done
mkdir -p "$work/runtime" && chmod 700 "$work/runtime"

# Each row: a name, the variables set (the rest unset), and what the one line must name.
unreachable=(
    "nothing named||neither DISPLAY nor WAYLAND_DISPLAY is set"
    "X server not there|DISPLAY=$free_display|DISPLAY=$free_display"
    "Wayland compositor not there|WAYLAND_DISPLAY=nowhere-0|WAYLAND_DISPLAY=nowhere-0"
    "user's platform not there|QT_QPA_PLATFORM=xcb DISPLAY=$free_display|QT_QPA_PLATFORM=xcb"
)
for row in "${unreachable[@]}"; do
    IFS='|' read -r name variables expected <<<"$row"
    status=0
    # shellcheck disable=SC2086 # the variables are words on purpose
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/runtime" \
        $variables timeout 20 "$program" >"$work/out" 2>"$work/err" || status=$?
    [ "$status" -eq 1 ] || { cat "$work/err"; fail "$name: status $status, not 1"; }
    [ ! -s "$work/out" ] || fail "$name: wrote to standard output"
    [ "$(wc -l <"$work/err")" -eq 1 ] || { cat "$work/err"; fail "$name: not one line"; }
    grep -q "^Tandemo needs a graphical desktop session: .*$expected" "$work/err" ||
        fail "$name: the line '$(cat "$work/err")' does not name $expected"
    note "$name: status 1, $(cat "$work/err")"
done

# ---- options change nothing ------------------------------------------------------------

x_session_start "$work/x" 1024x768
# Screen numbers the server has not got (Qt crashed in its screen set-up on the negative one,
# which the largest 32-bit number also becomes).
for screen in -1 4294967295 1; do
    status=0
    env -u WAYLAND_DISPLAY DISPLAY="$DISPLAY.$screen" timeout 20 "$program" \
        >"$work/out" 2>"$work/err" || status=$?
    [ "$status" -eq 1 ] || { cat "$work/err"; fail "screen $screen: status $status, not 1"; }
    [ "$(wc -l <"$work/err")" -eq 1 ] && [ ! -s "$work/out" ] &&
        grep -q "^Tandemo needs a graphical desktop session: .*DISPLAY=$DISPLAY.$screen" "$work/err" ||
        { cat "$work/err"; fail "screen $screen: not the one line"; }
    note "DISPLAY=$DISPLAY.$screen: status 1, one line"
done
printf '* { background: rgb(0, 255, 0); color: rgb(255, 0, 0); }\n' >"$work/green.qss"
hostile=(-stylesheet "$work/green.qss" -reverse -style Windows -qwindowtitle Hijacked
    -qwindowgeometry 200x100+0+0 -platform offscreen --help)

# run_and_shoot <picture> <arguments...>: the main window's client area once the splash
# is gone, then the program closed through its window manager.
run_and_shoot() {
    local picture=$1
    shift
    "$program" "$@" >"$work/app.log" 2>&1 &
    app_pid=$!
    local main
    main=$(wait_window "$main_caption" 15)
    [ "$(xprop -id "$main" WM_CLASS | sed 's/.*= //')" = '"Tandemo", "Tandemo"' ] ||
        fail "the window class is not the program file's name"
    wait_until 15 "the splash to go" window_gone Tandemo
    import -window "$main" "$picture"
    close_window "$main"
    wait_until 10 "the program to end" process_ended "$app_pid"
    local status=0
    wait "$app_pid" || status=$?
    app_pid=
    [ "$status" -eq 0 ] || { cat "$work/app.log"; fail "the program ended with status $status"; }
    [ ! -s "$work/app.log" ] || { cat "$work/app.log"; fail "the program printed something"; }
}

# The C locale of an empty environment, whose characters are not UTF-8, gives the same
# window and no word from Qt about the locale.
LC_ALL=C LANG= run_and_shoot "$work/plain.png"
run_and_shoot "$work/options.png" "${hostile[@]}"
differing=$(compare -metric AE "$work/plain.png" "$work/options.png" null: 2>&1 || true)
[ "$differing" = 0 ] || fail "with ${hostile[*]} the main window differs in $differing pixels"
note "with ${hostile[*]} the main window is the same, pixel for pixel"
echo PASS
