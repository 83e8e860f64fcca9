#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Only what is missing is installed; running it again is cheap.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libsqlite3-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-qpa-plugins qt6-translations-l10n dbus dbus-bin clang-format xvfb xauth x11vnc jwm
  # The PostgreSQL engine and its tests' throw-away server (scripts/pg-test-server.sh:
  # openssl makes its certificate, runuser and flock come from util-linux).
  libqt6sql6-psql libpq-dev postgresql openssl util-linux
  # Debian's checks of the package (scripts/check-deb.sh) and the shell
  # completion of the tools that the tests drive.
  lintian desktop-file-utils appstream bash-completion
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
