#!/usr/bin/env bash
# Takes the pictures of the README (docs/screenshots) and of the manual
# (resources/help/images) from the plug-in's real window: a fresh demo
# network in a private folder, the partly configured demo device opened as a
# director opens it, under a virtual X display (Xvfb) when there is one,
# else on Qt's offscreen platform. Rerun it after changing the window.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup-packages.sh
./scripts/build.sh
BIN="$(pwd)/${BUILD_DIR:-build}/bin"

HOME_DIR="$(mktemp -d)"
trap 'rm -rf "$HOME_DIR"' EXIT
export XDG_CONFIG_HOME="$HOME_DIR/config" XDG_DATA_HOME="$HOME_DIR/data" XDG_RUNTIME_DIR="$HOME_DIR/run"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# Pictures in English, whatever the user's own language setting is.
export LANG=C.UTF-8
"$BIN/lnsdb" demo >/dev/null

OUT="$HOME_DIR/pictures"
TOUR=("$BIN/rx24-screenshots" "$OUT" 'Demo\LNS System.Floor 1\RX24 Partial')
if command -v xvfb-run >/dev/null; then
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x900x24 -dpi 96" dbus-run-session -- "${TOUR[@]}"
else
  QT_QPA_PLATFORM=offscreen dbus-run-session -- "${TOUR[@]}"
fi

mkdir -p docs/screenshots resources/help/images
for picture in device module logger; do
  cp "$OUT/$picture.png" docs/screenshots/
  cp "$OUT/$picture.png" resources/help/images/
done
echo "Pictures written to docs/screenshots and resources/help/images."
