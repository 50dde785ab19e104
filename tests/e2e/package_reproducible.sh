#!/usr/bin/env bash
# Builds the Debian package twice, from two copies of the sources, and compares the two
# packages byte for byte. The builds differ in all that must not matter: the folder of the
# checkout (its name and depth; each builds in build/ inside it, as the README does), the
# umask, the sources' modification times and the time of the build, the time zone and the
# locale.
# Nobody sets SOURCE_DATE_EPOCH: the build finds the sources' time itself.
#
# usage: package_reproducible.sh <source dir>
set -euo pipefail

src=$(cd "$1" && pwd)
jobs=${TANDEMO_JOBS:-$(nproc)}
work=$(mktemp -d "${TMPDIR:-/tmp}/tandemo-reproducible.XXXXXX")
# Kept when the packages differ, for the one who has to find out why.
keep=0
trap '((keep)) || rm -rf "$work"' EXIT
unset SOURCE_DATE_EPOCH QT_RCC_SOURCE_DATE_OVERRIDE

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# copy_sources <folder>: the files of the working tree, as a checkout of it would hold them
# (tracked and new files, no build folders), without the repository itself.
copy_sources() {
    mkdir -p "$1"
    if [ "$(git -C "$src" rev-parse --show-toplevel 2>/dev/null)" = "$src" ]; then
        git -C "$src" ls-files -z --cached --others --exclude-standard |
            (cd "$src" && while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done) |
            tar -C "$src" --null -T - -cf - | tar -C "$1" -xf -
    else
        tar -C "$src" --exclude='./build*' -cf - . | tar -C "$1" -xf -
    fi
}

# build_package <sources> <build folder> <umask> <time zone> <locale> <sources' time>
build_package() {
    local sources=$1 build=$2 log=$1.log
    mkdir -p "$(dirname "$1")"
    (
        umask "$3"
        export TZ=$4 LC_ALL=$5 LANG=$5
        copy_sources "$sources"
        find "$sources" -exec touch -h -d "$6" {} +
        cmake -S "$sources" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
        cmake --build "$build" -j "$jobs" --target Tandemo package_documents
        cpack --config "$build/CPackConfig.cmake" -B "$build/deb"
    ) >"$log" 2>&1 || { tail -n 40 "$log"; fail "the build in $build failed"; }
    find "$build/deb" -maxdepth 1 -name 'tandemo_*.deb' -print -quit
}

start=$SECONDS
one=$(build_package "$work/one/src" "$work/one/src/build" 0022 UTC C.UTF-8 "2001-02-03 04:05:06")
two=$(build_package "$work/second/copy/tandemo" "$work/second/copy/tandemo/build" 0002 \
    Asia/Kathmandu C now)
echo "two builds in $((SECONDS - start)) s"
[ -n "$one" ] && [ -n "$two" ] || fail "cpack made no package"
[ "$(basename "$one")" = "$(basename "$two")" ] ||
    fail "the packages are named $(basename "$one") and $(basename "$two")"

if ! cmp "$one" "$two"; then
    keep=1
    for p in one two; do
        deb=$([ $p = one ] && echo "$one" || echo "$two")
        mkdir -p "$work/unpacked/$p"
        dpkg-deb -c "$deb" >"$work/unpacked/$p.list"
        dpkg-deb -R "$deb" "$work/unpacked/$p"
    done
    diff "$work/unpacked/one.list" "$work/unpacked/two.list" || true
    diff -r "$work/unpacked/one" "$work/unpacked/two" || true
    fail "the two packages differ; both builds are kept in $work"
fi
echo "the two packages are equal, byte for byte: $(basename "$one"), $(stat -c %s "$one") bytes"
echo "PASS"
