#!/usr/bin/env bash
# Installs the Debian packages that building and testing SkardeTools need. Safe to run again:
# it only calls apt-get when something is missing.
set -euo pipefail

packages=(
  cmake
  g++
  make
  libgtest-dev
  qt6-base-dev
  qt6-base-private-dev # the window tests queue input as the window system does
  qt6-webengine-dev
  fonts-dejavu-core
  fonts-liberation2
  dpkg-dev # dpkg-shlibdeps and file: the Debian package's dependencies (scripts/package.sh)
  file
  groff-base # groff: the man page test formats skardetools-cli.1 with every warning on
  pkg-config
  libspng-dev # PNG beside BMP (src/png)
  shared-mime-info # update-mime-database, and the desktop tools that name file types:
  libglib2.0-bin   # gio
  xdg-utils        # xdg-mime
  xvfb xdotool     # the program started with files on a real X server (tests/desktop)
  tumbler dbus     # thumbnails through the desktop's thumbnail service (tests/desktop)
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  apt_get=(apt-get)
else
  apt_get=(sudo apt-get)
fi
export DEBIAN_FRONTEND=noninteractive
"${apt_get[@]}" update -qq
"${apt_get[@]}" install -y -qq --no-install-recommends "${missing[@]}"
