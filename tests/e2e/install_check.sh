#!/usr/bin/env bash
# Installs the built program into a scratch prefix and checks what a desktop sees of it:
# the entry and the metainfo pass their validators, the icons are there at their sizes,
# the Debian package carries the same files and the dependencies a bare system needs,
# and the program unpacked from the package starts from its desktop entry to its main
# window and closes cleanly.
#
# usage: install_check.sh <build dir> <version>
set -euo pipefail

build=$(cd "$1" && pwd)
version=$2
app_id=example.tandemo.Tandemo
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=xsession.sh
source "$here/xsession.sh"

x_session_work install

# check_tree <root of /usr-like tree>: the files a desktop needs, each in its place.
check_tree() {
    local root=$1
    [ -x "$root/bin/Tandemo" ] || fail "no executable bin/Tandemo under $root"
    local entry="$root/share/applications/$app_id.desktop"
    local metainfo="$root/share/metainfo/$app_id.metainfo.xml"
    [ -f "$entry" ] || fail "no desktop entry $entry"
    [ -f "$metainfo" ] || fail "no metainfo $metainfo"

    desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"

    grep -qx "Name\[ru\]=.*" "$entry" || fail "the entry has no Russian name"
    grep -qx "Comment\[ru\]=.*" "$entry" || fail "the entry has no Russian comment"
    grep -qx "Comment=.*" "$entry" || fail "the entry has no English comment"
    grep -qx "Icon=$app_id" "$entry" || fail "the entry does not name the icon $app_id"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
        fail "the metainfo does not launch $app_id.desktop"
    grep -q "<release version=\"$version\"" "$metainfo" ||
        fail "the metainfo does not list release $version"
    grep -q "<screenshot" "$metainfo" || fail "the metainfo has no screenshot"
    grep -q "<content_rating" "$metainfo" || fail "the metainfo has no content rating"

    local size icon actual
    for size in 32 48 128 256; do
        icon="$root/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
        [ -f "$icon" ] || fail "no ${size}px icon"
        actual=$(identify -format '%wx%h' "$icon")
        [ "$actual" = "${size}x${size}" ] || fail "the ${size}px icon is $actual"
    done

    if readelf -d "$root/bin/Tandemo" | grep -Eq 'RPATH|RUNPATH'; then
        fail "the installed program carries a run path"
    fi
}

note "installing into a scratch prefix"
cmake --install "$build" --prefix "$work/prefix" >"$work/install.log"
check_tree "$work/prefix"

note "building the Debian package"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack failed"; }
package=$(find "$work/deb" -maxdepth 1 -name "tandemo_${version}_*.deb" -print -quit)
[ -n "$package" ] || fail "cpack made no tandemo_${version} package"

depends=$(dpkg-deb -f "$package" Depends)
note "Depends: $depends"
# The Qt packages by the names this release gives them (Debian 13 renamed them for the
# 64-bit time_t move): whichever owns the library the built program loads.
qt_packages=()
for library in libQt6Core.so.6 libQt6Gui.so.6 libQt6Widgets.so.6; do
    file=$(ldd "$build/app/Tandemo" | awk -v l="$library" '$1 == l { print $3 }')
    [ -n "$file" ] || fail "the built program does not load $library"
    owner=$(dpkg -S "$(readlink -f "$file")" | sed -n '1s/:.*//p')
    [ -n "$owner" ] || fail "no package owns $file"
    qt_packages+=("$owner")
done
for needed in "${qt_packages[@]}" fonts-liberation fonts-urw-base35 fonts-dejavu-core; do
    grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || fail "the package does not depend on $needed"
done

# Where the x87 unit carries the survey arithmetic, MPFR is the tests' alone.
case "$(dpkg --print-architecture)" in
    amd64 | i386)
        ! grep -Eq "(^|, )libmpfr" <<<"$depends" || fail "the package depends on MPFR"
        ;;
esac

dpkg-deb -x "$package" "$work/root"
check_tree "$work/root/usr"

note "starting the unpacked program from its desktop entry"
x_session_start "$work/x"
exec_line=$(sed -n 's/^Exec=//p' "$work/root/usr/share/applications/$app_id.desktop")
# The entry's command is looked up on PATH, as a desktop launcher does; only the
# unpacked package's bin folder is put in front, so it cannot pick up the build tree.
PATH="$work/root/usr/bin:$PATH" \
    XDG_DATA_DIRS="$work/root/usr/share:${XDG_DATA_DIRS:-/usr/share}" \
    $exec_line >"$work/app.log" 2>&1 &
app_pid=$!

main=$(wait_window "$main_caption" 15)
[ "$(readlink -f "/proc/$app_pid/exe")" = "$(readlink -f "$work/root/usr/bin/Tandemo")" ] ||
    fail "the running program is not the unpacked one"
[ "$(xprop -id "$main" WM_CLASS | sed 's/.*= //')" = '"Tandemo", "Tandemo"' ] ||
    fail "WM_CLASS does not match the entry's StartupWMClass"
# The icon is decoded once the splash is up, so it may reach the window a moment
# after the window is mapped. xprop's output is taken whole before it is searched:
# grep -q would stop reading early and pipefail would turn xprop's broken pipe
# into a failure.
has_icon_32() {
    local icons
    icons=$(xprop -id "$1" _NET_WM_ICON) || return 1
    grep -q 'Icon (32 x 32)' <<<"$icons"
}
wait_until 5 "the main window's 32px icon" has_icon_32 "$main"
note "main window $main mapped"

# Closed the way a person closes it: through the window manager's close command.
close_window "$main"
status=0
wait_until 5 "the program to end" process_ended "$app_pid"
wait "$app_pid" || status=$?
app_pid=
[ "$status" -eq 0 ] || { cat "$work/app.log"; fail "the program ended with status $status"; }
note "closed with status 0"

# What Debian's own checker says of the package: nothing, neither error nor warning.
# The changelog's latest entry is the version packaged, and both manual pages are there.
doc="$work/root/usr/share/doc/tandemo"
gzip -dc "$doc/changelog.gz" >"$work/changelog"
logged=$(dpkg-parsechangelog -l "$work/changelog" -S Version)
[ "$logged" = "$version" ] || fail "the changelog's latest entry is $logged, not $version"
for page in man/man1/Tandemo.1.gz man/ru/man1/Tandemo.1.gz; do
    [ -f "$work/root/usr/share/$page" ] || fail "no manual page $page"
done
lintian --fail-on error,warning "$package" >"$work/lintian.log" 2>&1 ||
    { cat "$work/lintian.log"; fail "lintian reports errors or warnings"; }
note "lintian: no errors, no warnings"
echo "PASS"
