#!/usr/bin/env bash
# Takes the pictures of the README (docs/screenshots) and of the manuals
# (resources/help/en/images, resources/help/de/images) from the plug-in's real
# window and the project window: a fresh demo
# network in a private folder, the partly configured demo device opened as a
# director opens it, under a virtual X display (Xvfb) when there is one,
# else on Qt's offscreen platform. Rerun it after changing the window.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup-packages.sh
./scripts/build.sh rx24-screenshots lnsdb
BIN="$(pwd)/${BUILD_DIR:-build}/bin"

HOME_DIR="$(mktemp -d)"
trap 'rm -rf "$HOME_DIR"' EXIT
export XDG_CONFIG_HOME="$HOME_DIR/config" XDG_DATA_HOME="$HOME_DIR/data" XDG_RUNTIME_DIR="$HOME_DIR/run"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# Pictures in English, whatever the user's own language setting is.
export LANG=C.UTF-8
"$BIN/lnsdb" demo >/dev/null

# One tour per language: the README's pictures and the English manual's,
# then the German manual's with the language switched to German.
tour() {
  local out=$1
  run_tool "$BIN/rx24-screenshots" "$out" 'Demo\LNS System.Floor 1\RX24 Partial'
  # The project window on the same demo network.
  run_tool "$BIN/rx24-screenshots" --project "$out"
}
run_tool() {
  local run=("$@")
  if command -v xvfb-run >/dev/null; then
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x900x24 -dpi 96" dbus-run-session -- "${run[@]}"
  else
    QT_QPA_PLATFORM=offscreen dbus-run-session -- "${run[@]}"
  fi
}
language() {
  mkdir -p "$XDG_CONFIG_HOME/velto"
  printf '[SOFTWARE]\nvelto\\koradesk%%20Register\\Options\\Language=%s\n' "$1" >"$XDG_CONFIG_HOME/velto/registry.ini"
}

language 0
tour "$HOME_DIR/en"
# A fresh demo: the German pictures show the device as the English ones did.
rm -rf "$XDG_DATA_HOME/velto/lns"
"$BIN/lnsdb" demo >/dev/null
language 1000
tour "$HOME_DIR/de"

mkdir -p docs/screenshots resources/help/en/images resources/help/de/images
for picture in device module logger project project-apply; do
  cp "$HOME_DIR/en/$picture.png" docs/screenshots/
  cp "$HOME_DIR/en/$picture.png" resources/help/en/images/
  cp "$HOME_DIR/de/$picture.png" resources/help/de/images/
done
echo "Pictures written to docs/screenshots and resources/help/{en,de}/images."
