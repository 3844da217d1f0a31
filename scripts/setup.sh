#!/usr/bin/env bash
# Installs every Debian package KZ_V needs to build, test and run. Only missing packages are
# installed, so a second run takes seconds. Run as root (or with sudo available).
set -euo pipefail

PACKAGES=(
  # tool chain
  g++ cmake ninja-build pkg-config clang libclang-rt-14-dev clang-format git
  # Qt 6 and OpenGL 1.1 fixed-function and GLU (spheres and cones are our own solids: no GLUT)
  qt6-base-dev libqt6opengl6-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  # the program icon is drawn from SVG; Qt's own Japanese texts for the standard dialogs
  qt6-svg-dev qt6-translations-l10n
  # the English interface: lupdate and lrelease (Qt Linguist tools)
  qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools
  # tests and benchmarks (pdftoppm reads printed pages back)
  libgtest-dev libgmock-dev libbenchmark-dev poppler-utils
  # headless display for the GUI tests and the run command
  xvfb xauth x11-utils
  # "kzv batch" draws with no display at all: Mesa's surfaceless EGL
  libegl-dev libegl1 libegl-mesa0
  # the batch test spreads its runs with GNU parallel
  parallel
  # the install test validates the desktop entry and the AppStream metadata
  desktop-file-utils appstream
  # Japanese fonts that stand in for the MS fonts named in settings
  fonts-ipafont-gothic fonts-ipafont-mincho
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
