# Flags shared by every target of the project.
#
# The survey arithmetic depends on each floating-point operation being rounded
# exactly as written, so nothing may reassociate or fuse operations: no
# -ffast-math and no contraction into fused multiply-adds.
#
# Warnings are errors in our own builds (TANDEMO_WERROR, which the set-up script and CI
# turn on); a packager's compiler or flags may warn where ours do not, and that should
# not stop a distribution build.

add_compile_options(-Wall -Wextra -Wpedantic -ffp-contract=off)
if(TANDEMO_WERROR)
  add_compile_options(-Werror)
endif()

if(TANDEMO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()

# Hardening, as a Debian build with hardening=+all has it: stack protector, stack clash
# protection, control-flow protection where the CPU has it, source fortification, full
# RELRO with immediate binding, and a position-independent executable. A packager's own
# flags win: each of ours is added only where CMAKE_<LANG>_FLAGS or the linker flags say
# nothing of the same feature (Debian's dpkg-buildflags, or a -fno-stack-protector, come in
# through them and would otherwise be overridden, as our options come after them).
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported()

function(tandemo_harden pattern)
  set(given "${CMAKE_CXX_FLAGS} ${CMAKE_C_FLAGS}")
  if(NOT given MATCHES "${pattern}")
    add_compile_options(${ARGN})
  endif()
endfunction()
function(tandemo_harden_link pattern)
  if(NOT "${CMAKE_EXE_LINKER_FLAGS}" MATCHES "${pattern}")
    add_link_options(${ARGN})
  endif()
endfunction()

tandemo_harden("-f(no-)?stack-protector" -fstack-protector-strong)
tandemo_harden("-f(no-)?stack-clash-protection" -fstack-clash-protection)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64|i[3-6]86)$")
  tandemo_harden("-fcf-protection" -fcf-protection)
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64)$")
  tandemo_harden("-mbranch-protection" -mbranch-protection=standard)
endif()
# Fortification needs the optimiser (glibc warns without it, an error in our builds), and
# under AddressSanitizer the checked copies of the string functions would hide overflows
# from the sanitizer's own checks.
if(NOT TANDEMO_SANITIZE)
  tandemo_harden("_FORTIFY_SOURCE"
    $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-D_FORTIFY_SOURCE=2>)
endif()
tandemo_harden_link("-z,?(no)?relro" LINKER:-z,relro)
tandemo_harden_link("-z,?(now|lazy)" LINKER:-z,now)

# Reproducible output: the same sources give the same program and package whatever folder
# they are built in. Debug information, assertions and __FILE__ name paths relative to the
# source folder instead of its absolute path, and generated sources relative to the build
# folder. The build folder's mapping comes last, so that it wins for a build folder inside
# the source folder.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                    -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)

# The time the sources were last changed, for every tool that stamps a time into its output
# (the resource compiler, CPack): a given SOURCE_DATE_EPOCH wins; otherwise the last commit's
# time in a git checkout of this project, or the latest changelog entry's date in an
# unpacked source archive.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(TANDEMO_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git rev-parse --show-toplevel
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE git_top OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE git_status)
  if(git_status EQUAL 0 AND git_top STREQUAL PROJECT_SOURCE_DIR)
    execute_process(COMMAND git log -1 --format=%ct
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE TANDEMO_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    # A new commit changes the time: configure again.
    execute_process(COMMAND git rev-parse --absolute-git-dir
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE git_dir OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(EXISTS ${git_dir}/logs/HEAD)
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${git_dir}/logs/HEAD)
    endif()
  endif()
  if(NOT TANDEMO_SOURCE_DATE_EPOCH)
    find_program(DPKG_PARSECHANGELOG dpkg-parsechangelog REQUIRED)
    execute_process(
      COMMAND ${DPKG_PARSECHANGELOG} -l ${PROJECT_SOURCE_DIR}/packaging/changelog -S Timestamp
      OUTPUT_VARIABLE TANDEMO_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE)
  endif()
endif()
if(NOT TANDEMO_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  message(FATAL_ERROR "No time for the sources: SOURCE_DATE_EPOCH is '${TANDEMO_SOURCE_DATE_EPOCH}'")
endif()
