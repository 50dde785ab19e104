# Sourced by the tests that run the real program: a private X server with a window
# manager, and small helpers to wait for windows and to read them from outside.
#
#   x_session_start <work dir> [<width>x<height>]   exports DISPLAY, starts Xvfb and openbox
#   x_session_stop                                   ends what x_session_start started
#
# Every wait polls a condition against a deadline; nothing sleeps for a fixed time
# hoping that something has happened. Deadlines are written for the ordinary build on
# an idle machine; TANDEMO_WAIT_FACTOR (set by CMake for each build, larger under the
# sanitizers) stretches every one of them, so a slower build waits longer instead of
# failing.

x_session_pids=()

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
[[ $wait_factor =~ ^[0-9]+([.][0-9]+)?$ ]] || fail "TANDEMO_WAIT_FACTOR '$wait_factor' is not a number"

# deadline_in <seconds>: the clock time at which a wait of that many (stretched) seconds
# ends; past <deadline>: true once it has.
deadline_in() {
    awk -v n="$(date +%s.%N)" -v t="$1" -v f="$wait_factor" 'BEGIN { printf "%.3f", n + t * f }'
}
past() {
    awk -v n="$(date +%s.%N)" -v d="$1" 'BEGIN { exit !(n > d) }'
}

# wait_until <timeout seconds> <description> <command...>: polls the command every 50 ms.
wait_until() {
    local timeout=$1 what=$2
    shift 2
    local deadline
    deadline=$(deadline_in "$timeout")
    until "$@" >/dev/null 2>&1; do
        if past "$deadline"; then
            fail "timed out after ${timeout}s (x$wait_factor) waiting for: $what"
        fi
        sleep 0.05
    done
}

x_session_start() {
    local dir=$1 screen=${2:-1024x768}
    mkdir -p "$dir"
    # Keep the window manager and Qt away from the user's own settings and caches.
    export HOME="$dir/home" XDG_CONFIG_HOME="$dir/home/.config" XDG_CACHE_HOME="$dir/home/.cache"
    export XDG_RUNTIME_DIR="$dir/runtime"
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM SESSION_MANAGER

    # -displayfd lets the server choose a free display number and tell us which. The
    # choice cannot race: the server takes a number by binding its socket and moves on to
    # the next when that fails, so servers started at the same moment (tests run side by
    # side, other sessions on the machine) each get their own; ten started at once do.
    local numberfile="$dir/display"
    : >"$numberfile"
    Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset \
        3>"$numberfile" >"$dir/xvfb.log" 2>&1 &
    x_session_pids+=($!)
    wait_until 10 "Xvfb to report its display" grep -q . "$numberfile"
    export DISPLAY=":$(tr -d '[:space:]' <"$numberfile")"

    openbox --sm-disable >"$dir/openbox.log" 2>&1 &
    x_session_pids+=($!)
    wait_until 10 "openbox to manage the screen" wm_running
    note "X server $DISPLAY ($screen) with openbox"
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

# The first mapped window with exactly this title, printed as a decimal id.
mapped_window() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null |
        awk 'NR == 1 { print; found = 1 } END { exit !found }'
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
    read -r left right top bottom < <(xprop -id "$1" _NET_FRAME_EXTENTS |
        sed -n 's/.*= *//p' | tr -d ',')
    echo "$((x - left)) $((y - top)) $((w + left + right)) $((h + top + bottom))"
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
# chord was now and then lost on its way, leaving the program running.
close_window() {
    wmctrl -i -c "$1"
}
