#!/usr/bin/env bash
# Installs, from Debian's packages, what building and running Corvalin on Linux needs.
# Only missing packages are installed, so a second run touches nothing and takes a moment.
set -euo pipefail

packages=(
  g++-mingw-w64-x86-64-posix   # the cross compiler (posix threads: std::thread and friends)
  mingw-w64-tools              # windres and friends
  binutils-mingw-w64-x86-64
  wine64                       # the Win32 API that the program and its tests run against
  fonts-wine                   # Tahoma; only a recommendation of wine64, so named here
  xvfb xauth                   # a display when there is no screen
  cmake make
  googletest                   # sources, built with the cross compiler
  imagemagick                  # screenshots of the Xvfb display
  icoutils                     # icon tools: the application icon is assembled with icotool
  python3                      # draws the icon's source images
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
