#!/bin/bash
# Measures every text of the real program's windows on the pixels it shows, under the
# palettes the program meets on people's desktops, and fails when a text falls short of
# what its size needs. On a private X server (Xvfb, with openbox), for each palette the
# built program is started in that desktop's session variables and driven from outside
# as a person would (xdotool): the questionnaire answered, the results and their three
# tabs, the indicator, the current probability, the attraction and the about box. Each
# window's client area is taken from the server once it has stopped changing; then
# window_legibility, in the same session, measures each text on those pictures.
#
#   desktop_legibility.sh <Tandemo> <window_legibility> <work dir> [--table] <palette>...
#
# Palettes:
#   qt             no desktop named: Qt's own palette
#   breeze-light   Plasma 6 with Breeze Light in kdeglobals (Plasma's default scheme)
#   breeze-light5  the same on Plasma 5
#   breeze-dark    Plasma 6 with Breeze Dark
#   kde-default    Plasma 5 with no kdeglobals at all: the KDE theme's own defaults
#   gnome          GNOME's session variables
#   dark           Plasma 6 with our dark palette's colours in kdeglobals
#
# Each palette's lines go to <work dir>/<palette>.txt and the pictures measured to
# <work dir>/<palette>/ (the screenshots in docs/); --table prints the lines side by side
# as the Markdown table of docs/legibility.md.
set -u

program=$(readlink -f "$1") tool=$(readlink -f "$2") work=$3
shift 3
table=false
[ "${1:-}" = --table ] && table=true && shift
[ -x "$program" ] || { echo "FAIL: no program at $1" >&2; exit 1; }
[ -x "$tool" ] || { echo "FAIL: no measuring tool at $2" >&2; exit 1; }
mkdir -p "$work"
work=$(readlink -f "$work")
# What the run tells goes to the error stream; the table alone to the output.
exec 3>&1 1>&2
# The answers given; the measuring tool gives the same ones to its own windows.
answers=1455554

# The main window is found by its title, which the tool has from the program's own code
# when CTest does not say it.
if [ -z "${TANDEMO_MAIN_CAPTION:-}" ]; then
    TANDEMO_MAIN_CAPTION=$(QT_QPA_PLATFORM=offscreen "$tool" --caption 2>/dev/null)
    export TANDEMO_MAIN_CAPTION
fi
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/xsession.sh
source "$here/../../tests/e2e/xsession.sh"

app_pid=
trap '[ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null; x_session_stop' EXIT
x_session_start "$work/x" 1280x1024 openbox

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

# in_session <command...>: runs the command with only the session variables of the desktop
# being tried: none of the caller's own desktop, style, theme or scale, which Qt would
# follow. The program and the measuring tool run so alike, and so get the same palette.
in_session() {
    env -u WAYLAND_DISPLAY -u XDG_CURRENT_DESKTOP -u XDG_SESSION_DESKTOP -u DESKTOP_SESSION \
        -u KDE_SESSION_VERSION -u KDE_FULL_SESSION -u KDEHOME -u KDEDIRS \
        -u GNOME_DESKTOP_SESSION_ID -u QT_STYLE_OVERRIDE -u QT_QPA_PLATFORMTHEME \
        -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_FONT_DPI \
        -u DBUS_SESSION_BUS_ADDRESS -u SESSION_MANAGER \
        QT_QPA_PLATFORM=xcb HOME="$home" XDG_CONFIG_HOME="$home/.config" \
        XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/runtime" "${session[@]}" "$@"
}

# picture <window> <name> [<earlier name>]: the window's client area as the server shows
# it, in $pictures/<name>.png, once two looks 0.1 s apart agree and show more than one
# colour (a window mapped but not yet painted is one colour), and, given an earlier
# picture, differ from it (the window has taken in the key sent to it). The pointer is
# moved off first, so that no control is shown hovered.
picture() {
    local look="$pictures/look.ppm" last="$pictures/last.ppm" deadline
    xdotool mousemove 0 0
    rm -f "$last"
    deadline=$(deadline_in 10)
    while :; do
        import -window "$1" "$look" 2>/dev/null || fail "$2: its window could not be read"
        if [ -f "$last" ] && cmp -s "$look" "$last" &&
            [ "$(convert "$look" -format %k info:)" -gt 1 ] &&
            { [ -z "${3:-}" ] || ! cmp -s "$look" "$pictures/$3.ppm"; }; then
            break
        fi
        past "$deadline" && fail "$2: the window did not settle into a new picture"
        mv "$look" "$last"
        sleep 0.1
    done
    mv "$look" "$pictures/$2.ppm"
    convert "$pictures/$2.ppm" -define png:exclude-chunks=date,time "$pictures/$2.png"
}

# drive: the road of a person through every window and tab, a picture of each.
drive() {
    in_session "$program" >"$work/$palette-program.log" 2>&1 &
    app_pid=$!
    local splash main menu_h results page_x page_y indicator window
    splash=$(wait_until 10 "the splash" splash_window && splash_window)
    # The splash stays 5 s: time enough for its picture.
    picture "$splash" TZast
    main=$(wait_window "$main_caption" 20)
    wait_until 10 "the splash to go" window_unmapped "$splash"

    # The questionnaire from its menu; the popup closes once the command has run.
    xdotool windowactivate --sync "$main"
    menu_h=$(menu_bar_height "$main") || fail "no questionnaire client area under the menu bar"
    # Opened by a click on its title: how Alt alone reaches the menu bar is the desktop
    # theme's choice.
    click_at "$main" 30 $((menu_h / 2))
    wait_until 5 "the menu to open" popup_window
    keys Down Return
    wait_until 5 "the menu to close" popup_closed
    local n
    for n in 1 2 3 4 5 6 7; do
        question_button "$main" "$menu_h" "$n"
        answer_box "$main" "$menu_h" "${answers:n-1:1}"
    done
    picture "$main" TTandemo

    click_designed "$main" 0 "$menu_h" 392 48 145 33 # "РЕЗУЛЬТАТЫ !"
    results=$(wait_window Results)
    picture "$results" "TResults 1"
    read -r page_x page_y < <(results_page "$results") || fail "no page in the results window"
    # The focus starts in the tabs; Ctrl+Tab turns to the next one.
    keys ctrl+Tab
    picture "$results" "TResults 2" "TResults 1"
    keys ctrl+Tab
    picture "$results" "TResults 3" "TResults 2"
    click_designed "$results" "$page_x" "$page_y" 368 256 105 25 # "Подробности"
    indicator=$(wait_window SpecHelp)
    picture "$indicator" TSpecHelp
    click_designed "$indicator" 0 0 136 336 147 25 # "ВСЁ ПОНЯТНО"
    wait_window_gone SpecHelp
    click_designed "$results" "$page_x" "$page_y" 368 320 105 25 # "ВЫХОД"
    wait_window_gone Results

    window=$(open_from_menu "$main" 1 3 Info)
    picture "$window" TInfo
    click_designed "$window" 0 0 64 120 145 33 # "ПРОДОЛЖИТЬ ОПРОС"
    wait_window_gone Info
    window=$(open_from_menu "$main" 1 1 Attract)
    picture "$window" TAttract
    click_designed "$window" 0 0 184 264 89 25 # "ЗАКРЫТЬ"
    wait_window_gone Attract
    window=$(open_from_menu "$main" 2 1 About)
    picture "$window" TAboutBox
    click_designed "$window" 0 0 111 180 75 25 # "OK"
    wait_window_gone About

    close_window "$main"
    wait_until 10 "the program to end" process_ended "$app_pid"
    wait "$app_pid" || fail "$palette: the program ended with status $?"
    app_pid=
    rm -f "$pictures"/*.ppm
}

# A guard against a measuring that hangs; it measures nothing (it takes about a second).
guard=$(awk -v f="$wait_factor" 'BEGIN { printf "%d", 60 * f }')
failed=()
for palette in "$@"; do
    home="$work/$palette-home" pictures="$work/$palette"
    rm -rf "$home" "$pictures"
    mkdir -p "$home/.config" "$home/runtime" "$pictures"
    chmod 700 "$home/runtime"
    session=()
    case $palette in
    qt) ;;
    gnome) session=(XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_DESKTOP=gnome) ;;
    breeze-light | breeze-light5 | breeze-dark | dark)
        version=6
        [ "$palette" = breeze-light5 ] && version=5
        session=(XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION="$version" KDE_FULL_SESSION=true)
        case $palette in
        breeze-dark) kdeglobals 32,35,38 41,44,48 20,22,24 252,252,252 29,153,243 ;;
        dark) kdeglobals 49,54,59 49,54,59 35,38,41 239,240,241 41,128,185 ;;
        *) kdeglobals 239,240,241 239,240,241 255,255,255 35,38,41 41,128,185 ;;
        esac >"$home/.config/kdeglobals"
        ;;
    kde-default) session=(XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 KDE_FULL_SESSION=true) ;;
    *) fail "unknown palette $palette" ;;
    esac
    note "$palette: driving the program"
    drive
    in_session timeout -k 5 "$guard" "$tool" --pictures "$pictures" "$answers" \
        >"$work/$palette.txt" 2>"$work/$palette.log"
    status=$?
    # Status 1 is the tool's verdict, with its reasons in the lines; anything else, or
    # nothing measured, is a run that went wrong.
    if [ "$status" -eq 1 ] && grep -q 'TOO LOW\|the picture is' "$work/$palette.txt"; then
        echo "FAIL: $palette: texts below what their size needs:" >&2
        grep 'TOO LOW\|the picture is' "$work/$palette.txt" >&2
        failed+=("$palette")
    elif [ "$status" -ne 0 ] || [ ! -s "$work/$palette.txt" ]; then
        echo "FAIL: $palette: the measuring ended with status $status:" >&2
        cat "$work/$palette.log" >&2
        failed+=("$palette")
    else
        note "$palette: $(wc -l <"$work/$palette.txt") texts read"
    fi
done

if $table; then
    exec 1>&3
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
[ ${#failed[@]} -eq 0 ] || fail "under ${failed[*]}"
