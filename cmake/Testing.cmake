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

# The suite's tiers, as CTest labels, so that each runs on its own (CMakePresets.json):
#   unit     in process on the offscreen platform, with no server, compositor or bus: every
#            tandemo_add_test, and the fuzzers' corpus replays;
#   e2e      the real program, on an X server, compositor or bus that the test starts;
#   package  the installation and the Debian package;
#   slow     over about 30 s on two idle cores (a test may be slow in any tier).
# One table, "label:name pattern", labels every test that tandemo_add_test does not make.
set(TANDEMO_TEST_TIERS
  "unit:_corpus$"
  "e2e:^(e2e_|legibility_|install_package$)"
  "package:^(install_package|package_reproducible)$"
  "slow:^(legibility_desktops|package_reproducible)$")

function(tandemo_test_labels name out)
  set(labels ${ARGN})
  foreach(row ${TANDEMO_TEST_TIERS})
    string(FIND "${row}" ":" colon)
    string(SUBSTRING "${row}" 0 ${colon} label)
    math(EXPR colon "${colon} + 1")
    string(SUBSTRING "${row}" ${colon} -1 pattern)
    if(name MATCHES "${pattern}")
      list(APPEND labels ${label})
    endif()
  endforeach()
  if(NOT labels MATCHES "(^|;)(unit|e2e|package)(;|$)")
    message(FATAL_ERROR "Test ${name} is in no tier: add it to TANDEMO_TEST_TIERS")
  endif()
  set(${out} ${labels} PARENT_SCOPE)
endfunction()

# tandemo_label_tests(): labels each test the calling folder has added so far. Called last
# in a folder that adds tests without tandemo_add_test.
function(tandemo_label_tests)
  get_directory_property(tests TESTS)
  foreach(test ${tests})
    tandemo_test_labels(${test} labels)
    set_tests_properties(${test} PROPERTIES LABELS "${labels}")
  endforeach()
endfunction()

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
  tandemo_test_labels(${ARG_NAME} labels unit)
  set_tests_properties(${ARG_NAME} PROPERTIES
    TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "${env}"
    LABELS "${labels}")
endfunction()
