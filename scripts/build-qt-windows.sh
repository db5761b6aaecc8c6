#!/usr/bin/env bash
# Builds the static Qt for 64-bit Windows that skardetools.exe links against: Debian's own
# qt6-base source package (the same version as the host Qt, whose tools it reuses), cross-built
# with MinGW-w64 and installed into a cache folder outside the work tree. Reused when that folder
# is complete, so a second run costs nothing; a build cut short goes on where it stopped. Prints
# how long the build took on standard error, and the install folder alone on standard output.
#
# SKARDE_QT_WINDOWS overrides the install folder.
set -euo pipefail
cd "$(dirname "$0")/.."

version=6.4.2
cache=${XDG_CACHE_HOME:-$HOME/.cache}/skardetools
prefix=${SKARDE_QT_WINDOWS:-$cache/qt6-mingw-$version}
stamp=$prefix/.skardetools-complete
work=$cache/qt6-mingw-$version-work

install_missing_packages() {
  # Host Qt tools (moc, rcc, uic) and the cross compiler from Debian, and apt's source-package
  # tools.
  local packages=(cmake ninja-build g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools
    dpkg-dev)
  local missing=() package
  for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return
  local apt_get=(apt-get)
  [ "$(id -u)" -eq 0 ] || apt_get=(sudo apt-get)
  echo "Installing: ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  "${apt_get[@]}" update -qq >&2
  "${apt_get[@]}" install -y -qq --no-install-recommends "${missing[@]}" >&2
}

source_folder() {
  find "$work" -maxdepth 1 -type d -name "qt6-base-$version*" | head -n1
}

# Through a private apt configuration: the system's sources list, lists and cache stay untouched,
# whether or not it has deb-src lines of its own.
fetch_source() {
  echo "== fetching Debian's qt6-base $version source package" >&2
  mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/apt/sources.list.d"
  cat >"$work/apt/sources.list" <<'EOF'
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
EOF
  local private_apt=(-o "Dir::Etc::SourceList=$work/apt/sources.list"
    -o "Dir::Etc::SourceParts=$work/apt/sources.list.d"
    -o "Dir::State::Lists=$work/apt/lists" -o "Dir::Cache=$work/apt/cache"
    -o "Debug::NoLocking=1" -o "APT::Sandbox::User=$(id -un)")
  apt-get "${private_apt[@]}" update -qq
  # The exact Debian revision of the host Qt, whose tools the cross build uses.
  local host_version
  host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
  case $host_version in
  "$version"*) ;;
  *)
    echo "host Qt is $host_version, not $version" >&2
    exit 1
    ;;
  esac
  (cd "$work" && apt-get "${private_apt[@]}" source -qq "qt6-base=$host_version" >/dev/null)
  [ -n "$(source_folder)" ] || { echo "no qt6-base $version source unpacked" >&2; exit 1; }
}

# Only what the program and its tests use: Core, Gui, Widgets, Test, the Windows and offscreen
# platform plugins and the Windows style (no network, SQL, printing, OpenGL or JPEG; Direct2D
# stays, as Qt 6.4's DirectWrite font code is built only with it, while the Windows platform
# plugin uses that code either way). Debian's source leaves out the tablet header the Windows
# platform plugin includes, hence tabletevent off. -O1 instead of Qt's own -O3 about halves the build on
# two cores; a converter's windows do not need the rest.
configure_qt() {
  echo "== configuring Qt $version for Windows" >&2
  # A toolchain file of its own: Qt's build must not pick up the project's test emulator.
  cat >"$work/toolchain.cmake" <<'EOF'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF
  local ccache_option=()
  command -v ccache >/dev/null && ccache_option=(-ccache)
  mkdir -p "$work/build"
  (cd "$work/build" && "$(source_folder)/configure" -prefix "$prefix" \
    -static -static-runtime -release -qt-host-path /usr -xplatform win32-g++ \
    -nomake examples -nomake tests -no-opengl -no-dbus -no-icu \
    -no-feature-sql -no-feature-network -no-feature-printsupport -no-feature-concurrent \
    -no-feature-xml -qt-zlib -qt-pcre -qt-libpng -qt-freetype -qt-harfbuzz \
    "${ccache_option[@]}" -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DFEATURE_tabletevent=OFF \
    -DFEATURE_jpeg=OFF -DQT_USE_DEFAULT_CMAKE_OPTIMIZATION_FLAGS=ON \
    "-DCMAKE_C_FLAGS_RELEASE=-O1 -DNDEBUG" "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG") \
    >"$work/configure.log" 2>&1 || { tail -n 40 "$work/configure.log" >&2; exit 1; }
}

build_and_install_qt() {
  echo "== building Qt $version for Windows (two jobs)" >&2
  cmake --build "$work/build" --parallel 2 >"$work/build.log" 2>&1 ||
    { tail -n 40 "$work/build.log" >&2; exit 1; }
  rm -rf "$prefix"
  cmake --install "$work/build" >"$work/install.log" 2>&1 ||
    { tail -n 40 "$work/install.log" >&2; exit 1; }
  touch "$stamp"
}

if [ -f "$stamp" ]; then
  echo "Qt $version for Windows: reusing $prefix" >&2
  echo "$prefix"
  exit 0
fi
install_missing_packages
started=$(date +%s)
[ -f "$work/build/build.ninja" ] || rm -rf "$work"
mkdir -p "$work"
[ -n "$(source_folder)" ] || fetch_source
[ -f "$work/build/build.ninja" ] || configure_qt
build_and_install_qt
rm -rf "$work"
elapsed=$(($(date +%s) - started))
printf 'Qt %s for Windows built in %dm%02ds into %s\n' "$version" $((elapsed / 60)) \
  $((elapsed % 60)) "$prefix" >&2
echo "$prefix"
