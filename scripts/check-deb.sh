#!/usr/bin/env bash
# Builds the Debian package in a Release build folder (without tests), lets
# Debian's own checks look at it (lintian, desktop-file-validate on both menu
# entries, appstreamcli on the project window's description; any error or
# warning fails), and checks that the installed programs start: in a fresh
# debian:12 container when docker works here, else (as root) in a fresh
# Debian 12 made by debootstrap, else (RX24_DEB_CHECK=unpack, or not root)
# from the package unpacked into a temporary root (the programs then find
# their data in <root>/usr/share/tarvinaRX24 as they do in
# /usr/share/tarvinaRX24) with apt checking the dependencies. The test suite
# runs the quick unpack mode on its own build folder.
#
#   scripts/check-deb.sh            # build folder build-rel
#   BUILD_DIR=other scripts/check-deb.sh
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build-rel}

if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRX24_BUILD_TESTS=OFF
fi
cmake --build "$BUILD_DIR" -j2 --target rx24_installed
(cd "$BUILD_DIR" && rm -f tarvina-rx24_*.deb && cpack -G DEB)
DEB=$(ls "$BUILD_DIR"/tarvina-rx24_*.deb)
DEB=$(cd "$(dirname "$DEB")" && pwd)/$(basename "$DEB")
echo "== $DEB"
dpkg-deb --field "$DEB"
dpkg-deb --contents "$DEB" | awk '{print $6}'
if dpkg-deb --contents "$DEB" | grep -q 'test_'; then
  echo "The package holds test programs." >&2
  exit 1
fi

# Debian's checks, on the files as the package holds them. Info and pedantic
# notes are shown, but only errors and warnings fail.
for tool in lintian desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/setup-packages.sh installs it)" >&2; exit 1; }
done
CHECKED=$(mktemp -d)
dpkg-deb -x "$DEB" "$CHECKED"
checks_failed=0
echo "== lintian"
lintian --fail-on error,warning --display-info "$DEB" || checks_failed=1
echo "== desktop-file-validate"
for entry in "$CHECKED"/usr/share/applications/*.desktop; do
  echo "$(basename "$entry")"
  found=$(desktop-file-validate "$entry" 2>&1) || checks_failed=1
  [ -z "$found" ] || echo "$found"
  if grep -qE '(error|warning):' <<<"$found"; then checks_failed=1; fi
done
echo "== appstreamcli validate"
# The maintainer's domain lies under the reserved top-level domain "example",
# which the validator does not know as one.
found=$(appstreamcli validate --no-net --override cid-maybe-not-rdns=pedantic \
  "$CHECKED"/usr/share/metainfo/*.metainfo.xml 2>&1) || checks_failed=1
echo "$found"
if grep -qE '^[EW]:' <<<"$found"; then checks_failed=1; fi
rm -rf "$CHECKED"
if [ "$checks_failed" -ne 0 ]; then
  echo "Debian's checks found errors or warnings in the package." >&2
  exit 1
fi

DEMO_DEVICE='/OBJECTNAME:Demo\LNS System.Floor 1\RX24 Full'
# The starts; each may end by the timeout (124): the window was up.
STARTS='
set -u
started() { rc=$?; if [ $rc -ne 0 ] && [ $rc -ne 124 ]; then echo "FAILED: $1 (exit $rc)"; exit 1; fi; echo "ok: $1 (exit $rc)"; }
export QT_QPA_PLATFORM=offscreen
timeout 5 "$BIN/tarvinaRX24"; started "tarvinaRX24 without options"
timeout 30 "$BIN/lnsdb" demo; started "lnsdb demo"
timeout 5 "$BIN/tarvinaRX24" /COMMANDID:13 /CLASSID:7 "$DEMO_DEVICE"; started "tarvinaRX24 on the demo device"
timeout 5 "$BIN/rx24project" --help >/dev/null; started "rx24project --help"
timeout 5 "$BIN/rx24project"; started "rx24project, the menu entry"
'

if [ "${RX24_DEB_CHECK:-}" != unpack ] && docker run --rm debian:12 true >/dev/null 2>&1; then
  echo "== installing in a fresh debian:12 container"
  docker run --rm -v "$DEB:/tmp/$(basename "$DEB"):ro" -e DEMO_DEVICE="$DEMO_DEVICE" -e BIN=/usr/bin \
    debian:12 bash -c "set -e
      apt-get update -qq
      DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /tmp/$(basename "$DEB") >/dev/null
      ls /usr/share/tarvinaRX24 /usr/share/tarvinaRX24/help
      useradd -m integrator
      su integrator -c '$STARTS'"
  exit 0
fi

# Without docker, as root: a fresh Debian 12 made by debootstrap (kept in
# $RX24_DEB_ROOT for the next run), the package installed there with apt.
if [ "$(id -u)" = 0 ] && [ "${RX24_DEB_CHECK:-chroot}" = chroot ]; then
  command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
  CHROOT=${RX24_DEB_ROOT:-/var/tmp/rx24-debian12}
  if [ ! -x "$CHROOT/usr/bin/apt-get" ]; then
    echo "== creating a fresh Debian 12 in $CHROOT (debootstrap, a few minutes)"
    debootstrap --variant=minbase bookworm "$CHROOT" http://deb.debian.org/debian >/dev/null
  fi
  echo "== installing in the Debian 12 of $CHROOT"
  cp "$DEB" "$CHROOT/tmp/"
  cp /etc/resolv.conf "$CHROOT/etc/resolv.conf"
  mountpoint -q "$CHROOT/proc" || mount -t proc proc "$CHROOT/proc"
  trap 'umount "$CHROOT/proc" 2>/dev/null || true' EXIT
  chroot "$CHROOT" bash -c "set -e
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall /tmp/$(basename "$DEB") >/dev/null
    ls /usr/share/tarvinaRX24 /usr/share/tarvinaRX24/help
    id integrator >/dev/null 2>&1 || useradd -m integrator"
  printf '%s\n' "cd ~; BIN=/usr/bin; DEMO_DEVICE='$DEMO_DEVICE'" "$STARTS" >"$CHROOT/tmp/starts.sh"
  chroot "$CHROOT" su integrator -c 'bash /tmp/starts.sh'
  exit 0
fi

echo "== docker does not work here; unpacking the package into a temporary root instead"
apt-get install --simulate "$DEB" | grep -E '^(Inst|Conf) ' || true
ROOT=$(mktemp -d)
trap 'rm -rf "$ROOT"' EXIT
dpkg-deb -x "$DEB" "$ROOT"
mkdir -p "$ROOT/home"
HOME="$ROOT/home" XDG_CONFIG_HOME="$ROOT/home/.config" XDG_DATA_HOME="$ROOT/home/.local/share" \
  BIN="$ROOT/usr/bin" DEMO_DEVICE="$DEMO_DEVICE" bash -c "$STARTS"
echo "== log file of the unpacked plug-in (in the user's folder, not in the package's):"
ls "$ROOT/home/.local/share/velto/tarvina RX24/"
if [ -n "$(ls "$ROOT/usr/share/tarvinaRX24" | grep -v -e '^help$' -e '\.ini$' -e '\.xif$')" ]; then
  echo "The plug-in wrote into its data folder." >&2
  exit 1
fi
