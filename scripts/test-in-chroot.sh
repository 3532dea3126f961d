#!/usr/bin/env bash
# Runs this checkout's dev build and every test of it on another Debian release: in a chroot made with
# mmdebstrap from Debian's archive (kept for the next run, under /var/cache/kelvane/chroots unless
# KELVANE_CHROOTS says otherwise), with /proc, /dev, /tmp and /run mounted in a private mount and PID
# namespace, so nothing stays mounted or running after it. Then installs the four packages built there,
# starts the installed program, builds the example against the installed library and removes them.
#   scripts/test-in-chroot.sh trixie          Debian 13
#   scripts/test-in-chroot.sh bookworm --full Debian 12 as a fresh machine: the whole test command
# Needs root (or sudo). Without --full, the sanitizers and fuzzing stay with scripts/test.sh on the host.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = --inside ]; then
  source scripts/phase.bash
  installed_packages() {
    local debs=/tmp/debs
    cpack --config build/dev/CPackConfig.cmake -G DEB -B "$debs" >/tmp/cpack.log 2>&1 || { cat /tmp/cpack.log; return 1; }
    apt-get install -y -qq "$debs"/*.deb >/dev/null
    echo "installed: $(dpkg-query -W -f '${Package} ${Version}, ' kelvane libkelvanewidgets0 libkelvanewidgets-dev kelvane-widgets-designer)"
    bash tests/e2e/window_and_end.sh /usr/bin/kelvane
    cmake -S examples/widgets_demo -B /tmp/demo -G Ninja >/dev/null
    cmake --build /tmp/demo >/dev/null
    QT_QPA_PLATFORM=offscreen /tmp/demo/widgets_demo --self-test
    apt-get purge -y -qq kelvane kelvane-widgets-designer libkelvanewidgets-dev libkelvanewidgets0 >/dev/null
  }
  . /etc/os-release
  echo "Inside: $PRETTY_NAME"
  if [ "${2:-}" = --full ]; then bash scripts/test.sh; else bash scripts/test.sh --dev-only; fi
  phase "the packages installed and run" installed_packages
  exit 0
fi

suite=${1:?usage: scripts/test-in-chroot.sh SUITE [--full]   (trixie for Debian 13)}
full=${2:-}
[ -z "$full" ] || [ "$full" = --full ] || { echo "test-in-chroot: unknown option '$full'" >&2; exit 2; }
[[ $suite =~ ^[a-z]+$ ]] || { echo "test-in-chroot: '$suite' is not a Debian suite name" >&2; exit 2; }
sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
root=${KELVANE_CHROOTS:-/var/cache/kelvane/chroots}/$suite
start=$SECONDS

needs=()
for tool in mmdebstrap:mmdebstrap rsync:rsync unshare:util-linux; do
  command -v "${tool%%:*}" >/dev/null || needs+=("${tool#*:}")
done
if [ ${#needs[@]} -gt 0 ]; then
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${needs[@]}"
fi

# A chroot whose making was cut short has no mark and is made again.
if [ ! -e "$root/.kelvane-complete" ]; then
  $sudo rm -rf "$root"
  $sudo mkdir -p "$(dirname "$root")"
  $sudo mmdebstrap --mode=unshare --variant=apt --include=ca-certificates "$suite" "$root" \
    "deb http://deb.debian.org/debian $suite main" \
    "deb http://deb.debian.org/debian-security $suite-security main"
  $sudo touch "$root/.kelvane-complete"
fi
echo "== chroot ready ($suite): $((SECONDS - start)) s"

# The build folder is kept between runs; the rest follows the checkout exactly.
$sudo rsync -a --delete --exclude=/build/ --exclude=/.git/ ./ "$root/src/"

# shellcheck disable=SC2016
$sudo unshare --mount --pid --fork --propagation private env ROOT="$root" FULL="$full" bash -c '
  set -e
  mount -t proc proc "$ROOT/proc"
  mount --rbind /dev "$ROOT/dev"
  mount -t tmpfs tmpfs "$ROOT/tmp"
  mount -t tmpfs tmpfs "$ROOT/run"
  exec chroot "$ROOT" env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root LANG=C.UTF-8 TERM=dumb DEBIAN_FRONTEND=noninteractive CI="${CI:-}" bash /src/scripts/test-in-chroot.sh --inside "$FULL"'
echo "== $suite: $((SECONDS - start)) s in all"
