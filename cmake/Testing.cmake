# tandemo_add_test(NAME <name> SOURCES <files...> LIBS <targets...>)
#
# One QtTest executable per unit, registered with CTest. Window tests run in-process
# on Qt's offscreen platform so that they need no display.

# In the sanitized build every test carries the sanitizers' options itself, so a plain
# `ctest` there checks exactly what the set-up script's test command checks: leaks at
# exit (third-party ones suppressed), and a stop at the first finding.
set(TANDEMO_SANITIZER_ENV "")
if(TANDEMO_SANITIZE)
  set(TANDEMO_SANITIZER_ENV
    "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/sanitizers/lsan.supp:print_suppressions=0"
    "ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endif()

# The tests of the real program wait for windows and exits against deadlines written for
# the ordinary build. The sanitized program runs several times slower (more still when the
# leak check at exit meets a busy machine), so every deadline there is stretched by this
# factor; xsession.sh applies it to each wait. TANDEMO_REAL_PROGRAM_ENV is what such a
# test's ENVIRONMENT holds: a UTF-8 locale of its own too, since the tools that read the
# program's Russian names back (gdbus, xprop, xclip) print question marks without one, and
# a fresh machine or container sets none.
if(TANDEMO_SANITIZE)
  set(TANDEMO_WAIT_FACTOR 4)
else()
  set(TANDEMO_WAIT_FACTOR 1)
endif()
# The main window's caption, by which the tests find it, comes from the one version source.
set(TANDEMO_REAL_PROGRAM_ENV ${TANDEMO_SANITIZER_ENV} TANDEMO_WAIT_FACTOR=${TANDEMO_WAIT_FACTOR}
  LC_ALL=C.UTF-8 "TANDEMO_MAIN_CAPTION=Tandemo ${TANDEMO_CAPTION_VERSION}")

function(tandemo_add_test)
  cmake_parse_arguments(ARG "" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE Qt6::Test ${ARG_LIBS})
  add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
  # A time-out only ends a test that hangs: it is set far beyond what the test takes on a
  # machine busy with other work, so that no test can fail for being slow.
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set(env QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96 LC_ALL=C.UTF-8 ${TANDEMO_SANITIZER_ENV})
  set_tests_properties(${ARG_NAME} PROPERTIES
    TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "${env}")
endfunction()
