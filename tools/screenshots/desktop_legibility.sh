#!/bin/bash
# Measures every text of the windows on the screen's pixels under the palettes the program
# meets on people's desktops, each in the session variables that desktop sets, on a private
# X server (Xvfb), and fails when a text falls short of what its size needs.
#
#   desktop_legibility.sh <window_legibility> <work dir> [--table] [--shots] <palette>...
#
# Palettes:
#   qt             no desktop named: Qt's own palette
#   breeze-light   Plasma 6 with Breeze Light in kdeglobals (Plasma's default scheme)
#   breeze-light5  the same on Plasma 5
#   breeze-dark    Plasma 6 with Breeze Dark
#   kde-default    Plasma 5 with no kdeglobals at all: the KDE theme's own defaults
#   gnome          GNOME's session variables
#   dark           our dark palette (window_legibility --dark)
#
# Each palette's lines go to <work dir>/<palette>.txt; --table prints them side by side
# as the Markdown table of docs/legibility.md; --shots keeps the measured windows as the
# server showed them, in <work dir>/<palette>-shots/ (the screenshots in docs/).
set -u

tool=$1 work=$2
shift 2
table=false shots=false
while [ "${1:-}" = --table ] || [ "${1:-}" = --shots ]; do
    [ "$1" = --table ] && table=true
    [ "$1" = --shots ] && shots=true
    shift
done
[ -x "$tool" ] || { echo "FAIL: no measuring tool at $tool" >&2; exit 1; }
mkdir -p "$work"
# A guard against a run that hangs, so that the server is ended here rather than left
# behind by the test's own time-out; it measures nothing (a run takes under a second),
# and TANDEMO_WAIT_FACTOR stretches it for slower builds.
guard=$(awk -v f="${TANDEMO_WAIT_FACTOR:-1}" 'BEGIN { printf "%d", 60 * f }')

# Breeze's schemes, written from the colours they give: the window and button faces,
# the fields (View), the selection and the texts on each.
kdeglobals() {
    local window=$1 button=$2 view=$3 text=$4 link=$5
    cat <<EOF
[Colors:Button]
BackgroundNormal=$button
ForegroundNormal=$text

[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=255,255,255

[Colors:View]
BackgroundNormal=$view
BackgroundAlternate=$view
ForegroundNormal=$text
ForegroundLink=$link
ForegroundVisited=155,89,182

[Colors:Window]
BackgroundNormal=$window
ForegroundNormal=$text
EOF
}

# The server picks a free display and writes its number, in one line, when it is ready;
# a number left from an earlier run must not be taken for it. It serves one palette's run
# after another: -noreset keeps it from starting over each time its last client leaves,
# which a client connecting at that moment would wait on for good.
rm -f "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" \
    2>"$work/xvfb.log" &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null' EXIT
display=
for _ in $(seq 400); do
    display=$(grep -x '[0-9]\+' "$work/display" 2>/dev/null) && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
done
[ -n "$display" ] || { echo "FAIL: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
display=:$display

failed=()
for palette in "$@"; do
    home="$work/$palette-home"
    rm -rf "$home"
    mkdir -p "$home/.config" "$home/runtime"
    chmod 700 "$home/runtime"
    session=() options=(--pixels)
    if $shots; then
        mkdir -p "$work/$palette-shots"
        options+=(--shots "$work/$palette-shots")
    fi
    case $palette in
    qt) ;;
    gnome) session=(XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_DESKTOP=gnome) ;;
    breeze-light | breeze-light5 | breeze-dark)
        version=6
        [ "$palette" = breeze-light5 ] && version=5
        session=(XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=$version KDE_FULL_SESSION=true)
        if [ "$palette" = breeze-dark ]; then
            kdeglobals 32,35,38 41,44,48 20,22,24 252,252,252 29,153,243
        else
            kdeglobals 239,240,241 239,240,241 255,255,255 35,38,41 41,128,185
        fi >"$home/.config/kdeglobals"
        ;;
    kde-default) session=(XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 KDE_FULL_SESSION=true) ;;
    dark) options+=(--dark) ;;
    *) echo "FAIL: unknown palette $palette" >&2; exit 1 ;;
    esac
    # Only the session variables of the desktop being tried: none of the caller's own
    # desktop, style, theme or scale, which Qt would follow.
    env -u WAYLAND_DISPLAY -u XDG_CURRENT_DESKTOP -u XDG_SESSION_DESKTOP -u DESKTOP_SESSION \
        -u KDE_SESSION_VERSION -u KDE_FULL_SESSION -u KDEHOME -u KDEDIRS \
        -u GNOME_DESKTOP_SESSION_ID -u QT_STYLE_OVERRIDE -u QT_QPA_PLATFORMTHEME \
        -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_FONT_DPI \
        -u DBUS_SESSION_BUS_ADDRESS -u SESSION_MANAGER \
        DISPLAY="$display" QT_QPA_PLATFORM=xcb LANG=C.UTF-8 \
        HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/runtime" \
        "${session[@]}" timeout -k 5 "$guard" "$tool" "${options[@]}" \
        >"$work/$palette.txt" 2>"$work/$palette.log"
    status=$?
    # Status 1 is the tool's verdict, with its reasons in the lines; anything else, or
    # nothing measured, is a run that went wrong.
    if [ "$status" -eq 1 ] && grep -q 'TOO LOW\|never showed' "$work/$palette.txt"; then
        echo "FAIL: $palette: texts below what their size needs:" >&2
        grep 'TOO LOW\|never showed' "$work/$palette.txt" >&2
        failed+=("$palette")
    elif [ "$status" -ne 0 ] || [ ! -s "$work/$palette.txt" ]; then
        echo "FAIL: $palette: the measuring ended with status $status:" >&2
        cat "$work/$palette.log" >&2
        failed+=("$palette")
    else
        echo "$palette: $(wc -l <"$work/$palette.txt") texts read" >&2
    fi
done

if $table; then
    printf '| window | control | needs |'
    for palette in "$@"; do printf ' %s |' "$palette"; done
    printf '\n|---|---|---|'
    for palette in "$@"; do printf -- '---|'; done
    printf '\n'
    # One row a text: its colours and ratio under each palette, in the order measured.
    files=()
    for palette in "$@"; do files+=("$work/$palette.txt"); done
    awk -F' \\| ' -v n=$# '
        FNR == 1 { file++ }
        { key = $1 " | " $2
          if (!(key in seen)) { seen[key] = ++rows; order[rows] = key; needs[key] = $6 }
          cell[key, file] = $3 " on " $4 ": **" $5 "**" (NF > 6 ? " (low)" : "") }
        END { for (r = 1; r <= rows; r++) {
                k = order[r]; line = "| " k " | " needs[k] " |"
                for (f = 1; f <= n; f++) line = line " " ((k, f) in cell ? cell[k, f] : "–") " |"
                print line } }' "${files[@]}"
fi
[ ${#failed[@]} -eq 0 ] || { echo "FAIL: under ${failed[*]}" >&2; exit 1; }
