# Sourced by the tests that run the real program: a private X server with a window
# manager, and small helpers to wait for windows and to read them from outside.
#
#   x_session_start <work dir> [<width>x<height>] [<manager>] [<Wayland compositor>]
#                     exports DISPLAY, starts Xvfb (Xwayland on the compositor's socket,
#                     when one is named), a private session bus and the window manager:
#                     openbox (the default), kwin (KWin with its Breeze frame), mutter or
#                     xfwm4; then watches the root window's children being created, placed
#                     and mapped (frame_places)
#   x_session_home <work dir>
#                     a session's own home, configuration, cache and runtime folders there,
#                     and none of the caller's display, compositor or bus
#   x_session_stop    ends what x_session_start started
#   x_session_work <name>
#                     makes the script's folder $work; at exit kills $app_pid, ends the
#                     session and removes the folder
#
# Every wait polls a condition against a deadline; nothing sleeps for a fixed time
# hoping that something has happened. Deadlines are written for the ordinary build on
# an idle machine; TANDEMO_WAIT_FACTOR (set by CMake for each build, larger under the
# sanitizers) stretches every one of them, so a slower build waits longer instead of
# failing.

x_session_pids=()
scale=${scale:-1}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

note() {
    printf '[%6.2fs] %s\n' "$(elapsed)" "$*"
}

clock_start=$(date +%s.%N)
elapsed() {
    awk -v s="$clock_start" -v n="$(date +%s.%N)" 'BEGIN { printf "%.2f", n - s }'
}

wait_factor=${TANDEMO_WAIT_FACTOR:-1}
# The main window's caption, as CMake has it from the project's version.
main_caption=${TANDEMO_MAIN_CAPTION:-}
[ -n "$main_caption" ] || fail "TANDEMO_MAIN_CAPTION is not set (CTest sets it)"
[[ $wait_factor =~ ^[0-9]+([.][0-9]+)?$ ]] || fail "TANDEMO_WAIT_FACTOR '$wait_factor' is not a number"

# deadline_in <seconds>: the clock time at which a wait of that many (stretched) seconds
# ends; past <deadline>: true once it has. Every deadline guards against a hang and measures
# nothing: the written figure is what an idle machine needs with room to spare, and it is
# stretched six times more so that a machine kept busy by other work (a load of several
# times its cores) never meets it. A wait that is met costs no more for it.
patience=6
deadline_in() {
    awk -v n="$(date +%s.%N)" -v t="$1" -v f="$wait_factor" -v p="$patience" \
        'BEGIN { printf "%.3f", n + t * f * p }'
}
past() {
    awk -v n="$(date +%s.%N)" -v d="$1" 'BEGIN { exit !(n > d) }'
}

# wait_until <timeout seconds> <description> <command...>: polls the command every 50 ms.
# splash_settled <windows, one "caption|..." line each, the topmost first> <main caption>
# <launched, date +%s.%N>: the splash and the main window both shown, the splash on top.
# Until the splash has been shown again as the main window's own, a compositor may stack
# the two either way for a moment. A program slowed down so much that it showed its main
# window only when the splash's five seconds were up (a sanitized build on a busy machine)
# may have let the splash go by then: the main window alone then counts too.
splash_settled() {
    grep -q "^$2|" <<<"$1" || return 1
    [ "$(head -n 1 <<<"$1" | cut -d'|' -f1)" = Tandemo ] ||
        { ! grep -q "^Tandemo|" <<<"$1" && awk -v s="$3" -v n="$(date +%s.%N)" 'BEGIN { exit !(n - s >= 5) }'; }
}

wait_until() {
    local timeout=$1 what=$2
    shift 2
    local deadline
    deadline=$(deadline_in "$timeout")
    until "$@" >/dev/null 2>&1; do
        if past "$deadline"; then
            fail "timed out after ${timeout}s (x$wait_factor x$patience) waiting for: $what"
        fi
        sleep 0.05
    done
}

# Keeps the compositor, the window manager and Qt away from the user's own settings and caches.
x_session_home() {
    export HOME="$1/home" XDG_CONFIG_HOME="$1/home/.config" XDG_CACHE_HOME="$1/home/.cache"
    export XDG_RUNTIME_DIR="$1/runtime"
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS
    # Whatever the caller's environment: the managers and the program read texts in UTF-8.
    export LANG=C.UTF-8 LC_ALL=C.UTF-8
}

x_session_start() {
    local dir=$1 screen=${2:-1024x768} manager=${3:-openbox} compositor=${4:-}
    mkdir -p "$dir"
    x_session_dir=$dir
    x_session_home "$dir"

    # -displayfd lets the server choose a free display number and tell us which. The
    # choice cannot race: the server takes a number by binding its socket and moves on to
    # the next when that fails, so servers started at the same moment (tests run side by
    # side, other sessions on the machine) each get their own; ten started at once do.
    local numberfile="$dir/display"
    : >"$numberfile"
    if [ "$manager" = kwin_wayland ]; then
        # Plasma's own session: KWin as the Wayland compositor with its Xwayland.
        x_session_kwin_wayland "$dir" "$screen"
    else
        # Xwayland's screen is the compositor's output.
        local server=(Xvfb -screen 0 "${screen}x24")
        [ -z "$compositor" ] || server=(env WAYLAND_DISPLAY="$compositor" Xwayland)
        "${server[@]}" -displayfd 3 -nolisten tcp -noreset \
            3>"$numberfile" >"$dir/xserver.log" 2>&1 &
        x_session_pids+=($!)
        wait_until 10 "the X server to report its display" grep -q . "$numberfile"
        export DISPLAY=":$(tr -d '[:space:]' <"$numberfile")"
    fi

    # Every frame the manager puts on the root window, from its creation on. Started
    # before the manager, so that nothing placed is missed.
    stdbuf -oL xev -root -event substructure >"$dir/root-events.log" 2>&1 &
    x_session_pids+=($!)

    [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || x_session_bus "$dir"

    case $manager in
        openbox) openbox --sm-disable ;;
        # KDE_DEBUG: no crash handler that would start KWin again, on whichever server then
        # has the display number.
        kwin) QT_QPA_PLATFORM=xcb KDE_DEBUG=1 kwin_x11 --replace ;;
        mutter) mutter --x11 --replace --sm-disable ;;
        xfwm4) xfwm4 --replace --compositor=off ;;
        kwin_wayland) : ;; # started above, with its X server
        *) fail "no window manager called '$manager'" ;;
    esac >"$dir/$manager.log" 2>&1 &
    x_session_pids+=($!)
    wait_until 20 "$manager to manage the screen" wm_running
    note "X server $DISPLAY ($screen) with $manager"
}

# x_session_bus <dir>: a private session bus, as a desktop session has one: KWin and xfwm4
# need it.
x_session_bus() {
    local busfile="$1/bus"
    : >"$busfile"
    dbus-daemon --session --nofork --nosyslog --print-address=3 3>"$busfile" \
        >"$1/dbus.log" 2>&1 &
    x_session_pids+=($!)
    wait_until 10 "the session bus to start" grep -q . "$busfile"
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$busfile")
    export DBUS_SESSION_BUS_ADDRESS
}

# x_session_kwin_wayland <dir> <width>x<height>: kwin_wayland on a virtual output with
# Xwayland, in a Plasma session's variables; exports WAYLAND_DISPLAY and DISPLAY (Xwayland).
# KWin runs from a plain copy of its binary, still named kwin_wayland (its own platform
# plugin loads only under that name): the installed one carries a file capability that a
# container cannot grant. Xwayland puts its socket in /tmp/.X11-unix.
x_session_kwin_wayland() {
    local dir=$1 screen=$2
    [ -d /tmp/.X11-unix ] || mkdir -m 1777 /tmp/.X11-unix
    x_session_bus "$dir"
    mkdir -p "$dir/kwin"
    cp "$(command -v kwin_wayland)" "$dir/kwin/kwin_wayland"
    # The session variables Plasma sets, its major version among them.
    local version
    version=$("$dir/kwin/kwin_wayland" --version 2>/dev/null | sed -n 's/^kwin \([0-9]*\)\..*/\1/p')
    export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=${version:-5}
    # KWin starts this once Xwayland is up, with DISPLAY naming it.
    # shellcheck disable=SC2016 # expanded by the script, not here
    printf '#!/bin/sh\necho "$DISPLAY" >"%s"\n' "$dir/display" >"$dir/kwin/tell-display"
    chmod +x "$dir/kwin/tell-display"
    export WAYLAND_DISPLAY="tandemo-$(basename "$dir")-$$"
    KDE_DEBUG=1 "$dir/kwin/kwin_wayland" --virtual --xwayland --socket "$WAYLAND_DISPLAY" \
        --width "${screen%x*}" --height "${screen#*x}" "$dir/kwin/tell-display" \
        >"$dir/kwin_wayland-server.log" 2>&1 &
    x_session_pids+=($!)
    wait_until 30 "kwin_wayland to start Xwayland" grep -q . "$dir/display"
    DISPLAY=$(tr -d '[:space:]' <"$dir/display")
    export DISPLAY
}

# x_session_work <name>: a private folder in $work, and at the script's exit the program
# ($app_pid, when set) killed, the session ended and the folder removed.
x_session_work() {
    work=$(mktemp -d "${TMPDIR:-/tmp}/tandemo-$1.XXXXXX")
    app_pid=
    trap x_session_cleanup EXIT
}
x_session_cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    x_session_stop
    rm -rf "$work"
}

wm_running() {
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'
}

x_session_stop() {
    local i
    for ((i = ${#x_session_pids[@]} - 1; i >= 0; i--)); do
        kill "${x_session_pids[i]}" 2>/dev/null || true
        wait "${x_session_pids[i]}" 2>/dev/null || true
    done
    x_session_pids=()
}

# process_ended <pid>: the process has exited (a child of ours may linger as a zombie
# until it is waited for, and still answers kill -0).
process_ended() {
    [ ! -e "/proc/$1" ] || [ "$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null)" = Z ]
}

# program_windows <title>: the program's own mapped windows with exactly this title, as
# decimal ids. Its own are those of its window class: a manager may draw its frames in a
# client of its own whose windows carry the framed window's title (mutter does since 48).
program_windows() {
    local id found=1
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        [ "$(xprop -id "$id" WM_CLASS 2>/dev/null)" = 'WM_CLASS(STRING) = "Tandemo", "Tandemo"' ] &&
            echo "$id" && found=0
    done
    return "$found"
}

# The first of the program's mapped windows with exactly this title, as a decimal id.
mapped_window() {
    program_windows "$1" | awk 'NR == 1 { print; found = 1 } END { exit !found }'
}

window_mapped() {
    mapped_window "$1" >/dev/null
}

window_gone() {
    ! mapped_window "$1" >/dev/null
}

# wait_window <title> [timeout]: prints the window id once the window is mapped.
wait_window() {
    local title=$1 timeout=${2:-10}
    wait_until "$timeout" "window \"$title\" to be mapped" window_mapped "$title"
    mapped_window "$title"
}

wait_window_gone() {
    local title=$1 timeout=${2:-10}
    wait_until "$timeout" "window \"$title\" to go" window_gone "$title"
}

# client_geometry <window>: "x y width height" of the client area on the root window.
client_geometry() {
    xwininfo -id "$1" | awk '
        /Absolute upper-left X/ { x = $NF }
        /Absolute upper-left Y/ { y = $NF }
        /^ *Width/ { w = $NF }
        /^ *Height/ { h = $NF }
        END { print x, y, w, h }'
}

# frame_geometry <window>: "x y width height" of the window with the manager's frame.
frame_geometry() {
    local x y w h left right top bottom
    read -r x y w h < <(client_geometry "$1")
    # None announced (a window without a frame): none.
    read -r left right top bottom < <(xprop -id "$1" _NET_FRAME_EXTENTS |
        sed -n 's/.*= *//p' | tr -d ',') || left=0 right=0 top=0 bottom=0
    echo "$((x - left)) $((y - top)) $((w + left + right)) $((h + top + bottom))"
}

# frame_of <window>: the root window's child that holds the window, as a decimal id: the
# manager's frame, or the window itself where the manager draws none round it.
frame_of() {
    local id=$1 parent root
    root=$(xwininfo -root | awk '/Window id:/ { print $4 }')
    while :; do
        parent=$(xwininfo -id "$id" -tree | awk '/Parent window id:/ { print $4 }')
        [ -n "$parent" ] || return 1
        [ $((parent)) -ne $((root)) ] || { printf '%d\n' "$id"; return 0; }
        id=$parent
    done
}

# frame_places <frame> [<other frame>]: "x y width height" of a root window's child at each
# mapping and at each change while mapped, from the root window's events: a frame that was
# mapped elsewhere and moved afterwards shows each of its places. Only the places with the
# size the frame had last count: KWin and mutter map their frame before they size it (1 x 1,
# or the client's size), and show it only once they have drawn it at its size. With another
# frame, each place is followed by that frame's "x y width height" when it was mapped then.
frame_places() {
    awk -v frame="$(printf '0x%x' "$1")" -v other="$([ -z "${2:-}" ] || printf '0x%x' "$2")" '
        function part(re) { return match(rec, re) ? substr(rec, RSTART, RLENGTH) : "" }
        function place(g) {
            g = part("[(]-?[0-9]+,-?[0-9]+[)], width [0-9]+, height [0-9]+")
            gsub(/[^0-9-]+/, " ", g)
            split(g, v, " ")
            return v[1] " " v[2] " " v[3] " " v[4]
        }
        function show() {
            if (mapped && geometry != "") places[++n] = geometry (other_mapped ? " " other_at : "")
        }
        BEGIN { RS = "" }
        {
            rec = $0
            gsub(/\n/, " ", rec)
            subject = part($1 == "CreateNotify" ? "parent 0x[0-9a-f]+, window 0x[0-9a-f]+" \
                                                : "event 0x[0-9a-f]+, window 0x[0-9a-f]+")
            sub(/.*window /, "", subject)
            if (other != "" && subject == other) {
                if ($1 == "CreateNotify" || $1 == "ConfigureNotify") other_at = place()
                else if ($1 == "MapNotify") other_mapped = 1
                else if ($1 == "UnmapNotify" || $1 == "DestroyNotify") other_mapped = 0
                next
            }
            if (subject != frame) next
            if ($1 == "CreateNotify" || $1 == "ConfigureNotify") {
                geometry = place()
                show()
            } else if ($1 == "MapNotify") {
                mapped = 1
                show()
            } else if ($1 == "UnmapNotify" || $1 == "DestroyNotify") {
                mapped = 0
            }
        }
        END {
            split(places[n], last, " ")
            for (i = 1; i <= n; i++) {
                split(places[i], p, " ")
                if (p[3] == last[3] && p[4] == last[4]) print places[i]
            }
        }' "$x_session_dir/root-events.log"
}

# client_list <root property>: the managed windows a window manager lists, one decimal id
# a line: _NET_CLIENT_LIST in the order they were first mapped, _NET_CLIENT_LIST_STACKING
# from the bottom of the stack up.
client_list() {
    xprop -root "$1" | sed -n 's/.*# *//p' | tr -d ',' | tr ' ' '\n' | grep . |
        while read -r hex; do printf '%d\n' "$hex"; done
}

stacking_order() {
    client_list _NET_CLIENT_LIST_STACKING
}

# list_position <id> <list>: the 1-based line of the id in the list, or nothing.
list_position() {
    grep -nx "$1" <<<"$2" | cut -d: -f1
}

# is_above <upper> <lower>: true when <upper> is stacked above <lower>.
is_above() {
    local order upper_at lower_at
    order=$(stacking_order)
    upper_at=$(list_position "$1" "$order")
    lower_at=$(list_position "$2" "$order")
    [ -n "$upper_at" ] && [ -n "$lower_at" ] && [ "$upper_at" -gt "$lower_at" ]
}

# screenshot <window> <file>: the window as a person sees it, frame included.
screenshot() {
    import -window "$1" -frame "$2" 2>/dev/null || import -window "$1" "$2"
}

# pixel <png> <x> <y>: "r,g,b" of one pixel.
pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# close_window <window>: the window manager's close command, as its title bar's close button
# gives it (_NET_CLOSE_WINDOW, which the manager turns into WM_DELETE_WINDOW). A key chord
# would go through the manager's key grab and the focus of the moment, and under load such a
# chord was now and then lost on its way, leaving the program running; KWin 6 also hands
# its shortcuts to a separate service, without which Alt+F4 does nothing at all.
close_window() {
    wmctrl -i -c "$1"
}

# ---- input at designed places -----------------------------------------------------------
# Designed positions are in 96-dpi pixels; $scale (1 unless the caller sets it) multiplies
# them to device pixels.

scaled() { echo $(($1 * scale)); }


# click_at <window> <x> <y>: a left click at window-relative device pixels.
click_at() {
    local wx wy w h
    read -r wx wy w h < <(client_geometry "$1")
    xdotool mousemove --sync $((wx + $2)) $((wy + $3)) click 1
}

# click_designed <window> <origin x> <origin y> <x> <y> <width> <height>: clicks the middle
# of a control given by its designed rectangle, relative to an origin in device pixels.
click_designed() {
    click_at "$1" $(($2 + $(scaled $(($4 + $6 / 2))))) $(($3 + $(scaled $(($5 + $7 / 2)))))
}

# A menu's popup: an override-redirect window of the program that is mapped.
popup_window() {
    local id
    for id in $(xwininfo -root -children | awk '/"Tandemo": \("Tandemo"/ { print $1 }'); do
        if xwininfo -id "$id" | grep -q 'Override Redirect State: yes' &&
            xwininfo -id "$id" | grep -q 'IsViewable'; then
            printf '%d\n' "$id"
            return 0
        fi
    done
    return 1
}

popup_closed() { ! popup_window >/dev/null; }

# first_row <png> <x> <from y> <colour>: the first row at or below <from y> in column <x>
# whose pixel has the colour. (The whole column is read: leaving early would break the
# pipe under pipefail.)
first_row() {
    convert "$1" -crop "1x+$2+$3" +repage -depth 8 txt:- |
        awk -v c="$4" -v from="$3" 'NR > 1 && !found && toupper($3) == toupper(c) {
            split($1, at, "[,:]"); print at[2] + from; found = 1 }'
}

first_column() { # <png> <y> <from x> <colour>
    convert "$1" -crop "x1+$3+$2" +repage -depth 8 txt:- |
        awk -v c="$4" -v from="$3" 'NR > 1 && !found && toupper($3) == toupper(c) {
            split($1, at, "[,:]"); print at[1] + from; found = 1 }'
}

hex_pixel() { # <png> <x> <y>
    convert "$1" -crop "1x1+$2+$3" +repage -depth 8 txt:- | awk 'NR == 2 { print toupper($3) }'
}

# The splash is the program's one window of the utility type (a splash-type window would be
# hidden by KWin at a click).
is_splash() {
    xprop -id "$1" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_UTILITY
}

splash_window() {
    local id
    for id in $(program_windows Tandemo); do
        is_splash "$id" && { echo "$id"; return 0; }
    done
    return 1
}

window_unmapped() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }

# menu_bar_height <main window>: the questionnaire's menu bar, in device pixels: its purple
# client area starts right under it.
menu_bar_height() {
    local png="$x_session_dir/menu-bar.png" height
    import -window "$1" "$png"
    height=$(first_row "$png" "$(scaled 4)" 0 '#800080')
    [ -n "$height" ] && [ "$height" -gt 0 ] && [ "$height" -lt "$(scaled 40)" ] && echo "$height"
}

# results_page <results window>: "x y" where its pages start, in device pixels from its
# client area: below the tabs, the first row in the page colour.
results_page() {
    local png="$x_session_dir/results-page.png" colour x y
    import -window "$1" "$png"
    colour=$(hex_pixel "$png" "$(scaled $((16 + 268)))" "$(scaled $((48 + 377 - 8)))")
    y=$(first_row "$png" "$(scaled $((16 + 530)))" "$(scaled 48)" "$colour")
    [ -n "$y" ] && x=$(first_column "$png" $((y + $(scaled 150))) "$(scaled 16)" "$colour")
    [ -n "$y" ] && [ -n "$x" ] && echo "$x $y"
}

# open_from_menu <main window> <menus to the right of УПРАВЛЕНИЕ> <item number> <title>:
# F10 opens the first menu; Right opens the next with its first item highlighted. Prints
# the id of the window the item opens.
open_from_menu() {
    xdotool windowactivate --sync "$1"
    keys F10
    wait_until 5 "the menu to open" popup_window
    local i
    for ((i = 0; i < $2; i++)); do keys Right; done
    for ((i = 1; i < $3; i++)); do keys Down; done
    keys Return
    wait_window "$4"
}

# question_button <main window> <menu bar height> <n>; answer_box <main window> <menu bar
# height> <position>: the questionnaire's controls, under the menu bar. The answer's click
# lands on the box itself, at the strip's left.
question_button() {
    click_designed "$1" 0 "$2" $((96 + 40 * ($3 - 1))) 48 33 33
}
answer_box() {
    click_at "$1" "$(scaled $((32 + 8)))" $(($2 + $(scaled $((144 + 24 * ($3 - 1) + 8)))))
}

keys() { xdotool key --clearmodifiers --delay 60 "$@"; }
