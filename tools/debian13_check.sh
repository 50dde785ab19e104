#!/usr/bin/env bash
# Runs the README's two set-up commands as a new user of Debian 13 would: in a fresh
# minimal Debian 13 root (debootstrap --variant=minbase), as root, in an empty environment
# (PATH and HOME alone), `setup.sh run` first and `setup.sh test` after it, then the
# README's Install commands (the package made by cpack, installed by apt, removed again).
# Prints, for each, its result, the packages it installed, their download and installed
# sizes, and its time; and each test stage's line from the test command's summary.
#
# usage: tools/debian13_check.sh [folder]     (as root; needs debootstrap)
#
# The folder (default /var/tmp/tandemo-debian13) keeps the bare root made by debootstrap,
# so that later checks start from a copy of it without fetching it again, and the root of
# the last check with its logs (root/root/tandemo/build-logs). The working tree is copied
# in as it is, uncommitted changes included. TANDEMO_DEBIAN_MIRROR names another mirror;
# TANDEMO_CHECK_STAGES picks some of "run test install"; TANDEMO_CHECK_REUSE=1 runs them
# again in the root of the last check instead of a fresh one (its figures are then not a
# new user's).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dir=${1:-/var/tmp/tandemo-debian13}
mirror=${TANDEMO_DEBIAN_MIRROR:-http://deb.debian.org/debian}
stages=${TANDEMO_CHECK_STAGES:-run test install}
base=$dir/base
root=$dir/root

[ "$(id -u)" -eq 0 ] || { echo "debian13_check: run it as root (it uses chroot)" >&2; exit 2; }
command -v debootstrap >/dev/null ||
  { echo "debian13_check: debootstrap is missing (apt-get install debootstrap)" >&2; exit 2; }
mkdir -p "$dir"

start=$SECONDS
if [ ! -e "$base/.complete" ]; then
  echo "== making a minbase Debian 13 root in $base from $mirror"
  rm -rf "$base"
  debootstrap --variant=minbase trixie "$base" "$mirror" >"$dir/debootstrap.log" 2>&1 ||
    { tail -n 20 "$dir/debootstrap.log" >&2; echo "debian13_check: debootstrap failed" >&2; exit 1; }
  touch "$base/.complete"
fi
# A root from an earlier check may still have its mounts if that check was killed hard.
for m in dev/shm dev/pts dev sys proc; do
  ! mountpoint -q "$root/$m" 2>/dev/null || umount -l "$root/$m"
done
if [ -n "${TANDEMO_CHECK_REUSE:-}" ] && [ -d "$root" ]; then
  echo "== the root of the last check, as it was left (TANDEMO_CHECK_REUSE)"
else
  echo "== fresh root from the bare one ($((SECONDS - start)) s)"
  rm -rf "$root"
  cp -a "$base" "$root"
  rm "$root/.complete"
  cp /etc/resolv.conf "$root/etc/resolv.conf"
fi

mounted=()
unmount_all() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" || true; done
  mounted=()
}
trap unmount_all EXIT
mount_in() { # <type or --bind> <source> <target in root>
  mkdir -p "$root/$3"
  if [ "$1" = --bind ]; then mount --bind "$2" "$root/$3"; else mount -t "$1" "$2" "$root/$3"; fi
  mounted+=("$root/$3")
}
mount_in proc proc proc
mount_in sysfs sys sys
mount_in --bind /dev dev
mount_in devpts devpts dev/pts
mount_in tmpfs tmpfs dev/shm

# The working tree as it is, without builds and logs (what git ignores); copied again
# before each command, over the builds of the one before. Only files whose content differs
# are written, and they get the time of writing, as a checkout gives them: a file with its
# old time would look older than what the build made from its earlier content.
copy_tree() {
  local staging=$dir/staging file
  rm -rf "$staging"
  mkdir -p "$staging" "$root/root/tandemo"
  git -C "$here" ls-files -z --cached --others --exclude-standard |
    (cd "$here" && tar --null -T - -cf -) | tar -xf - -C "$staging"
  (cd "$staging" && find . -type f -print0) | while IFS= read -r -d '' file; do
    if ! cmp -s "$staging/$file" "$root/root/tandemo/$file"; then
      mkdir -p "$(dirname "$root/root/tandemo/$file")"
      cp "$staging/$file" "$root/root/tandemo/$file"
    fi
  done
  rm -rf "$staging"
}

in_root() { # <command...>: as root in the new root, with PATH and HOME alone
  chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root "$@"
}
installed_count() { in_root dpkg-query -W -f='${Status}\n' | grep -c 'install ok installed'; }
used_mb() { du -sxm "$root" | cut -f1; }

results=()
overall=0
for mode in $stages; do
  copy_tree
  before=$(installed_count)
  used_before=$(used_mb)
  log=$dir/$mode.log
  apt_log=$root/root/tandemo/build-logs/apt.log
  [ "$mode" != install ] || apt_log=$log
  apt_lines=0
  [ "$mode" = install ] || [ ! -f "$apt_log" ] || apt_lines=$(wc -l <"$apt_log")
  t0=$SECONDS
  set +e
  if [ "$mode" = install ]; then
    # The README's Install section: the package made from the build, installed by apt with
    # what it depends on, its program started (no display: its one line, status 1), and
    # removed again.
    echo "== the package, installed and removed (output in $log)"
    in_root bash -c 'cd /root/tandemo &&
      cpack --config build/CPackConfig.cmake -B build/package &&
      DEBIAN_FRONTEND=noninteractive apt-get install -y ./build/package/tandemo_*_amd64.deb &&
      dpkg-query -W -f="\${Package} \${Version} \${Depends}\n" tandemo &&
      { /usr/bin/Tandemo; [ $? -eq 1 ]; } &&
      DEBIAN_FRONTEND=noninteractive apt-get purge -y tandemo' >"$log" 2>&1
  else
    echo "== setup.sh $mode (output in $log)"
    in_root bash -c 'cd /root/tandemo && bash tools/setup.sh "$0"' "$mode" >"$log" 2>&1
  fi
  status=$?
  set -e
  took=$((SECONDS - t0))
  after=$(installed_count)
  # apt's own account of what this command fetched and what the packages take unpacked.
  fetched=$( (tail -n +$((apt_lines + 1)) "$apt_log" 2>/dev/null || true) | grep -h '^Need to get' |
    tail -n 1 | sed 's/^Need to get \([^ ]* [kMG]*B\).*/\1/' || true)
  unpacked=$( (tail -n +$((apt_lines + 1)) "$apt_log" 2>/dev/null || true) |
    grep -h '^After this operation' | tail -n 1 |
    sed 's/^After this operation, \([^ ]* [kMG]*B\).*/\1/' || true)
  line="$mode: exit $status, $((after - before)) packages"
  line+=" (${fetched:-0 B} fetched, ${unpacked:-0 B} installed), root grew $(($(used_mb) - used_before)) MB,"
  line+=" $((took / 60)) min $((took % 60)) s"
  verdict=passed
  if [ "$mode" = run ]; then
    # Without a display the program says so in one line and ends with status 1; that line
    # must be the last thing printed, and nothing before it may look like a fault.
    if [ "$status" -ne 1 ] || ! tail -n 1 "$log" | grep -q 'needs a graphical desktop session'; then
      verdict=FAILED
    elif grep -Eiq 'warning|error|detected locale' "$log"; then
      verdict="FAILED (printed a warning)"
    fi
  else
    [ "$status" -eq 0 ] || verdict=FAILED
    sed -n '/^== summary/,$p' "$log" | tail -n +2 | sed 's/^/    /' >"$dir/summary.txt"
  fi
  [ "$verdict" = passed ] || overall=1
  results+=("$line: $verdict")
  echo "${results[-1]}"
  [ "$mode" != test ] || cat "$dir/summary.txt"
  [ "$verdict" = passed ] || tail -n 15 "$log"
done

echo "== Debian 13 check, $((SECONDS - start)) s in all"
printf '  %s\n' "${results[@]}"
exit "$overall"
