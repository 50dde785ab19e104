# Sourced by the benchmarks that drive the real program from outside (showings.sh, paste.sh),
# with $here the repository: the session helpers (tests/e2e/xsession.sh), the build, the
# program started and answered as a person does, and the results window's pages found on
# screen.

TANDEMO_MAIN_CAPTION="Tandemo $(sed -n 's/^set(TANDEMO_CAPTION_VERSION \(.*\))$/\1/p' \
    "$here/CMakeLists.txt")"
export TANDEMO_MAIN_CAPTION

# shellcheck source=../tests/e2e/xsession.sh
source "$here/tests/e2e/xsession.sh"

# build_program <targets...>: builds the program and the bench targets in $build (configured
# with TANDEMO_BENCH=ON) unless $do_build is 0; sets tandemo and checks that all are there.
build_program() {
    if ((do_build)); then
        cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DTANDEMO_BENCH=ON >/dev/null
        cmake --build "$build" -j 2 --target Tandemo "$@"
    fi
    tandemo="$build/app/Tandemo"
    local f
    for f in "$tandemo" "${@/#/$build/bench/}"; do
        [ -x "$f" ] || fail "$f is missing; build without --no-build"
    done
}

purple='#800080'
splash_gone() { window_gone Tandemo; }

painted_at() { # <window> <x> <y> <colour>: the pixel has the colour (or, with !, has not)
    import -window "$1" "$work/probe.png"
    local got
    got=$(hex_pixel "$work/probe.png" "$2" "$3")
    if [ "${4:0:1}" = '!' ]; then [ "$got" != "${4:1}" ]; else [ "$got" = "$4" ]; fi
}

# start_answered: the program started and left until its splash has gone, then
# "УПРАВЛЕНИЕ" > "ЗАПУСК ОПРОСНИКА" and every question answered by mouse. Sets app_pid,
# main and menu_h.
start_answered() {
    "$tandemo" >"$work/app.log" 2>&1 &
    app_pid=$!
    main=$(wait_window "$TANDEMO_MAIN_CAPTION" 20)
    wait_until 20 "the splash to go" splash_gone
    xdotool windowactivate --sync "$main"
    keys alt Down
    wait_until 5 "the menu to open" popup_window
    keys Return
    wait_until 5 "the menu to close" popup_closed
    import -window "$main" "$work/main.png"
    menu_h=$(first_row "$work/main.png" 4 0 "$purple")
    wait_until 5 "the question buttons to appear" painted_at "$main" 100 $((menu_h + 64)) "!$purple"
    local answers=1455554 n
    for n in 1 2 3 4 5 6 7; do
        question_button "$main" "$menu_h" "$n"
        answer_box "$main" "$menu_h" "${answers:n-1:1}"
    done
    wait_until 5 "the results button" painted_at "$main" $((392 + 72)) $((menu_h + 50)) "!$purple"
}

# results_button: "x y" on the root window of "РЕЗУЛЬТАТЫ !" in the main window.
results_button() {
    local mx my
    read -r mx my _ _ < <(client_geometry "$main")
    echo $((mx + 392 + 72)) $((my + menu_h + 48 + 16))
}

# find_pages <results window>: sets page_x and page_y, where the pages start in it: below
# the tabs, the first row in the page colour.
find_pages() {
    local colour
    import -window "$1" "$work/results.png"
    colour=$(hex_pixel "$work/results.png" $((16 + 268)) $((48 + 377 - 8)))
    page_y=$(first_row "$work/results.png" $((16 + 530)) 48 "$colour")
    page_x=$(first_column "$work/results.png" $((page_y + 150)) 16 "$colour")
}
