#!/usr/bin/env bash
# Drives the built program in a private X server the way a person does, and only from
# outside the process: real pointer and key events (xdotool), window queries (xwininfo,
# xprop) and the clipboard (xclip) to read back what a box shows.
#
#   start-up    the splash is mapped before the main window, centred, and stays above it,
#               a click on it included; the splash goes no sooner than 5 s after the start;
#   centring    every window the program centres (the splash, the main window, the results
#               window, the about box, the message boxes) has its frame, as the window
#               manager draws it, centred within a pixel at every place the frame took from
#               its mapping on, at every showing (checked again at the end, so that a late
#               jump is caught too);
#   survey      "УПРАВЛЕНИЕ" > "ЗАПУСК ОПРОСНИКА", questions 1 to 6 clicked at their
#               designed places, question 7 with the keyboard alone (Tab, Enter, Space);
#   results     "РЕЗУЛЬТАТЫ !" opens "Results"; its second tab shows the expected type 1
#               and type 2 texts, a partner value gives the expected mutual text, "abc"
#               gives the error box captioned "Tandemo" and changes nothing; 10 MB pasted
#               through the clipboard leave the field holding their first 32,767 characters,
#               give the error box, centred, closed by Return, and the program goes on;
#   every other window is opened, its client size checked and a screenshot taken;
#   "ВЫХОД" in the results window, then "ВЫХОД" in the menu ends the program with status
#   0 (the time it took is printed).
#
# Designed positions are in 96-dpi pixels from a window's client area (the questionnaire's
# from the area under its menu bar, the results tabs' from the page); with a scale factor
# every position and size is multiplied by it, so the run also checks that the layout
# keeps its shape at that density.
#
# usage: questionnaire_run.sh <program> <screenshot dir> <scale> <menu keys|mouse>
#            <answers, e.g. 1455554> <type 1> <type 2> <partner> <mutual> [<window manager>]
set -euo pipefail

program=$(readlink -f "$1")
shots=$2
scale=$3
menu_by=$4
answers=$5
expect_type1=$6
expect_type2=$7
partner=$8
expect_mutual=$9
manager=${10:-openbox}

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=xsession.sh
source "$here/xsession.sh"

[ ${#answers} -eq 7 ] || fail "seven answers expected, got '$answers'"
mkdir -p "$shots"
x_session_work e2e

purple='#800080'
tag="${scale}x"
[ "$manager" = openbox ] || tag="$manager-$tag"

# ---- small helpers ---------------------------------------------------------------------

now() { date +%s.%N; }
seconds_since() { awk -v s="$1" -v n="$(now)" 'BEGIN { printf "%.2f", n - s }'; }

alive() {
    process_ended "$app_pid" && { cat "$work/app.log" >&2; fail "the program ended unexpectedly"; }
    return 0
}

# expect_centred <window> <what> [<covering window>]: at every place the window's frame
# (borders and caption bar included) took since it was mapped, its centre is within one
# pixel of the screen's. Compared doubled, in whole pixels. The places are those of the
# manager's frame window, which may reach beyond the frame a person sees by invisible
# borders to grab for resizing (mutter's): the difference, seen now, is taken off each. The
# frame is remembered for the check at the end. With a covering window (the splash over the
# main window), a place before the last may be off the centre where that window's frame,
# mapped at the time, held the whole frame: nobody saw it there.
centred_frames=()
expect_centred() {
    local frame x y w h fx fy fw fh cover=
    frame=$(frame_of "$1") || fail "$2: no frame found"
    [ -z "${3:-}" ] || cover=$(frame_of "$3") || fail "$2: no frame found for the window over it"
    wait_until 5 "$2: its frame's mapping among the root window's events" has_frame_places "$frame"
    read -r x y w h < <(frame_geometry "$1")
    read -r fx fy fw fh < <(client_geometry "$frame")
    local visible="$((x - fx)) $((y - fy)) $((w - fw)) $((h - fh))"
    # Under a covering window, a first place off the centre may be followed by a move.
    [ -z "$cover" ] ||
        wait_until 5 "$2: its frame at the centre" last_place_centred "$frame" "$visible"
    centred_frames+=("$frame|$visible|$2|$cover")
    frame_centred "$frame" "$visible" "$2" "$cover"
}
has_frame_places() { [ -n "$(frame_places "$1")" ]; }
last_place_centred() { # <frame> <"dx dy dw dh">
    local fx fy fw fh dx dy dw dh
    read -r dx dy dw dh <<<"$2"
    read -r fx fy fw fh < <(frame_places "$1" | tail -n 1)
    within_pixel $((2 * (fx + dx) + fw + dw - screen_w)) && within_pixel $((2 * (fy + dy) + fh + dh - screen_h))
}
within_pixel() { [ "${1#-}" -le 2 ]; }

window_mapped_id() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }

frame_centred() { # <frame> <"dx dy dw dh" from the frame window to the visible frame> <what> [<covering frame>]
    local fx fy fw fh cx cy cw ch dx dy dw dh off_x off_y places=0 worst=0 covered=0 total
    read -r dx dy dw dh <<<"$2"
    total=$(frame_places "$1" | wc -l)
    while read -r fx fy fw fh cx cy cw ch; do
        fx=$((fx + dx)) fy=$((fy + dy)) fw=$((fw + dw)) fh=$((fh + dh))
        off_x=$((2 * fx + fw - screen_w)) off_y=$((2 * fy + fh - screen_h))
        [ $places -gt 0 ] || note "$3: mapped at $fx,$fy ${fw}x$fh, off by $(half "$off_x"),$(half "$off_y")"
        places=$((places + 1))
        if [ "${off_x#-}" -gt 2 ] || [ "${off_y#-}" -gt 2 ]; then
            [ -n "$cx" ] && [ $places -lt "$total" ] && [ "$fx" -ge "$cx" ] && [ "$fy" -ge "$cy" ] &&
                [ $((fx + fw)) -le $((cx + cw)) ] && [ $((fy + fh)) -le $((cy + ch)) ] ||
                fail "$3: the frame at $fx,$fy ${fw}x$fh is not centred on ${screen_w}x$screen_h"
            covered=$((covered + 1))
            continue
        fi
        [ "${off_x#-}" -le "$worst" ] || worst=${off_x#-}
        [ "${off_y#-}" -le "$worst" ] || worst=${off_y#-}
    done < <(frame_places "$1" "${4:-}")
    [ $places -gt 0 ] || fail "$3: no place of its frame recorded"
    [ $covered -eq 0 ] || note "$3: $covered places off the centre wholly under the window over it"
    [ $places -eq 1 ] || note "$3: $places places, each centred one off by at most $(half "$worst")"
}

# expect_transient_for <box> <window> <what>: the box belongs to the window (one taskbar
# entry for both), not to Qt's hidden leader window.
expect_transient_for() {
    local owner
    owner=$(xprop -id "$1" WM_TRANSIENT_FOR | sed -n 's/.*# *//p')
    [ -n "$owner" ] && [ $((owner)) -eq "$2" ] ||
        fail "$3: transient for '$owner', not for the window it was raised from ($2)"
}

half() { awk -v v="$1" 'BEGIN { printf "%.1f", v / 2 }'; }

shoot() { # <window> <name>
    screenshot "$1" "$shots/e2e-$tag-$2.png"
    note "screenshot e2e-$tag-$2.png"
}

# expect_client_size <window> <designed width> <designed height>
expect_client_size() {
    local x y w h
    read -r x y w h < <(client_geometry "$1")
    [ "$w" -eq "$(scaled "$2")" ] && [ "$h" -eq "$(scaled "$3")" ] ||
        fail "client area is ${w}x${h}, designed $2x$3 at scale $scale"
}

# The program's message box: a managed window captioned with the application title.
message_box() {
    local id
    for id in $(program_windows Tandemo); do
        xwininfo -id "$id" | grep -q 'Override Redirect State: no' && { echo "$id"; return 0; }
    done
    return 1
}

# read_box <window> <origin x> <origin y> <designed rectangle...>: what an edit box holds,
# as a person would take it: click into it, select all, copy.
read_box() {
    local window=$1
    shift
    printf '\x01unset\x01' | xclip -selection clipboard -i
    click_designed "$window" "$@"
    xdotool key --clearmodifiers ctrl+a ctrl+c
    wait_until 5 "the copied text on the clipboard" clipboard_changed
    xclip -o -selection clipboard
}

clipboard_changed() {
    [ "$(xclip -o -selection clipboard 2>/dev/null)" != $'\x01unset\x01' ]
}

# type_into <window> <origin x> <origin y> <designed rectangle...> <text>
type_into() {
    local text=${*: -1}
    click_designed "${@:1:$#-1}"
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 20 "$text"
}

# control_menu <item> <keys...>: chooses item 1 to 4 of УПРАВЛЕНИЕ, by the keys that open the
# menu on it, then Return, or with the mouse, as the run goes; $asked is the moment of choosing.
control_menu() {
    local item=$1 px py pw ph
    shift
    if [ "$menu_by" = keys ]; then
        keys "$@"
        wait_until 5 "the menu to open" popup_window
        asked=$(now)
        keys Return
    else
        click_at "$main" "$(scaled 30)" $((menu_h / 2))
        wait_until 5 "the УПРАВЛЕНИЕ menu to open" popup_window
        read -r px py pw ph < <(client_geometry "$(popup_window)")
        # Four items of equal height: item n's middle is 2n - 1 eighths down the popup.
        asked=$(now)
        xdotool mousemove --sync $((px + pw / 2)) $((py + ph * (2 * item - 1) / 8)) click 1
    fi
}

# ---- start-up --------------------------------------------------------------------------

if [ "$scale" -eq 1 ]; then
    x_session_start "$work/x" 1024x768 "$manager"
else
    x_session_start "$work/x" "$((1280 * scale))x$((800 * scale))" "$manager"
    export QT_SCALE_FACTOR=$scale
fi
read -r screen_w screen_h < <(xwininfo -root | awk '/^ *Width/ { w = $NF } /^ *Height/ { h = $NF }
    END { print w, h }')

launched=$(now)
"$program" >"$work/app.log" 2>&1 &
app_pid=$!

# Poll both windows together so that the order in which they appear is seen.
splash= main=
deadline=$(deadline_in 10)
while [ -z "$main" ]; do
    alive
    [ -n "$splash" ] || splash=$(splash_window || true)
    main=$(mapped_window "$main_caption" || true)
    if [ -n "$main" ] && [ -z "$splash" ]; then
        # Both may have been mapped since the splash was looked for; if so, the window
        # manager's list below tells which came first.
        splash=$(splash_window || true)
        [ -n "$splash" ] || fail "the main window was mapped before the splash"
    fi
    past "$deadline" && fail "no main window after $(seconds_since "$launched") s"
    sleep 0.02
done
# The window manager lists its windows in the order they were first mapped.
mapped_order=$(client_list _NET_CLIENT_LIST)
[ "$(list_position "$splash" "$mapped_order")" -lt "$(list_position "$main" "$mapped_order")" ] ||
    fail "the window manager saw the main window mapped before the splash"
note "splash $splash, then main window $main"

expect_client_size "$splash" 621 414
expect_centred "$splash" "splash"

expect_client_size "$main" 600 320
# Measured as soon as it is mapped: a window centred only after its frame appeared would
# be caught before its jump.
expect_centred "$main" "main window, first showing" "$splash"

# What needs the splash on screen is checked by the clock of the splash's own rule, not by a
# guess at the machine's speed: the splash goes no sooner than 5 s after it was made, which
# was after $launched, so until then it must be up and a failed check is the program's. Past
# that its time may have run out (on a busy machine, before the main window even came), and
# a check that failed because the splash had gone is noted instead; once it has gone, the
# later ones are not made.
splash_up=1
splash_due_up() { awk -v s="$launched" -v n="$(now)" 'BEGIN { exit !(n - s < 5.0) }'; }
while_splash_up() { # <what fails> <check...>
    local what=$1
    shift
    ((splash_up)) || return 0
    "$@" && return 0
    # Still up after the check, or due to be: the check failed on its own account.
    if splash_due_up || window_mapped_id "$splash"; then
        fail "$what"
    fi
    splash_up=0
    note "the splash's five seconds ran out at $(seconds_since "$launched")s; not checked: $what"
}
while_splash_up "the splash went before the main window was mapped, $(seconds_since "$launched")s after the start" \
    window_mapped_id "$splash"
while_splash_up "the splash is not above the main window (stacking from the bottom: $(stacking_order | tr '\n' ' '))" \
    is_above "$splash" "$main"
# Even when the main window is made active, the splash stays over it.
xdotool windowactivate --sync "$main"
while_splash_up "the splash went below the activated main window" is_above "$splash" "$main"
# Nor does a click on the splash take it away (KWin hides a splash-type window so).
if ((splash_up)); then
    read -r sx sy sw sh < <(client_geometry "$splash")
    # (A synchronous move to where the pointer already is, the screen's centre at the start,
    # would wait for ever.)
    xdotool mousemove --sync 0 0 mousemove --sync $((sx + sw / 2)) $((sy + sh / 2)) click 1
    while_splash_up "a click on the splash took it away" window_mapped_id "$splash"
    while_splash_up "the splash went below the main window at a click on it" is_above "$splash" "$main"
fi
((splash_up)) && note "splash above the main window, also after a click on it"
# The picture comes after the stacking checks: on a busy machine taking it has lasted
# seconds, long enough for the splash's own time to run out before they were made.
if ((splash_up)) && ! shoot "$splash" splash; then
    splash_due_up || window_mapped_id "$splash" && fail "no picture could be taken of the splash"
    note "the splash had gone before its picture was taken"
fi

# The splash's end has no upper bound but the hang guard: when the timer's tick is handled
# depends on how busy the machine is.
wait_until 10 "the splash to go" window_unmapped "$splash"
gone_after=$(seconds_since "$launched")
awk -v t="$gone_after" 'BEGIN { exit !(t >= 5.0) }' ||
    fail "the splash went after ${gone_after}s, before its five seconds"
note "splash gone ${gone_after}s after the start"
alive

# ---- the questionnaire -----------------------------------------------------------------

xdotool windowactivate --sync "$main"
shoot "$main" main-start
# The survey's controls sit under the menu bar, in the purple client area: its top edge
# is the first purple row.
menu_h=$(menu_bar_height "$main") || fail "no purple client area right under the menu bar"
note "menu bar ${menu_h}px high"

# A bare Alt highlights the first menu title; Down opens it on its first item.
control_menu 1 alt Down
wait_until 5 "the menu to close" popup_closed

client_y=$menu_h

# The question buttons appear with the start command: wait until "1" is painted.
button1_painted() {
    import -window "$main" "$work/probe.png"
    [ "$(hex_pixel "$work/probe.png" "$(scaled 100)" $((client_y + $(scaled 64))))" != "$purple" ]
}
wait_until 5 "the question buttons to appear" button1_painted

for n in 1 2 3 4 5 6; do
    question_button "$main" "$client_y" "$n"
    answer_box "$main" "$client_y" "${answers:n-1:1}"
done
shoot "$main" questionnaire
alive

# Question 7 by keyboard alone. The focus is on the box just ticked for question 6; going
# back through the tab order (boxes above it, the question text, the hidden results
# button) reaches button 7.
a6=${answers:5:1} a7=${answers:6:1}
for ((i = 0; i < a6 + 1; i++)); do keys shift+Tab; done
keys Return
# Forward again: the hidden results button, the question text, then box 1 to the answer.
for ((i = 0; i < a7 + 1; i++)); do keys Tab; done
keys space

results_button_painted() {
    import -window "$main" "$work/probe.png"
    [ "$(hex_pixel "$work/probe.png" "$(scaled $((392 + 72)))" $((client_y + $(scaled 50))))" != "$purple" ]
}
wait_until 5 "the results button to appear after the last answer" results_button_painted
shoot "$main" answered
note "answers $answers given, the last by keyboard"

# ---- results ---------------------------------------------------------------------------

click_designed "$main" 0 "$client_y" 392 48 145 33
results=$(wait_window Results)
expect_centred "$results" "results window, first showing"
expect_client_size "$results" 576 438
shoot "$results" results-tab1

# Locate the pages: below the tabs, the first row in the page colour.
read -r page_x page_y < <(results_page "$results") || fail "no page found in the results window"
note "results pages start at $page_x,$page_y"

# The focus starts inside the tabs; Ctrl+Tab turns to the next one. (Events are handled
# in order, so the clicks below land on the page it shows.)
keys ctrl+Tab
page="$results $page_x $page_y"
# The recommendations box is white where the pages are grey (right of its lines).
recommendations_painted() {
    import -window "$results" "$work/probe.png"
    [ "$(hex_pixel "$work/probe.png" $((page_x + $(scaled 440))) $((page_y + $(scaled 20))))" = '#FFFFFF' ]
}
# shellcheck disable=SC2086 # $page is three words on purpose
{
    type1=$(read_box $page 328 72 73 32)
    type2=$(read_box $page 328 232 73 32)
    [ "$type1" = "$expect_type1" ] || fail "type 1 shows '$type1', expected '$expect_type1'"
    [ "$type2" = "$expect_type2" ] || fail "type 2 shows '$type2', expected '$expect_type2'"
    note "type 1 $type1, type 2 $type2"

    type_into $page 328 184 73 32 "$partner"
    click_designed $page 408 288 89 49
    mutual=$(read_box $page 328 296 73 32)
    [ "$mutual" = "$expect_mutual" ] || fail "partner $partner gives '$mutual', expected '$expect_mutual'"
    note "partner $partner gives $mutual"
    shoot "$results" results-tab2

    type_into $page 328 184 73 32 abc
    for showing in first second; do
        # A synchronous move waits until the pointer has moved: off the button first.
        xdotool mousemove 0 0
        click_designed $page 408 288 89 49
        box=$(wait_until 5 "the error box" message_box && message_box)
        expect_centred "$box" "error box, $showing showing"
        xprop -id "$box" _NET_WM_STATE | grep -q _NET_WM_STATE_MODAL ||
            fail "the error box is not modal"
        expect_transient_for "$box" "$results" "error box"
        [ $showing = second ] || shoot "$box" error-box
        keys Return
        wait_until 5 "the error box to close" bash -c "! xwininfo -id $box | grep -q IsViewable"
        alive
    done
    window_mapped Results || fail "the results window went with the error box"

    # 10 MB of short lines pasted through the clipboard. The box comes once the paste is done
    # (the program takes the clipboard while it handles ctrl+v, before the click), centred and
    # within the screen, and Return closes it; the field then holds the paste's first 32,767
    # characters. (The box's exact text is compared in-process, windows_test_results: only on
    # Windows does a message box copy its text.)
    perl -e 'print "ab\n" x (10 * 2**20 / 3)' >"$work/paste.txt"
    xclip -selection clipboard -i "$work/paste.txt" >/dev/null 2>&1
    click_designed $page 328 184 73 32
    xdotool key --clearmodifiers ctrl+a ctrl+v
    xdotool mousemove 0 0
    click_designed $page 408 288 89 49
    box=$(wait_until 5 "the error box after the paste" message_box && message_box)
    expect_centred "$box" "error box after a 10 MB paste"
    expect_transient_for "$box" "$results" "error box after a 10 MB paste"
    shoot "$box" error-box-paste
    keys Return
    wait_until 5 "the error box to close" bash -c "! xwininfo -id $box | grep -q IsViewable"
    alive
    read_box $page 328 184 73 32 >"$work/field.txt"
    head -c 32767 "$work/paste.txt" | cmp -s - "$work/field.txt" ||
        fail "the field holds $(wc -c <"$work/field.txt") bytes, not the paste's first 32,767"
    note "a 10 MB paste: the box came and went, the field holds the paste's first 32,767 characters"
    after=$(read_box $page 328 296 73 32)
    [ "$after" = "$expect_mutual" ] || fail "after 'abc' the mutual box shows '$after'"
    note "'abc' gave the error box captioned Tandemo; the mutual box still shows $after"

    keys ctrl+Tab
    wait_until 5 "the third tab to be painted" recommendations_painted
    shoot "$results" results-tab3
    click_designed $page 368 256 105 25 # "Подробности"
    indicator=$(wait_window SpecHelp)
    expect_client_size "$indicator" 417 367
    shoot "$indicator" spechelp
    click_designed "$indicator" 0 0 136 336 147 25 # "ВСЁ ПОНЯТНО"
    wait_window_gone SpecHelp

    click_designed $page 368 320 105 25 # "ВЫХОД"
}
wait_window_gone Results
note "results closed"
# Opened again, it is centred again; the window manager's close command closes it.
xdotool windowactivate --sync "$main"
click_designed "$main" 0 "$client_y" 392 48 145 33
results=$(wait_window Results)
expect_centred "$results" "results window, second showing"
close_window "$results"
wait_window_gone Results

# ---- the other windows, through the menu by keyboard ------------------------------------

info=$(open_from_menu "$main" 1 3 Info)
expect_client_size "$info" 269 170
shoot "$info" info
click_designed "$info" 0 0 64 120 145 33 # "ПРОДОЛЖИТЬ ОПРОС"
wait_window_gone Info

attract=$(open_from_menu "$main" 1 1 Attract)
expect_client_size "$attract" 467 308
shoot "$attract" attract
click_designed "$attract" 0 0 184 264 89 25 # "ЗАКРЫТЬ"
wait_window_gone Attract

for showing in first second; do
    about=$(open_from_menu "$main" 2 1 About)
    expect_centred "$about" "about box, $showing showing"
    expect_client_size "$about" 306 213
    [ $showing = second ] || shoot "$about" about
    xdotool mousemove 0 0 # off "OK", where the first showing left it
    click_designed "$about" 0 0 111 180 75 25 # "OK"
    wait_window_gone About
done
alive

# "КАК РАБОТАТЬ?": a message box, each time a new window.
for showing in first second; do
    xdotool windowactivate --sync "$main"
    keys F10
    wait_until 5 "the menu to open" popup_window
    keys Right Down Return
    box=$(wait_until 5 "the how-to message" message_box && message_box)
    expect_centred "$box" "how-to message, $showing showing"
    expect_transient_for "$box" "$main" "how-to message"
    [ $showing = second ] || shoot "$box" how-to
    keys Return
    wait_until 5 "the how-to message to close" bash -c "! xwininfo -id $box | grep -q IsViewable"
done
alive

# ---- the end ---------------------------------------------------------------------------

# No frame moved off the centre later on, while it was mapped.
for entry in "${centred_frames[@]}"; do
    IFS='|' read -r frame visible what cover <<<"$entry"
    frame_centred "$frame" "$visible" "$what, at the end" "$cover" >/dev/null
done
note "every centred frame stayed centred while it was mapped"

xdotool windowactivate --sync "$main"
control_menu 4 F10 Up # from the first item up to the last, "ВЫХОД"
wait_until 10 "the program to end after ВЫХОД" process_ended "$app_pid"
status=0
wait "$app_pid" || status=$?
app_pid=
[ "$status" -eq 0 ] || { cat "$work/app.log" >&2; fail "the program ended with status $status"; }
note "ВЫХОД ended the program with status 0 after $(seconds_since "$asked")s"
echo PASS
