#!/usr/bin/env bash
# Checks the Debian packages that scripts/package.sh built in BUILD_DIR: skardetools (the
# programs, palettes, file types and thumbnailer) and skardetools-browser (the browser module),
# their names and fields, that apt would install skardetools on its own without the browser and
# its web engine, that each package's files land where the program and the desktop look for
# them, and that the programs, unpacked with dpkg-deb -x, work as an installation does without
# the browser package.
# Usage: tests/install/checkpackage.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build}"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
arch=$(dpkg --print-architecture)
deb="$build/package/skardetools_${version}_${arch}.deb"
browser_deb="$build/package/skardetools-browser_${version}_${arch}.deb"
[ -f "$deb" ] || { echo "no package $deb" >&2; exit 1; }
browser=0
[ -e "$build/lib/skardetools/skardebrowser.so" ] && browser=1
if [ $browser = 1 ] && [ ! -f "$browser_deb" ]; then
  echo "no package $browser_deb" >&2
  exit 1
fi
fail() { echo "$*" >&2; exit 1; }

field() { dpkg-deb -f "$1" "$2"; }
[ "$(field "$deb" Package)" = skardetools ] || fail "wrong package name: $(field "$deb" Package)"
[ "$(field "$deb" Version)" = "$version" ] || fail "wrong version: $(field "$deb" Version)"
case "$(field "$deb" Depends)" in
  *libqt6widgets6*) ;;
  *) fail "the Qt runtime is not a dependency: $(field "$deb" Depends)" ;;
esac
case "$(field "$deb" Depends)" in
  *webengine*) fail "skardetools depends on the web engine: $(field "$deb" Depends)" ;;
esac
case "$(field "$deb" Depends)" in
  *libspng0*) ;;
  *) fail "the PNG library is not a dependency: $(field "$deb" Depends)" ;;
esac

# Which files each package holds, by path.
contents() { dpkg-deb -c "$1" | awk '{ print $6 }' | sed 's|^\./|/|'; }
has() { contents "$1" | grep -qx "$2" || fail "$1 lacks $2"; }
lacks() { ! contents "$1" | grep -q "$2" || fail "$1 holds $2"; }
has "$deb" /usr/share/mime/packages/skardetools.xml
has "$deb" /usr/share/thumbnailers/skardetools.thumbnailer
has "$deb" /usr/bin/skardetools-thumbnailer
lacks "$deb" skardebrowser

if [ $browser = 1 ]; then
  [ "$(field "$browser_deb" Package)" = skardetools-browser ] || fail "wrong browser package name"
  case "$(field "$deb" Recommends)" in
    *skardetools-browser*) ;;
    *) fail "skardetools does not recommend skardetools-browser: $(field "$deb" Recommends)" ;;
  esac
  case "$(field "$browser_deb" Depends)" in
    *"skardetools (= $version)"*) ;;
    *) fail "skardetools-browser does not need skardetools $version: $(field "$browser_deb" Depends)" ;;
  esac
  case "$(field "$browser_deb" Depends)" in
    *libqt6webengine*) ;;
    *) fail "the web engine is not a dependency of the browser package" ;;
  esac
  has "$browser_deb" /usr/lib/skardetools/skardebrowser.so
  [ "$(contents "$browser_deb" | grep -c '/usr/bin/')" = 0 ] || fail "the browser package holds programs"
  # apt, asked as a user asks it without recommendations, installs skardetools alone; with both
  # files, both.
  plan=$(apt-get install --simulate --no-install-recommends "./$deb" 2>/dev/null | grep '^Inst' || true)
  grep -q '^Inst skardetools ' <<<"$plan" || fail "apt would not install skardetools alone: $plan"
  ! grep -q 'skardetools-browser\|webengine' <<<"$plan" || fail "apt would pull the browser: $plan"
  plan=$(apt-get install --simulate "./$deb" "./$browser_deb" 2>/dev/null | grep '^Inst' || true)
  grep -q '^Inst skardetools-browser ' <<<"$plan" || fail "apt would not install the browser: $plan"
fi

# The skardetools package alone, unpacked: a complete installation that works.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
cmake -DROOT="$unpacked/usr" -DSAMPLE="$build/samples/dunes.bmp" -DVERSION="$version" \
  -DBROWSER=0 -DTHUMBNAILER=1 -P tests/install/checkinstallation.cmake
# The program itself starts and keeps running without the browser module, which it loads only
# when a web page opens.
! ldd "$unpacked/usr/bin/skardetools" | grep -qi webengine || fail "the program links the web engine"
status=0
HOME="$unpacked/home" QT_QPA_PLATFORM=offscreen timeout 5 "$unpacked/usr/bin/skardetools" \
  >/dev/null 2>&1 || status=$?
[ $status = 124 ] || fail "the program without the browser package ended with status $status"
if [ $browser = 1 ]; then
  dpkg-deb -x "$browser_deb" "$unpacked"
  cmake -DROOT="$unpacked/usr" -DSAMPLE="$build/samples/dunes.bmp" -DVERSION="$version" \
    -DBROWSER=1 -DTHUMBNAILER=1 -P tests/install/checkinstallation.cmake
fi
packages=("$deb")
[ $browser = 0 ] || packages+=("$browser_deb")
for package in "${packages[@]}"; do
  echo "$package: $(du -k "$package" | cut -f1) KiB"
  dpkg -I "$package"
done
