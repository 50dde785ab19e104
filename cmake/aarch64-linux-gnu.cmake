# Cross-builds for 64-bit Arm (Debian's arm64) with Debian's cross compiler and the arm64
# multiarch libraries (dpkg --add-architecture arm64; apt-get install libmpfr-dev:arm64).
# Programs built with it run on an x86 machine under qemu-user.
#
#   cmake -S . -B build-arm64 -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake \
#         -DTANDEMO_SURVEY_ONLY=ON
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /usr/aarch64-linux-gnu)

# Headers and libraries of the target only (multiarch keeps them in /usr/lib/aarch64-linux-gnu
# and /usr/include), tools of the build machine.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
